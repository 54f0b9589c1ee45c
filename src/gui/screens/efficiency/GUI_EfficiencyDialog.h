// The efficiency screen, opened from the in-game menu: how the factory's production slots spent
// their time, as a band graph over the last 256 samples and a pie of the newest one. Modal, but
// the game runs on behind it and every new sample redraws both. One at a time. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_ButtonTab;
class GUI_GlobalSlotEfficiency;

class GUI_EfficiencyDialog : public GUI_Dialog
{
public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 520;
    static constexpr int kTabHeight = 30;

    GUI_EfficiencyDialog();
    ~GUI_EfficiencyDialog() override;

    // Closes an open efficiency screen and opens a new one; the window manager owns it.
    static GUI_EfficiencyDialog* Open();
    // The in-game menu's button: closes the open screen, else opens one.
    static void Toggle();
    static GUI_EfficiencyDialog* GetOpen() { return s_single.Get(); }
    // A new sample was taken: the open screen's pie and graph follow it.
    static void RefreshOpen();
    // The tab's action: hides the page, marks the tab and shows the page again for tab 0.
    static void OnTab(int tab);

    // The tab across the top of the client area, the page under it.
    void Layout() override;
    void Draw() override;

    GUI_GlobalSlotEfficiency* GetPage() const { return m_page; }
    GUI_ButtonTab* GetTab() const { return m_tab; }

private:
    GUI_GlobalSlotEfficiency* m_page = nullptr; // owned as a sub-window
    GUI_ButtonTab* m_tab = nullptr;             // owned by the button list

    static inline GUI_SingleWindow<GUI_EfficiencyDialog> s_single;
};
