// The stockpile panel of the slot dialog: one cell per kind of resource in the slot's stockpile,
// four to a row in name order, each with the number held and the number on its way.
// Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>
#include <vector>

class GUI_StockpileEntry;
class GUI_SlotRequirements;
class SIM_Resource;
class SIM_StockpileBase;

class GUI_Stockpile : public GUI_WindowBase
{
public:
    struct Count
    {
        const SIM_Resource* resource = nullptr;
        int held = 0;
        int incoming = 0;
    };

    explicit GUI_Stockpile(SIM_StockpileBase* stockpile);
    ~GUI_Stockpile() override;

    // Counts the stockpile again and drops the cells.
    void Rebuild();
    // Cells from the counts, in the inner rectangle.
    void LayoutEntries();
    void Draw() override;

    void SetInnerRect(const PRect& inner) { m_inner = inner; }
    void SetRequirements(GUI_SlotRequirements* requirements) { m_requirements = requirements; }
    const std::vector<Count>& GetCounts() const { return m_counts; }
    const std::vector<GUI_StockpileEntry*>& GetEntries() const { return m_entries; }

private:
    std::vector<Count> m_counts;
    std::string m_title;
    SIM_StockpileBase* m_stockpile;                 // not owned: the slot's
    GUI_SlotRequirements* m_requirements = nullptr; // not owned: a sibling in the same dialog
    PRect m_inner;
    std::vector<GUI_StockpileEntry*> m_entries; // owned as sub-windows
};
