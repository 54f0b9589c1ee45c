// The floor of the running game: the tile grid of the mission with each tile's world position,
// its building-zone state and its occupant; answers where things are on the floor, steps every
// placed slot each frame and books the hourly rent of the open zones.
#pragma once
#include "sim/SIM_IndexSet.h"
#include "sim/world/SIM_Tile.h"

class SIM_Mission;

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

    // Builds the whole grid from the mission, which its creator keeps alive as long as the floor.
    explicit SIM_Factory(SIM_Mission* mission);
    virtual ~SIM_Factory();
    SIM_Factory(const SIM_Factory&) = delete;
    SIM_Factory& operator=(const SIM_Factory&) = delete;

    void Init();
    // Frees both site lists.
    void Clear();
    // Per frame: every tile's occupant, x outer and y inner; tiles without one are not visited.
    void Update();
    // Puts a slot on a tile of this floor, or takes it off with null. Every change of a tile's
    // occupant goes through here (on the running game's floor), so that the per-frame loop knows
    // which tiles hold a slot without reading the others.
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
    // Books the hourly rent (also when it is 0) as a rent record of the current hour.
    void ChargeRent() const;

    void BuildPotentialSites();

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetZoneTileCount() const { return m_zoneTileCount; }
    int GetTileCount() const { return m_width * m_height; }
    SIM_Tile* GetTiles() const { return m_tiles.get(); }

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
    // for each of thousands of tiles at every new game and load.
    std::unique_ptr<TileWaypointGrid[]> m_waypointGrids;
    std::unique_ptr<SIM_Tile[]> m_tiles; // m_width * m_height tiles
    SIM_Mission* m_mission = nullptr;    // owned by whoever set the game up
    // The tiles (by index) that may hold an occupant: every occupied tile is in it.
    SIM_IndexSet m_occupied;
};
