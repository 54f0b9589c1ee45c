// A building zone of a mission: textures, random choice and unlocking.
#include "sim/world/SIM_BuildingZone.h"

#include "engine/core/GRandom.h"
#include "engine/core/GStringTokenizer.h"
#include "sim/SIM_Presentation.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_Factory.h"

#include <atomic>
#include <cstdio>
#include <limits>

namespace
{
// Read by the vehicles job and the route search as well as the main thread.
std::atomic<uint64_t> g_unlockCount{0};
} // namespace

void SIM_BuildingZone::LoadWallTextures()
{
    static const char* const sideNames[SIDE_COUNT] = {"NE", "SE", "SW", "NW"};
    char name[64];
    for (int side = 0; side < SIDE_COUNT; ++side)
    {
        m_wallPools[side].clear();
        std::snprintf(name, sizeof(name), "wall%d_%s_import.dds", m_wallId, sideNames[side]);
        m_importWalls[side] = name;
        std::snprintf(name, sizeof(name), "wall%d_%s_export.dds", m_wallId, sideNames[side]);
        m_exportWalls[side] = name;
    }
    // Only the NE and NW sides carry plain wall pieces.
    for (int side : {0, 3})
    {
        std::snprintf(name, sizeof(name), "wall%d_%s.dds", m_wallId, sideNames[side]);
        m_wallPools[side].push_back(name);
        std::snprintf(name, sizeof(name), "wall%d_%s_alt.dds", m_wallId, sideNames[side]);
        m_wallPools[side].push_back(name);
    }

    m_floorTextures.clear();
    if (m_floorTextureList.empty())
        return;
    GStringTokenizer tokenizer(m_floorTextureList, ',');
    while (!tokenizer.AtEnd())
        m_floorTextures.push_back(tokenizer.GetString());
}

// Picks trunc(n x r) with the next shared random value; an empty list gives "".
static std::string PickRandomZoneEntry(const std::vector<std::string>& list)
{
    const float r = GRandom::NextFloat();
    if (list.empty())
        return std::string();
    size_t index = static_cast<size_t>(static_cast<float>(list.size()) * r);
    if (index >= list.size())
        index = list.size() - 1;
    return list[index];
}

std::string SIM_BuildingZone::GetRandomWallTexture(int side) const
{
    if (side < 0 || side >= SIDE_COUNT)
        return std::string();
    return PickRandomZoneEntry(m_wallPools[side]);
}

std::string SIM_BuildingZone::GetRandomFloorTexture() const
{
    return PickRandomZoneEntry(m_floorTextures);
}

uint64_t SIM_BuildingZone::UnlockCount()
{
    return g_unlockCount.load(std::memory_order_relaxed);
}

void SIM_BuildingZone::Unlock(SIM_Factory* factory, bool silent)
{
    // The product of the whole sides (in double: far-apart sides from a damaged file overflow any
    // integer); a zone one tile wide or high has an infinite chance.
    const double area = static_cast<double>(GetSpanY()) * static_cast<double>(GetSpanX());
    const float chance = area == 0.0 ? std::numeric_limits<float>::infinity() : static_cast<float>(40.0 / area);
    m_state = STATE_UNLOCKED;

    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    if (factory)
    {
        // Tiles outside the floor are skipped; clipping the loop skips them without walking them.
        const int x0 = m_top < 0 ? 0 : m_top;
        const int x1 = m_bottom >= factory->GetWidth() ? factory->GetWidth() - 1 : m_bottom;
        const int y0 = m_left < 0 ? 0 : m_left;
        const int y1 = m_right >= factory->GetHeight() ? factory->GetHeight() - 1 : m_right;
        for (int x = x0; x <= x1; ++x)
        {
            for (int y = y0; y <= y1; ++y)
            {
                SIM_Tile* tile = factory->GetTile(x, y);
                if (!tile)
                    continue;
                tile->m_zoneState = SIM_Tile::ZONE_OPEN;
                if (tile->m_view)
                    tile->m_view->RandomiseFloorTint();
                if (!silent)
                {
                    const float r = GRandom::NextFloat();
                    if (chance > r)
                        listener.SpawnSlotPlaceParticles(tile);
                }
            }
        }
    }
    // Conveyors in the zone can carry objects from now on; the routes see it at the next edit.
    g_unlockCount.fetch_add(1, std::memory_order_relaxed);
    listener.RetintPotentialSiteMarkers();
    if (!silent)
        listener.PlayEffectSound("slot_place.ogg");
}
