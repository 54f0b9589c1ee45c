// What the factory view shows of one import bay on the building's edge; owned by the bay.
#pragma once

class SIM_ImportBayView
{
public:
    virtual ~SIM_ImportBayView() = default;
};
