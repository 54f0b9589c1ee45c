// Research items: reading, linking into the tree, progress and what completing one unlocks.
#include "sim/SIM_Researchable.h"

#include "sim/SIM_FacilityManager.h"
#include "sim/SIM_FacilityTask.h"
#include "sim/SIM_GlobalFactoryVariables.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ProductionTask.h"
#include "sim/SIM_ProductionTaskManager.h"
#include "sim/SIM_ResearchManager.h"

SIM_Researchable::SIM_Researchable()
{
    SIM_ResearchManager::Instance().Register(this);
}

SIM_Researchable::~SIM_Researchable()
{
    SIM_ResearchManager::Instance().Unregister(this);
}

void SIM_Researchable::LoadFromRow(const std::string& row)
{
    (void)row;
    m_progress = 0.0f;
}

void SIM_Researchable::LinkParent()
{
    if (m_prerequisiteName.empty())
        return;
    m_prerequisite = SIM_ResearchManager::Instance().GetResearchable(m_prerequisiteName);
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
    (void)item;
    return std::string();
}

std::string SIM_Researchable::GetUpgradeUsers(const std::string& upgrade) const
{
    (void)upgrade;
    return std::string();
}
