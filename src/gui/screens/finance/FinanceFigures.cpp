// The finance screens' figures.
#include "gui/screens/finance/FinanceFigures.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include <algorithm>
#include <cmath>

namespace FinanceFigures
{
namespace
{
int PeriodHours(int period)
{
    return period >= 0 && period < kPeriods ? kPeriodHours[period] : -1;
}
} // namespace

float Expenses(int period, int category)
{
    const int hours = PeriodHours(period);
    return SIM_FinanceRecord::Instance().GetTotal(hours < 0 ? -1 : hours - 1, category);
}

std::vector<DesignSales> SalesOfEveryDesign()
{
    std::vector<SaleTotal> periods[kPeriods];
    for (int k = 0; k < kPeriods; ++k)
        periods[k] = SalesRecordPool::Instance().GetSalesByDesign(PeriodHours(k));
    std::vector<DesignSales> out;
    for (SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
    {
        if (!design)
            continue;
        DesignSales& sales = out.emplace_back();
        sales.design = design;
        for (int k = 0; k < kPeriods; ++k)
            for (const SaleTotal& t : periods[k])
                if (t.design == design)
                {
                    sales.income[k] = t.amount;
                    sales.sold[k] = t.quantity;
                    break;
                }
    }
    return out;
}

float TotalIncome(const std::vector<DesignSales>& sales, int period)
{
    float sum = 0.0f;
    for (const DesignSales& s : sales)
        sum += s.income[period];
    return sum;
}

uint32_t CategoryArgb(int category)
{
    if (category < 0 || category >= SIM_FinanceRecord::NUM_CATEGORIES)
        return 0xFFFFFFFFu;
    const int* c = SIM_FinanceRecord::Instance().colours[category];
    auto byte = [](int v) { return static_cast<uint32_t>(v) & 0xFFu; };
    return byte(c[3]) << 24 | byte(c[0]) << 16 | byte(c[1]) << 8 | byte(c[2]);
}

std::string CategoryName(int category)
{
    if (category < 0 || category >= SIM_FinanceRecord::NUM_CATEGORIES)
        return std::string();
    return GTextTable::GetText(SIM_FinanceRecord::Instance().textKeys[category]);
}

float Scale(float value, float bottom, float top, bool& outOfRange)
{
    const float range = top - bottom;
    float s = range > 0.0f ? (value - bottom) / range : 0.0f;
    // A hair past an edge is rounding of the sums, not a wrong scale.
    constexpr float kSlack = 1e-4f;
    if (std::isnan(s) || s < -kSlack || s > 1.0f + kSlack)
        outOfRange = true;
    if (std::isnan(s))
        s = 0.0f;
    return std::clamp(s, 0.0f, 1.0f);
}

void ScaleAll(std::span<const float> values, std::span<float> scaled, float bottom, float top)
{
    bool outOfRange = false;
    const size_t n = std::min(values.size(), scaled.size());
    for (size_t i = 0; i < n; ++i)
        scaled[i] = Scale(values[i], bottom, top, outOfRange);
    if (outOfRange)
        DebugAssert(false, DebugSourceName(__FILE__), __LINE__);
}
} // namespace FinanceFigures
