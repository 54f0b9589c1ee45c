// The sections of a savegame after its header and the game's own values, in the order they stand
// in the file: the save writes them and the load reads them walking this one list, each with the
// stage the loading screen shows before it (the save and the load name their stages apart and
// move the bar at their own pace). A section added here is written and read in the same place.
#pragma once

#include <span>

class SaveLoadContext;
class SaveWriter;

struct SaveSection
{
    const char* name;
    void (*write)(SaveWriter& out);
    // Reads the section into the game just set up for the load; later sections may rely on it.
    void (*read)(SaveLoadContext& context);
    // The stage shown before the section is written or read; null shows none.
    const char* saveStage;
    float saveFraction;
    const char* loadStage;
    float loadFraction;

    // Every section, in the file's order.
    static std::span<const SaveSection> All();
};
