// The car stock and the buyer simulation.
#include "sim/money/SIM_SalesManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GRandom.h"
#include "sim/SIM_Presentation.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include <algorithm>
#include <cmath>

SIM_SalesManager& SIM_SalesManager::Instance()
{
    return GLifetime::Get<SIM_SalesManager>();
}

SIM_SalesManager::SIM_SalesManager() = default;

SIM_SalesManager::~SIM_SalesManager()
{
    ClearStock();
}

void SIM_SalesManager::SetRandomSource(RandomSource source)
{
    m_random = std::move(source);
}

float SIM_SalesManager::NextRandom()
{
    return m_random ? m_random() : GRandom::NextFloat();
}

void SIM_SalesManager::RequestStockRefresh()
{
    // Cars reach the stock from the vehicle job on a worker; the window is rebuilt on the main
    // thread once the frame's jobs are done. Without a screen there is nothing to rebuild.
    if (!SIM_Presentation::Instance().HasListener())
        return;
    SIM_Presentation::Instance().Post([] { SIM_Presentation::Instance().Listener().RefreshCarStock(); });
}

bool SIM_SalesManager::AddVehicleToStock(SIM_Vehicle* car)
{
    SIM_VehicleDesign* design = nullptr;
    if (car)
    {
        for (SIM_VehicleDesign* candidate : SIM_VehicleDesignManager::Instance().GetDesigns())
        {
            if (candidate && candidate->MatchesVehicle(*car))
            {
                design = candidate;
                break;
            }
        }
    }
    if (!design)
    {
        // A car without a design could never be priced or saved: it stays out of the stock.
        DebugErrorBox("Vehicle design not found", "SIM_SalesManager", 58);
        return false;
    }
    AddToStock(design, 1);
    return true;
}

void SIM_SalesManager::AddToStock(SIM_VehicleDesign* design, int count)
{
    if (!design)
        return;
    {
        std::lock_guard<std::mutex> guard(m_stockLock);
        auto it = std::find_if(m_stock.begin(), m_stock.end(),
                               [design](const std::unique_ptr<CarStockEntry>& e) { return e->design == design; });
        if (it != m_stock.end())
            (*it)->count += count;
        else
            m_stock.push_back(std::make_unique<CarStockEntry>(CarStockEntry{design, count}));
    }
    RequestStockRefresh();
}

int SIM_SalesManager::GetStockCount(const SIM_VehicleDesign* design) const
{
    std::lock_guard<std::mutex> guard(m_stockLock);
    for (const auto& e : m_stock)
        if (e->design == design)
            return e->count;
    return 0;
}

void SIM_SalesManager::Update(float frameMs)
{
    salesTimer += frameMs;
    if (salesTimer > CYCLE_MS)
    {
        salesTimer = 0.0f;
        SimulateBuyers();
    }
}

float SIM_SalesManager::SaleChance(float value, float price)
{
    float low = value * 0.5f;
    float high = value * 2.0f;
    if (price < low)
        return 1.0f;
    if (price > high)
        return 0.0f;
    // A worthless design priced at nothing gives 0/0: not a number, and no sale.
    float t = std::clamp((price - low) / (high - low), 0.0f, 1.0f);
    float c = static_cast<float>(1.0 - std::pow(static_cast<double>(t), 4.0));
    c = std::clamp(c, 0.0f, 1.0f);
    return c * 0.25f;
}

void SIM_SalesManager::SimulateBuyers()
{
    int sold = 0;
    {
        std::lock_guard<std::mutex> guard(m_stockLock);
        for (const std::unique_ptr<CarStockEntry>& held : m_stock)
        {
            CarStockEntry* entry = held.get();
            if (entry->count <= 0)
                continue;
            // The count is read afresh on every pass: each sale shortens the run.
            for (int i = 0; i < entry->count; ++i)
            {
                float value = SIM_VehicleDesign::GetDesignValue(entry->design) * DemandFactor();
                float chance = SaleChance(value, entry->design->m_price);
                float r = NextRandom();
                if (chance > r)
                {
                    SellCar(entry);
                    ++sold;
                }
            }
        }
        m_stock.erase(std::remove_if(m_stock.begin(), m_stock.end(),
                                     [](const std::unique_ptr<CarStockEntry>& entry) { return entry->count <= 0; }),
                      m_stock.end());
    }
    if (sold > 0)
        SIM_Presentation::Instance().Listener().RefreshCarStock();
}

void SIM_SalesManager::SellCar(CarStockEntry* entry)
{
    if (!entry || !entry->design)
        return;
    float price = entry->design->m_price;
    // Cash and ledger change in one step, so a payment on a worker in the same frame loses nothing.
    SIM_FinanceManager::Instance().Receive(price, FC_CAR_SALES);
    SalesRecordPool::Instance().AddSale(entry->design, price);
    entry->count -= 1;
}

void SIM_SalesManager::ClearStock()
{
    std::lock_guard<std::mutex> guard(m_stockLock);
    m_stock.clear();
}

void SIM_SalesManager::ResetForNewGame()
{
    ClearStock();
    // The last game's cycle would otherwise time the first sales of the next.
    salesTimer = 0.0f;
}
