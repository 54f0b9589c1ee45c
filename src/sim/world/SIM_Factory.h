// The floor of the running game: the tile grid of the mission with each tile's world position,
// its building-zone state and its occupant; answers where things are on the floor, steps every
// placed slot each frame and sums the hourly rent of the open zones.
#pragma once
#include "sim/SIM_IndexSet.h"
#include "sim/world/SIM_Tile.h"

class SIM_Mission;
struct SIM_Clock;

#include <memory>
#include <vector>

// A place where the mission allows an import bay or a car export; the tile is null when the
// mission puts the place outside the grid.
struct SIM_PotentialSite
{
    SIM_Tile* m_tile = nullptr;
};

class SIM_Factory
{
public:
    static constexpr int MIN_SIZE = 1;
    static constexpr int MAX_SIZE = 999;
    static constexpr int NO_FACING = 4;
    static constexpr float TILE_PITCH = 512.0f;

    // Builds the whole grid from the mission; its creator keeps the mission and the game's clock
    // alive as long as the floor.
    SIM_Factory(SIM_Mission* mission, const SIM_Clock& clock);
    virtual ~SIM_Factory();
    SIM_Factory(const SIM_Factory&) = delete;
    SIM_Factory& operator=(const SIM_Factory&) = delete;

    void Init();
    // Frees both site lists.
    void Clear();
    // Per frame: step(slot) for every tile's occupant, x outer and y inner; tiles without one are
    // not visited. The caller says what a slot does in a frame; the floor only knows where slots
    // stand.
    template <class Step>
    void Update(Step&& step)
    {
        // Tile indices run x outer and y inner, so ascending indices are the order of a walk over
        // every column; an empty floor of a million tiles costs a few hundred word reads.
        for (int32_t i = m_occupied.First(); i != SIM_IndexSet::kNone; i = m_occupied.FindFrom(i + 1))
        {
            SIM_Tile& tile = m_tiles[i];
            // A slot on several tiles is stepped once per tile that names it.
            if (tile.m_occupant)
                step(*tile.m_occupant);
            else
                m_occupied.Erase(i);
        }
    }
    // Puts a slot on a tile, or takes it off with null. Every change of a tile's occupant goes
    // through here (on the tile's own floor), so that the per-frame loop knows which tiles hold
    // a slot without reading the others.
    static void SetOccupant(SIM_Tile* tile, SIM_PlaceableSlot* slot);

    // The one index of tile (x, y) used by everything that walks the grid. Width times x would
    // run past the array on grids that are wider than they are high, so the row length is the height.
    int TileIndex(int x, int y) const { return x * m_height + y; }
    // The tile at (x, y), or null outside the grid.
    SIM_Tile* GetTile(int x, int y) const;
    SIM_Tile* GetTileAtWorldPos(float worldX, float worldY) const;
    // Neighbour in facing 0..3, null outside the grid or for a bad facing (which is reported).
    SIM_Tile* GetNeighbourTile(const SIM_Tile* tile, int facing) const;
    // Facing that leads from one tile to its neighbour, NO_FACING when they are not neighbours.
    int GetFacingToTile(const SIM_Tile* from, const SIM_Tile* to) const;
    // The tile around (gridX, gridY), itself included, whose centre is nearest the world position.
    SIM_Tile* FindNearestTile(int gridX, int gridY, float worldX, float worldY) const;

    // Sum of the hourly rents of the open zones of the floor's mission.
    float ComputeHourlyRent() const;

    void BuildPotentialSites();

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetZoneTileCount() const { return m_zoneTileCount; }
    int GetTileCount() const { return m_width * m_height; }
    SIM_Tile* GetTiles() const { return m_tiles.get(); }
    // The mission the floor was built from, and the game's clock, for what stands on the floor.
    SIM_Mission* GetMission() const { return m_mission; }
    const SIM_Clock& GetClock() const { return *m_clock; }

    std::vector<std::unique_ptr<SIM_PotentialSite>> m_importSites;
    std::vector<std::unique_ptr<SIM_PotentialSite>> m_exportSites;
    int m_width = 0;
    int m_height = 0;
    int m_zoneTileCount = 0;
    int m_worldLeft = 0;
    int m_worldTop = 0;
    int m_worldRight = 0;
    int m_worldBottom = 0;

private:
    // The tiles' waypoints in one block beside them, one grid a tile, rather than one allocation
    // for each of thousands of tiles at every new game and load. By tile index; Init fills it to
    // its reserved size, so the tiles' pointers into it hold.
    std::vector<TileWaypointGrid> m_waypointGrids;
    std::unique_ptr<SIM_Tile[]> m_tiles; // m_width * m_height tiles
    SIM_Mission* m_mission = nullptr;    // owned by whoever set the game up
    const SIM_Clock* m_clock = nullptr;  // the game's
    // The tiles (by index) that may hold an occupant: every occupied tile is in it.
    SIM_IndexSet m_occupied;
};
