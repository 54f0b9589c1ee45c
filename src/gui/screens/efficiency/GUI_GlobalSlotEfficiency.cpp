// The page of the efficiency screen.
#include "gui/screens/efficiency/GUI_GlobalSlotEfficiency.h"

#include "gui/screens/efficiency/GUI_GlobalSlotGraph.h"
#include "gui/screens/efficiency/GUI_GlobalSlotPie.h"

GUI_GlobalSlotEfficiency::GUI_GlobalSlotEfficiency()
{
    m_graph = CreateSubWindow<GUI_GlobalSlotGraph>();
    m_pie = CreateSubWindow<GUI_GlobalSlotPie>();
}

GUI_GlobalSlotEfficiency::~GUI_GlobalSlotEfficiency() = default;

void GUI_GlobalSlotEfficiency::Layout()
{
    // The pie panel is as wide as its pie is high (the page's height less the legend's rows).
    const int pieWidth = m_height - 10 - 96;
    m_pie->SetRect(static_cast<float>(m_right - pieWidth), static_cast<float>(m_top), static_cast<float>(m_right),
                   static_cast<float>(m_bottom));
    m_graph->SetRect(static_cast<float>(m_left), static_cast<float>(m_top), static_cast<float>(m_pie->GetLeft() - 5),
                     static_cast<float>(m_bottom));
    Refresh();
}

void GUI_GlobalSlotEfficiency::Refresh()
{
    m_pie->Refresh();
    m_graph->Refresh();
}

void GUI_GlobalSlotEfficiency::Draw()
{
    if (IsVisible())
        DrawSubWindows();
}
