// The finished cars waiting in stock, as a count per design, in the order they came in.
#pragma once

class SaveReader;
class SaveWriter;

class StockSection
{
public:
    static void Write(SaveWriter& out);
    // Replaces the stock; entries of designs the file does not define are left out.
    static void Read(SaveReader& in);
};
