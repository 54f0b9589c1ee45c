// Small pieces the research screens share: a research item's points line, its progress as a
// fraction, and where an icon's right edge and middle lie once placed.
#pragma once

#include <string>

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
// The item the window registry opens the research dialogs with: the research manager's first
// item, or a made-up one when no research is loaded.
SIM_Researchable* StandInItem();
} // namespace ResearchDrawing
