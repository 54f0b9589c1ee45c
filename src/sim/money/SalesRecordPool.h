// The record of every car sold: per design and game hour for the finance screens and the demand
// factor, plus an all-time total per design.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

class SIM_VehicleDesign;

// The cars of one design sold during one game hour.
struct SaleRecord
{
    uint8_t active = 0; // 0: free
    int32_t hour = -1;
    float amount = 0.0f; // sum of the sale prices
    SIM_VehicleDesign* design = nullptr;
    int32_t quantity = 1;
};

// Everything ever sold of one design since the last reset.
struct SaleTotal
{
    float amount = 0.0f;
    int32_t quantity = 0;
    SIM_VehicleDesign* design = nullptr;
};

class SalesRecordPool
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int NUM_RECORDS = 16384;
    // Most cars one record (one design, one hour) and one all-time total may count: more than any
    // factory sells, small enough that all records together still fit an int.
    static constexpr int32_t kMaxRecordQuantity = 100000;
    static constexpr int32_t kMaxTotalQuantity = 1000000000;

    static SalesRecordPool& Instance();

    SalesRecordPool();
    SalesRecordPool(const SalesRecordPool&) = delete;
    SalesRecordPool& operator=(const SalesRecordPool&) = delete;

    // Enters one sale at the current hour.
    void AddSale(SIM_VehicleDesign* design, float amount);
    // design null: all designs. hours -1: all time; otherwise the current hour and the hours - 1
    // before it.
    float GetIncome(const SIM_VehicleDesign* design, int hours) const;
    int GetQuantitySold(const SIM_VehicleDesign* design, int hours) const;
    // Every design's sales over the window (hours as above), in one walk of the records: one
    // entry per design that sold in it, in no particular order. For screens that list them all.
    std::vector<SaleTotal> GetSalesByDesign(int hours) const;
    // Sum of every design's sales in one game hour.
    float GetIncomeForHour(int hour) const;
    // Every record free (no design), totals emptied, highest index 0 (game set-up).
    void Reset();

    // Stored and restored whole by the savegame.
    std::vector<SaleTotal> totals;
    SaleRecord records[NUM_RECORDS];
    // No record past it is filled; walks of the records stop there.
    int32_t highestIndex = 0;

private:
    // Income or quantity: a design's (or every design's) sum over the window, summed wide and
    // kept within the type's range whatever the records hold.
    template <typename T>
    T SumSales(const SIM_VehicleDesign* design, int hours, T SaleTotal::*totalField, T SaleRecord::*recordField) const;

    mutable std::mutex m_lock;
    bool m_fullReported = false;
};
