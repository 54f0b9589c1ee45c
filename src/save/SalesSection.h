// The car sales: the sale records of the fixed pool up to the highest one in use (parallel comma
// lists, one per field) and the all-time total of every design that has sold.
#pragma once

class SaveReader;
class SaveWriter;

class SalesSection
{
public:
    static void Write(SaveWriter& out);
    static void Read(SaveReader& in);
};
