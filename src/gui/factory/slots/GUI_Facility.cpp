// Facility views.
#include "gui/factory/slots/GUI_Facility.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/factory/slots/SlotTextLabel.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_PlaceableSlot.h"

GUI_Facility::GUI_Facility(SIM_PlaceableSlot* slot) : GUI_SlotBase(slot)
{
    m_mainTile = slot ? slot->GetTile() : nullptr;
    if (slot && slot->GetTask())
        CollectAnimatedProps();
}

GUI_Facility::~GUI_Facility()
{
    if (GetTaskName() == SIM_DataNames::kFacSupplyStockpile)
        if (auto* supply = dynamic_cast<SIM_SupplyStockpile*>(m_slot))
            if (GUI_FactoryTools* tools = GetTools(); tools && tools->closeSupplyStockpileOf)
                tools->closeSupplyStockpileOf(*supply);
}

std::string GUI_Facility::GetTaskName() const
{
    const SIM_BaseTask* task = m_slot ? m_slot->GetTask() : nullptr;
    return task ? task->m_name : std::string();
}

bool GUI_Facility::IsMouseOver() const
{
    if (const GUI_Tile* main = GetMainTileView())
        if (main->IsMouseOver())
            return true;
    return GUI_SlotBase::IsMouseOver();
}

void GUI_Facility::SetFloorTexture(GUI_Tile* tile, const std::string& texture)
{
    GUI_SlotBase::SetFloorTexture(tile, texture);
    if (tile)
        tile->SetAnchor(GetMainTileView());
}

bool GUI_Facility::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    // A view on no roll (a test's) opens nothing.
    const GUI_FactoryTools* tools = GetTools();
    const std::string name = GetTaskName();
    if (name == SIM_DataNames::kFacResearchOffice)
    {
        PlaySlotClickSound();
        if (tools && tools->showResearchPopup)
            tools->showResearchPopup(*this);
    }
    else if (name == SIM_DataNames::kFacSupplyStockpile)
    {
        auto* supply = dynamic_cast<SIM_SupplyStockpile*>(m_slot);
        if (supply && tools && tools->openSupplyStockpile)
            tools->openSupplyStockpile(*supply);
    }
    else if (tools && tools->showFacilityDialog)
    {
        tools->showFacilityDialog(*this);
    }
    return true;
}

void GUI_Facility::DrawOnFloor(IsometricDrawQueue& queue)
{
    (void)queue;
    if (!m_label || GetTaskName() != SIM_DataNames::kFacResearchOffice)
        return;
    const SIM_Researchable* research = SIM_ResearchManager::Instance().GetCurrentResearch();
    if (!research)
    {
        m_label->SetText(GTextTable::GetText("FAC_NO_RESEARCH"));
        if (m_roll)
            m_roll->QueueLabel(m_label.get());
        return;
    }
    m_label->SetText(research->m_guiName);
}

void GUI_Facility::Update()
{
    if (const GUI_Tile* main = GetMainTileView())
    {
        if (main->IsMouseOver())
        {
            RequestOutlines();
            ShowNameLabel();
        }
    }
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}
