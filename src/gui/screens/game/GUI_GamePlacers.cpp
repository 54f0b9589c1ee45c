// The placement tools as the in-game mode routes input to them: by default the game's own tools.
#include "gui/screens/game/GUI_GamePlacers.h"

#include "gui/factory/placement/GUI_FacilityPlacer.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/factory/placement/GUI_SlotPlacer.h"

namespace
{
GUI_GamePlacers* s_installedPlacers = nullptr;
} // namespace

bool GUI_GamePlacers::OnLeftDown()
{
    return GUI_PlacementTools::OnLeftDown();
}

void GUI_GamePlacers::OnLeftUp()
{
    GUI_PlacementTools::OnLeftUp();
}

bool GUI_GamePlacers::OnRightDown()
{
    return GUI_PlacementTools::OnRightDown();
}

void GUI_GamePlacers::RotatePlacers()
{
    GUI_PlacementTools::RotatePlacers();
}

bool GUI_GamePlacers::OnEscape()
{
    return GUI_PlacementTools::OnEscape();
}

void GUI_GamePlacers::DrawGhosts()
{
    GUI_PlacementTools::DrawGhosts();
}

bool GUI_GamePlacers::IsBusy()
{
    return GUI_PlacementTools::IsDragging() || GUI_SlotPlacer::Instance().HasPending() ||
           GUI_FacilityPlacer::Instance().HasPending();
}

void GUI_GamePlacers::CancelAll()
{
    GUI_PlacementTools::CancelAll();
}

void GUI_GamePlacers::Reset()
{
    GUI_PlacementTools::Reset();
}

GUI_GamePlacers& GUI_GamePlacers::Get()
{
    static GUI_GamePlacers own;
    return s_installedPlacers ? *s_installedPlacers : own;
}

void GUI_GamePlacers::Install(GUI_GamePlacers* placers)
{
    s_installedPlacers = placers;
}
