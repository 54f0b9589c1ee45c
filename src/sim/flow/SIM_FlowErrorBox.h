// Error boxes of the resource flow. Route searches run on worker threads and under the route
// table's lock, and several reports can repeat every tick: each distinct text is written to the
// error log at once and its box handed to the main thread, once per game.
#pragma once
#include <mutex>
#include <set>
#include <string>

class SIM_FlowErrorBox
{
public:
    // Any thread: logs "<message>:<file> <line>" and queues its box, unless that text was
    // reported in this game already.
    static void Raise(const std::string& message, const char* sourceFile, int line);
    // A new game: every text may be shown once again.
    static void ResetForNewGame();
    // How many distinct texts were queued in this game (tests).
    static size_t ShownCount();

private:
    static std::mutex& Lock();
    static std::set<std::string>& Shown();
};

#define FV_FLOW_ERROR(message) SIM_FlowErrorBox::Raise((message), DebugSourceName(__FILE__), __LINE__)
