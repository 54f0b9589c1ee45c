// The placement tools as the in-game mode routes input to them.
#include "gui/screens/game/GUI_GamePlacers.h"

#include "gui/factory/view/GUI_FactoryTools.h"

namespace
{
GUI_GamePlacers* s_installed = nullptr;
} // namespace

bool GUI_GamePlacers::OnRightDown()
{
    GUI_FactoryTools::Instance().deleteMode = false;
    return false;
}

bool GUI_GamePlacers::OnEscape()
{
    GUI_FactoryTools::Instance().deleteMode = false;
    return false;
}

void GUI_GamePlacers::CancelAll()
{
    GUI_FactoryTools& tools = GUI_FactoryTools::Instance();
    tools.conveyorPlacerArmed = false;
    tools.slotChainArmed = false;
}

void GUI_GamePlacers::Reset()
{
    CancelAll();
    GUI_FactoryTools::Instance().deleteMode = false;
}

GUI_GamePlacers& GUI_GamePlacers::Get()
{
    static GUI_GamePlacers own;
    return s_installed ? *s_installed : own;
}

void GUI_GamePlacers::Install(GUI_GamePlacers* placers)
{
    s_installed = placers;
}
