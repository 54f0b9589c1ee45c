// One step of a production slot's work: the task it performs, how long it takes and the timer
// that measures it. Owned by the slot.
#pragma once
#include "engine/core/GTimer.h"

class SIM_ProductionTask;

struct SubTask
{
    SIM_ProductionTask* task = nullptr;
    float duration = 0.0f; // ms, the task's process time
    GTimer timer;
};
