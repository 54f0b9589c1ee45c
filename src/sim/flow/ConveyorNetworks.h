// The runs of joined, open conveyor tiles of the factory floor: which run each tile belongs to, so
// that a nearest-bay search never measures a bay that no run of conveyors joins to its goal.
// Numbered once for a whole floor, then kept up to date piece by piece: a piece laid joins the
// runs beside it, a piece taken up splits its run only when the runs beside it no longer meet.
// Main thread.
#pragma once
#include <cstdint>
#include <vector>

class SIM_Factory;
class SIM_Tile;

class ConveyorNetworks
{
public:
    // The upkeep's work since the counters were last cleared: tiles labelled or looked at, and how
    // often the whole floor was numbered. An edit must cost what it changes; tests read these.
    struct Work
    {
        uint64_t tilesVisited = 0;
        uint64_t renumberings = 0;
    };

    // What one tile's change did to the runs.
    enum class Change
    {
        None,     // the tile was already numbered as it stands
        Extended, // a piece joined the one run beside it
        Created,  // a piece with no run beside it: a run of its own
        Joined,   // a piece joined two or more runs into one
        Shrunk,   // a piece went and the runs beside it still meet (or it was the run's last)
        Split,    // a piece went and its run fell apart
    };

    // Numbers every run of the floor from its open conveyor tiles (by the factory's tile index).
    void Renumber(const SIM_Factory& factory, const std::vector<int32_t>& openTiles);
    // Forgets the numbering; Run answers -1 until the next Renumber.
    void Reset();
    // True when the numbering is of this floor.
    bool IsFor(const SIM_Factory* factory) const;
    // The tile's passability may have changed (a piece laid or taken up, a zone opened): the runs
    // are brought up to date around it. The tile must be of the floor numbered.
    Change Update(const SIM_Tile* tile);

    // The run the tile belongs to, -1 for a tile without an open conveyor or off the floor. Runs
    // are numbered afresh by Renumber; between, a run keeps its number unless it joins another.
    int32_t Run(const SIM_Tile* tile);
    // The same by tile index.
    int32_t RunAt(int32_t index);

    Work& WorkDone() { return m_work; }

private:
    static bool Open(const SIM_Tile* tile);
    int32_t NewLabel();
    int32_t Root(int32_t label);
    int32_t Join(int32_t a, int32_t b);
    // The four tiles the route search steps to from a tile index, -1 for a step off the floor.
    void Steps(int32_t index, int32_t out[4]) const;
    // The numbered ones of those; returns how many.
    int Neighbours(int32_t index, int32_t out[4]) const;
    // After the tile at `index` went: searches out from its numbered neighbours side by side until
    // all meet or all but one have run out; each that ran out alone is a run of its own now.
    bool SplitAround(const int32_t* starts, int count);

    const SIM_Factory* m_factory = nullptr;
    int32_t m_height = 0;
    int32_t m_tiles = 0;
    // Per tile: its label, -1 for none. Labels of one run lead to the same root.
    std::vector<int32_t> m_labels;
    std::vector<int32_t> m_parent;
    std::vector<uint8_t> m_rank;
    // Per tile: which of the split searches reached it, valid for the current stamp.
    std::vector<uint32_t> m_seenBy;
    uint32_t m_stamp = 0;
    std::vector<int32_t> m_visits[4];
    Work m_work;
};
