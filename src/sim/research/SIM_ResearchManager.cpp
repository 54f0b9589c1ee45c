// The research tree and the current research.
#include "sim/research/SIM_ResearchManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/Spreadsheet.h"
#include "sim/research/SIM_Researchable.h"

#include <algorithm>

SIM_ResearchManager& SIM_ResearchManager::Instance()
{
    return GLifetime::Get<SIM_ResearchManager>();
}

SIM_ResearchManager::~SIM_ResearchManager()
{
    Clear();
}

void SIM_ResearchManager::Clear()
{
    m_items.Clear();
    m_currentResearch = nullptr;
}

void SIM_ResearchManager::Load(const std::string& root)
{
    DebugAssert(m_items.IsEmpty(), "SIM_ResearchManager", 142);
    Spreadsheet table(root + "/research/research.csv");
    for (const std::string& row : table.GetRows())
    {
        auto item = std::make_unique<SIM_Researchable>();
        item->LoadFromRow(row);
        if (item->m_name.empty())
            GDebugLog::Instance().LogError("research.csv row without a name skipped");
        else
            m_items.Add(std::move(item));
    }
    for (SIM_Researchable* item : m_items.Items())
        item->LinkParent();
}

SIM_Researchable* SIM_ResearchManager::GetResearchable(const std::string& name) const
{
    return m_items.Find(name);
}

SIM_Researchable* SIM_ResearchManager::FindUnlockingResearch(const std::string& item) const
{
    for (SIM_Researchable* research : m_items.Items())
        for (const std::string& unlock : research->m_unlocks)
            if (unlock == item)
                return research;
    return nullptr;
}

void SIM_ResearchManager::AddResearchPoints(float points)
{
    SIM_Researchable* current = m_currentResearch;
    if (!current)
        return;
    current->AddProgress(points);
    if (m_currentResearch && m_currentResearch->IsComplete())
        m_currentResearch = nullptr;
}
