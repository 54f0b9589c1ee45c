// The car colour palette.
#include "sim/definitions/VehicleColor.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"
#include "platform/core/PRandom.h"

#include <mutex>

static std::once_flag& VehicleColorsLoadFlag()
{
    static std::once_flag flag;
    return flag;
}

static std::vector<VehicleColor>& VehicleColorStore()
{
    static std::vector<VehicleColor> colours;
    return colours;
}

std::vector<VehicleColor>& GetVehicleColors()
{
    // Loaded on first use; design filling may ask first from a worker thread.
    std::call_once(VehicleColorsLoadFlag(), [] { LoadVehicleColors(); });
    return VehicleColorStore();
}

void LoadVehicleColors(const std::string& path)
{
    IniLoader section;
    section.Load("colors", path);
    std::vector<VehicleColor>& colours = VehicleColorStore();
    for (const IniPair& pair : section.GetPairs())
    {
        GStringTokenizer fields(pair.value, ',');
        VehicleColor colour;
        colour.r = fields.GetInt();
        colour.g = fields.GetInt();
        colour.b = fields.GetInt();
        colour.a = 255;
        colours.push_back(colour);
    }
    FV_ASSERT(!colours.empty());
}

VehicleColor GetRandomVehicleColor()
{
    std::vector<VehicleColor>& colours = GetVehicleColors();
    if (colours.empty())
    {
        // Indexing an empty palette would read past the end; such cars stay white.
        GDebugLog::Instance().LogError("No car colours loaded; using white");
        return VehicleColor{};
    }
    size_t index = static_cast<size_t>(PRandom::Rand() / 32768.0 * colours.size());
    if (index >= colours.size())
        index = colours.size() - 1;
    return colours[index];
}
