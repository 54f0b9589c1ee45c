// The process as the game sees it: the last system error, ending the process on a fatal
// error, and opening links and files with the player's default program.
#pragma once
#include <string>

class PProcess
{
public:
    // The system error code of the last failed call on this thread (0 when none).
    static int LastErrorCode();
    // The system's text for an error code.
    static std::string ErrorText(int code);
    // Ends the process at once with exit code code (streams flushed, no destructors run,
    // so other threads cannot trip over objects being torn down).
    [[noreturn]] static void Exit(int code);
    // Opens a web link or a file with the user's default program. False on failure, with the
    // reason in errorText.
    static bool ShellOpen(const std::string& target, std::string& errorText);
};
