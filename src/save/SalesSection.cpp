// Sales section.
#include "save/SalesSection.h"

#include <algorithm>
#include <string>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/SIM_Game.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

void SalesSection::Write(SaveWriter& out)
{
    const SalesRecordPool& pool = SalesRecordPool::Instance();
    const int last = std::clamp(pool.highestIndex, 0, SalesRecordPool::NUM_RECORDS - 1);
    std::string hours, active, amounts, designs, quantities;
    for (int i = 0; i <= last; ++i)
    {
        const SaleRecord& record = pool.records[i];
        SaveWriter::AppendInt(hours, record.hour);
        SaveWriter::AppendInt(active, record.active ? 1 : 0);
        SaveWriter::AppendReal(amounts, record.amount, 2);
        out.AppendName(designs, record.design ? record.design->m_name : std::string());
        SaveWriter::AppendInt(quantities, record.quantity);
    }
    out.Open("sales");
    out.List("hours", hours);
    out.List("active", active);
    out.List("amounts", amounts);
    out.List("designs", designs);
    out.List("quantities", quantities);
    out.Open("totals");
    for (const SaleTotal& total : pool.totals)
    {
        out.Open("total");
        out.Text("design", total.design ? total.design->m_name : std::string());
        out.Real("amount", total.amount);
        out.Int("quantity", total.quantity);
        out.Close("total");
    }
    out.Close("totals");
    out.Close("sales");
}

void SalesSection::Read(SaveReader& in)
{
    in.FindTag("sales");
    SaveCommaList hours(in.Value("hours"));
    SaveCommaList active(in.Value("active"));
    SaveCommaList amounts(in.Value("amounts"));
    SaveCommaList designs(in.Value("designs"));
    // Older saves have no quantities: every record then counts one car.
    const bool hasQuantities = in.NextTagIs("quantities");
    SaveCommaList quantities(hasQuantities ? in.Value("quantities") : std::string_view());

    SalesRecordPool& pool = SalesRecordPool::Instance();
    const SIM_VehicleDesignManager& designManager = SIM_VehicleDesignManager::Instance();
    // A sale happened at an hour of this game, and a record counts the cars of one hour: a record
    // outside that is no sale the game made, and its numbers would overflow the sums over them.
    const int now = SIM_Game::Instance().GetCurrentHour();
    int filled = 0;
    while (hours.HasNext())
    {
        if (filled >= SalesRecordPool::NUM_RECORDS)
        {
            in.LogDropped("Save game: sale records beyond the pool's " + std::to_string(SalesRecordPool::NUM_RECORDS) +
                          " left out");
            break;
        }
        SaleRecord& record = pool.records[filled++];
        const bool hourRead = hours.NextWholeInt(record.hour);
        const std::string_view amount = amounts.NextView();
        const std::string& name = in.NextName(designs, "sale record's design");
        record.design = name.empty() ? nullptr : designManager.GetDesign(name);
        if (!name.empty() && !record.design)
            in.LogDropped("Save game: a sale record names no design " + savetext::Quote(name));
        record.active = active.NextInt() != 0 ? 1 : 0;
        record.quantity = 1;
        const bool quantityRead = !hasQuantities || quantities.NextWholeInt(record.quantity);
        const bool hourFits = hourRead && record.hour >= 0 && record.hour <= now;
        const bool quantityFits =
            quantityRead && record.quantity >= 0 && record.quantity <= SalesRecordPool::kMaxRecordQuantity;
        if (!(hourFits && quantityFits))
        {
            if (record.active)
                in.LogDropped("Save game: a sale record of hour " + std::to_string(record.hour) + " and " +
                              std::to_string(record.quantity) + " cars left out");
            // A free record, as the game keeps them.
            record = SaleRecord();
            continue;
        }
        // Only a sale counts its money: a free record's amount is nothing the player earned.
        double earned = 0.0;
        if (record.active)
            in.CheckedReal("sale record amount", amount, -savetext::kMaxReal, savetext::kMaxReal, earned);
        else
            earned = savetext::ParseReal(amount);
        record.amount = static_cast<float>(earned);
    }
    pool.highestIndex = std::max(0, filled - 1);

    pool.totals.clear();
    in.BeginList("totals");
    while (in.NextItem("totals", "total"))
    {
        SaleTotal total;
        const std::string name = in.Name("design");
        const std::string_view amount = in.Value("amount");
        const std::string_view quantity = in.Value("quantity");
        in.EndItem("total");
        total.design = designManager.GetDesign(name);
        const bool quantityFits = savetext::ParseWholeInt(quantity, total.quantity) && total.quantity >= 0 &&
                                  total.quantity <= SalesRecordPool::kMaxTotalQuantity;
        // A total without its design would count towards every query of all designs twice.
        if (!total.design)
        {
            in.LogDropped("Save game: the sales total of unknown design " + savetext::Quote(name) + " left out");
        }
        else if (!quantityFits)
        {
            in.LogDropped("Save game: a sales total of [" + savetext::Quote(savetext::TrimTrailing(quantity)) +
                          "] cars left out");
        }
        else
        {
            double earned = 0.0;
            in.CheckedReal("sales total amount", amount, -savetext::kMaxReal, savetext::kMaxReal, earned);
            total.amount = static_cast<float>(earned);
            pool.totals.push_back(total);
        }
    }
    in.FindClosing("sales");
}
