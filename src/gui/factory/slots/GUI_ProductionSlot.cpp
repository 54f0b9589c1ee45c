// Production slot views.
#include "gui/factory/slots/GUI_ProductionSlot.h"

#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/vehicles/GUI_Vehicle.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"

#include <algorithm>

namespace
{
const char* const kInserts[4] = {"conveyor_insert01_NE.dds", "conveyor_insert01_SE.dds", "conveyor_insert01_SW.dds",
                                 "conveyor_insert01_NW.dds"};
} // namespace

void PlaySlotClickSound()
{
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    if (!sounds.IsMuted())
        sounds.PlayUISound(UI_SOUND_CLICK);
}

GUI_ProductionSlot::GUI_ProductionSlot(SIM_ProductionSlot* slot) : GUI_SlotBase(slot)
{
    GUISlotList::Instance().productionSlots.Join(this, m_listPlace);
    m_mainTile = slot ? slot->GetTile() : nullptr;
}

GUI_ProductionSlot::~GUI_ProductionSlot()
{
    GUISlotList::Instance().productionSlots.Leave(m_listPlace);
    if (GUI_FactoryTools* tools = GetTools(); tools && tools->closeSlotTooltipOf)
        tools->closeSlotTooltipOf(*this);
}

SIM_ProductionSlot* GUI_ProductionSlot::GetProductionSlot() const
{
    return static_cast<SIM_ProductionSlot*>(m_slot);
}

GUI_Vehicle* GUI_ProductionSlot::CarView() const
{
    const SIM_ProductionSlot* slot = GetProductionSlot();
    SIM_Vehicle* car = slot ? slot->GetVehicle() : nullptr;
    return car ? dynamic_cast<GUI_Vehicle*>(car->GetView()) : nullptr;
}

bool GUI_ProductionSlot::IsMouseOver() const
{
    if (const GUI_Tile* main = GetMainTileView())
        if (main->IsMouseOver())
            return true;
    return GUI_SlotBase::IsMouseOver();
}

void GUI_ProductionSlot::SetFloorTexture(GUI_Tile* tile, const std::string& texture)
{
    GUI_SlotBase::SetFloorTexture(tile, texture);
    if (tile)
        tile->SetAnchor(GetMainTileView());
}

bool GUI_ProductionSlot::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    SIM_ProductionSlot* slot = GetProductionSlot();
    if (slot && slot->GetVehicle())
    {
        PlaySlotClickSound();
        if (GUI_FactoryTools* tools = GetTools(); tools && tools->showVehicleDetails)
            tools->showVehicleDetails(*slot->GetVehicle());
        return true;
    }
    const SIM_BaseTask* task = slot ? slot->GetTask() : nullptr;
    if (!task || !task->IsConveyor())
        OpenTooltip();
    return true;
}

void GUI_ProductionSlot::OpenTooltip()
{
    const SIM_BaseTask* task = m_slot ? m_slot->GetTask() : nullptr;
    if (task && task->m_name == SIM_DataNames::kTaskResourceImporter)
        return;
    PlaySlotClickSound();
    if (GUI_FactoryTools* tools = GetTools(); tools && tools->openSlotTooltip)
        tools->openSlotTooltip(*this);
}

void GUI_ProductionSlot::DrawOnFloor(IsometricDrawQueue& queue)
{
    if (GUI_Vehicle* car = CarView())
        car->DrawInStation(queue);
}

void GUI_ProductionSlot::Update()
{
    if (GUI_Vehicle* car = CarView())
        car->Update();
    if (!IsMouseOver())
        return;
    RequestOutlines();
    ShowNameLabel();
    GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_ProductionSlot::CreateZoomOutIcon()
{
    const SIM_BaseTask* task = m_slot ? m_slot->GetTask() : nullptr;
    if (task && task->IsConveyor())
        return;
    MakeZoomOutIcon();
}

void GUI_ProductionSlot::RefreshFacingSprites()
{
    if (!m_slot)
        return;
    const int facing = m_slot->GetFacing();
    const auto* task = dynamic_cast<const SIM_ProductionTask*>(m_slot->GetTask());
    if (task && task->IsConveyor())
    {
        if (GUI_Tile* main = GetMainTileView())
            main->SetFloorTextureByValue(facing >= 0 && facing < 4 ? task->m_sprites[facing] : std::string());
        return;
    }
    const std::string chosen = facing >= 0 && facing < 4 ? kInserts[facing] : "";
    for (GUI_Tile* tile : m_tiles)
    {
        const std::string current = tile->GetFloorTextureName();
        if (std::find(std::begin(kInserts), std::end(kInserts), current) != std::end(kInserts))
            tile->SetFloorTexture(chosen);
    }
}
