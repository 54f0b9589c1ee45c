// Reports of the running game that can repeat every frame (a request the pool cannot serve, a
// route search that gives up on the same pair, a slot changing state too often). The first report
// of each is written to the debug log with its detail; later ones are only counted, and one line
// per game minute says how many there were, so the log grows with what is new, not with time.
#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>

class SIM_RepeatLog
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // Distinct reports traced in full per game; further new ones are only counted.
    static constexpr size_t kMaxTraced = 1024;

    static SIM_RepeatLog& Instance();

    // Any thread. The report is `message` about `subject` (what repeats: a slot, a pair of tiles;
    // may be empty); `detail` adds what changes from one report to the next. The first report of a
    // message and subject in this game is written as "<message> <subject> <detail>:<file> <line>";
    // later ones are counted.
    void Report(const char* message, const std::string& subject, const std::string& detail, const char* sourceFile,
                int line);
    // Main thread, once per step after the clock: at most one summary line per game minute of
    // running game time, naming how often each message repeated since the last one.
    void Update(float gameTimeMs, float minuteMs);
    // A new game: every report is new again and the minute starts at `gameTimeMs`.
    void ResetForNewGame(float gameTimeMs = 0.0f);

private:
    SIM_RepeatLog() = default;

    std::mutex m_lock;
    std::set<std::string> m_traced;
    std::map<std::string, uint64_t> m_pending; // repeats per message since the last summary
    float m_lastSummary = 0.0f;
};

#define FV_REPORT_REPEATING(message, subject, detail)                                                                  \
    SIM_RepeatLog::Instance().Report((message), (subject), (detail), DebugSourceName(__FILE__), __LINE__)
