// The shape every front-end screen besides the main menu shares (mission choice, loading a game,
// the options): a full-window mode that is also a window holding one "Main Menu" button, a white
// picture with the open windows over it, and Escape back to the main menu. The screen's own
// dialog opens on Enter and goes on Exit. Main thread only.
#pragma once

#include "engine/GGameMode.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_MenuButton;

class GUI_FrontEndMode : public GGameMode, public GUI_WindowBase
{
public:
    explicit GUI_FrontEndMode(const std::string& modeName);

    void Draw() override;
    void Process() override;
    // The windows first, then, whatever they answered, the back button.
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    // Escape returns to the main menu; other keys go to the open windows.
    void OnKeyDown(uint32_t virtualKey) override;
    void OnChar(uint32_t character) override { GGameMode::OnChar(character); }

    // The back button, or null before the main menu gave one.
    GUI_MenuButton* GetBackButton() const { return m_backButton; }
    // Replaces the back button with a new one (the previous one is deleted).
    void SetBackButton(GUI_MenuButton* button) { m_backButton = button; }

private:
    GUI_MenuButton* m_backButton = nullptr; // owned by the window part's button list
};

// Gives the screen a fresh "Main Menu" button at the bottom centre of the screen, replacing the
// one it had; the main menu calls it right before it switches there.
void AddMainMenuBackButton(GUI_FrontEndMode& mode);
