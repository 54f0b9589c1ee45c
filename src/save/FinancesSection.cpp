// Finances section.
#include "save/FinancesSection.h"

#include <string>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"

void FinancesSection::Write(SaveWriter& out)
{
    const SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    std::string hours, active, amounts, categories, lifetimes, balances;
    for (const SIM_FinanceLedgerEntry& record : ledger.records)
    {
        SaveWriter::AppendInt(hours, record.hour);
        SaveWriter::AppendInt(active, record.used ? 1 : 0);
        SaveWriter::AppendReal(amounts, record.amount, 2);
        SaveWriter::AppendInt(categories, record.category);
    }
    for (const float total : ledger.totals)
        SaveWriter::AppendReal(lifetimes, total, 2);
    float cash[SIM_FinanceManager::NUM_BALANCES];
    SIM_FinanceManager::Instance().GetBalances(cash);
    for (const float balance : cash)
        SaveWriter::AppendReal(balances, balance, 2);

    out.Open("finances");
    out.Real("cash", SIM_FinanceManager::Instance().GetCash());
    out.List("hours", hours);
    out.List("active", active);
    out.List("amounts", amounts);
    out.List("categories", categories);
    out.List("lifetimes", lifetimes);
    out.List("cashbalances", balances);
    out.Close("finances");
}

void FinancesSection::Read(SaveReader& in)
{
    in.FindTag("finances");
    SIM_FinanceManager& finance = SIM_FinanceManager::Instance();
    finance.RestoreCash(static_cast<float>(in.PlayedReal("cash", -savetext::kMaxReal, savetext::kMaxReal)));
    SIM_Presentation::Instance().Listener().UpdateCashText();

    // Each list gives exactly one item per record; a short list reads 0 for the rest.
    SaveCommaList hours(in.Value("hours"));
    SaveCommaList active(in.Value("active"));
    SaveCommaList amounts(in.Value("amounts"));
    SaveCommaList categories(in.Value("categories"));
    SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    const int now = SIM_Game::Instance().GetCurrentHour();
    for (SIM_FinanceLedgerEntry& record : ledger.records)
    {
        record.hour = hours.NextInt();
        record.amount = amounts.NextFloat();
        record.category = categories.NextInt();
        record.used = active.NextInt() != 0 ? 1 : 0;
        // A category the game does not have would index its tables out of range, and an hour
        // outside this game's was never booked: such a record is no record.
        if (record.category < 0 || record.category >= SIM_FinanceRecord::NUM_CATEGORIES ||
            (record.used && (record.hour < 0 || record.hour > now)))
        {
            if (record.used)
                in.LogDropped("Save game: a ledger record of category " + std::to_string(record.category) +
                              " at hour " + std::to_string(record.hour) + " left out");
            record.used = 0;
            record.category = FC_NONE;
        }
    }
    SaveCommaList lifetimes(in.Value("lifetimes"));
    for (float& total : ledger.totals)
        total = lifetimes.NextFloat();
    SaveCommaList balances(in.Value("cashbalances"));
    float cash[SIM_FinanceManager::NUM_BALANCES];
    for (float& balance : cash)
        balance = balances.NextFloat();
    finance.RestoreBalances(cash);
    in.FindClosing("finances");
}
