// The savegame reader: replaces the running game with the one saved under a name, section by
// section with a loading-screen stage each, and rebuilds what the file does not hold (routes,
// current sub-tasks, the factory's variables). Also peeks at a save's date and mission for the
// load and save dialogs.
//
// A load that cannot go ahead (no file, an empty or incomplete file, no game section, a mission
// the game does not know) is reported in a box and changes nothing of the running game. Once the
// saved game has been started, every damaged or unknown item is left out with a line in the debug
// and error logs and the rest loads (a name cut for its length, and a value the player plays for
// that had to be replaced, count as such items); when anything was left out the player is told
// once, at the end, how many items and where they are listed. A section missing altogether is
// shown in a box and fails the load.
//
// Entry points (main thread): the load dialog: LoadGame(name); F3: QuickLoad() ("autosave");
// the dialogs' list of saves: ReadHeader. While a load runs IsLoading() is true, and the
// placement it does costs nothing and shows no sparkle.
#pragma once
#include <string>

#include "sim/SIM_Game.h"

class SaveFileOps;
class SaveLoadContext;

class SIM_LoadGame
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_LoadGame& Instance();

    // True when the saved game now runs (perhaps without items it could not restore); false when
    // it could not be loaded (ChangedGame tells whether the running game is still there) or a
    // section of it was missing (the game holds what could be read).
    bool LoadGame(const std::string& name);
    bool QuickLoad();
    // The same from a savegame's text already in memory.
    bool LoadFromText(std::string text, const std::string& name);
    // The save's date and mission for the dialogs; false (the outputs untouched, only a log line)
    // when the save cannot be read.
    bool ReadHeader(std::string& date, std::string& mission, const std::string& name);

    bool IsLoading() const { return m_loading; }
    // Whether the last load began replacing the running game; false when it was refused first.
    bool ChangedGame() const { return m_changedGame; }
    // How many items of the last load's file were left out.
    int LeftOutCount() const { return m_leftOut; }
    // The disk operations (the real disk with null).
    void SetFileOps(SaveFileOps* ops) { m_ops = ops; }
    // What a load does with the definitions when it starts the saved game (SIM_Game::InitSimulation):
    // the game reads them again; a caller loading many saves of unchanged data may keep them.
    void SetDefinitions(SIM_Game::Definitions definitions) { m_definitions = definitions; }

private:
    SIM_LoadGame() = default;
    bool ReadFile(const std::string& name, std::string& text, bool quiet);
    static bool PeekHeader(std::string text, std::string& date, std::string& mission);
    // Every section after the game's own values, in the file's order (SaveSection).
    void ReadSections(SaveLoadContext& context);
    void AfterLoad(SaveLoadContext& context);

    bool m_loading = false;
    bool m_changedGame = false;
    int m_leftOut = 0;
    SaveFileOps* m_ops = nullptr;
    SIM_Game::Definitions m_definitions = SIM_Game::Definitions::Reload;
};
