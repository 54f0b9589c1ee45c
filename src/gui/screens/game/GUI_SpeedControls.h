// The speed buttons of the top bar: pause, normal, double and fourfold speed, the active one
// highlighted. Whoever changes the game speed calls SyncIfOpen so the highlight follows.
// Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <array>

class GUI_SpeedButton;

class GUI_SpeedControls : public GUI_WindowBase
{
public:
    enum Button
    {
        PAUSE = 0,
        SPEED_1X = 1,
        SPEED_2X = 2,
        SPEED_4X = 3,
    };

    GUI_SpeedControls();
    ~GUI_SpeedControls() override;

    void Layout() override;
    void Draw() override;
    // Highlights the button of the simulation's speed (none for any other speed).
    void SyncSpeedButtons();
    // The index of the highlighted button, -1 when none.
    int GetHighlighted() const;

    // The buttons' action: 0 toggles the pause, 1..3 choose 1x, 2x, 4x.
    static void OnSpeedButton(int index);
    // The speed of a hot key or button: 1, 2 or 4 written to the game and both of its clocks.
    static void ChooseSpeed(float speed);
    static void SyncIfOpen();
    static GUI_SpeedControls* GetOpen() { return s_single.Get(); }

private:
    std::array<GUI_SpeedButton*, 4> m_buttons{}; // owned by the button list
    static inline GUI_SingleWindow<GUI_SpeedControls> s_single;
};
