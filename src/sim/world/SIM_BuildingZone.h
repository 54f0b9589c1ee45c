// One rectangular building zone of a mission: open from the start or bought later, with its
// rent, floor textures, wall style and display name. Buying it opens its tiles for building.
//
// Axes: top and bottom bound grid x, left and right bound grid y; the zone covers every tile
// (x, y) with top <= x <= bottom and left <= y <= right. The floor set-up, the zone look-up and
// the unlock all use this one convention, so a zone opens exactly the tiles it locked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SIM_Factory;

class SIM_BuildingZone
{
public:
    static constexpr int STATE_LOCKED = 0;
    static constexpr int STATE_UNLOCKED = 1;
    static constexpr int STATE_UNREAD = 2;
    static constexpr int SIDE_COUNT = 4; // NE, SE, SW, NW

    SIM_BuildingZone() = default;

    // Wall texture names from the wall id and the floor textures from the comma list.
    void LoadWallTextures();
    // Opens the zone and its tiles on the floor (none without a floor) for building; silent skips
    // the sparkles and the sound.
    void Unlock(SIM_Factory* floor, bool silent);
    // How many unlocks have happened in this run. What caches the floor's ways (conveyor
    // networks, known routes, reachable sources) compares it with the count it last saw, so the
    // zone needs to know nothing of them.
    static uint64_t UnlockCount();
    // A random entry of a side's wall pool; "" when the pool is empty or the side is bad.
    std::string GetRandomWallTexture(int side) const;
    // A random floor texture; "" when the zone lists none.
    std::string GetRandomFloorTexture() const;
    std::string GetGUIName() const { return m_guiName; }

    // Whether the zone covers tile (x, y).
    bool Contains(int x, int y) const { return m_top <= x && x <= m_bottom && m_left <= y && y <= m_right; }
    // The zone's sides as sizes, rent and the start area measure them: bottom - top and right -
    // left (one less than the tiles across). Wide enough for any sides a damaged file can give,
    // where the difference of two ints would overflow.
    long long GetSpanX() const { return static_cast<long long>(m_bottom) - m_top; }
    long long GetSpanY() const { return static_cast<long long>(m_right) - m_left; }

    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
    int m_state = STATE_UNREAD;
    float m_rentPerTile = 0.0f;
    float m_rent = 0.0f; // hourly rent of the whole zone
    int m_wallId = 0;
    std::vector<std::string> m_floorTextures;
    std::string m_floorTextureList;
    std::string m_importWalls[SIDE_COUNT];
    std::string m_exportWalls[SIDE_COUNT];
    std::vector<std::string> m_wallPools[SIDE_COUNT];
    std::string m_guiName;
};
