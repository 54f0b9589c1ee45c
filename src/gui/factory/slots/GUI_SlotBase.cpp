// What every slot view shares: tiles, animated props, label, zoom-out icon.
#include "gui/factory/slots/GUI_SlotBase.h"

#include "engine/CBaseInputManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/props/GUI_AnimatedProp.h"
#include "gui/factory/props/GUI_SimpleAnimProp.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/slots/SlotTextLabel.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "gui/factory/zoomout/GUI_ZoomOutSlot.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/world/SIM_Tile.h"

GUI_SlotBase::GUI_SlotBase(SIM_PlaceableSlot* slot) : m_slot(slot)
{
}

GUI_SlotBase::~GUI_SlotBase()
{
    m_zoomOut.reset();
    GUISlotList& list = GUISlotList::Instance();
    if (m_label && list.hovered == m_label.get())
        list.hovered = nullptr;
    if (m_label && list.selected == m_label.get())
        list.selected = nullptr;
    m_label.reset();
    // The tiles go back to carrying no slot's floor.
    GUI_Tile* main = GetMainTileView();
    for (GUI_Tile* tile : m_tiles)
    {
        if (tile && main && tile->GetAnchor() == main)
            tile->SetAnchor(nullptr);
        if (tile && tile->GetSlotView() == this)
            tile->SetSlotView(nullptr);
    }
    if (m_roll)
        m_roll->Leave(*this);
}

GUI_Tile* GUI_SlotBase::GetMainTileView() const
{
    return GUI_Tile::ViewOf(m_mainTile);
}

bool GUI_SlotBase::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    return false;
}

void GUI_SlotBase::DrawOnFloor(IsometricDrawQueue& queue)
{
    (void)queue;
}

void GUI_SlotBase::Update()
{
}

bool GUI_SlotBase::IsMouseOver() const
{
    for (const GUI_Tile* tile : m_tiles)
        if (tile && tile->IsMouseOver())
            return true;
    return false;
}

void GUI_SlotBase::SetFloorTexture(GUI_Tile* tile, const std::string& texture)
{
    if (!tile)
        return;
    tile->SetFloorTexture(texture);
    tile->SetSlotView(this);
    m_tiles.push_back(tile);
}

void GUI_SlotBase::RandomisePropTimers()
{
    for (GUI_Tile* tile : m_tiles)
        for (const auto& prop : tile->GetProps())
            prop->SetDropTimer(64.0f + 64.0f * GRandom::NextFloat());
}

void GUI_SlotBase::RequestOutlines()
{
    if (GUI_Tile* main = GetMainTileView())
        main->RequestOutline();
    for (GUI_Tile* tile : m_tiles)
        tile->RequestOutline();
}

void GUI_SlotBase::CreateNameLabel(const std::string& text)
{
    const GUI_Tile* top = nullptr;
    float smallest = 999999.0f;
    for (const GUI_Tile* tile : m_tiles)
    {
        const SIM_Tile* simTile = tile ? tile->GetSimTile() : nullptr;
        if (simTile && simTile->m_worldY < smallest)
        {
            smallest = simTile->m_worldY;
            top = tile;
        }
    }
    FV_ASSERT(top != nullptr);
    if (!top)
        return;
    // A label made before goes, and nothing keeps pointing at it.
    GUISlotList& list = GUISlotList::Instance();
    if (m_label && list.hovered == m_label.get())
        list.hovered = nullptr;
    if (m_label && list.selected == m_label.get())
        list.selected = nullptr;
    m_label = std::make_unique<SlotTextLabel>(top->GetSimTile(), text);
}

void GUI_SlotBase::ShowNameLabel()
{
    if (m_label)
        GUISlotList::Instance().hovered = m_label.get();
}

void GUI_SlotBase::MakeZoomOutIcon()
{
    const SIM_BaseTask* task = m_slot ? m_slot->GetTask() : nullptr;
    m_zoomOut = std::make_unique<GUI_ZoomOutSlot>(this);
    if (!task)
        return;
    m_zoomOut->SetColour(task->m_iconColour.r, task->m_iconColour.g, task->m_iconColour.b, task->m_iconColour.a);
    m_zoomOut->SetIcon(task->GetIcon());
}

void GUI_SlotBase::GatherTileAnimatedProps()
{
    m_animatedProps.clear();
    m_simpleProps.clear();
    for (GUI_Tile* tile : m_tiles)
    {
        for (const auto& owned : tile->GetProps())
        {
            GUI_Prop* prop = owned.get();
            const SIM_Prop* type = prop->GetType();
            if (prop->GetKind() == GUI_Prop::KIND_ANIMATED)
            {
                auto* animated = static_cast<GUI_AnimatedProp*>(prop);
                if (animated->GetTrigger() == GUI_AnimatedProp::TRIGGER_DURINGWORK)
                    m_animatedProps.push_back(animated);
                animated->SetSlot(this);
                const SIM_PropAnimation* entry = type ? type->GetRandomAnimation(prop->GetFacing()) : nullptr;
                FV_ASSERT(entry != nullptr);
                if (!entry)
                    continue;
                animated->StartAnimation(false, entry->flag != 0, 0, entry->name);
                animated->SetPlaying(false);
            }
            else if (prop->GetKind() == GUI_Prop::KIND_SIMPLE_ANIMATED)
            {
                auto* simple = static_cast<GUI_SimpleAnimProp*>(prop);
                m_simpleProps.push_back(simple);
                const SIM_PropAnimation* entry = type ? type->GetRandomAnimation(prop->GetFacing()) : nullptr;
                FV_ASSERT(entry != nullptr);
                if (!entry)
                    continue;
                simple->StartAnimation(entry->name);
                simple->SetPlaying(false);
            }
        }
    }
}

void GUI_SlotBase::RebuildAnimatedProps()
{
    GatherTileAnimatedProps();
}

void GUI_SlotBase::StartAnimations()
{
    for (GUI_AnimatedProp* prop : m_animatedProps)
    {
        const SIM_Prop* type = prop->GetType();
        if (const SIM_PropAnimation* entry = type ? type->GetRandomAnimation(prop->GetFacing()) : nullptr)
            prop->StartAnimation(true, entry->flag != 0, 1, entry->name);
    }
    for (GUI_SimpleAnimProp* prop : m_simpleProps)
    {
        const SIM_Prop* type = prop->GetType();
        if (const SIM_PropAnimation* entry = type ? type->GetRandomAnimation(prop->GetFacing()) : nullptr)
            prop->StartAnimation(entry->name);
    }
    m_animating = true;
}

void GUI_SlotBase::StopAnimations()
{
    if (!m_animating)
        return;
    // The robots finish the motion they are in and stop; the small machines stop at once.
    for (GUI_AnimatedProp* prop : m_animatedProps)
        prop->SetWorking(false);
    for (GUI_SimpleAnimProp* prop : m_simpleProps)
        prop->Stop();
    m_animating = false;
}

void GUI_SlotBase::ClearPropLinks()
{
    for (GUI_AnimatedProp* prop : m_animatedProps)
        prop->SetSlot(nullptr);
    // The props go with the tiles' floors next; nothing here may reach them afterwards.
    m_animatedProps.clear();
    m_simpleProps.clear();
    m_animating = false;
}
