// Shared drawing steps of the slot and stockpile dialogs.
#include "gui/factory/dialogs/DialogPanelDrawing.h"

#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/views/SIM_TextBlock.h"

#include <algorithm>

namespace
{
// Lets the upgrade write its effect lines straight into the tooltip.
class UpgradeTooltipLines : public SIM_TextBlock
{
public:
    explicit UpgradeTooltipLines(GUI_Tooltip& tooltip) : m_tooltip(tooltip) {}
    void AppendLine(const std::string& line) override { m_tooltip.AddLine(line); }

private:
    GUI_Tooltip& m_tooltip;
};
} // namespace

namespace DialogPanelDrawing
{
void AddUpgradeLines(GUI_Tooltip& tooltip, const SIM_SlotUpgrade& upgrade)
{
    UpgradeTooltipLines lines(tooltip);
    upgrade.AddDescriptionLines(lines);
}

void Fill(const PRect& rect, uint32_t colour)
{
    GD3DDevice::Instance().FillRect(rect, colour);
}

void PrintLeft(const std::string& text, float x, float y)
{
    GFontManager::Instance().Print(text, kBlack, x, y, 0.0f, 0);
}

void PrintRight(const std::string& text, float x, float y, float width)
{
    GFontManager::Instance().Print(text, kBlack, x, y, width, 1);
}

void PlaceIcon(CTexturedSprite& icon, const std::string& name, float size, float x, float y)
{
    icon.m_width = size;
    icon.m_height = size;
    (void)ApplyAtlasToSprite(icon, name);
    icon.SetPosition(x, y);
}

float IconRight(const CTexturedSprite& icon)
{
    float right = icon.m_vertices[0].x;
    for (const PVertex& v : icon.m_vertices)
        right = std::max(right, v.x);
    return right;
}

void DrawConnector(const PRect& dialog, float tileX, float tileY)
{
    const float cx = static_cast<float>(dialog.left + dialog.right) * 0.5f;
    const float cy = static_cast<float>(dialog.top + dialog.bottom) * 0.5f;
    DrawLineSprite(kMarkerRed, cx, cy, tileX, cy, 4.0f);
    DrawLineSprite(kMarkerRed, tileX, cy, tileX, tileY, 4.0f);
}

bool ResourceNameLess(const std::string& a, const std::string& b)
{
    // std::string compares bytes as unsigned and puts a prefix first, which is the order wanted.
    return a < b;
}
} // namespace DialogPanelDrawing
