// fuzz-links: fv_engine
// fuzz-long-inputs: 65536
// Feeds arbitrary bytes to the INI reader: section reads through the file cache, section
// names, value splitting, the lines outside the sections read, and writing back.
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"

#include "FuzzScratchFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile scratch("fv_fuzz_ini_", ".ini");
    static const FuzzScratchFile scratchOut("fv_fuzz_ini_", "_out.ini");
    const std::string& path = scratch.path;
    const std::string& out = scratchOut.path;
    if (!scratch.Write(data, size))
        return 0;
    GBufferedFileManager::Instance().Reload(path);

    IniLoader ini;
    ini.LoadSectionNames(path);
    std::vector<std::string> names = ini.GetSectionNames();
    names.push_back("s");
    names.push_back("");
    std::vector<IniLine> outside;
    IniLoader::LinesOutside(path, {names.front(), "floats", "strings"}, 4, outside);
    size_t loads = 0;
    for (const std::string& name : names)
    {
        if (++loads > 8)
            break;
        if (!ini.Load(name, path))
            continue;
        char key[64], value[64];
        while (ini.NextPair(key, sizeof key, value, sizeof value))
        {
            GStringTokenizer tokens(ini.GetValue(key), ',');
            for (int i = 0; i < 64 && !tokens.AtEnd(); ++i)
            {
                tokens.GetInt();
                tokens.GetFloat();
            }
        }
        std::vector<std::string> list;
        ini.ReadSectionAsList(list, name, path);
        ini.SaveToFile(out);
    }
    return 0;
}
