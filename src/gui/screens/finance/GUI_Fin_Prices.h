// The prices tab of the finance screen: every resource in a list on the left and, on the right,
// the price history of the chosen one as a red curve, now at the right edge and 30 hours ago at
// the left. A click on a row chooses its resource; the hourly refresh reads the chosen one's
// prices again. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_GraphBase;
class SIM_Resource;

class GUI_Fin_Prices : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 40;
    static constexpr int kListWidth = 350;
    static constexpr int kPoints = 30;
    // Prices below this still get a graph this tall, so cheap goods do not fill it with noise.
    static constexpr float kLeastTop = 10.0f;

    // The prices tab that exists, or null: its rows reach it through this.
    static GUI_Fin_Prices* GetCurrent() { return s_current; }

    GUI_Fin_Prices();
    ~GUI_Fin_Prices() override;

    // Places the list, its bar and the graph from the pane's rectangle.
    void Layout() override;
    // Shows that resource's prices; null shows none (a game without resources).
    void SelectResource(SIM_Resource* resource);
    void RebuildRows() override;
    void LayoutRows() override;
    void Draw() override;

    SIM_Resource* GetSelected() const { return m_selected; }
    float GetGraphTop() const { return m_graphTop; }
    const std::string& GetScaleLabel() const { return m_scaleLabel; }
    const float* GetPlotted() const { return m_plotted; }
    const PRect& GetListRect() const { return m_listRect; }
    const PRect& GetGraphArea() const { return m_graphArea; }
    const PRect& GetPlotRect() const { return m_plotRect; }

private:
    static inline GUI_Fin_Prices* s_current = nullptr;

    PRect m_listRect;
    PRect m_graphArea;
    PRect m_plotRect;
    GUI_GraphBase* m_graph = nullptr;   // owned as a sub-window
    SIM_Resource* m_selected = nullptr; // not owned: the resource manager's
    std::string m_nowCaption;
    std::string m_earliestCaption;
    std::string m_scaleLabel;
    float m_plotted[kPoints] = {};
    float m_graphTop = kLeastTop;
};
