// Import-bay labels.
#include "gui/factory/notices/GUI_ConveyorLabel.h"

#include "engine/GD3DDevice.h"
#include "engine/GDrawGroup.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/FactoryColours.h"
#include "gui/factory/scene/FloorLabelPlacer.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <utility>

namespace
{
// Every conveyor label, held by the program's owner; a label deleted after it leaves a new,
// empty one.
struct ConveyorLabelRegistry
{
    GRoster<GUI_ConveyorLabel> labels; // not owned: each label belongs to its conveyor's view
};

GRoster<GUI_ConveyorLabel>& ConveyorLabels()
{
    return GLifetime::Get<ConveyorLabelRegistry>().labels;
}
} // namespace

const std::vector<GUI_ConveyorLabel*>& ConveyorLabelList()
{
    return ConveyorLabels().Members();
}

GUI_ConveyorLabelStrip::GUI_ConveyorLabelStrip(const SIM_Resource* resource) : m_resource(resource)
{
    if (resource)
        m_icon.SetTexture(resource->GetIcon());
    SetCount(1);
}

void GUI_ConveyorLabelStrip::SetCount(int count)
{
    m_text = std::to_string(count);
}

void GUI_ConveyorLabelStrip::Draw(float left, float top, float right, float bottom)
{
    const float size = std::min(32.0f, bottom - top - 4.0f);
    m_icon.m_width = m_icon.m_height = size;
    const float centreY = (top + bottom) * 0.5f;
    m_icon.SetPosition((left + right) * 0.5f, centreY);
    RemapSpriteToAtlas(m_icon);
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    GFontManager::Instance().Print(m_text, 0xFF000000u, m_icon.m_vertices[1].x + 5.0f, centreY - 7.0f, 0.0f, 0);
}

GUI_ConveyorLabel::GUI_ConveyorLabel(SIM_ResourceImportBay& bay) : m_bay(bay)
{
    if (const SIM_Tile* tile = bay.GetTile())
    {
        m_worldX = tile->m_worldX;
        m_worldY = tile->m_worldY;
    }
    ConveyorLabels().Join(this, m_listPlace);
}

GUI_ConveyorLabel::~GUI_ConveyorLabel()
{
    ConveyorLabels().Leave(m_listPlace);
}

void GUI_ConveyorLabel::CountRows() const
{
    if (!m_stale)
        return;
    m_stale = false;
    std::vector<std::pair<const SIM_Resource*, int>> counts;
    for (const SIM_ResourceObject* object : m_bay.Queue())
    {
        if (!object || !object->IsInUse())
            continue;
        auto row = std::find_if(counts.begin(), counts.end(),
                                [&](const auto& count) { return count.first == object->m_resource; });
        if (row != counts.end())
            ++row->second;
        else
            counts.emplace_back(object->m_resource, 1);
    }
    m_rows.clear();
    for (const auto& [resource, count] : counts)
    {
        m_rows.emplace_back(resource);
        m_rows.back().SetCount(count);
    }
    m_height = static_cast<int>(m_rows.size()) * kRowHeight + 20;
}

void GUI_ConveyorLabel::Draw(FloorLabelPlacer& placer)
{
    m_drawn = false;
    CountRows();
    if (m_rows.empty())
        return;
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float sx = camera.WorldToScreenX(m_worldX), sy = camera.WorldToScreenY(m_worldY);
    const float zoom = camera.GetZoom();
    m_left = sx - static_cast<float>(kWidth) / 2.0f;
    m_top = sy - zoom * 610.0f - static_cast<float>(m_height);
    if (!camera.IsPointOnScreen(sx, sy))
        return;
    m_drawn = true;
    const float stemFoot = sy - zoom * 128.0f;
    const PRect box = placer.Place(PRect{static_cast<int>(m_left), static_cast<int>(m_top),
                                         static_cast<int>(m_left) + kWidth, static_cast<int>(m_top) + m_height},
                                   static_cast<int>(stemFoot), static_cast<int>(sy + zoom * 128.0f));
    m_drawnBox = box;
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(box, 0xFFFFFFFFu);
    device.DrawFrame(box, FactoryColours::kFloorOverlayRed, 4.0f);
    const PRect& area = placer.GetArea();
    const GDrawGroup group("bay label", PRect{std::max(box.left, area.left), std::max(box.top, area.top),
                                              std::min(box.right, area.right), std::min(box.bottom, area.bottom)});
    for (size_t i = 0; i < m_rows.size(); ++i)
    {
        const float top = static_cast<float>(box.top) + 10.0f + static_cast<float>(i * kRowHeight);
        m_rows[i].Draw(static_cast<float>(box.left), top, static_cast<float>(box.right), top + kRowHeight);
    }
    GFontManager::Instance().Flush();
    DrawLineSprite(FactoryColours::kFloorOverlayRed, sx, stemFoot, sx,
                   static_cast<float>(FloorLabelPlacer::ConnectorEnd(box, static_cast<int>(stemFoot))), 4.0f);
    if (GUI_Tile* tile = GUI_Tile::ViewOf(m_bay.GetTile()))
        for (int side : {1, 2, 0, 3})
            tile->DrawOutlineEdge(side);
}
