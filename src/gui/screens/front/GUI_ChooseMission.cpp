// The mission-choice screen.
#include "gui/screens/front/GUI_ChooseMission.h"

#include "engine/core/GLifetime.h"
#include "gui/screens/front/GUI_ChooseMissionDialog.h"

GUI_ChooseMission& GUI_ChooseMission::Instance()
{
    return GLifetime::Get<GUI_ChooseMission>();
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
