// A piece of overhead conveyor and its connections to the neighbouring pieces.
#include "sim/flow/SIM_ResourceConveyor.h"

#include "engine/core/GDebugLog.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

SIM_ResourceConveyor::SIM_ResourceConveyor() = default;

SIM_ResourceConveyor::~SIM_ResourceConveyor() = default;

void SIM_ResourceConveyor::UpdateConnections()
{
    SIM_Factory* factory = m_tile ? m_tile->m_floor : nullptr;
    FV_ASSERT(!m_tile || factory != nullptr);
    for (uint8_t& side : m_sides)
        side = 0;
    for (int d = 0; d < 4; ++d)
    {
        if (d == m_facing)
        {
            m_sides[d] = 1;
            continue;
        }
        if (!factory || !m_tile)
            continue;
        const SIM_Tile* neighbour = factory->GetNeighbourTile(m_tile, d);
        if (neighbour && neighbour->m_conveyor)
            m_sides[d] = 1;
    }
}
