// The build menu's and the in-game mode's door to the placement tools.
#include "gui/factory/placement/GUI_PlacementTools.h"

#include "engine/core/GLifetime.h"
#include "gui/factory/placement/GUI_ConveyorPlacer.h"
#include "gui/factory/placement/GUI_FacilityPlacer.h"
#include "gui/factory/placement/GUI_SlotChainPlacer.h"
#include "gui/factory/placement/GUI_SlotPlacer.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"

namespace
{
// The view's flags as the tools were handed them (none before the view is made).
GUI_FactoryTools* Flags()
{
    return GUI_ConveyorPlacer::Instance().GetFlags();
}
} // namespace

void GUI_PlacementTools::UseFlags(GUI_FactoryTools* flags)
{
    GUI_ConveyorPlacer::Instance().UseFlags(flags);
    GUI_SlotChainPlacer::Instance().UseFlags(flags);
}

void GUI_PlacementTools::ForgetFlags(const GUI_FactoryTools& flags)
{
    // At the program's end the tools may be gone before the view: they are not made again.
    if (GLifetime::Exists<GUI_ConveyorPlacer>() && GUI_ConveyorPlacer::Instance().GetFlags() == &flags)
        GUI_ConveyorPlacer::Instance().UseFlags(nullptr);
    if (GLifetime::Exists<GUI_SlotChainPlacer>() && GUI_SlotChainPlacer::Instance().GetFlags() == &flags)
        GUI_SlotChainPlacer::Instance().UseFlags(nullptr);
}

void GUI_PlacementTools::StartPlacing(const SIM_BaseTask* task)
{
    CancelAll();
    SetDeleteMode(false);
    if (const auto* facility = dynamic_cast<const SIM_FacilityTask*>(task))
    {
        GUI_FacilityPlacer::Instance().Start(facility);
        return;
    }
    const auto* production = dynamic_cast<const SIM_ProductionTask*>(task);
    if (!production)
        return;
    if (production->m_name == SIM_DataNames::kTaskResourceConveyor)
        GUI_ConveyorPlacer::Instance().Arm();
    else if (production->m_name == SIM_DataNames::kTaskConveyor)
        GUI_SlotChainPlacer::Instance().Arm();
    else
        GUI_SlotPlacer::Instance().Start(production);
}

bool GUI_PlacementTools::StartPlacing(const std::string& taskName)
{
    const SIM_BaseTask* task = SIM_ProductionTaskManager::Instance().GetTask(taskName);
    if (!task)
        task = SIM_FacilityManager::Instance().GetTask(taskName);
    if (!task)
        return false;
    StartPlacing(task);
    return true;
}

void GUI_PlacementTools::CancelAll()
{
    GUI_ConveyorPlacer::Instance().Disarm();
    GUI_SlotChainPlacer::Instance().Disarm();
    GUI_SlotPlacer::Instance().Cancel();
    GUI_FacilityPlacer::Instance().Cancel();
}

void GUI_PlacementTools::SetDeleteMode(bool on)
{
    // The view's click and the cursor each read the mode; they must never disagree.
    if (GUI_FactoryTools* flags = Flags())
        flags->deleteMode = on;
    GUI_Cursor::Instance().SetDeleteMode(on);
}

bool GUI_PlacementTools::IsDeleteMode()
{
    const GUI_FactoryTools* flags = Flags();
    return flags && flags->deleteMode;
}

bool GUI_PlacementTools::OnLeftDown()
{
    if (GUI_ConveyorPlacer::Instance().OnLeftDown())
        return true;
    GUI_SlotChainPlacer::Instance().OnLeftDown();
    if (GUI_SlotPlacer::Instance().HasPending())
        return GUI_SlotPlacer::Instance().OnClick();
    if (GUI_FacilityPlacer::Instance().HasPending())
        return GUI_FacilityPlacer::Instance().OnClick();
    return false;
}

void GUI_PlacementTools::OnLeftUp()
{
    GUI_ConveyorPlacer::Instance().Commit();
    GUI_SlotChainPlacer::Instance().Commit();
}

bool GUI_PlacementTools::IsToolArmed()
{
    return GUI_ConveyorPlacer::Instance().IsArmed() || GUI_SlotChainPlacer::Instance().IsArmed() || IsDragging() ||
           GUI_SlotPlacer::Instance().HasPending() || GUI_FacilityPlacer::Instance().HasPending() || IsDeleteMode();
}

bool GUI_PlacementTools::OnRightDown()
{
    // A cancel gesture only cancels: with a tool in hand it must not go on to the floor, whose
    // right click sells what stands there. A drag under way is dropped with the tool, so the
    // release that follows builds nothing and charges nothing.
    const bool armed = IsToolArmed();
    Reset();
    return armed;
}

void GUI_PlacementTools::RotatePlacers()
{
    GUI_SlotPlacer::Instance().Rotate();
    GUI_FacilityPlacer::Instance().Rotate();
}

bool GUI_PlacementTools::OnEscape()
{
    // The same cancel as the right button: the build menu and the dialogs stay while a tool goes.
    return OnRightDown();
}

void GUI_PlacementTools::DrawGhosts()
{
    GUI_SlotPlacer::Instance().Update();
    GUI_ConveyorPlacer::Instance().Update();
    GUI_SlotChainPlacer::Instance().Update();
    GUI_FacilityPlacer::Instance().DrawGhost();
}

bool GUI_PlacementTools::IsDragging()
{
    return GUI_ConveyorPlacer::Instance().IsDragging() || GUI_SlotChainPlacer::Instance().IsDragging();
}

void GUI_PlacementTools::Reset()
{
    CancelAll();
    GUI_ConveyorPlacer::Instance().Reset();
    GUI_SlotChainPlacer::Instance().Reset();
    SetDeleteMode(false);
}
