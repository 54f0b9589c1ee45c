// A floor tile as what stands on it sees it (props, conveyor pieces): the simulation tile under it,
// null until the tile view is linked to one. The floor's tile views are built on it, above the
// props, so a prop reaches its tile through this face alone. Main thread, read by the jobs.
#pragma once

class SIM_Tile;

class TileUnderfoot
{
public:
    SIM_Tile* GetSimTile() const { return m_simTile; }

protected:
    TileUnderfoot() = default;
    ~TileUnderfoot() = default;
    TileUnderfoot(const TileUnderfoot&) = delete;
    TileUnderfoot& operator=(const TileUnderfoot&) = delete;

    SIM_Tile* m_simTile = nullptr; // the factory owns it
};
