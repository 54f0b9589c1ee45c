// The game's two log files in the user folder's debug folder: debug.txt, rewritten at every
// start and written throughout the run, and errors.txt, which only ever grows. On top of them
// the three report operations every subsystem uses: assertion, trace and error box.
// Every operation may be called from any thread; a line is never mixed with another.
#pragma once
#include <cstdio>
#include <mutex>
#include <string>

class GDebugLog
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GDebugLog& Instance();

    // Remembers folder, makes folder/debug and starts folder/debug/debug.txt afresh.
    void Open(const std::string& folder);
    // Appends "[h:m:s:ms]- message" (UTC) to debug.txt and flushes it; also to the debugger
    // output. Dropped while the debug log is not open.
    void Log(const std::string& message);
    // Appends "day/month/year - hour::minute - message" (UTC) to errors.txt, opening and
    // closing the file for the line; also to the debugger output. Before Open there is no
    // user folder yet, and only the debugger output is written.
    void LogError(const std::string& message);
    // Ends debug.txt with "END DEBUG---".
    void Close();
    // Close, and the folder forgotten: errors go to the debugger output only, as before the first
    // Open of a run.
    void Reset();

    bool IsOpen() const;
    const std::string& GetBaseFolder() const { return m_baseFolder; }
    std::string GetDebugPath() const;
    std::string GetErrorPath() const;

private:
    GDebugLog() = default;
    GDebugLog(const GDebugLog&) = delete;
    GDebugLog& operator=(const GDebugLog&) = delete;

    void WriteLineLocked(const std::string& message);

    mutable std::mutex m_lock;
    FILE* m_debugFile = nullptr;
    FILE* m_errorFile = nullptr;
    std::string m_baseFolder;
};

// Nothing when condition holds; otherwise writes "Assertion failure:filename:<file>,linenum:<line>"
// to the error log. The game goes on.
void DebugAssert(bool condition, const char* sourceFile, int line);
// Writes "<message>:<file> <line>" to the debugger output and the debug log.
void DebugTrace(const std::string& message, const char* sourceFile, int line);
// Writes "<message>:<file> <line>" to the error log and shows it in a modal box captioned
// "ERROR" with an OK button. The game goes on after the box closes.
void DebugErrorBox(const std::string& message, const char* sourceFile, int line);

// The source file's name without its folders, for the report texts.
constexpr const char* DebugSourceName(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            name = p + 1;
    return name;
}

// A check that holds costs only its test: hot loops (every object in transit, every frame) use it.
#define FV_ASSERT(condition)                                                                                           \
    (static_cast<bool>(condition) ? static_cast<void>(0) : DebugAssert(false, DebugSourceName(__FILE__), __LINE__))
#define FV_TRACE(message) DebugTrace((message), DebugSourceName(__FILE__), __LINE__)
#define FV_ERROR_BOX(message) DebugErrorBox((message), DebugSourceName(__FILE__), __LINE__)
