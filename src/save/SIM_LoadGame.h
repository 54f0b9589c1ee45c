// The savegame reader: replaces the running game with the one saved under a name, section by
// section with a loading-screen stage each, and rebuilds what the file does not hold (routes,
// current sub-tasks, the factory's variables). Also peeks at a save's date and mission for the
// load and save dialogs.
//
// A load that cannot go ahead (no file, an empty or incomplete file, no game section, a mission
// the game does not know) is reported and changes nothing of the running game. Once the saved
// game has been started, every damaged or unknown item is left out with a log line and the rest
// loads; the first problem of a load is shown in a box, the others only logged.
//
// Entry points (main thread): the load dialog: LoadGame(name); F3: QuickLoad() ("autosave");
// the dialogs' list of saves: ReadHeader. While a load runs IsLoading() is true, and the
// placement it does costs nothing and shows no sparkle.
#pragma once
#include <string>

class SaveFileOps;
class SaveLoadContext;

class SIM_LoadGame
{
public:
    static SIM_LoadGame& Instance();

    // True when the save was read whole; false when it could not be loaded (nothing changed) or a
    // section of it was missing (the game holds what could be read).
    bool LoadGame(const std::string& name);
    bool QuickLoad();
    // The same from a savegame's text already in memory.
    bool LoadFromText(std::string text, const std::string& name);
    // The save's date and mission for the dialogs; false (the outputs untouched, only a log line)
    // when the save cannot be read.
    bool ReadHeader(std::string& date, std::string& mission, const std::string& name);

    bool IsLoading() const { return m_loading; }
    // The disk operations (the real disk with null).
    void SetFileOps(SaveFileOps* ops) { m_ops = ops; }

private:
    SIM_LoadGame() = default;
    bool ReadFile(const std::string& name, std::string& text, bool quiet);
    static bool PeekHeader(std::string text, std::string& date, std::string& mission);
    void ReadSections(SaveLoadContext& context);
    void AfterLoad(SaveLoadContext& context);

    bool m_loading = false;
    SaveFileOps* m_ops = nullptr;
};
