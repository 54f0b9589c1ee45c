// fuzz-links: fv_engine
// Feeds arbitrary bytes to the spreadsheet reader and splits every row into cells, as the
// definition loaders do.
#include "engine/GStringTokenizer.h"
#include "engine/Spreadsheet.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
// Removes the scratch file when the fuzzer ends.
struct FuzzSpreadsheetScratch
{
    std::string path;
    ~FuzzSpreadsheetScratch() { unlink(path.c_str()); }
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzSpreadsheetScratch scratch{"/tmp/fv_fuzz_sheet_" + std::to_string(getpid()) + ".csv"};
    const std::string& path = scratch.path;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    Spreadsheet sheet(path);
    for (const std::string& row : sheet.GetRows())
    {
        GStringTokenizer cells(row, ',');
        for (size_t column = 0; column < sheet.GetColumnNames().size() + 2 && !cells.AtEnd(); ++column)
            cells.GetString();
    }
    return 0;
}
