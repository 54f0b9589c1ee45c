// The progress strip of the slot dialog: one segment per step of the slot's work, filled as the
// steps finish, and a bar below it for the car standing in the slot. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

class SIM_ProductionSlot;

class GUI_SlotTooltipProgress : public GUI_WindowBase
{
public:
    static constexpr int kMaxSegments = 23;
    static constexpr uint32_t kOutline = 0xDC000000u;
    static constexpr uint32_t kFill = 0xDC202020u;

    explicit GUI_SlotTooltipProgress(SIM_ProductionSlot* slot);

    // Segments and bar from the rectangle. A slot with more steps than segments shares the last
    // segment among them, and one without steps shows one empty segment, so the strip never leaves
    // its rectangles.
    void Layout() override;
    void Draw() override;

    int GetSegmentCount() const { return m_segmentCount; }
    const PRect& GetSegment(int index) const { return m_segments[index]; }
    const PRect& GetBar() const { return m_bar; }
    // How far segment i is filled (0..1) with the slot's current step and progress.
    float SegmentFill(int index) const;

private:
    SIM_ProductionSlot* m_slot; // not owned: the simulation's
    PRect m_segments[kMaxSegments];
    int m_segmentCount = 1;
    PRect m_bar;
};
