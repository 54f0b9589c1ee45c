// The mission-choice screen.
#include "gui/screens/front/GUI_ChooseMission.h"

#include "gui/screens/front/GUI_ChooseMissionDialog.h"

GUI_ChooseMission& GUI_ChooseMission::Instance()
{
    // Never destroyed: the screen is a window, and windows must not outlive the window manager.
    static GUI_ChooseMission* instance = new GUI_ChooseMission();
    return *instance;
}

GUI_ChooseMission::GUI_ChooseMission() : GUI_FrontEndMode("choosemission")
{
}

void GUI_ChooseMission::Enter()
{
    GUI_ChooseMissionDialog::Open();
}

void GUI_ChooseMission::Exit()
{
    GUI_ChooseMissionDialog::CloseOpen();
}
