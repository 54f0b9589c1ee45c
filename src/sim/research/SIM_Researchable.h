// One item of the research tree: what it costs, how far it has come, what it needs first and
// which tasks, facilities and upgrades it unlocks when complete.
#pragma once

#include <string>
#include <vector>

enum ResearchKind
{
    RESEARCH_PROCESS = 0,
    RESEARCH_TECHNOLOGY = 1,
};

class SIM_Researchable
{
public:
    // Registers itself with the research manager; the destructor takes it out again.
    SIM_Researchable();
    SIM_Researchable(const SIM_Researchable&) = delete;
    SIM_Researchable& operator=(const SIM_Researchable&) = delete;
    virtual ~SIM_Researchable();

    // Reads one data row of research.csv; progress starts at 0.
    void LoadFromRow(const std::string& row);
    // Finds the prerequisite by name and joins its children.
    void LinkParent();
    // Unlocks the named tasks and facilities and recomputes the factory variables; unless
    // silent, the build menu, tech tree and research-complete dialog are told.
    void Complete(bool silent);
    // Adds points; reaching the cost caps the progress there and completes the item.
    void AddProgress(float points);

    bool IsComplete() const { return m_cost <= 0.0f || m_progress >= m_cost; }

    std::string GetUnlockText(const std::string& item) const;
    std::string GetUpgradeUsers(const std::string& upgrade) const;
    std::string GetName() const { return m_name; }

    std::vector<std::string> m_unlocks;
    std::vector<SIM_Researchable*> m_children;
    std::string m_name;
    std::string m_guiName;     // second cell, for the research screens
    std::string m_description; // fourth cell, for the research screens
    std::string m_icon;        // fifth cell, for the research screens
    float m_cost = 0.0f;
    float m_progress = 0.0f;
    SIM_Researchable* m_prerequisite = nullptr;
    std::string m_prerequisiteName;
    int m_kind = RESEARCH_PROCESS;
};
