// The scrolling label over an import bay that lists what waits in its queue; owned by the bay.
#pragma once

class SIM_ConveyorLabelView
{
public:
    virtual ~SIM_ConveyorLabelView() = default;
    // The bay's queue changed: rebuild the rows from it.
    virtual void RebuildRows() {}
};
