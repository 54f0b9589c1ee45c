// The factory's money ledger: bookings by hour and category, lazy purging, window queries.
#include "sim/money/SIM_FinanceRecord.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Clock.h"
#include "sim/SIM_RepeatLog.h"

SIM_FinanceRecord& SIM_FinanceRecord::Instance()
{
    return GLifetime::Get<SIM_FinanceRecord>();
}

SIM_FinanceRecord::SIM_FinanceRecord()
{
    static const int kColours[NUM_CATEGORIES][4] = {
        {252, 59, 0, 255},   {53, 229, 86, 255},  {255, 144, 5, 255},  {5, 185, 251, 255}, {213, 133, 89, 255},
        {177, 89, 213, 255}, {89, 213, 206, 255}, {212, 80, 124, 255}, {0, 27, 192, 255},  {194, 197, 137, 255},
    };
    for (int c = 0; c < NUM_CATEGORIES; ++c)
    {
        for (int k = 0; k < 4; ++k)
            colours[c][k] = kColours[c][k];
        textKeys[c] = GTextKeys::kFinanceCategories[c];
    }
    ClearTotals();
}

int SIM_FinanceRecord::CurrentHour()
{
    const SIM_Clock* clock = Instance().m_clock.load();
    return clock ? clock->currentHour : 0;
}

void SIM_FinanceRecord::StoreRecord(int hour, int category, float amount)
{
    // The totals have one entry per category: anything else would write past them.
    if (category < 0 || category >= NUM_CATEGORIES)
    {
        DebugAssert(false, "SIM_FinanceRecord", __LINE__);
        return;
    }
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    totals[category] += amount;
    // A ledger holds one record per hour and category, so the record last booked to is the one
    // the walk below would find, when it still matches.
    SIM_FinanceLedgerEntry& last = records[m_lastBooked[category]];
    if (last.used && last.hour == hour && last.category == category)
    {
        last.amount += amount;
        return;
    }
    for (int i = 0; i < NUM_RECORDS; ++i)
    {
        SIM_FinanceLedgerEntry& r = records[i];
        if (r.used && r.hour == hour && r.category == category)
        {
            r.amount += amount;
            m_lastBooked[category] = i;
            return;
        }
    }
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        for (int i = 0; i < NUM_RECORDS; ++i)
        {
            SIM_FinanceLedgerEntry& r = records[i];
            if (!r.used)
            {
                r.hour = hour;
                r.amount = amount;
                r.category = category;
                r.used = 1;
                m_lastBooked[category] = i;
                return;
            }
        }
        if (attempt == 0)
            PurgeOldRecordsLocked(CurrentHour());
    }
    // Every record holds one of the last 25 hours: the all-time total keeps the amount.
    SIM_RepeatLog::Instance().Report("WARNING! Too many financial record storage attempts", "", "", "SIM_FinanceRecord",
                                     __LINE__);
}

void SIM_FinanceRecord::StoreRecordNow(int category, float amount)
{
    StoreRecord(CurrentHour(), category, amount);
}

float SIM_FinanceRecord::GetTotal(int hours, int category) const
{
    int now = CurrentHour();
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return GetTotalLocked(hours, category, now);
}

float SIM_FinanceRecord::GetTotalLocked(int hours, int category, int now) const
{
    float sum = 0.0f;
    if (hours == -1)
    {
        if (category >= 0 && category < NUM_CATEGORIES)
            return totals[category];
        if (category != FC_ALL_EXPENSES)
            return 0.0f;
        for (int c = 0; c < NUM_CATEGORIES; ++c)
            if (c != FC_CAR_SALES)
                sum += totals[c];
        return sum;
    }
    int from = now - hours;
    for (const auto& r : records)
    {
        if (!r.used || r.hour < from)
            continue;
        if (category == FC_ALL_EXPENSES ? r.category != FC_CAR_SALES : r.category == category)
            sum += r.amount;
    }
    return sum;
}

float SIM_FinanceRecord::GetTotalForHour(int hour, int category) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    float sum = 0.0f;
    for (const auto& r : records)
        if (r.used && r.hour == hour &&
            (category == FC_ALL_EXPENSES ? r.category != FC_CAR_SALES : r.category == category))
            sum += r.amount;
    return sum;
}

void SIM_FinanceRecord::PurgeOldRecords()
{
    int now = CurrentHour();
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    PurgeOldRecordsLocked(now);
}

void SIM_FinanceRecord::PurgeOldRecordsLocked(int now)
{
    for (auto& r : records)
        if (r.hour < now - KEPT_HOURS)
            r.used = 0;
}

void SIM_FinanceRecord::Reset()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (auto& r : records)
        r.used = 0;
    ClearTotals();
}

void SIM_FinanceRecord::ClearTotals()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (float& t : totals)
        t = 0.0f;
}
