// Research section.
#include "save/ResearchSection.h"

#include <algorithm>
#include <string>

#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

void ResearchSection::Write(SaveWriter& out)
{
    const SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    out.Open("research");
    const SIM_Researchable* target = research.GetCurrentResearch();
    out.Text("target", target ? target->m_name : std::string());
    for (const SIM_Researchable* item : research.GetItems())
    {
        // Progress as a share of the cost; an item that costs nothing is done.
        const double progress = item->m_cost <= 0.0f ? 1.0 : static_cast<double>(item->m_progress) / item->m_cost;
        if (progress <= 0.0)
            continue;
        out.Open("res");
        out.Text("name", item->m_name);
        out.Real("progress", progress);
        out.Close("res");
    }
    out.Close("research");
}

void ResearchSection::Read(SaveReader& in)
{
    SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    in.FindTag("research");
    const std::string target = in.Name("target");
    if (!target.empty())
    {
        SIM_Researchable* item = research.GetResearchable(target);
        if (item)
            research.SetCurrentResearch(item);
        else
            in.LogDropped("Save game: unknown research target " + savetext::Quote(target));
    }
    while (in.NextItem("research", "res"))
    {
        const std::string name = in.Name("name");
        const std::string_view text = in.Value("progress");
        in.EndItem("res");
        // Items the game no longer has are passed over without a word.
        SIM_Researchable* item = research.GetResearchable(name);
        if (!item)
            continue;
        // Past the whole cost is done (the last step may overshoot it).
        double share = 0.0;
        in.CheckedReal("research progress", text, 0.0, savetext::kMaxReal, share);
        const float progress = std::min(static_cast<float>(share), 1.0f);
        item->m_progress = item->m_cost * progress;
        if (progress >= 1.0f)
        {
            item->m_progress = std::max(item->m_progress, item->m_cost);
            item->Complete(true);
        }
    }
}
