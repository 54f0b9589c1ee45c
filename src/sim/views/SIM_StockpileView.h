// What the factory view shows of a slot's input stockpile or of its export (component) stockpile;
// owned by the stockpile.
#pragma once

class SIM_StockpileView
{
public:
    virtual ~SIM_StockpileView() = default;
};
