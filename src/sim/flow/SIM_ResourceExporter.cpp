// The outlet of a stockpile: one queued object onto the conveyors per 500 ms.
#include "sim/flow/SIM_ResourceExporter.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_PointerList.h"
#include "sim/flow/SIM_ResourceObject.h"

#include <algorithm>

SIM_ResourceExporter::SIM_ResourceExporter(PlaceHider hidePlace) : m_hidePlace(std::move(hidePlace))
{
    m_timer.Start();
}

SIM_ResourceExporter::~SIM_ResourceExporter()
{
    for (SIM_ResourceObject* object : m_queue)
        Unmark(object);
}

void SIM_ResourceExporter::Unmark(SIM_ResourceObject* object) const
{
    if (object && object->m_sourceExporter == this)
        object->m_sourceExporter = nullptr;
}

void SIM_ResourceExporter::Enqueue(SIM_ResourceObject* object)
{
    if (!object)
        return;
    object->m_state = SIM_ResourceObject::STATE_WAITING;
    Restore(object);
}

void SIM_ResourceExporter::Restore(SIM_ResourceObject* object)
{
    if (!object)
        return;
    m_queue.push_back(object);
    object->m_sourceExporter = this;
}

int32_t SIM_ResourceExporter::ExportOne()
{
    m_timer.Update();
    if (m_queue.empty() || !(m_timer.GetTotal() > m_rate))
        return -1;
    SIM_ResourceObject* object = m_queue.front();
    m_queue.pop_front();
    FV_ASSERT(object && object->IsInUse());
    if (!object)
    {
        m_timer.Start();
        return -1;
    }
    Unmark(object);
    FV_ASSERT(object->m_placeIndex >= 0);
    // The place it leaves; an object delivered at once takes a new place at its destination.
    const int32_t place = object->m_placeIndex;
    object->StartTransit();
    if (!object->Reroute())
    {
        // The frame's share of route searching is spent: the object waits at the front, and the
        // outlet sends it at a later update, its rate already passed.
        object->m_state = SIM_ResourceObject::STATE_WAITING;
        m_queue.push_front(object);
        object->m_sourceExporter = this;
        return -1;
    }
    m_timer.Start();
    return place;
}

bool SIM_ResourceExporter::Remove(SIM_ResourceObject* object)
{
    if (!RemovePointer(m_queue, object))
        return false;
    Unmark(object);
    return true;
}

bool SIM_ResourceExporter::Forget(SIM_ResourceObject* object)
{
    if (!Remove(object))
        return false;
    if (m_hidePlace)
        m_hidePlace(object->m_placeIndex);
    return true;
}

void SIM_ResourceExporter::WithdrawAll()
{
    std::deque<SIM_ResourceObject*> queued;
    queued.swap(m_queue);
    for (SIM_ResourceObject* object : queued)
    {
        Unmark(object);
        SIM_ResourceObject::WithdrawAndRelease(object);
    }
}
