// The few drawing steps every panel of the slot and stockpile dialogs repeats: a grey body, black
// text at a point or right-aligned in a box, a resource or upgrade icon from the sprite atlases.
// Main thread.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <cstdint>
#include <string>

class CTexturedSprite;
class GUI_Tooltip;
class SIM_SlotUpgrade;

namespace DialogPanelDrawing
{
constexpr uint32_t kPanelGrey = 0xFFBEBEBEu;
constexpr uint32_t kRowGrey = 0xFFC8C8C8u;
constexpr uint32_t kRowHover = 0xFFF0F0F0u;
constexpr uint32_t kBlack = 0xFF000000u;
// The red of the frame and the line joining a dialog to its slot on the floor.
constexpr uint32_t kMarkerRed = 0xFFFF0505u;

void Fill(const PRect& rect, uint32_t colour);
void PrintLeft(const std::string& text, float x, float y);
// Ends at right, in a box of that width.
void PrintRight(const std::string& text, float x, float y, float width);
// A square icon of side size centred on (x, y), taking its picture from the atlas entry of name.
void PlaceIcon(CTexturedSprite& icon, const std::string& name, float size, float x, float y);
// The upgrade's effect lines appended to the tooltip.
void AddUpgradeLines(GUI_Tooltip& tooltip, const SIM_SlotUpgrade& upgrade);
// The right-most corner of a placed icon.
float IconRight(const CTexturedSprite& icon);
// Two red lines from the dialog's centre across to the tile's x, then up or down to the tile.
void DrawConnector(const PRect& dialog, float tileX, float tileY);
// The byte-wise name order of the resource lists: the shorter name first when one begins the other.
bool ResourceNameLess(const std::string& a, const std::string& b);
} // namespace DialogPanelDrawing
