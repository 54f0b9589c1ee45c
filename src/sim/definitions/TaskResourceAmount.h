// How many of one resource a production task consumes or exports per run.
#pragma once

class SIM_Resource;

struct TaskResourceAmount
{
    SIM_Resource* resource = nullptr;
    int count = 0;
};
