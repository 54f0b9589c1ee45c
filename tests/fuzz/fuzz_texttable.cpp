// fuzz-links: fv_engine
// Feeds arbitrary bytes to the text table's reader and looks up the keys it found.
#include "engine/GHashTable.h"
#include "platform/PProfile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
// Removes the scratch file when the fuzzer ends.
struct FuzzTexttableScratch
{
    std::string path;
    ~FuzzTexttableScratch() { unlink(path.c_str()); }
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzTexttableScratch scratch{"/tmp/fv_fuzz_strings_" + std::to_string(getpid()) + ".ini"};
    const std::string& path = scratch.path;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
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
