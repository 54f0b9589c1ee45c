// The load dialog of the "loadgame" screen: every savegame, newest first; a save loads into a new
// game through the loading screen, or is deleted after a question. At most one is open.
// Main thread only.
#pragma once

#include "gui/screens/saves/GUI_SaveListDialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>

class GUI_LoadStrip;

class GUI_LoadDialog : public GUI_SaveListDialog
{
public:
    // Closes the open dialog, if any, and opens one filled from the savegames folder.
    static GUI_LoadDialog* Open();
    static void CloseOpen();
    static GUI_LoadDialog* GetOpen() { return s_single.Get(); }
    // Loads the strip's save: the loading screen, the game screen, then the savegame reader. A save
    // that cannot be loaded leads back to the main menu (the reader has told the player why).
    static void LoadSelected(const GUI_LoadStrip& strip);
    static bool LoadSave(const std::string& name);
    // The delete button of a strip of the open dialog.
    static void ConfirmDeleteOf(const GUI_LoadStrip& strip);

    GUI_LoadDialog();
    ~GUI_LoadDialog() override;

    void RebuildRows() override;

private:
    static inline GUI_SingleWindow<GUI_LoadDialog> s_single;
};
