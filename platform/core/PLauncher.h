// Starting programs: the game's relaunch of itself after a settings change that needs a
// fresh start. No shell is involved, so no argument is ever interpreted.
#pragma once
#include <string>
#include <vector>

class PLauncher
{
public:
    // Full path of the running executable; empty when it cannot be read.
    static std::string OwnExecutablePath();
    // The words of this process's command line after the program path.
    static std::vector<std::string> OwnArguments();
    // Starts path with the given arguments in the current working directory, detached
    // from this process (it outlives us and is never left as a zombie). True when the
    // program could be started.
    static bool Launch(const std::string& path, const std::vector<std::string>& args);
    // Starts a new copy of the running executable with the given arguments.
    static bool LaunchSelf(const std::vector<std::string>& args);
};
