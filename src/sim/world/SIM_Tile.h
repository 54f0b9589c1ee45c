// One square of the factory floor: where it sits in the isometric world, which slot and which
// conveyor stand on it, its waypoints for resource objects and whether its building zone is open.
#pragma once
#include "sim/world/TileWaypointGrid.h"

class SIM_Factory;
class SIM_PlaceableSlot;
class SIM_ResourceConveyor;
class SIM_TileView;

class SIM_Tile
{
public:
    // Zone-lock values of a tile.
    static constexpr int ZONE_OPEN = 0;
    static constexpr int ZONE_LOCKED = 1;
    static constexpr int ZONE_NONE = 2;

    SIM_Tile() = default;
    virtual ~SIM_Tile();
    SIM_Tile(const SIM_Tile&) = delete;
    SIM_Tile& operator=(const SIM_Tile&) = delete;

    float m_worldX = 0.0f;
    float m_worldY = 0.0f;
    int m_gridX = -1;
    int m_gridY = -1;
    SIM_Factory* m_floor = nullptr;             // the floor that owns the tile; set when it is built
    SIM_PlaceableSlot* m_occupant = nullptr;    // set and cleared by the slots, through SIM_Factory::SetOccupant
    SIM_ResourceConveyor* m_conveyor = nullptr; // set and read by the conveyor logic
    SIM_TileView* m_view = nullptr;             // the tile's object in the factory view; null headless
    TileWaypointGrid* m_waypoints = nullptr;    // the factory's, which holds every tile's grid
    int m_zoneState = ZONE_LOCKED;              // ZONE_OPEN, ZONE_LOCKED or ZONE_NONE
    bool m_builtOn = false;                     // a placed slot covers this tile
    bool m_hasStockpile = false;                // a slot's stockpile was created on this tile
};
