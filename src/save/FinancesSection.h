// The factory's money: the cash, every record of the ledger's fixed table (free ones too, as
// parallel comma lists, one per field), the all-time total per expense category and the cash of
// the last 24 hours.
#pragma once

class SaveReader;
class SaveWriter;

class FinancesSection
{
public:
    static void Write(SaveWriter& out);
    static void Read(SaveReader& in);
};
