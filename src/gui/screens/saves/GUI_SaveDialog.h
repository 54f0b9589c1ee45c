// The save dialog, opened over a running game: it holds the game while it is open, lists the
// savegames newest first, and saves under the name typed in its field (or chosen by clicking a
// save, to save over it). Names keep to the characters a savegame's file name may hold, at most
// 128 of them. At most one is open. Main thread only.
#pragma once

#include "gui/screens/saves/GUI_SaveListDialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>

class GUI_ButtonText;
class GUI_SaveStrip;
class GUI_TextEditWindow;

class GUI_SaveDialog : public GUI_SaveListDialog
{
public:
    static constexpr int kNameLength = 128;
    // The room under the list for the name field and the save button, and under the field for
    // the line that says why a blank name saves nothing.
    static constexpr int kFieldRow = 74;

    static GUI_SaveDialog* Open();
    static void CloseOpen();
    static GUI_SaveDialog* GetOpen() { return s_single.Get(); }
    // Puts the save's name into the open dialog's field.
    static void ChooseName(const std::string& name);
    // The save button: closes the dialog (the game runs on) and writes the game under the typed
    // name, with a picture of the next frame beside it. An empty or blank name saves nothing; the
    // dialog then says so under the field until a name is typed.
    static bool SaveNow();
    static void ConfirmDeleteOf(const GUI_SaveStrip& strip);

    // Stores the game's speed and stops the clock until the dialog goes.
    GUI_SaveDialog();
    ~GUI_SaveDialog() override;

    void RebuildRows() override;
    void Layout() override;

    GUI_TextEditWindow* GetNameField() const { return m_nameField; }
    GUI_ButtonText* GetSaveButton() const { return m_saveButton; }
    // Whether the line under the field tells the player that a blank name saves nothing.
    bool IsBlankNameShown() const;

protected:
    void DrawBelowList() override;

private:
    static inline GUI_SingleWindow<GUI_SaveDialog> s_single;

    // Lets the game run again (once).
    void ReleaseHold();

    bool m_holding = false;
    GUI_TextEditWindow* m_nameField = nullptr; // owned as a sub-window
    GUI_ButtonText* m_saveButton = nullptr;    // owned by the button list
    std::string m_fieldLabel;
    std::string m_blankNameText;
    bool m_blankRefused = false;
};
