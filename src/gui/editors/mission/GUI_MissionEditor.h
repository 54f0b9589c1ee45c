// The mission editor screen (mode "editor"): a white screen holding the mission editor dialog for
// one mission. Entered from the mission list's edit button, left with Escape to the main menu;
// leaving drops whatever was not saved. Main thread only.
#pragma once

#include "engine/GGameMode.h"

#include <cstdint>
#include <string>

class SIM_Mission;

class GUI_MissionEditor : public GGameMode
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* kModeName = "editor";
    static constexpr uint32_t kClearColour = 0xFFFFFFFFu;

    // The one editor mode, made and registered as "editor" on first use; it lives for the run.
    static GUI_MissionEditor& Instance();

    // Opens the editor on the mission: the mode exists, the game switches to it, and a fresh
    // dialog replaces any still open.
    static void Edit(SIM_Mission& mission);
    // The mission list's edit button: opens the editor on the game's mission of that name; false
    // (nothing opened) when the list has none.
    static bool EditNamed(const std::string& missionName);

    void Draw() override;
    void Process() override;
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    // Escape goes back to the main menu; every key, Escape too, then goes to the windows.
    void OnKeyDown(uint32_t virtualKey) override;
    // Closes the dialog and reads the mission back from its file, so edits not saved do not
    // linger in the mission the game would start.
    void Exit() override;

private:
    GUI_MissionEditor();
};
