// Folders for the game on Linux: searching a folder with Windows-style wildcards, creating
// and testing folders, and the two folders the game starts from (Documents, its own folder).
#pragma once
#include <string>
#include <vector>

struct PDirectoryEntry
{
    std::string name;
    bool isDirectory = false;
};

class PDirectory
{
public:
    // Lists the entries of the folder part of pattern whose names match its last part
    // ("*.*" matches every name, "*.txt" any name ending in .txt in any letter case; '?' one
    // character). "." and ".." are listed when they match, as the game expects to skip them.
    // Names come sorted ASCII case-insensitively so every load order is the same on every machine.
    static std::vector<PDirectoryEntry> Find(const std::string& pattern);
    // Windows-style name match, without regard to case.
    static bool WildcardMatch(const std::string& pattern, const std::string& name);

    // Creates one folder (its parent must exist). False on failure.
    static bool Create(const std::string& path);
    // Creates the folder and every missing parent. False on failure.
    static bool CreatePath(const std::string& path);
    // True when path names an existing folder.
    static bool Exists(const std::string& path);

    // The player's Documents folder: XDG_DOCUMENTS_DIR (from the environment or
    // ~/.config/user-dirs.dirs), else ~/Documents. Empty when no home folder is known.
    static std::string DocumentsFolder();
    // The folder that holds the running executable (no trailing '/'), or empty.
    static std::string ExecutableFolder();
    // Makes the executable's folder the working folder, so relative data/ paths resolve from
    // anywhere the game is started. False when it cannot.
    static bool ChangeToExecutableFolder();
};
