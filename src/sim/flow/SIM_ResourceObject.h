// One item of a resource on its way to, or stored in, the stockpile of a slot. Records live in
// the fixed pool of the resource-object manager; a record's index is its identity in savegames.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

class SIM_Tile;
class SIM_Resource;
class SIM_PlaceableSlot;
class SIM_ProductionTask;
class SIM_ResourceRoute;
class SIM_ResourceImportBay;
class SIM_ResourceExporter;
class SIM_ResourceConveyorManager;
class SIM_ResourceObjectView;
class ResourceObjectPool;
struct TileWaypoint;

class SIM_ResourceObject
{
public:
    enum State : int32_t
    {
        STATE_FREE = 0,
        STATE_WAITING = 1,
        STATE_IN_TRANSIT = 2,
        STATE_DELIVERED = 3
    };

    // Frame time an object without a route waits before it looks for one again.
    static constexpr float kRetryTime = 1000.0f;

    SIM_ResourceObject();
    virtual ~SIM_ResourceObject();
    SIM_ResourceObject(const SIM_ResourceObject&) = delete;
    SIM_ResourceObject& operator=(const SIM_ResourceObject&) = delete;

    // Makes the record live for a resource bound for a destination slot, waiting at (x, y).
    void Init(const SIM_Resource* resource, SIM_PlaceableSlot* destination, float x, float y);
    // Sets the object moving (state 2): every place that sends an object on its way goes here, so
    // that the pool's per-frame loop meets it.
    void StartTransit();
    // Looks for a new route from the tile under the object to its destination (in transit only).
    // A route that would take a search the open share of route searching cannot hold now (see
    // RouteSearchShare) is not looked for: the object is left as it was and false returned, so
    // that it can wait for a later frame's share. True whenever the object was dealt with (route
    // or not).
    bool Reroute();
    // An object on its way whose retry time ran out looks for its route again; when there is none
    // it is withdrawn from its destination's requests and released. False when it must wait for a
    // search (see Reroute); its retry time stays run out.
    bool RetryRoute();
    // The object lost its route and waits for its turn at the route search: it stops where it is,
    // and joins its new route as it would have joined it at once.
    void DropRoute();
    // True when the object is on its way without a route and its retry time has run out.
    bool IsRouteDue() const;
    // True when the object waits in an import bay and a route leads from the bay to its
    // destination. When the answer would take a search the open share of route searching cannot
    // hold now, `undecided` is set and false returned.
    bool CanRoute(bool& undecided);
    // Hands the object to its destination's stockpile.
    void Arrive();
    // Withdraws the object (in transit) from its destination's request list.
    void CancelTransit();
    // Takes the object out of its destination's request list, whatever its state.
    void WithdrawRequest();
    // The source of a waiting object goes away: its stockpile stops waiting for it and the
    // record returns to the pool (nothing for a record that is already free).
    static void WithdrawAndRelease(SIM_ResourceObject* object);
    // Reports an object in transit that its destination's stockpile does not list.
    void CheckListed();
    // Returns the record to the pool; the view stays with the record.
    void Release();
    // Clears every field but the id and destroys the view (pool reset, which refills the pool's
    // free and transit indices once for all records).
    void ResetRecord();

    // The tile the object must be delivered to: the input stockpile tile of a production slot or
    // the tile of a supply stockpile; null for anything else.
    static SIM_Tile* DestinationTile(SIM_PlaceableSlot* destination);

    bool IsInUse() const { return m_inUse != 0; }

    int32_t m_id = -1;
    // The pool the record belongs to (set once by the pool); null for a record of its own.
    ResourceObjectPool* m_pool = nullptr;
    SIM_Tile* m_currentTile = nullptr;
    const SIM_Resource* m_resource = nullptr;
    float m_x = 0.0f;
    float m_y = 0.0f;
    SIM_PlaceableSlot* m_destination = nullptr;
    uint8_t m_inUse = 0;
    int32_t m_state = STATE_FREE;
    std::unique_ptr<SIM_ResourceObjectView> m_view;
    SIM_ResourceRoute* m_route = nullptr;
    // Index into the route's step list of the point the object moves towards.
    int32_t m_stepCursor = 0;
    SIM_ResourceImportBay* m_sourceBay = nullptr;
    // The stockpile outlet whose queue holds the object, or null; the outlet's own to set.
    SIM_ResourceExporter* m_sourceExporter = nullptr;
    int32_t m_placeIndex = -1;
    float m_retryTime = 0.0f;
    SIM_ProductionTask* m_task = nullptr;
    // Set while an object whose route was dropped (DropRoute) waits for its new one.
    bool m_routeDropped = false;

private:
    // Update with what is the same for every object of a frame, looked up once by the pool.
    friend class SIM_ResourceObjManager;
    void Step(float frameTime, float speedMultiplier, SIM_ResourceConveyorManager& conveyors);
    TileWaypoint* CursorPoint() const;
    SIM_Tile* TileUnder();
    // The route an object standing on `tile` follows to `goal`, and in `from` the step of the
    // tile's centre on it; null when there is none.
    // `deferred` is set, and null returned, when the answer would take a search the open share of
    // route searching cannot hold now.
    SIM_ResourceRoute* FindWayOn(SIM_Tile* tile, SIM_Tile* goal, size_t& from, bool& deferred);
};
