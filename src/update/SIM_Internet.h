// The small web client of the daily version check: one session to the update server, and
// the download of one reply into a file.
#pragma once
#include "platform/net/PHttpClient.h"

#include <atomic>
#include <string>

class SIM_Internet
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_Internet& Instance();
    virtual ~SIM_Internet();

    // The update server: a host name, optionally with ":port". Empty means no server.
    void SetHost(const std::string& host) { m_host = host; }

    bool OpenLink();
    void CloseLink();
    // GET of the path (relative to the server's root) into localPath. True only when a
    // successful reply arrived whole; error pages, cut-off and oversized replies are false.
    bool DownloadFile(const std::string& remotePath, const std::string& localPath);
    // Writes "IERROR:  <text> [<code>]" to the debug log.
    void LogError(const std::string& text);

    // Stops a running download soon (program shutdown).
    void Abort() { m_abort = true; }
    void ClearAbort() { m_abort = false; }

    // Time limits of a download, in milliseconds.
    static constexpr long CONNECT_TIMEOUT_MS = 4000;
    static constexpr long TOTAL_TIMEOUT_MS = 10000;
    static constexpr uint64_t MAX_REPLY_BYTES = 1024ull * 1024;

private:
    SIM_Internet() = default;

    PHttpClient m_client;
    bool m_connected = false;
    std::string m_host;
    int m_lastError = 0;
    std::atomic<bool> m_abort{false};
};
