// One box of the tech tree: a research item's icon, name and cost, filled as far as it has been
// researched, coloured by its kind and by whether it can be chosen yet; the item being researched
// pulses. Its tooltip tells what the item is and unlocks; a click on an item that can be chosen
// opens its details. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/core/GTimer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GUI_Tooltip;
class SIM_Researchable;

class GUI_TechTreeEntry : public GUI_WindowBase
{
public:
    using Colour = std::array<int, 4>; // R, G, B, A

    // Fill colours by kind, and what is left to research when the item can or cannot be chosen.
    static constexpr Colour kProcessFill{196, 215, 155, 200};
    static constexpr Colour kTechnologyFill{250, 191, 143, 200};
    static constexpr Colour kRestAvailable{120, 120, 120, 200};
    static constexpr Colour kRestLocked{250, 120, 120, 200};
    // At most this many unlock lines in the tooltip; a further one shows as "...".
    static constexpr int kTooltipUnlockLines = 5;

    explicit GUI_TechTreeEntry(SIM_Researchable* item);
    ~GUI_TechTreeEntry() override;

    // Re-reads the item: cost text, icon, colours, whether it can be chosen; restarts the pulse
    // when it is the current research.
    void Refresh();
    // Adds the elbow from the prerequisite's box to this one to the shared sprite batch.
    void DrawConnector();
    bool OnClick(float x, float y) override;
    void Draw() override;
    void Update() override;
    // Over the box and inside the tree's viewport (a box cut by the viewport answers only there).
    bool IsMouseOver() override;

    // The entry of the item's prerequisite (null for a root) and the area the tree shows; the
    // tree owns both and sets them once.
    void SetPrerequisiteEntry(const GUI_TechTreeEntry* entry) { m_prerequisiteEntry = entry; }
    void SetClip(const PRect* viewport) { m_clip = viewport; }

    SIM_Researchable* GetItem() const { return m_item; }
    bool IsAvailable() const { return m_available; }
    const Colour& GetFillColour() const { return m_fill; }
    const Colour& GetRestColour() const { return m_rest; }
    const std::string& GetCostText() const { return m_costText; }
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }
    int GetColumn() const { return m_column; }
    int GetRow() const { return m_row; }
    void SetGridCell(int column, int row)
    {
        m_column = column;
        m_row = row;
    }

    // The elbow from the prerequisite's right edge to this box's left edge, as line segments
    // (x1, y1, x2, y2): into this box, the upright when the rows differ, out of the prerequisite.
    static std::vector<std::array<float, 4>> ConnectorSegments(const PRect& entry, const PRect& prerequisite);
    // The pulse of the current research: the fill fades in over about a third of a second, stays
    // until the second is over and starts again.
    static int PulseAlpha(float totalMs);
    static uint32_t ToArgb(const Colour& colour);

private:
    SIM_Researchable* m_item; // not owned: the research manager's
    std::string m_costText;
    CTexturedSprite m_icon;
    Colour m_fill{255, 255, 255, 255};
    Colour m_rest{255, 255, 255, 255};
    bool m_available = false;
    GTimer m_highlightTimer;
    int m_column = 0;
    int m_row = 0;
    std::unique_ptr<GUI_Tooltip> m_tooltip;                 // null when the item has nothing to tell
    const GUI_TechTreeEntry* m_prerequisiteEntry = nullptr; // not owned: the tree's
    const PRect* m_clip = nullptr;                          // not owned: the tree's viewport
    bool m_hovered = false;
};
