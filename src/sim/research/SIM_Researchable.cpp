// Research items: reading, linking into the tree, progress and what completing one unlocks.
#include "sim/research/SIM_Researchable.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GTextTable.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/research/SIM_ResearchManager.h"

SIM_Researchable::SIM_Researchable() = default;

SIM_Researchable::~SIM_Researchable() = default;

void SIM_Researchable::LoadFromRow(const std::string& row)
{
    GStringTokenizer cells(row, ',');
    cells.NextToken(); // the row marker
    m_name = cells.GetString();
    m_guiName = cells.GetString();
    m_prerequisiteName = cells.GetString();
    m_description = cells.GetString();
    m_icon = cells.GetString();
    m_cost = static_cast<float>(GNumberText::ReadInt(cells.GetString(), "research.csv row '" + m_name + "' cost"));
    const std::string kind = cells.GetString();
    m_kind = kind == "TECHNOLOGY" ? RESEARCH_TECHNOLOGY : RESEARCH_PROCESS;
    GStringTokenizer unlocks(cells.NextToken(), ',');
    while (!unlocks.AtEnd())
    {
        std::string name = unlocks.GetString();
        if (!name.empty())
            m_unlocks.push_back(name);
    }
    m_progress = 0.0f;
}

void SIM_Researchable::LinkParent()
{
    if (m_prerequisiteName.empty())
        return;
    SIM_Researchable* prerequisite = SIM_ResearchManager::Instance().GetResearchable(m_prerequisiteName);
    // A prerequisite chain that comes back to this item would make the tree endless for every
    // walk over it; such a link is refused and the item stays a root.
    for (const SIM_Researchable* step = prerequisite; step; step = step->m_prerequisite)
        if (step == this)
        {
            GDebugLog::Instance().LogError("Research prerequisite loop at [" + m_name + "]");
            return;
        }
    m_prerequisite = prerequisite;
    if (m_prerequisite)
        m_prerequisite->m_children.push_back(this);
}

void SIM_Researchable::AddProgress(float points)
{
    m_progress += points;
    if (m_progress >= m_cost)
    {
        m_progress = m_cost;
        Complete(false);
    }
}

void SIM_Researchable::Complete(bool silent)
{
    for (const std::string& name : m_unlocks)
    {
        if (SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name))
            task->m_locked = false;
        else if (SIM_FacilityTask* facility = SIM_FacilityManager::Instance().GetTask(name))
            facility->m_locked = false;
    }
    SIM_GlobalFactoryVariables::Instance().Recalculate();
    if (silent)
        return;
    SIM_PresentationListener& view = SIM_Presentation::Instance().Listener();
    view.RebuildTaskPicker();
    view.RefreshTechTree();
    view.ShowResearchComplete(this);
}

std::string SIM_Researchable::GetUnlockText(const std::string& item) const
{
    if (const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(item))
        return GTextTable::GetText(GTextKeys::kUnlockedSlot) + " " + task->GetGuiName();
    if (const SIM_FacilityTask* facility = SIM_FacilityManager::Instance().GetTask(item))
        return GTextTable::GetText(GTextKeys::kUnlockedFacility) + " " + facility->GetGuiName();
    if (const SIM_SlotUpgrade* upgrade = SIM_SlotUpgradeManager::Instance().GetUpgrade(item))
        return GTextTable::GetText(GTextKeys::kUnlockedUpgrade) + " " + upgrade->GetGuiName() + " (" +
               GetUpgradeUsers(item) + ")";
    return std::string();
}

std::string SIM_Researchable::GetUpgradeUsers(const std::string& upgrade) const
{
    std::vector<const SIM_BaseTask*> offering;
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        offering.push_back(task);
    for (const SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        offering.push_back(facility);

    std::string users;
    int count = 0;
    for (const SIM_BaseTask* task : offering)
    {
        if (!task->HasUpgrade(upgrade))
            continue;
        if (count > 0)
            users += ", ";
        users += task->GetGuiName();
        if (++count == 4)
        {
            users += "...";
            break;
        }
    }
    return users;
}
