// The stockpile panel of the slot dialog.
#include "gui/factory/dialogs/GUI_Stockpile.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_StockpileEntry.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_StockpileBase.h"

#include <algorithm>

namespace
{
GUI_Stockpile::Count& StockCountOf(std::vector<GUI_Stockpile::Count>& counts, const SIM_Resource* resource)
{
    for (GUI_Stockpile::Count& c : counts)
        if (c.resource == resource)
            return c;
    counts.push_back({resource, 0, 0});
    return counts.back();
}
} // namespace

GUI_Stockpile::GUI_Stockpile(SIM_StockpileBase* stockpile)
    : m_title(GTextTable::GetText("SLOT_STOCKPILE")), m_stockpile(stockpile)
{
    FV_ASSERT(stockpile != nullptr);
    Rebuild();
}

GUI_Stockpile::~GUI_Stockpile() = default;

void GUI_Stockpile::Rebuild()
{
    m_counts.clear();
    for (GUI_StockpileEntry* entry : m_entries)
        (void)RemoveSubWindow(entry);
    m_entries.clear();
    if (!m_stockpile)
        return;
    for (const SIM_ResourceObject* object : m_stockpile->Stored())
        if (object && object->m_resource)
            ++StockCountOf(m_counts, object->m_resource).held;
    for (const auto& request : m_stockpile->Requests())
        if (request && request->object && request->object->m_resource)
            ++StockCountOf(m_counts, request->object->m_resource).incoming;
    std::stable_sort(m_counts.begin(), m_counts.end(), [](const Count& a, const Count& b) {
        return DialogPanelDrawing::ResourceNameLess(a.resource->GetName(), b.resource->GetName());
    });
}

void GUI_Stockpile::LayoutEntries()
{
    for (GUI_StockpileEntry* entry : m_entries)
        (void)RemoveSubWindow(entry);
    m_entries.clear();
    const float w = static_cast<float>(m_inner.right - m_inner.left - 20) * 0.25f;
    float x = static_cast<float>(m_inner.left + 10);
    float y = static_cast<float>(m_inner.top + 20);
    int column = 0;
    for (const Count& count : m_counts)
    {
        GUI_StockpileEntry* entry = CreateSubWindow<GUI_StockpileEntry>(count.resource, count.held, count.incoming);
        entry->SetRect(x, y, x + w, y + 32.0f);
        entry->PlaceIcon();
        m_entries.push_back(entry);
        x += w;
        if (++column == 4)
        {
            column = 0;
            x = static_cast<float>(m_inner.left + 10);
            y += 32.0f;
        }
    }
}

void GUI_Stockpile::Draw()
{
    DialogPanelDrawing::Fill(m_inner, DialogPanelDrawing::kPanelGrey);
    DialogPanelDrawing::PrintLeft(m_title, static_cast<float>(m_inner.left + 10), static_cast<float>(m_inner.top));
    DrawSubWindows();
}
