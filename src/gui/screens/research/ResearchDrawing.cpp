// Shared pieces of the research screens.
#include "gui/screens/research/ResearchDrawing.h"

#include "engine/CTexturedSprite.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextKeys.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/expansion/GUI_ExpansionDialog.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

#include <algorithm>
#include <iterator>

static_assert(std::size(GTextKeys::kUnlockedFactoryVariables) == GFV_COUNT, "one text per factory-wide variable");

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
std::vector<std::string> UnlockLines(const SIM_Researchable& item)
{
    std::vector<std::string> lines;
    bool saysSomething = false;
    for (const std::string& name : item.m_unlocks)
    {
        lines.push_back(item.GetUnlockText(name));
        saysSomething = saysSomething || !lines.back().empty();
    }
    if (saysSomething)
        return lines;
    // An item that unlocks no task or upgrade still changes the game: say how, rather than
    // leaving "Unlocked:" over nothing.
    lines.clear();
    if (item.m_name == GUI_ExpansionDialog::kGateResearch)
        lines.push_back(GTextTable::GetText(GTextKeys::kUnlockedExpansion));
    SIM_GlobalFactoryVariables& variables = SIM_GlobalFactoryVariables::Instance();
    for (const SIM_GlobalFactoryVariables::GlobalUpgrade& upgrade : variables.m_globalUpgrades)
    {
        if (upgrade.researchName != item.m_name)
            continue;
        for (int i = 0; i < GFV_COUNT; ++i)
            if (variables.m_variables[i].name == upgrade.variableName)
                lines.push_back(GTextTable::GetText(GTextKeys::kUnlockedFactoryVariables[i]));
    }
    // Names that name nothing keep their rows, as before.
    if (lines.empty())
        lines.assign(item.m_unlocks.size(), std::string());
    return lines;
}

SIM_Researchable* StandInItem()
{
    SIM_Researchable* longest = nullptr;
    size_t longestLength = 0;
    for (SIM_Researchable* item : SIM_ResearchManager::Instance().GetItems())
    {
        size_t length = item->m_guiName.size() + item->m_description.size();
        for (const std::string& line : UnlockLines(*item))
            length += line.size();
        if (!longest || length > longestLength)
        {
            longest = item;
            longestLength = length;
        }
    }
    if (longest)
        return longest;
    static SIM_Researchable item;
    item.m_name = "research_stand_in";
    item.m_guiName = "Assembly Basics";
    item.m_description = "What every car factory starts with.";
    item.m_cost = 1500.0f;
    item.m_progress = 300.0f;
    return &item;
}
} // namespace ResearchDrawing
