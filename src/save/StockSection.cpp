// Stock section.
#include "save/StockSection.h"

#include <mutex>
#include <string>

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
    SIM_SalesManager& sales = SIM_SalesManager::Instance();
    sales.ClearStock();
    in.BeginList("stock");
    while (in.NextItem("stock", "stockitem"))
    {
        const std::string name = in.Name("design");
        const int count = in.Int("count");
        in.EndItem("stockitem");
        SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().GetDesign(name);
        // The car-stock users expect every entry to name a design and hold cars.
        if (!design || count <= 0)
        {
            in.LogDropped("Save game: car stock of " + savetext::Quote(name) + " left out");
            continue;
        }
        sales.AddToStock(design, count);
    }
}
