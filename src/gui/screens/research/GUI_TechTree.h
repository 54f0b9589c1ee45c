// The research screen's scrolling tech tree: one box per research item on a grid whose columns
// are the depth below the item's root and whose rows are handed out depth-first; elbow lines join
// each item to its prerequisite. Only the boxes that lie in the viewport are sub-windows, and
// they are drawn clipped to it. Scrolls by whole rows and columns. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <vector>

class GUI_ScrollingWindow;
class GUI_TechTreeEntry;

class GUI_TechTree : public GUI_WindowBase
{
public:
    GUI_TechTree();
    ~GUI_TechTree() override;

    // The tree open now, or null.
    static GUI_TechTree* GetOpen() { return s_single.Get(); }

    // Once, after the tree has its rectangle: the scroll bars, one entry per research item and
    // their places.
    void Build();
    // Every entry re-reads its item (a choice was made, an item was completed).
    void RefreshEntries();
    // Places the entries for the scroll position; only those in the viewport become sub-windows.
    void PositionEntries();

    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

    const PRect& GetViewport() const { return m_viewport; }
    const std::vector<std::unique_ptr<GUI_TechTreeEntry>>& GetEntries() const { return m_entries; }
    // The entry of an item, or null.
    GUI_TechTreeEntry* FindEntry(const class SIM_Researchable* item) const;
    GUI_ScrollingWindow* GetVerticalBar() const { return m_vertical; }
    GUI_ScrollingWindow* GetHorizontalBar() const { return m_horizontal; }

private:
    void CreateEntries();

    static inline GUI_SingleWindow<GUI_TechTree> s_single;

    GUI_ScrollingWindow* m_vertical = nullptr;   // owned as a sub-window
    GUI_ScrollingWindow* m_horizontal = nullptr; // owned as a sub-window
    // Every entry in the research list's order; owned here, shown as sub-windows while visible.
    std::vector<std::unique_ptr<GUI_TechTreeEntry>> m_entries;
    PRect m_viewport;
    float m_contentHeight = 0.0f;
    float m_contentWidth = 0.0f;
};
