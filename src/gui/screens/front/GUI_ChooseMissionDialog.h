// The list of missions: one panel per mission with its picture, name, building size and starting
// cash, a Play and an Edit button each, scrolled by whole rows. At most one is open.
// Main thread only.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_ChooseMissionDialog : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    static constexpr int kWidth = 680;
    static constexpr int kRowHeight = 100;

    // Closes the open list, if any, and opens a new one (the window manager owns it).
    static GUI_ChooseMissionDialog* Open();
    // Closes the open list, if any.
    static void CloseOpen();
    static GUI_ChooseMissionDialog* GetOpen() { return s_single.Get(); }
    // The dialog's height for a number of missions on a screen of that height: a row each, cut
    // by whole rows until it leaves 100 pixels of the screen free.
    static int HeightFor(int missionCount, int screenHeight);

    GUI_ChooseMissionDialog();
    ~GUI_ChooseMissionDialog() override;

    void RebuildRows() override;
    void LayoutRows() override;
    void Layout() override;
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

private:
    static inline GUI_SingleWindow<GUI_ChooseMissionDialog> s_single;
};
