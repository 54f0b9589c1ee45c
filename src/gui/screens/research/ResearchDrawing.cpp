// Shared pieces of the research screens.
#include "gui/screens/research/ResearchDrawing.h"

#include "engine/CTexturedSprite.h"
#include "engine/core/GStringUtils.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

#include <algorithm>

namespace ResearchDrawing
{
std::string PointsLine(const std::string& label, const SIM_Researchable& item)
{
    const long long cost = static_cast<long long>(item.m_cost);
    const long long gathered = item.m_cost > 0.0f ? static_cast<long long>(item.m_progress) : cost;
    return label + ": " + IntToStringWithCommas(gathered) + " / " + IntToStringWithCommas(cost);
}

float Fraction(const SIM_Researchable& item)
{
    return item.m_cost > 0.0f ? item.m_progress / item.m_cost : 1.0f;
}

float RightEdge(const BaseSprite& sprite)
{
    float right = sprite.m_vertices[0].x;
    for (const PVertex& v : sprite.m_vertices)
        right = std::max(right, v.x);
    return right;
}

float MiddleY(const BaseSprite& sprite)
{
    float sum = 0.0f;
    for (const PVertex& v : sprite.m_vertices)
        sum += v.y;
    return sum / 4.0f;
}

void SetIcon(CTexturedSprite& sprite, const SIM_Researchable& item)
{
    ApplyAtlasToSprite(sprite, item.m_icon);
}
SIM_Researchable* StandInItem()
{
    const std::vector<SIM_Researchable*>& items = SIM_ResearchManager::Instance().GetItems();
    if (!items.empty())
        return items.front();
    static SIM_Researchable item;
    item.m_name = "research_stand_in";
    item.m_guiName = "Assembly Basics";
    item.m_description = "What every car factory starts with.";
    item.m_cost = 1500.0f;
    item.m_progress = 300.0f;
    return &item;
}
} // namespace ResearchDrawing
