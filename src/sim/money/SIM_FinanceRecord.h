// The factory's money ledger: every sum spent or earned, booked by game hour and finance category,
// kept in detail for the recent hours and as an all-time total per category.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

// Finance categories. Every amount is booked as a positive number; whether it is an expense or an
// income follows from the category alone (FC_CAR_SALES is the only income).
enum FinanceCategory : int
{
    FC_RAW_MATERIALS = 0,
    FC_CAPITAL_INVESTMENT = 1,
    FC_COMPONENT_PURCHASE = 2,
    FC_RENT = 3,
    FC_CAR_SALES = 4,
    FC_WAGES = 5,
    FC_POWER_PURCHASE = 6,
    FC_MARKETING = 7,
    FC_FINES = 8,
    FC_REPAIRS = 9,
    // No category on a new finance object; in queries, every expense category (all but FC_CAR_SALES).
    FC_NONE = 10,
    FC_ALL_EXPENSES = 10,
};

// One ledger line: the sum booked in one category during one game hour.
struct SIM_FinanceLedgerEntry
{
    int32_t hour = -1;
    float amount = 0.0f;
    int32_t category = FC_NONE;
    uint8_t used = 0; // a record whose flag is 0 is free, whatever its other fields hold
};

struct SIM_Clock;

class SIM_FinanceRecord
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int NUM_CATEGORIES = 10;
    static constexpr int NUM_RECORDS = 1024;
    // Records of the current hour and of this many hours before it survive a purge.
    static constexpr int KEPT_HOURS = 24;

    static SIM_FinanceRecord& Instance();

    SIM_FinanceRecord();
    SIM_FinanceRecord(const SIM_FinanceRecord&) = delete;
    SIM_FinanceRecord& operator=(const SIM_FinanceRecord&) = delete;

    // Books a positive amount in a category (0..9) under the given game hour. Safe on any thread.
    void StoreRecord(int hour, int category, float amount);
    // The same for the current game hour: the usual entry point of the payers.
    void StoreRecordNow(int category, float amount);
    // hours == -1: the all-time total; otherwise the sum of the records of the current hour and of
    // the `hours` hours before it. Category FC_ALL_EXPENSES sums every category but FC_CAR_SALES.
    float GetTotal(int hours, int category) const;
    // The sum booked in one game hour alone; FC_ALL_EXPENSES as above.
    float GetTotalForHour(int hour, int category) const;
    // Frees the records older than KEPT_HOURS before the current hour.
    void PurgeOldRecords();
    // Frees every record and zeroes the all-time totals (game set-up, before a savegame is read).
    void Reset();
    // Zeroes the all-time totals.
    void ClearTotals();

    // The hour the ledger books under and counts back from: the current hour of the clock it was
    // handed, 0 without one.
    static int CurrentHour();
    // The game hands the ledger its clock when it is made (and null when it goes).
    void UseClock(const SIM_Clock* clock) { m_clock.store(clock); }

    // Read by the finance dialog's legend and graphs; set once by the constructor.
    int colours[NUM_CATEGORIES][4];
    std::string textKeys[NUM_CATEGORIES];
    // Stored and restored whole by the savegame. Change them only while no payment can run.
    SIM_FinanceLedgerEntry records[NUM_RECORDS];
    float totals[NUM_CATEGORIES];

private:
    void PurgeOldRecordsLocked(int now);
    float GetTotalLocked(int hours, int category, int now) const;

    mutable std::recursive_mutex m_lock;
    // Per category, the record last booked to: the hourly wages of every employee go to one record
    // in a row, which is then found without walking the ledger. Only a hint, checked before use.
    int m_lastBooked[NUM_CATEGORIES] = {};
    std::atomic<const SIM_Clock*> m_clock{nullptr}; // the game's; read by the payers on any thread
};
