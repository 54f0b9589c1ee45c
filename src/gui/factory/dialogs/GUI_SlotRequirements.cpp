// The requirements panel of the slot dialog.
#include "gui/factory/dialogs/GUI_SlotRequirements.h"

#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_TaskResource.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SIM_ProductionSlot.h"

#include <algorithm>

GUI_SlotRequirements::GUI_SlotRequirements(SIM_ProductionSlot* slot)
    : m_slot(slot), m_title(GTextTable::GetText("SLOT_REQUIREMENTS"))
{
}

void GUI_SlotRequirements::Rebuild()
{
    for (GUI_TaskResource* line : m_lines)
        (void)RemoveSubWindow(line);
    m_lines.clear();
    if (!m_slot)
        return;
    struct Need
    {
        const SIM_Resource* resource;
        int count;
        bool inStock;
    };
    std::vector<Need> needs;
    const SIM_ProductionSlot::RequiredResource* required = m_slot->GetRequiredResources();
    const SIM_ResourceStockpile* stock = m_slot->GetInputStockpile();
    for (int i = 0; i < SIM_ProductionSlot::kRequiredResourceCount; ++i)
    {
        if (required[i].count <= 0 || !required[i].resource)
            continue;
        const int available = stock ? stock->CountStored(required[i].resource) : 0;
        needs.push_back({required[i].resource, required[i].count, available >= required[i].count});
    }
    std::stable_sort(needs.begin(), needs.end(), [](const Need& a, const Need& b) {
        return DialogPanelDrawing::ResourceNameLess(a.resource->GetName(), b.resource->GetName());
    });
    const float cw = static_cast<float>(m_inner.right - m_inner.left - 20) * 0.25f;
    float x = static_cast<float>(m_inner.left + 10);
    float y = static_cast<float>(m_inner.top + 20);
    for (const Need& need : needs)
    {
        // Placing the line lays out its icon and mark.
        GUI_TaskResource* line = CreateSubWindow<GUI_TaskResource>(need.resource, need.count, need.inStock);
        line->SetRect(x, y, x + cw, y + 32.0f);
        m_lines.push_back(line);
        x += cw;
        if (x > static_cast<float>(m_inner.right) - cw)
        {
            x = static_cast<float>(m_inner.left + 10);
            y += 32.0f;
        }
    }
}

void GUI_SlotRequirements::Draw()
{
    DialogPanelDrawing::Fill(m_inner, DialogPanelDrawing::kPanelGrey);
    DialogPanelDrawing::PrintLeft(m_title, static_cast<float>(m_inner.left + 10), static_cast<float>(m_inner.top));
    DrawSubWindows();
}
