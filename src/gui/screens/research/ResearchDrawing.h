// Small pieces the research screens share: a research item's points line, its progress as a
// fraction, and where an icon's right edge and middle lie once placed.
#pragma once

#include <string>
#include <vector>

class BaseSprite;
class CTexturedSprite;
class SIM_Researchable;

namespace ResearchDrawing
{
// "<label>: <gathered> / <cost>", both whole numbers with ',' between thousands; an item that
// costs nothing counts its cost as gathered.
std::string PointsLine(const std::string& label, const SIM_Researchable& item);
// Progress over cost, 1 when the item costs nothing.
float Fraction(const SIM_Researchable& item);
// The largest x of the sprite's corners (its right edge, turned or not).
float RightEdge(const BaseSprite& sprite);
// The mean y of the sprite's corners.
float MiddleY(const BaseSprite& sprite);
// The icon texture of the item's icon name, through the sprite atlases.
void SetIcon(CTexturedSprite& sprite, const SIM_Researchable& item);
// What the item unlocks, one text each: the texts of its unlock names (an empty one where a name
// names nothing), or, when none of them says anything, the other things it opens up (the renting
// of locked areas, faster conveyors or deliveries).
std::vector<std::string> UnlockLines(const SIM_Researchable& item);
// The item the window registry opens the research dialogs with: of the loaded items the one with
// the most to say (its name, description and unlock lines together), so the dialogs are checked
// with the longest texts the game ships; a made-up one when no research is loaded.
SIM_Researchable* StandInItem();
} // namespace ResearchDrawing
