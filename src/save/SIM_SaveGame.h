// The savegame writer: writes the running factory to "<savegames>/<name>.xml", section by section
// with a loading-screen stage each, and keeps the autosave's five-minute cadence. A save never
// destroys the previous one: the file is written beside it and replaces it only once it is whole
// on the disk; a save that fails is reported and never shown as complete.
//
// Entry points (main thread):
//  - the save dialog: SaveGame(name); F2: QuickSave() (the name "autosave");
//  - the presentation listener's CheckAutosave (once per simulation step, after the worker jobs)
//    and RestartAutosaveTimer (every game set-up) forward to the operations of the same name.
#pragma once
#include <functional>
#include <string>

#include "engine/core/GTimer.h"
#include "save/SaveDate.h"

class SaveFileOps;

class SIM_SaveGame
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // Real milliseconds between two autosaves.
    static constexpr double kAutosaveIntervalMs = 300000.0;

    static SIM_SaveGame& Instance();

    // Writes the running game under the name. False, reported in a box and the log, when there is
    // no game or the file could not be written; the previous save of that name is then untouched.
    bool SaveGame(const std::string& name);
    bool QuickSave();
    // Saves under "autosave" when the option "OPT_AUTOSAVE" is on, five minutes have passed and
    // nothing the player is in the middle of (a pending placement, a dialog that holds the game)
    // is open; until then the timer runs on and the save follows at the first step it may.
    void CheckAutosave();
    void RestartAutosaveTimer();

    // The whole savegame of the running game as text, with the stages shown.
    std::string BuildSaveText();

    // The program's version text written into every header.
    void SetVersionText(const std::string& version) { m_version = version; }
    // Where the header's date comes from (the wall clock unless a test sets one).
    void SetClock(std::function<SaveDate()> clock) { m_clock = std::move(clock); }
    // The disk operations (the real disk with null).
    void SetFileOps(SaveFileOps* ops) { m_ops = ops; }
    GTimer& AutosaveTimer() { return m_autosaveTimer; }

private:
    SIM_SaveGame() = default;

    std::string m_version = "alpha 1.07";
    std::function<SaveDate()> m_clock;
    SaveFileOps* m_ops = nullptr;
    GTimer m_autosaveTimer;
};
