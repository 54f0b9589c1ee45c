// Slot name labels.
#include "gui/factory/slots/SlotTextLabel.h"

#include "engine/GD3DDevice.h"
#include "engine/GDrawGroup.h"
#include "engine/GFontManager.h"
#include "gui/factory/scene/FactoryColours.h"
#include "gui/factory/scene/FloorLabelPlacer.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

SlotTextLabel::SlotTextLabel(SIM_Tile* anchor, const std::string& text) : m_anchor(anchor)
{
    SetText(text);
}

void SlotTextLabel::SetText(const std::string& text)
{
    if (text == m_text)
        return;
    m_text = text;
    GUI_Fonts::SelectSemibold16();
    m_width = static_cast<float>(GFontManager::Instance().GetTextWidth(text)) + 20.0f;
}

PRect SlotTextLabel::Draw(FloorLabelPlacer& placer) const
{
    if (!m_anchor)
        return PRect{};
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float x = camera.WorldToScreenX(m_anchor->m_worldX);
    const float y = camera.WorldToScreenY(m_anchor->m_worldY);
    const float stemTop = y - camera.GetZoom() * 128.0f;
    const PRect box = placer.Place(PRect{static_cast<int>(x - m_width * 0.5f), static_cast<int>(stemTop - 150.0f),
                                         static_cast<int>(x + m_width * 0.5f), static_cast<int>(stemTop - 120.0f)},
                                   static_cast<int>(stemTop), static_cast<int>(y + camera.GetZoom() * 128.0f));
    DrawLineSprite(FactoryColours::kFloorOverlayRed, x,
                   static_cast<float>(FloorLabelPlacer::ConnectorEnd(box, static_cast<int>(stemTop))), x, stemTop,
                   4.0f);
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(box, 0xFFFFFFFFu);
    device.DrawFrame(box, FactoryColours::kFloorOverlayRed, 4.0f);
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    const PRect& area = placer.GetArea();
    const GDrawGroup group("floor label", PRect{std::max(box.left, area.left), std::max(box.top, area.top),
                                                std::min(box.right, area.right), std::min(box.bottom, area.bottom)});
    // A name wider than the view ends in dots rather than past the box.
    const float room = static_cast<float>(box.right - box.left - 20);
    const std::string text =
        static_cast<float>(fonts.GetTextWidth(m_text)) > room ? fonts.TruncateToWidth(room, m_text) : m_text;
    fonts.Print(text, 0xFF000000u, static_cast<float>(box.left), static_cast<float>(box.top + 4),
                static_cast<float>(box.right - box.left), 2);
    fonts.Flush();
    return box;
}
