// Owns the research tree and the item currently being researched.
#pragma once
#include "sim/SIM_Registry.h"
#include "sim/research/SIM_Researchable.h"

#include <string>
#include <vector>

class SIM_Researchable;

class SIM_ResearchManager
{
    friend class GLifetime; // the program's owner creates and destroys it

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

    const std::vector<SIM_Researchable*>& GetItems() const { return m_items.Items(); }

private:
    SIM_Registry<SIM_Researchable> m_items; // the research tree, in file order
    SIM_Researchable* m_currentResearch = nullptr;
};
