// fuzz-links: fv_engine
// fuzz-long-inputs: 65536
// Feeds arbitrary bytes to the text table's reader and looks up the keys it found.
#include "engine/core/GHashTable.h"
#include "platform/core/PProfile.h"

#include "FuzzScratchFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile scratch("fv_fuzz_strings_", ".ini");
    const std::string& path = scratch.path;
    if (!scratch.Write(data, size))
        return 0;
    GHashTable table;
    table.LoadSection("strings", path, false);
    for (const std::string& entry : PProfile::ReadSection(path, "strings"))
    {
        table.Lookup(entry);
        table.Lookup(entry.substr(0, entry.find('=')));
    }
    table.Lookup("");
    return 0;
}
