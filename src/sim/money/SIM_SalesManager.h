// The car stock and the buyers: finished cars wait in stock, one count per design, and every few
// game seconds each of them may meet a buyer, depending on its price against its value.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class SIM_Vehicle;
class SIM_VehicleDesign;

// The cars of one design waiting in stock.
struct CarStockEntry
{
    SIM_VehicleDesign* design = nullptr; // not owned
    int32_t count = 0;
};

class SIM_SalesManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // Game milliseconds between two sales cycles.
    static constexpr float CYCLE_MS = 4000.0f;

    static SIM_SalesManager& Instance();

    SIM_SalesManager();
    virtual ~SIM_SalesManager();
    SIM_SalesManager(const SIM_SalesManager&) = delete;
    SIM_SalesManager& operator=(const SIM_SalesManager&) = delete;

    // Puts one finished car into stock under the first design it matches. Safe on a worker.
    // A car that matches no design is reported and stays out of stock (false).
    bool AddVehicleToStock(SIM_Vehicle* car);
    // Adds cars of a known design (the savegame reader's stock, the design dialog's first car).
    void AddToStock(SIM_VehicleDesign* design, int count);
    // The per-frame sales tick (main thread), for a step of frameMs game ms: a cycle when one is due.
    void Update(float frameMs);
    // One sales cycle: every car in stock meets a buyer with its chance of a sale.
    void SimulateBuyers();
    // Sells one car of the entry at its design's price.
    void SellCar(CarStockEntry* entry);
    // Frees every entry.
    void ClearStock();
    // A new game's market: no cars in stock and the first sales cycle a whole cycle away.
    void ResetForNewGame();

    // The sales cycle's chance that a buyer takes a car priced `price` whose design is worth `value`
    // at the current demand.
    static float SaleChance(float value, float price);

    // The stock in order of first arrival. Lock GetStockLock() while reading it off the main thread
    // or while a worker may add cars.
    const std::vector<std::unique_ptr<CarStockEntry>>& GetStock() const { return m_stock; }
    std::mutex& GetStockLock() { return m_stockLock; }
    int GetStockCount(const SIM_VehicleDesign* design) const;

    float salesTimer = 0.0f; // game milliseconds since the last cycle

    // Where the buyers' random numbers come from (the shared random table unless a test sets one).
    using RandomSource = std::function<float()>;
    void SetRandomSource(RandomSource source);

private:
    void RequestStockRefresh();
    float NextRandom();

    mutable std::mutex m_stockLock;
    std::vector<std::unique_ptr<CarStockEntry>> m_stock;
    RandomSource m_random;
};
