// The label over an import bay: a white box with a red frame on a red line above the bay's tile,
// one row per kind of resource waiting in the bay's queue with its icon and how many wait. Owned
// by the bay, which rebuilds the rows when its queue changes; every label is listed so the factory
// view draws them all. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/core/GRoster.h"
#include "sim/views/SIM_ConveyorLabelView.h"

#include <string>
#include <vector>

class FloorLabelPlacer;
class SIM_Resource;
class SIM_ResourceImportBay;

// One row: a resource kind and how many of it wait.
class GUI_ConveyorLabelStrip
{
public:
    explicit GUI_ConveyorLabelStrip(const SIM_Resource* resource);

    void SetCount(int count);
    const std::string& GetText() const { return m_text; }
    const SIM_Resource* GetResource() const { return m_resource; }
    // Icon centred in the row, the count in black to its right.
    void Draw(float left, float top, float right, float bottom);

private:
    const SIM_Resource* m_resource = nullptr; // owned by the resource manager
    CTexturedSprite m_icon;
    std::string m_text;
};

class GUI_ConveyorLabel : public SIM_ConveyorLabelView
{
public:
    static constexpr int kRowHeight = 36;
    static constexpr int kWidth = 110;

    explicit GUI_ConveyorLabel(SIM_ResourceImportBay& bay);
    ~GUI_ConveyorLabel() override;
    GUI_ConveyorLabel(const GUI_ConveyorLabel&) = delete;
    GUI_ConveyorLabel& operator=(const GUI_ConveyorLabel&) = delete;

    // The queue changed: its objects are counted by kind again when the rows are next wanted, rows
    // in the order the kinds first appear. A bay's queue changes with every object bought for it,
    // and a long queue counted each time would cost more than the rest of the frame.
    void RebuildRows() override { m_stale = true; }
    // Nothing without rows or when the bay is off screen; else the box above the bay where the
    // frame's placer puts it.
    void Draw(FloorLabelPlacer& placer);

    const std::vector<GUI_ConveyorLabelStrip>& GetRows() const
    {
        CountRows();
        return m_rows;
    }
    int GetHeight() const
    {
        CountRows();
        return m_height;
    }
    // Where the label stood when it was last drawn (left, top).
    float GetLeft() const { return m_left; }
    bool WasDrawn() const { return m_drawn; }
    // Where the box went in the last frame that drew it (its position moved off other labels and
    // kept inside the view).
    const PRect& GetDrawnBox() const { return m_drawnBox; }

private:
    void CountRows() const;

    SIM_ResourceImportBay& m_bay; // owns this label
    float m_worldX = 0.0f;
    float m_worldY = 0.0f;
    // Counted from the queue on demand.
    mutable std::vector<GUI_ConveyorLabelStrip> m_rows;
    mutable int m_height = 20;
    mutable bool m_stale = false;
    float m_left = 0.0f;
    float m_top = 0.0f;
    bool m_drawn = false;
    PRect m_drawnBox{};
    GRosterPlace m_listPlace; // on the list of every conveyor label
};

// Every conveyor label, in the order they were made.
const std::vector<GUI_ConveyorLabel*>& ConveyorLabelList();
