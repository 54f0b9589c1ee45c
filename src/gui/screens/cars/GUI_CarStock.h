// The car stock: every car design with the cars of it waiting in stock, its price and premium
// over its value, and a slider per design that changes the price. A check box under the list
// chooses between all designs and only those with cars in stock. One at a time; the in-game menu's
// car button opens and closes it. Rows are rebuilt from the stock at most once per frame, however
// many cars arrived or sold since the last one. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "platform/video/PGraphicsTypes.h"

class GUI_CheckButton;

class GUI_CarStock : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kRowHeight = 140;
    static constexpr int kMostRows = 5;
    static constexpr int kBottomMargin = 46;

    // Closes an open car stock and opens a new one.
    static GUI_CarStock* Open();
    // The open car stock, or null.
    static GUI_CarStock* GetOpen() { return s_single.Get(); }
    // Rows for as many designs as there are, at most five and no more than fit the screen.
    static int VisibleRowsFor(int designCount, int screenHeight);

    GUI_CarStock();
    ~GUI_CarStock() override;

    void Layout() override;
    void RebuildRows() override;
    void LayoutRows() override;
    // The stock changed: the rows are made again before the next draw.
    void RequestRebuild() { m_rebuildPending = true; }
    void OnWheelUp() override;
    void OnWheelDown() override;
    void Draw() override;

    // The check box: all designs, or only those in stock.
    void ToggleShowAll();
    bool IsShowingAll() const { return m_showAll; }
    int GetRebuildCount() const { return m_rebuildCount; }
    GUI_CheckButton* GetToggle() const { return m_toggle; }

private:
    static inline GUI_SingleWindow<GUI_CarStock> s_single;

    PRect m_listRect;
    bool m_showAll = true;
    GUI_CheckButton* m_toggle = nullptr; // owned by the button list
    bool m_rebuildPending = false;
    int m_rebuildCount = 0;
};
