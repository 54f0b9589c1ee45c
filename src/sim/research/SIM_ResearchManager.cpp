// The research tree and the current research.
#include "sim/research/SIM_ResearchManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/Spreadsheet.h"
#include "sim/research/SIM_Researchable.h"

#include <algorithm>

SIM_ResearchManager& SIM_ResearchManager::Instance()
{
    static SIM_ResearchManager instance;
    return instance;
}

SIM_ResearchManager::~SIM_ResearchManager()
{
    Clear();
}

void SIM_ResearchManager::Register(SIM_Researchable* item)
{
    m_items.push_back(item);
}

void SIM_ResearchManager::Unregister(SIM_Researchable* item)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
    if (m_currentResearch == item)
        m_currentResearch = nullptr;
}

void SIM_ResearchManager::Clear()
{
    // Each item takes itself out of the list as it is deleted.
    while (!m_items.empty())
        delete m_items.back();
    m_currentResearch = nullptr;
}

void SIM_ResearchManager::Load(const std::string& root)
{
    DebugAssert(m_items.empty(), "SIM_ResearchManager", 142);
    Spreadsheet table(root + "/research/research.csv");
    for (const std::string& row : table.GetRows())
    {
        SIM_Researchable* item = new SIM_Researchable(); // joins the list itself
        item->LoadFromRow(row);
        if (item->m_name.empty())
        {
            GDebugLog::Instance().LogError("research.csv row without a name skipped");
            delete item;
        }
    }
    for (SIM_Researchable* item : m_items)
        item->LinkParent();
}

SIM_Researchable* SIM_ResearchManager::GetResearchable(const std::string& name) const
{
    for (SIM_Researchable* item : m_items)
        if (item->m_name == name)
            return item;
    return nullptr;
}

SIM_Researchable* SIM_ResearchManager::FindUnlockingResearch(const std::string& item) const
{
    for (SIM_Researchable* research : m_items)
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
