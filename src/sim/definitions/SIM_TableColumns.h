// The columns of the definition tables, in the order the loaders read a row's cells. The loaders
// read cells by position, not by name, so a table whose header names other columns, or the same
// ones in another order, is read wrongly without a word; the data checker holds every table's
// header row to these lists.
#pragma once

struct SIM_TableColumns
{
    const char* file; // below the simulation folder
    const char* const* names;
    int count;
};

inline constexpr const char* kTaskTableColumns[] = {"Token", "name",  "time",  "icon",
                                                    "cost",  "power", "floor", "colour"};
inline constexpr const char* kResourceTableColumns[] = {"Token",  "name",  "display", "icon",
                                                        "sprite", "price", "scale",   "kind"};
inline constexpr const char* kFeatureTableColumns[] = {"Token", "name", "display", "value"};
inline constexpr const char* kResearchTableColumns[] = {"Token", "name", "display", "prereq", "description",
                                                        "icon",  "cost", "kind",    "unlocks"};
inline constexpr const char* kPropTableColumns[] = {"Token", "trigger", "facing1", "facing2",   "facing3",   "facing0",
                                                    "kind",  "width",   "height",  "footprint", "placement", "anim1",
                                                    "anim2", "anim3",   "anim0",   "name",      "depth"};

template <int N>
constexpr SIM_TableColumns SimTable(const char* file, const char* const (&names)[N])
{
    return SIM_TableColumns{file, names, N};
}

inline constexpr SIM_TableColumns kDefinitionTables[] = {
    SimTable("tasks/tasks.csv", kTaskTableColumns),          SimTable("resources/resources.csv", kResourceTableColumns),
    SimTable("features/features.csv", kFeatureTableColumns), SimTable("research/research.csv", kResearchTableColumns),
    SimTable("props/props.csv", kPropTableColumns),
};
