// The one page of the efficiency screen: the band graph of the slot states on the left, the pie
// of the newest sample and its legend on the right. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

class GUI_GlobalSlotGraph;
class GUI_GlobalSlotPie;

class GUI_GlobalSlotEfficiency : public GUI_WindowBase
{
public:
    GUI_GlobalSlotEfficiency();
    ~GUI_GlobalSlotEfficiency() override;

    // Places both panels from the page's rectangle and fills them.
    void Layout() override;
    // Pie first, then graph, as each new sample arrives.
    void Refresh();
    void Draw() override;

    GUI_GlobalSlotGraph* GetGraph() const { return m_graph; }
    GUI_GlobalSlotPie* GetPie() const { return m_pie; }

private:
    GUI_GlobalSlotGraph* m_graph = nullptr; // owned as sub-windows
    GUI_GlobalSlotPie* m_pie = nullptr;
};
