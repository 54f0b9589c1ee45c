// The update server's question and answer: asks whether a newer version than ours exists and
// reads the "message" line of the reply.
#pragma once
#include <string>

class SIM_Server
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_Server& Instance();

    // Asks the server about version and returns its message, or "error checking for update"
    // when no usable reply came (LastCheckSucceeded tells the two apart).
    std::string CheckForUpdate(float version);
    // The second comma-separated field of the last line containing "message", without line
    // ends and surrounding blanks; empty when no line has it or the file cannot be read.
    std::string ReadScriptResponse(const std::string& path);

    bool LastCheckSucceeded() const { return m_succeeded; }
    // The request path for a version, relative to the server's root.
    static std::string RequestPath(float version);

private:
    SIM_Server() = default;

    std::string m_localPath;
    bool m_succeeded = false;
};
