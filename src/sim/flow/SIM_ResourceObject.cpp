// A resource object: spawned at a source, moved point by point along its route, handed to the
// destination stockpile on arrival.
#include "sim/flow/SIM_ResourceObject.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/flow/ResourceObjectPool.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceReceiver.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/views/SIM_ResourceObjectView.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"
#include "sim/world/TileWaypointGrid.h"

#include <algorithm>
#include <cmath>

namespace
{
SIM_ResourceReceiver* ReceiverOf(SIM_PlaceableSlot* slot)
{
    return slot ? slot->GetResourceReceiver() : nullptr;
}
} // namespace

SIM_ResourceObject::SIM_ResourceObject() = default;
SIM_ResourceObject::~SIM_ResourceObject() = default;

SIM_Tile* SIM_ResourceObject::DestinationTile(SIM_PlaceableSlot* destination)
{
    SIM_ResourceReceiver* receiver = ReceiverOf(destination);
    return receiver ? receiver->ReceivingTile() : nullptr;
}

void SIM_ResourceObject::Init(const SIM_Resource* resource, SIM_PlaceableSlot* destination, float x, float y)
{
    FV_ASSERT(resource != nullptr);
    m_resource = resource;
    m_inUse = 1;
    m_state = STATE_WAITING;
    m_task = nullptr;
    m_retryTime = 0.0f;
    m_x = x;
    m_y = y;
    if (!m_view)
        m_view.reset(SIM_Presentation::Instance().Listener().CreateResourceObjectView(*this));
    else
        m_view->SetResourceSprite();
    m_destination = destination;
    if (m_pool)
        m_pool->NoteTaken(this);
}

void SIM_ResourceObject::StartTransit()
{
    m_state = STATE_IN_TRANSIT;
    if (m_pool)
        m_pool->NoteInTransit(this);
}

TileWaypoint* SIM_ResourceObject::CursorPoint() const
{
    if (!m_route || m_stepCursor < 0 || static_cast<size_t>(m_stepCursor) >= m_route->m_steps.size())
        return nullptr;
    return m_route->m_steps[static_cast<size_t>(m_stepCursor)];
}

SIM_Tile* SIM_ResourceObject::TileUnder()
{
    // The floor the object moves on: the one under its tile, or the one its destination stands on.
    const SIM_Tile* known = m_currentTile ? m_currentTile : (m_destination ? m_destination->GetTile() : nullptr);
    SIM_Factory* factory = known ? known->m_floor : nullptr;
    if (!factory)
        return nullptr;
    if (m_currentTile)
        return factory->FindNearestTile(m_currentTile->m_gridX, m_currentTile->m_gridY, m_x, m_y);
    return factory->GetTileAtWorldPos(m_x, m_y);
}

void SIM_ResourceObject::Step(float frameTime, float speedMultiplier, SIM_ResourceConveyorManager& conveyors)
{
    FV_ASSERT(m_destination != nullptr);
    if (!m_destination)
    {
        // Nowhere to go and listed by no stockpile: the record goes back to the pool.
        Release();
        return;
    }

    if (!m_route)
    {
        // An object whose retry time has run out waits for its turn at the route search, and
        // the time does not go on adding up meanwhile.
        if (!(m_retryTime > kRetryTime))
            m_retryTime += frameTime;
        if (m_retryTime > kRetryTime)
        {
            if (m_pool)
                m_pool->NoteRouteDue(*this);
            else
                RetryRoute();
        }
        return;
    }

    CheckListed();

    SIM_Tile* tile = TileUnder();
    if (tile && tile->m_conveyor)
        conveyors.SetCarrying(tile->m_conveyor);
    m_currentTile = tile;

    TileWaypoint* target = CursorPoint();
    if (!target)
    {
        // A route without points to follow: look for a new one after the retry time.
        m_route = nullptr;
        return;
    }
    const float dx = target->m_worldX - m_x;
    const float dy = target->m_worldY - m_y;
    const float angle = std::atan2(dy, dx);
    const float distance = std::sqrt(dx * dx + dy * dy);
    const float length = std::clamp(frameTime, 0.0f, 100.0f) * 0.5f * speedMultiplier;

    if (length > distance)
    {
        const bool last = static_cast<size_t>(m_stepCursor) + 1 >= m_route->m_steps.size();
        target->m_occupant = nullptr;
        if (last)
        {
            Arrive();
        }
        else
        {
            ++m_stepCursor;
            // Recorded only: an occupied point does not stop anyone.
            m_route->m_steps[static_cast<size_t>(m_stepCursor)]->m_occupant = this;
        }
    }
    m_x += length * std::cos(angle);
    m_y += length * std::sin(angle);
}

