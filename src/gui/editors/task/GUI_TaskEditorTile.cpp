// A tile of the edited task layout.
#include "gui/editors/task/GUI_TaskEditorTile.h"

#include "engine/GD3DDevice.h"
#include "engine/GGameServices.h"
#include "engine/core/GDebugLog.h"
#include "gui/editors/task/GUI_EditorProp.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskPreview.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "platform/core/PRandom.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/world/SIM_SubTiles.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
constexpr const char* kEditorConveyorFloor = "conveyor_insert01_SE.dds";
constexpr const char* kEditorStockpileFloor = "floor_metal_04.dds";
} // namespace

void GUI_TaskEditorTile::SetSpritePicture(CTexturedSprite& sprite, const std::string& name)
{
    // An atlas picture before may have left its corners on part of a sheet.
    const float u[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (int i = 0; i < 4; ++i)
    {
        sprite.m_vertices[i].u = u[i];
        sprite.m_vertices[i].v = v[i];
    }
    (void)ApplyAtlasToSprite(sprite, name);
}

bool GUI_TaskEditorTile::IsStockpile() const
{
    return m_record && m_record->type == TT_STOCKPILE;
}

GUI_EditorProp* GUI_TaskEditorTile::AddProp(TaskPropDef* record)
{
    GUI_EditorProp* prop = CreateSubWindow<GUI_EditorProp>(this, record);
    m_props.push_back(prop);
    return prop;
}

void GUI_TaskEditorTile::Init(TaskTileDef* record)
{
    m_record = record;
    if (!record)
        return;
    m_xOffset = record->XOffset;
    m_yOffset = record->YOffset;
    for (const auto& prop : record->props)
        AddProp(prop.get());

    switch (record->type)
    {
    case TT_NORMAL:
    {
        SetSpritePicture(m_floor, record->texture);
        // A slightly different grey per tile, so the tiles read apart. The 15-bit generator:
        // the C library's rand() reaches 2^31 here and the tint would overflow its byte.
        const int grey = 245 + static_cast<int>(static_cast<float>(PRandom::Rand()) / 32768.0f * 10.0f);
        m_floor.SetColour(grey, grey, grey, 255);
        break;
    }
    case TT_CONVEYOR:
        SetSpritePicture(m_floor, kEditorConveyorFloor);
        break;
    case TT_STOCKPILE:
    case TT_EXPORT:
        SetSpritePicture(m_floor, kEditorStockpileFloor);
        break;
    default:
        break;
    }

    if (record->type == TT_STOCKPILE)
    {
        SIM_Prop* pallet = SIM_PropTypeManager::Instance().GetPropType(SIM_DataNames::kPropPalletMark);
        if (!pallet)
            GDebugLog::Instance().LogError("Task editor: prop type [pallet] missing; the stockpile shows bare");
        for (int i = 0; pallet && i < kSubTiles; ++i)
        {
            TaskPropDef& def = m_pallets[static_cast<size_t>(i)];
            def.position = i;
            def.propType = pallet;
            def.facing = 0;
            AddProp(&def);
        }
    }

    const GUI_TaskPreview* preview = GUI_TaskPreview::Get();
    FV_ASSERT(preview);
    if (m_xOffset == 0 && m_yOffset == 0 && preview && preview->GetTask() && preview->GetTask()->m_kind == TASK_VEHICLE)
    {
        // The car stands on a vehicle station's anchor: it shows the car conveyor, untinted.
        m_floor.SetColour(255, 255, 255, 255);
        SetSpritePicture(m_floor, kEditorConveyorFloor);
    }

    const float scale = GUI_TaskEditor::Instance().GetScale();
    const float tileWidth = 512.0f * scale;
    float cx = 0.0f, cy = 0.0f;
    if (preview)
    {
        cx = static_cast<float>(preview->GetLeft() + preview->GetRight()) / 2.0f;
        cy = static_cast<float>(preview->GetTop() + preview->GetBottom()) / 2.0f;
    }
    m_x = cx + static_cast<float>(m_xOffset - m_yOffset) * tileWidth / 2.0f;
    m_y = cy + static_cast<float>(m_xOffset + m_yOffset) * tileWidth / 4.0f;
    for (GUI_EditorProp* prop : m_props)
        prop->Layout();

    m_floor.m_width = tileWidth;
    m_floor.m_height = tileWidth / 2.0f;
    m_floor.SetPosition(m_x, m_y);
    SetBounds(m_x - tileWidth / 2.0f, m_y - tileWidth / 4.0f, m_x + tileWidth / 2.0f, m_y + tileWidth / 4.0f);
    for (int i = 0; i < kSubTiles; ++i)
    {
        const SubTileOffset offset = GetSubTileOffset(i, 1);
        m_points[static_cast<size_t>(i)] = Point{m_x + offset.x * scale, m_y + offset.y * scale + 32.0f * scale};
    }
}

void GUI_TaskEditorTile::DrawFloor()
{
    m_floor.Draw();
    GD3DDevice& device = GD3DDevice::Instance();
    for (const Point& p : m_points)
    {
        const PRect marker{static_cast<int32_t>(p.x - 4.0f), static_cast<int32_t>(p.y - 4.0f),
                           static_cast<int32_t>(p.x + 4.0f), static_cast<int32_t>(p.y + 4.0f)};
        device.FillRect(marker, kSubTileMarkerColour);
    }
}

void GUI_TaskEditorTile::DrawProps()
{
    DrawSubWindows();
    for (GUI_EditorProp* prop : m_pendingRemovals)
    {
        m_props.erase(std::remove(m_props.begin(), m_props.end(), prop), m_props.end());
        GUI_TaskEditor& editor = GUI_TaskEditor::Instance();
        if (editor.GetHoveredProp() == prop)
            editor.ClearHoveredProp();
        (void)RemoveSubWindow(prop);
    }
    m_pendingRemovals.clear();
}

void GUI_TaskEditorTile::PlaceProp(SIM_Prop* type, int subTile)
{
    if (!m_record || !type)
        return;
    auto record = std::make_unique<TaskPropDef>();
    record->position = std::clamp(subTile, 0, kSubTiles - 1);
    record->propType = type;
    record->facing = 0;
    TaskPropDef* def = record.get();
    m_record->props.push_back(std::move(record));
    GUI_TaskEditor::Instance().OnLayoutPropsChanged();
    GGameServices::Get().PlaySound("fv_place_slot_1.ogg");
    AddProp(def)->Layout();
}

void GUI_TaskEditorTile::RemoveProp(GUI_EditorProp* prop)
{
    if (!prop || prop->IsRemoved() || prop->GetTile() != this)
        return;
    if (m_record)
    {
        // The prop's own record, not the first one on its sub-tile: two props may share a place.
        auto& records = m_record->props;
        const TaskPropDef* own = prop->GetRecord();
        const auto found =
            std::find_if(records.begin(), records.end(), [own](const auto& entry) { return entry.get() == own; });
        if (found != records.end())
        {
            records.erase(found);
            GUI_TaskEditor::Instance().OnLayoutPropsChanged();
        }
    }
    prop->MarkRemoved();
    m_pendingRemovals.push_back(prop);
    GGameServices::Get().PlaySound("slot_place.ogg");
}

void GUI_TaskEditorTile::SetFloorTexture(const std::string& name)
{
    SetSpritePicture(m_floor, name);
    if (m_record)
        m_record->texture = name;
}
