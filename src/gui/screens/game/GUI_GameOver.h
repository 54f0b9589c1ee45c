// The game is lost: the modal dialog that opens when a payment leaves the cash at or below zero.
// It stops the clock, explains the loss and offers one button, which ends the game and returns to
// the main menu. Escape does not close it. One at a time. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_ButtonText;
class GUI_TextContainer;

class GUI_GameOver : public GUI_Dialog
{
public:
    GUI_GameOver();
    ~GUI_GameOver() override;

    void Layout() override;
    void Draw() override;

    // Replaces an open game-over dialog with a new one.
    static GUI_GameOver* Show();
    static void OnOk();
    static GUI_GameOver* GetOpen() { return s_single.Get(); }

private:
    GUI_ButtonText* m_ok = nullptr;             // owned by the button list
    GUI_TextContainer* m_description = nullptr; // owned as a sub-window
    static inline GUI_SingleWindow<GUI_GameOver> s_single;
};
