// A small HTTP client for the daily version check: one GET whose body is written to a file,
// with time limits so a dead network never holds the game up.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

struct PHttpResult
{
    bool transferred = false; // the whole body arrived and was written
    long status = 0;          // HTTP status code, 0 when no reply came
    int errorCode = 0;        // transport error code, 0 on success
    std::string errorText;    // what went wrong, for the log
    uint64_t bytes = 0;       // body bytes written
};

class PHttpClient
{
public:
    PHttpClient() = default;
    ~PHttpClient();
    PHttpClient(const PHttpClient&) = delete;
    PHttpClient& operator=(const PHttpClient&) = delete;

    // Prepares the transport once per process; call on the main thread before any worker
    // uses a client.
    static void GlobalInit();

    // Opens a session with the given user agent; true when the session exists.
    bool Open(const char* userAgent);
    void Close();
    bool IsOpen() const { return m_handle != nullptr; }

    // Time limits in milliseconds for connecting and for the whole transfer.
    void SetTimeouts(long connectMs, long totalMs);
    // Largest body accepted; a longer one fails the transfer.
    void SetMaxBody(uint64_t bytes) { m_maxBody = bytes; }
    // While *abort is true a transfer stops at its next progress report (within about a
    // second), so the program can end without waiting out the time limit.
    void SetAbortFlag(const std::atomic<bool>* abort) { m_abort = abort; }

    // GET of http://<host><path> (host may carry ":port"; path starts with '/'), body
    // written to localPath (created or truncated). No redirects, no cookies, no caches.
    PHttpResult Download(const std::string& host, const std::string& path, const std::string& localPath);

private:
    static size_t WriteChunk(char* data, size_t size, size_t count, void* user);
    static int Progress(void* user, int64_t, int64_t, int64_t, int64_t);

    void* m_handle = nullptr;
    std::string m_agent;
    long m_connectMs = 5000;
    long m_totalMs = 15000;
    uint64_t m_maxBody = 1024ull * 1024;
    const std::atomic<bool>* m_abort = nullptr;
};
