// The market's demand factor, recomputed hourly from recent sales.
#include "sim/money/SIM_DemandFactor.h"

#include "sim/money/SalesRecordPool.h"

#include <algorithm>

namespace
{
float FactorFor(int sold)
{
    const float f = 1.0f - static_cast<float>(sold) / 200.0f * 0.8f;
    return std::clamp(f, 0.0f, 1.0f);
}
} // namespace

float& DemandFactor()
{
    static float factor = 1.0f;
    return factor;
}

void UpdateDemandFactor(float* factor)
{
    if (!factor)
        return;
    *factor = FactorFor(SalesRecordPool::Instance().GetQuantitySold(nullptr, 8));
}

void RestoreDemandFactor(float* factor)
{
    if (!factor)
        return;
    // The window of eight hours less the current one. Every record counts at most
    // kMaxRecordQuantity cars, so neither sum reaches the int limit and the difference is exact.
    const SalesRecordPool& pool = SalesRecordPool::Instance();
    *factor = FactorFor(pool.GetQuantitySold(nullptr, 8) - pool.GetQuantitySold(nullptr, 1));
}
