// The research screen: covers the whole window over the factory, with the current research across
// the top and the tech tree below. While it is open the game holds still (speed and the clock's
// timers at 0) and a sound loop of its own plays over the music; closing it puts the speed back.
// Not modal. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "platform/audio/PSoundHandle.h"

class GUI_CurrentResearch;
class GUI_TechTree;

class GUI_ResearchDialog : public GUI_Dialog
{
public:
    // The loop plays at this share of the effects volume.
    static constexpr float kLoopVolume = 0.45f;

    GUI_ResearchDialog();
    ~GUI_ResearchDialog() override;

    // The in-game menu's research button, the research popup and the completion notice: closes an
    // open research screen (giving the game its speed back first) and opens a new one.
    static GUI_ResearchDialog* Show();
    static GUI_ResearchDialog* GetOpen() { return s_single.Get(); }

    void Draw() override;

    GUI_TechTree* GetTechTree() const { return m_techTree; }
    GUI_CurrentResearch* GetPanel() const { return m_panel; }
    PSoundHandle GetLoopSound() const { return m_loopSound; }

private:
    // Gives the game back the speed it had when the screen opened and stops the loop; once.
    void ReleaseGame();

    static inline GUI_SingleWindow<GUI_ResearchDialog> s_single;

    GUI_CurrentResearch* m_panel = nullptr; // owned as a sub-window
    GUI_TechTree* m_techTree = nullptr;     // owned as a sub-window
    PSoundHandle m_loopSound;
    bool m_holding = false;
};
