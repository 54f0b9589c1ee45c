// The overlay of resources travelling to the watched slot.
#include "gui/factory/objects/GUI_ResourceGraph.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/objects/GUI_ResourceGraphEntry.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"

#include <algorithm>

GUI_ResourceGraph& GUI_ResourceGraph::Instance()
{
    return GLifetime::Get<GUI_ResourceGraph>();
}

GUI_ResourceGraph::GUI_ResourceGraph()
{
    // Drawn only by the game screen, never asked for clicks.
    SetTakesMouse(false);
    SetConsumesClicks(false);
}

GUI_ResourceGraph::~GUI_ResourceGraph() = default;

bool GUI_ResourceGraph::IsOnItsWay(const SIM_ResourceObject* item)
{
    return item && item->IsInUse() && item->m_state == SIM_ResourceObject::STATE_IN_TRANSIT;
}

void GUI_ResourceGraph::Watch(SIM_ResourceStockpile* stockpile, SIM_Tile* slotTile)
{
    m_stockpile = stockpile;
    m_slotTile = slotTile;
    m_active = true;
    Rebuild();
}

void GUI_ResourceGraph::Clear()
{
    for (GUI_ResourceGraphEntry* entry : m_entries)
        (void)RemoveSubWindow(entry);
    m_entries.clear();
    m_stockpile = nullptr;
    m_slotTile = nullptr;
    m_active = false;
    m_countdown = 0;
}

void GUI_ResourceGraph::Rebuild()
{
    // Marks of items that arrived (or went back to the pool) go, whichever slot they were for.
    const auto arrived = std::stable_partition(
        m_entries.begin(), m_entries.end(), [](const GUI_ResourceGraphEntry* e) { return IsOnItsWay(e->GetItem()); });
    for (auto it = arrived; it != m_entries.end(); ++it)
        (void)RemoveSubWindow(*it);
    m_entries.erase(arrived, m_entries.end());

    m_countdown = kRebuildFrames;
    FV_ASSERT(m_stockpile != nullptr && m_slotTile != nullptr);
    if (!m_stockpile || !m_slotTile)
        return;
    for (const auto& request : m_stockpile->Requests())
    {
        SIM_ResourceObject* item = request ? request->object : nullptr;
        if (!IsOnItsWay(item))
            continue;
        const bool marked = std::any_of(m_entries.begin(), m_entries.end(),
                                        [item](const GUI_ResourceGraphEntry* e) { return e->GetItem() == item; });
        if (!marked)
            m_entries.push_back(CreateSubWindow<GUI_ResourceGraphEntry>(item, m_slotTile));
    }
}

void GUI_ResourceGraph::Draw()
{
    if (!m_active)
        return;
    if (--m_countdown < 1)
        Rebuild();
    DrawSubWindows();
}
