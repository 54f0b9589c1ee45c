// Where a typed prop stands on its tile: a task layout's or an upgrade's prop record, copied so the
// prop does not depend on the definition that placed it.
#pragma once

class SIM_Prop;

struct PropPlacement
{
    int subTile = 0;                // 0..15
    const SIM_Prop* type = nullptr; // owned by the prop type manager
    int facingOffset = 0;           // added to the slot's facing
};
