// Owns the research tree and the item currently being researched.
#pragma once

#include <string>
#include <vector>

class SIM_Researchable;

class SIM_ResearchManager
{
public:
    static SIM_ResearchManager& Instance();
    virtual ~SIM_ResearchManager();

    // Reads <root>/research/research.csv (root is "data/simulation" in the game) and links the tree.
    void Load(const std::string& root = "data/simulation");
    // Deletes every item; no current research.
    void Clear();
    SIM_Researchable* GetResearchable(const std::string& name) const;
    // First item whose unlocks contain the name.
    SIM_Researchable* FindUnlockingResearch(const std::string& item) const;

    // Research offices' points go to the current research; once it is complete it is cleared.
    void AddResearchPoints(float points);

    SIM_Researchable* GetCurrentResearch() const { return m_currentResearch; }
    void SetCurrentResearch(SIM_Researchable* item) { m_currentResearch = item; }

    // Called by items as they are made and destroyed.
    void Register(SIM_Researchable* item);
    void Unregister(SIM_Researchable* item);

    const std::vector<SIM_Researchable*>& GetItems() const { return m_items; }

private:
    std::vector<SIM_Researchable*> m_items;
    SIM_Researchable* m_currentResearch = nullptr;
};
