// The market's demand factor, recomputed hourly from recent sales.
#include "sim/money/SIM_DemandFactor.h"

#include "sim/money/SalesRecordPool.h"

#include <algorithm>

float& DemandFactor()
{
    static float factor = 1.0f;
    return factor;
}

void UpdateDemandFactor(float* factor)
{
    if (!factor)
        return;
    int sold = SalesRecordPool::Instance().GetQuantitySold(nullptr, 8);
    float f = 1.0f - static_cast<float>(sold) / 200.0f * 0.8f;
    *factor = std::clamp(f, 0.0f, 1.0f);
}
