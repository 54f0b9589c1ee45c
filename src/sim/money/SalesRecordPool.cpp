// The record of every car sold, per design and game hour, with all-time totals per design.
#include "sim/money/SalesRecordPool.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "sim/money/SIM_FinanceRecord.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace
{
// One more car on a count, which stays at the int limit rather than wrapping.
void CountOne(int32_t& count)
{
    if (count < std::numeric_limits<int32_t>::max())
        ++count;
}

// a + b within the int range.
int32_t AddCounts(int32_t a, int32_t b)
{
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Records past the highest index are free: a record is only ever filled at the lowest free index
// (or by a savegame filling them in order), and all are emptied together. Walks stop there.
int LastFilled(int highestIndex)
{
    return std::clamp(highestIndex, 0, SalesRecordPool::NUM_RECORDS - 1);
}

// Whether a record of `hour` lies in the window of the last `hours` hours up to `now`, computed
// wide so that no hour a record holds can overflow the difference.
bool InWindow(int now, int hour, int hours)
{
    return static_cast<int64_t>(now) - hour < hours;
}
} // namespace

SalesRecordPool& SalesRecordPool::Instance()
{
    return GLifetime::Get<SalesRecordPool>();
}

SalesRecordPool::SalesRecordPool() = default;

void SalesRecordPool::AddSale(SIM_VehicleDesign* design, float amount)
{
    int now = SIM_FinanceRecord::CurrentHour();
    std::lock_guard<std::mutex> guard(m_lock);
    bool totalFound = false;
    for (auto& t : totals)
    {
        if (t.design == design)
        {
            t.amount += amount;
            CountOne(t.quantity);
            totalFound = true;
            break;
        }
    }
    if (!totalFound)
        totals.push_back(SaleTotal{amount, 1, design});

    for (int i = 0, last = LastFilled(highestIndex); i <= last; ++i)
    {
        SaleRecord& r = records[i];
        if (r.active && r.design == design && r.hour == now)
        {
            r.amount += amount;
            CountOne(r.quantity);
            return;
        }
    }
    for (int i = 0; i < NUM_RECORDS; ++i)
    {
        SaleRecord& r = records[i];
        if (!r.active)
        {
            r.active = 1;
            r.hour = now;
            r.amount = amount;
            r.design = design;
            r.quantity = 1;
            if (i > highestIndex)
                highestIndex = i;
            return;
        }
    }
    // The sale stays in the totals, and every such sale is written to the error log. Every
    // later sale of the game would hit the same wall, so the box is shown once per game and not
    // every few seconds.
    if (!m_fullReported)
    {
        m_fullReported = true;
        DebugErrorBox("Not enough sales records!", "SIM_SalesRecord", 112);
    }
    else
    {
        GDebugLog::Instance().LogError("Not enough sales records!:SIM_SalesRecord 112");
    }
}

template <typename T>
T SalesRecordPool::SumSales(const SIM_VehicleDesign* design, int hours, T SaleTotal::*totalField,
                            T SaleRecord::*recordField) const
{
    int now = SIM_FinanceRecord::CurrentHour();
    std::lock_guard<std::mutex> guard(m_lock);
    using Wide = std::conditional_t<std::is_integral_v<T>, int64_t, double>;
    Wide sum = 0;
    if (hours == -1)
    {
        // All designs: every design's total.
        for (const auto& t : totals)
        {
            if (!design)
                sum += t.*totalField;
            else if (t.design == design)
                return t.*totalField;
        }
    }
    else
    {
        for (int i = 0, last = LastFilled(highestIndex); i <= last; ++i)
        {
            const SaleRecord& r = records[i];
            if (r.active && (!design || r.design == design) && InWindow(now, r.hour, hours))
                sum += r.*recordField;
        }
    }
    return static_cast<T>(std::clamp<Wide>(sum, std::numeric_limits<T>::lowest(), std::numeric_limits<T>::max()));
}

float SalesRecordPool::GetIncome(const SIM_VehicleDesign* design, int hours) const
{
    return SumSales(design, hours, &SaleTotal::amount, &SaleRecord::amount);
}

int SalesRecordPool::GetQuantitySold(const SIM_VehicleDesign* design, int hours) const
{
    return SumSales(design, hours, &SaleTotal::quantity, &SaleRecord::quantity);
}

std::vector<SaleTotal> SalesRecordPool::GetSalesByDesign(int hours) const
{
    int now = SIM_FinanceRecord::CurrentHour();
    std::lock_guard<std::mutex> guard(m_lock);
    if (hours == -1)
        return totals;
    std::vector<SaleTotal> sums;
    for (int i = 0, last = LastFilled(highestIndex); i <= last; ++i)
    {
        const SaleRecord& r = records[i];
        if (!r.active || !InWindow(now, r.hour, hours))
            continue;
        auto it = std::find_if(sums.begin(), sums.end(), [&](const SaleTotal& t) { return t.design == r.design; });
        if (it == sums.end())
            sums.push_back(SaleTotal{r.amount, r.quantity, r.design});
        else
        {
            it->amount += r.amount;
            it->quantity = AddCounts(it->quantity, r.quantity);
        }
    }
    return sums;
}

float SalesRecordPool::GetIncomeForHour(int hour) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    float sum = 0.0f;
    for (int i = 0, last = LastFilled(highestIndex); i <= last; ++i)
        if (records[i].active && records[i].hour == hour)
            sum += records[i].amount;
    return sum;
}

void SalesRecordPool::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    // Every record back to the free state: a record that kept its design would point at a design
    // of the last game, which the new game's set-up deletes.
    for (int i = 0, last = LastFilled(highestIndex); i <= last; ++i)
        records[i] = SaleRecord();
    totals.clear();
    highestIndex = 0;
    m_fullReported = false;
}
