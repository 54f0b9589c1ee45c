// Stock section.
#include "save/StockSection.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

void StockSection::Write(SaveWriter& out)
{
    SIM_SalesManager& sales = SIM_SalesManager::Instance();
    std::lock_guard<std::mutex> guard(sales.GetStockLock());
    out.Open("stock");
    for (const auto& entry : sales.GetStock())
    {
        if (!entry || !entry->design)
            continue;
        out.Open("stockitem");
        out.Text("design", entry->design->m_name);
        out.Int("count", entry->count);
        out.Close("stockitem");
    }
    out.Close("stock");
}

void StockSection::Read(SaveReader& in)
{
    // More cars than any factory keeps unsold; the count of one design never sums past it.
    constexpr int kMaxCars = 1000000;
    SIM_SalesManager& sales = SIM_SalesManager::Instance();
    sales.ClearStock();
    std::vector<const SIM_VehicleDesign*> stocked;
    in.BeginList("stock");
    while (in.NextItem("stock", "stockitem"))
    {
        const std::string name = in.Name("design");
        int count = 0;
        // A count that cannot be read is no count of cars: the entry is left out below.
        in.WholeInt("count", count);
        in.EndItem("stockitem");
        SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().GetDesign(name);
        // The car-stock users expect every entry to name a design and hold cars; the game keeps
        // one entry per design.
        const bool listed = std::find(stocked.begin(), stocked.end(), design) != stocked.end();
        if (!design || count <= 0 || count > kMaxCars || listed)
        {
            in.LogDropped("Save game: car stock of " + savetext::Quote(name) + " left out");
            continue;
        }
        stocked.push_back(design);
        sales.AddToStock(design, count);
    }
}
