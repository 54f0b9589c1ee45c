// The notice shown over a placed slot (missing resources, no route, no export room...).
// Created through the presentation for the slot, owned by the slot; headless there is none.
#pragma once

class SIM_SlotNotice
{
public:
    // Kinds of notice: 0 none, 1 no resources, 2 no resource route, 3 missing input,
    // 4 missing output, 5 no export room.
    enum Kind
    {
        NONE = 0,
        NO_RESOURCES = 1,
        NO_RESOURCE_ROUTE = 2,
        MISSING_INPUT = 3,
        MISSING_OUTPUT = 4,
        NO_EXPORT_ROOM = 5
    };

    virtual ~SIM_SlotNotice() = default;
    virtual void SetKind(int kind) { (void)kind; }
};
