// One prop standing on one tile of a task's footprint: where on the tile, what, and facing which way.
#pragma once

class SIM_Prop;

struct TaskPropDef
{
    int position = 0;             // sub-tile position 0..15
    SIM_Prop* propType = nullptr; // never null in a stored entry
    int facing = 0;               // added to the slot's facing modulo 4 when drawn
};
