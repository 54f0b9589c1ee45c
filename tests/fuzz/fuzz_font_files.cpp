// fuzz-links: fv_engine
// fuzz-long-inputs: 65536
// A font's width table and override file, as a modder might edit them: the first input byte splits
// the input into the two files, then the font loads them (no device, so no sheet).
#include "engine/LibFont.h"

#include "FuzzScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
bool FuzzFontWrite(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("fv_fuzz_font_");
    static bool ready = false;
    if (!ready)
    {
        if (chdir(folder.path.c_str()) != 0)
            return 0;
        std::filesystem::create_directories("data/fonts");
        ready = true;
    }
    if (size == 0)
        return 0;
    const size_t split = data[0] < size ? data[0] : size - 1;
    FuzzFontWrite("data/fonts/fuzz.dds.dat", data + 1, split);
    FuzzFontWrite("data/fonts/fuzz.dds.txt", data + 1 + split, size - 1 - split);
    LibFont font;
    font.Load(24, 30, 14, 10, "data/fonts/fuzz.dds.dat", "fuzz.dds");
    for (int i = 0; i < LibFont::kCells; ++i)
        if (font.m_widths[i] < 0 || font.m_widths[i] > LibFont::kMaxGlyphWidth)
            __builtin_trap();
    return 0;
}
