// What the stockpiles hold and have ordered: the input stockpile of every production slot, the
// output stockpile of every slot that makes parts (with the parts already sold and waiting at its
// outlet), and every supply stockpile with its outlet queue and the stock the player asked for.
// Objects are named by guid; the resource objects section has restored them already.
#pragma once

class SaveLoadContext;
class SaveWriter;

class StockpilesSection
{
public:
    static void WriteStockpiles(SaveWriter& out);
    static void WriteComponentStockpiles(SaveWriter& out);
    static void WriteSupplyStockpiles(SaveWriter& out);
    static void ReadStockpiles(SaveLoadContext& context);
    static void ReadComponentStockpiles(SaveLoadContext& context);
    // The section may be absent (older saves): then nothing is read.
    static void ReadSupplyStockpiles(SaveLoadContext& context);
};