bool SIM_ResourceObject::Reroute()
{
    if (m_state != STATE_IN_TRANSIT)
        return true;
    SIM_Tile* tile = TileUnder();
    FV_ASSERT(tile != nullptr);
    if (!tile)
        return true;

    TileWaypoint* nearest = nullptr;
    if ((m_route || m_routeDropped) && tile->m_waypoints)
    {
        float best = 9999.0f;
        nearest = &tile->m_waypoints->m_points[2];
        for (TileWaypoint& point : tile->m_waypoints->m_points)
        {
            const float dx = point.m_worldX - m_x;
            const float dy = point.m_worldY - m_y;
            const float distance = std::sqrt(dx * dx + dy * dy);
            if (distance < best)
            {
                best = distance;
                nearest = &point;
            }
        }
    }

    SIM_Tile* goal = DestinationTile(m_destination);
    size_t from = 0;
    SIM_ResourceRoute* route = nullptr;
    if (goal && tile != goal)
    {
        bool deferred = false;
        route = FindWayOn(tile, goal, from, deferred);
        if (deferred)
            return false;
    }
    m_route = nullptr;
    m_stepCursor = 0;
    m_routeDropped = false;
    if (!goal)
        return true;
    if (tile == goal)
    {
        Arrive();
        return true;
    }
    if (!route)
        return true;
    m_route = route;
    // From the tile's centre on, the points are those of a route that starts on this tile; the
    // object heads for the last of them that is the point nearest to it, else for the centre.
    m_stepCursor = static_cast<int32_t>(from);
    if (nearest)
    {
        for (size_t i = from; i < route->m_steps.size(); ++i)
            if (route->m_steps[i] == nearest)
                m_stepCursor = static_cast<int32_t>(i);
    }
    return true;
}

bool SIM_ResourceObject::RetryRoute()
{
    if (!Reroute())
        return false;
    m_retryTime = 0.0f;
    // Reroute may have delivered the object; only one still in transit is lost.
    if (!m_route && m_state == STATE_IN_TRANSIT)
    {
        CancelTransit();
        Release();
    }
    return true;
}

bool SIM_ResourceObject::IsRouteDue() const
{
    return m_inUse && m_state == STATE_IN_TRANSIT && !m_route && m_retryTime > kRetryTime;
}

void SIM_ResourceObject::DropRoute()
{
    m_routeDropped = m_routeDropped || m_route != nullptr;
    m_route = nullptr;
    m_stepCursor = 0;
}

SIM_ResourceRoute* SIM_ResourceObject::FindWayOn(SIM_Tile* tile, SIM_Tile* goal, size_t& from, bool& deferred)
{
    // Objects that lose their way together (after a load or a conveyor edit) mostly stand on the
    // way their stockpile is served along: they follow that route from where they stand, so the
    // records in use follow the routes, not the objects. A stockpile's own route is the one from
    // its nearest bay; only an object on neither asks a route from its own tile.
    RouteTable& routes = RouteTable::Instance();
    // A pair not yet measured costs a search. When the share of route searching cannot hold one
    // the object waits for it, rather than take another way than it would take with it.
    auto mayAsk = [&](SIM_Tile* start) {
        if (routes.MayMeasure(start, goal))
            return true;
        deferred = true;
        return false;
    };
    if (SIM_ResourceRoute* route = routes.FindRouteThrough(tile, goal, from))
        return route;
    // Where no run of conveyors joins two tiles (an edit cut the floor in two) no search is made:
    // it would only find that out after looking far and wide.
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    SIM_ResourceImportBay* bay = m_destination ? m_destination->GetNearestImportBay() : nullptr;
    if (bay && bay->GetTile() && conveyors.MayReach(bay->GetTile(), goal))
    {
        if (!mayAsk(bay->GetTile()))
            return nullptr;
        if (routes.RequestRoute(bay->GetTile(), goal))
            if (SIM_ResourceRoute* route = routes.FindRouteThrough(tile, goal, from))
                return route;
    }
    // A route along a conveyor beside this tile: the object steps across onto it at that tile's
    // centre, as it steps from tile to tile along any route (parallel conveyors carry the routes
    // of neighbouring bays).
    if (SIM_Factory* factory = tile ? tile->m_floor : nullptr)
    {
        for (int d = 0; d < 4; ++d)
        {
            SIM_Tile* beside = factory->GetNeighbourTile(tile, d);
            if (!beside || !beside->m_conveyor || beside->m_zoneState != SIM_Tile::ZONE_OPEN)
                continue;
            if (SIM_ResourceRoute* route = routes.FindRouteThrough(beside, goal, from))
                return route;
        }
    }
    from = 0;
    if (!conveyors.MayReach(tile, goal) || !mayAsk(tile))
        return nullptr;
    return routes.RequestRoute(tile, goal);
}

