// The notice of a placed slot: hidden while the slot works, and one of five problems otherwise
// (no resources, no route to them, missing input, missing output, no room for exports). Owned by
// the slot, which sets its kind from its state. Main thread.
#pragma once

#include "gui/factory/notices/GUI_NoticeBase.h"
#include "sim/views/SIM_SlotNotice.h"

class SIM_PlaceableSlot;

class GUI_Notice : public GUI_NoticeBase, public SIM_SlotNotice
{
public:
    explicit GUI_Notice(SIM_PlaceableSlot* owner);

    // 0 hides the notice; 1..5 choose text, colours and symbol; other values only measure again.
    void SetKind(int kind) override;
    // Over the slot's anchor tile, unless hidden.
    void Draw() override;

private:
    SIM_PlaceableSlot* m_owner = nullptr; // owns this notice
    int m_kind = 0;
};
