// Where savegames live: the game's "savegames" user folder, set once at start-up, and the file of
// a save name ("<folder>/<name>.xml"). Quick save, quick load and the autosave share one name.
#pragma once
#include <string>

class SaveFolder
{
public:
    // The one save of the quick keys and the autosave.
    static constexpr const char* kQuickSaveName = "autosave";

    static void Set(const std::string& folder);
    static const std::string& Get();
    // "<folder>/<name>.xml".
    static std::string PathFor(const std::string& name);
};
