// An import bay: queues bought objects and sends them onto the conveyors one per delay.
#include "sim/flow/SIM_ResourceImportBay.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Clock.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/views/SIM_ConveyorLabelView.h"
#include "sim/views/SIM_ImportBayView.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace
{
// Entries of the bays' queues looked at to take objects off.
std::atomic<uint64_t> g_queueEntriesLooked{0};
} // namespace

SIM_ResourceImportBay::SIM_ResourceImportBay(SIM_Tile* tile)
{
    m_timer.Start();
    m_tile = tile;
    m_delay = SIM_SimConfig::GetFloat("CONVEYOR_IMPORT_BAY_DELAY");

    // The side that faces out of the building: the last neighbour, in this order, that is off
    // the grid or outside every building zone.
    SIM_Factory* factory = tile ? tile->m_floor : nullptr;
    if (factory)
    {
        const int x = tile->m_gridX;
        const int y = tile->m_gridY;
        const struct
        {
            int dx, dy, side;
        } tests[4] = {{1, 0, 1}, {0, -1, 0}, {-1, 0, 3}, {0, 1, 2}};
        for (const auto& test : tests)
        {
            const SIM_Tile* neighbour = factory->GetTile(x + test.dx, y + test.dy);
            if (!neighbour || neighbour->m_zoneState == SIM_Tile::ZONE_NONE)
                m_side = test.side;
        }
    }

    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    m_view.reset(listener.CreateImportBayView(*this));
    m_label.reset(listener.CreateConveyorLabel(*this));
}

SIM_ResourceImportBay::~SIM_ResourceImportBay()
{
    m_label.reset();
    m_view.reset();
    ReleaseQueue();
    // No slot may keep a deleted bay as its nearest one.
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        if (slot && slot->GetNearestImportBay() == this)
            slot->SetNearestImportBay(nullptr);
}

void SIM_ResourceImportBay::ReleaseQueue()
{
    // The objects were bought for stockpiles that still list them: withdraw before releasing, so
    // no request is left naming a free record.
    std::deque<SIM_ResourceObject*> queued;
    queued.swap(m_queue);
    g_queueEntriesLooked.fetch_add(queued.size(), std::memory_order_relaxed);
    for (SIM_ResourceObject* object : queued)
        SIM_ResourceObject::WithdrawAndRelease(object);
    if (!queued.empty())
        RefreshLabel();
}

void SIM_ResourceImportBay::RefreshLabel()
{
    if (m_label)
        m_label->RebuildRows();
}

void SIM_ResourceImportBay::Enqueue(SIM_ResourceObject* object)
{
    if (!object)
        return;
    m_queue.push_back(object);
    object->m_state = SIM_ResourceObject::STATE_WAITING;
    object->m_sourceBay = this;
    RefreshLabel();
    // A longer queue makes this bay a worse source, so another may now win a refused request.
    FlowVersions::NoteSourcesChanged();
}

uint64_t SIM_ResourceImportBay::QueueEntriesLookedAt()
{
    return g_queueEntriesLooked.load(std::memory_order_relaxed);
}

bool SIM_ResourceImportBay::Remove(SIM_ResourceObject* object)
{
    const auto found = std::find(m_queue.begin(), m_queue.end(), object);
    g_queueEntriesLooked.fetch_add(static_cast<uint64_t>(found - m_queue.begin()) + (found == m_queue.end() ? 0 : 1),
                                   std::memory_order_relaxed);
    if (found == m_queue.end())
        return false;
    m_queue.erase(found);
    if (object->m_sourceBay == this)
        object->m_sourceBay = nullptr;
    RefreshLabel();
    return true;
}

void SIM_ResourceImportBay::Update()
{
    // The bay runs at the game speed of the floor it stands on.
    const float speed = m_tile && m_tile->m_floor ? m_tile->m_floor->GetClock().speed : SIM_Clock().speed;
    m_timer.SetTimeScale(SIM_GlobalFactoryVariables::Instance().GetMultiplier(GFV_IMPORT_RATE_SPEED) * speed);
    m_timer.Update();
    if (m_queue.empty() || !(m_timer.GetTotal() > m_delay))
        return;

    std::vector<SIM_ResourceObject*> sent;
    std::vector<SIM_ResourceObject*> dropped;
    bool waits = false;
    for (SIM_ResourceObject* object : m_queue)
    {
        if (!object->m_destination)
        {
            dropped.push_back(object);
            continue;
        }
        object->StartTransit();
        if (!object->Reroute())
        {
            // The frame's share of route searching is spent: the object keeps its place at the
            // front and the bay sends it at a later tick, its delay already passed.
            object->m_state = SIM_ResourceObject::STATE_WAITING;
            waits = true;
            break;
        }
        if (object->m_route || object->m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
        {
            // On its way, or handed over at once when the bay stands on its destination (stored,
            // or let go by a full stockpile).
            sent.push_back(object);
            break;
        }
        // Unroutable: its stockpile stops waiting for it, whichever kind of stockpile it is.
        object->CancelTransit();
        dropped.push_back(object);
    }
    if (!waits)
        m_timer.Start();
    for (SIM_ResourceObject* object : sent)
    {
        object->m_sourceBay = nullptr;
        m_queue.erase(std::find(m_queue.begin(), m_queue.end(), object));
        RefreshLabel();
    }
    for (SIM_ResourceObject* object : dropped)
    {
        m_queue.erase(std::find(m_queue.begin(), m_queue.end(), object));
        object->Release();
    }
}

void SIM_ResourceImportBay::PurgeUnroutable()
{
    for (size_t i = 0; i < m_queue.size();)
    {
        // An object whose answer would take a search the share cannot hold stays: its stockpile's
        // own check, which waits for the share, drops it from here when it cannot be routed.
        bool undecided = false;
        if (m_queue[i]->CanRoute(undecided) || undecided)
        {
            ++i;
            continue;
        }
        m_queue.erase(m_queue.begin() + static_cast<std::ptrdiff_t>(i));
        RefreshLabel();
    }
}
