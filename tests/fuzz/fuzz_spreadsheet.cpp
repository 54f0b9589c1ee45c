// fuzz-links: fv_engine
// fuzz-long-inputs: 65536
// Feeds arbitrary bytes to the spreadsheet reader and splits every row into cells, as the
// definition loaders do.
#include "engine/core/GStringTokenizer.h"
#include "engine/core/Spreadsheet.h"

#include "FuzzScratchFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile scratch("fv_fuzz_sheet_", ".csv");
    const std::string& path = scratch.path;
    if (!scratch.Write(data, size))
        return 0;
    Spreadsheet sheet(path);
    for (const std::string& row : sheet.GetRows())
    {
        GStringTokenizer cells(row, ',');
        for (size_t column = 0; column < sheet.GetColumnNames().size() + 2 && !cells.AtEnd(); ++column)
            cells.GetString();
    }
    return 0;
}