bool SIM_ResourceObject::CanRoute(bool& undecided)
{
    undecided = false;
    if (!m_sourceBay)
        return false;
    SIM_Tile* goal = DestinationTile(m_destination);
    if (!goal || !m_sourceBay->GetTile())
        return false;
    // A bay that no run of conveyors joins to the goal any more (a conveyor edit cut the floor in
    // two) has no route there: a search would only find that out after looking far and wide.
    if (!SIM_ResourceConveyorManager::Instance().MayReach(m_sourceBay->GetTile(), goal))
        return false;
    RouteTable& routes = RouteTable::Instance();
    if (!routes.MayMeasure(m_sourceBay->GetTile(), goal))
    {
        undecided = true;
        return false;
    }
    return routes.RequestRoute(m_sourceBay->GetTile(), goal) != nullptr;
}

void SIM_ResourceObject::Arrive()
{
    CheckListed();
    FV_ASSERT(m_destination != nullptr);
    if (!m_destination)
        return;

    if (SIM_ResourceReceiver* receiver = ReceiverOf(m_destination))
    {
        receiver->Receive(this);
    }
    else
    {
        // No stockpile takes it: a delivered object without a place would never be freed.
        Release();
        return;
    }
    // A stockpile without room released the object; the free record stays free.
    if (!m_inUse)
        return;
    m_state = STATE_DELIVERED;
    m_route = nullptr;
    m_destination = nullptr;
}

void SIM_ResourceObject::CancelTransit()
{
    FV_ASSERT(m_state == STATE_IN_TRANSIT);
    WithdrawRequest();
}

void SIM_ResourceObject::WithdrawAndRelease(SIM_ResourceObject* object)
{
    if (!object || !object->IsInUse())
        return;
    object->WithdrawRequest();
    object->Release();
}

void SIM_ResourceObject::WithdrawRequest()
{
    if (SIM_ResourceReceiver* receiver = ReceiverOf(m_destination))
        receiver->RemoveRequest(this);
    else if (m_destination && !m_destination->IsFacility())
        FV_ASSERT(false); // a production slot without its input stockpile
}

void SIM_ResourceObject::CheckListed()
{
    if (m_state != STATE_IN_TRANSIT || !m_destination || m_destination->IsFacility())
        return;
    SIM_ResourceReceiver* receiver = ReceiverOf(m_destination);
    const bool listed = receiver && receiver->HasRequestFor(this);
    FV_ASSERT(listed);
    if (!listed)
        FV_FLOW_ERROR("Bad data in saved resource objects");
}

void SIM_ResourceObject::Release()
{
    if (TileWaypoint* point = CursorPoint())
        if (point->m_occupant == this)
            point->m_occupant = nullptr;
    FV_ASSERT(m_state != STATE_DELIVERED || m_placeIndex >= 0);
    m_route = nullptr;
    m_stepCursor = 0;
    m_destination = nullptr;
    m_resource = nullptr;
    m_currentTile = nullptr;
    m_sourceBay = nullptr;
    m_sourceExporter = nullptr;
    m_state = STATE_FREE;
    m_inUse = 0;
    m_placeIndex = -1;
    m_task = nullptr;
    m_retryTime = 0.0f;
    m_routeDropped = false;
    if (m_pool)
        m_pool->NoteFreed(this);
}

void SIM_ResourceObject::ResetRecord()
{
    m_view.reset();
    // The identity stays: a record's id is its index in the pool from the pool's creation on, and
    // savegames name objects by it.
    m_currentTile = nullptr;
    m_resource = nullptr;
    m_x = 0.0f;
    m_y = 0.0f;
    m_destination = nullptr;
    m_inUse = 0;
    m_state = STATE_FREE;
    m_route = nullptr;
    m_stepCursor = 0;
    m_sourceBay = nullptr;
    m_sourceExporter = nullptr;
    m_placeIndex = -1;
    m_retryTime = 0.0f;
    m_task = nullptr;
    m_routeDropped = false;
}
