// The top bar of the game screen: cash, power, the speed buttons and the clock along the right of
// the top edge, and the in-game menu at the left corner (a window of its own, kept by the bar).
// It exists while the game screen is current. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>

class GUI_Clock;
class GUI_Finances;
class GUI_InGameMenu;
class GUI_PowerGauge;
class GUI_SpeedControls;

class GUI_Interface : public GUI_WindowBase
{
public:
    static constexpr int kHeight = 46;

    GUI_Interface();
    ~GUI_Interface() override;

    // Builds the menu and the gauges for the screen width and lists both windows.
    void Init();
    void Layout() override;
    void Draw() override;
    // The menu goes first (it is listed on its own), then the bar with its gauges.
    void DeleteMenu();

    static GUI_Interface* GetOpen() { return s_single.Get(); }
    GUI_Finances* GetCash() const { return m_cash; }
    GUI_PowerGauge* GetPower() const { return m_power; }
    GUI_InGameMenu* GetMenu() const { return m_menu.get(); }
    GUI_SpeedControls* GetSpeed() const { return m_speed; }
    GUI_Clock* GetClock() const { return m_clock; }

private:
    GUI_Finances* m_cash = nullptr;    // owned as a sub-window
    GUI_PowerGauge* m_power = nullptr; // owned as a sub-window
    std::unique_ptr<GUI_InGameMenu> m_menu;
    GUI_SpeedControls* m_speed = nullptr; // owned as a sub-window
    GUI_Clock* m_clock = nullptr;         // owned as a sub-window
    static inline GUI_SingleWindow<GUI_Interface> s_single;
};
