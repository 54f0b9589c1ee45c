// The consistency check shared by the resource-flow tests.
#include "tests/sim/FlowTestSupport.h"

#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"

#include <map>
#include <set>

namespace flowtest
{
namespace
{
struct FlowLedger
{
    std::map<const SIM_ResourceObject*, int> seen;
    std::string problems;

    void Add(const SIM_ResourceObject* object, const std::string& where)
    {
        if (++seen[object] > 1)
            problems += "object listed twice (" + where + "); ";
    }
    void Fail(const std::string& what) { problems += what + "; "; }
};

void CheckStockpileEntries(FlowLedger& ledger, const SIM_StockpileBase& stockpile, const std::string& name,
                           int32_t places)
{
    const int32_t used = static_cast<int32_t>(stockpile.Stored().size() + stockpile.Requests().size());
    if (used > stockpile.GetCapacity())
        ledger.Fail(name + " holds more than its capacity");
    std::set<int32_t> taken;
    for (const SIM_ResourceObject* object : stockpile.Stored())
    {
        ledger.Add(object, name + " stored");
        if (!object->IsInUse() || object->m_state != SIM_ResourceObject::STATE_DELIVERED)
            ledger.Fail(name + " stores an object that is not delivered");
        if (object->m_placeIndex < 0 || object->m_placeIndex >= places || !taken.insert(object->m_placeIndex).second)
            ledger.Fail(name + " stores an object on a bad or shared place");
    }
    for (const auto& request : stockpile.Requests())
    {
        const SIM_ResourceObject* object = request->object;
        ledger.Add(object, name + " request");
        if (!object || !object->IsInUse())
            ledger.Fail(name + " has a ghost request");
        else if (object->m_destination != stockpile.GetOwner())
            ledger.Fail(name + " requests an object bound elsewhere");
        else if (object->m_state != SIM_ResourceObject::STATE_WAITING &&
                 object->m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
            ledger.Fail(name + " requests an object that is neither waiting nor moving");
    }
}
} // namespace

std::string CheckFlowInvariants()
{
    FlowLedger ledger;
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        if (slot->IsFacility())
            continue;
        SIM_ProductionSlot* production = static_cast<SIM_ProductionSlot*>(slot);
        if (const SIM_ResourceStockpile* input = production->GetInputStockpile())
            CheckStockpileEntries(ledger, *input, "input stockpile", SIM_ResourceStockpile::kCapacity);
        if (SIM_ComponentStockpile* output = production->GetOutputStockpile())
        {
            std::set<int32_t> taken;
            for (const SIM_ResourceObject* object : output->Held())
            {
                ledger.Add(object, "export stockpile");
                if (!object->IsInUse() || object->m_state != SIM_ResourceObject::STATE_DELIVERED)
                    ledger.Fail("export stockpile holds an object that is not delivered");
                if (object->m_placeIndex < 0 || object->m_placeIndex >= 16 ||
                    !taken.insert(object->m_placeIndex).second)
                    ledger.Fail("export stockpile holds an object on a bad or shared place");
            }
        }
    }
    for (const SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
        CheckStockpileEntries(ledger, *supply, "supply stockpile", static_cast<int32_t>(supply->PalletPlaces().size()));

    // Queued objects must be requested by someone (they are counted there) and name their queue.
    for (const SIM_ResourceImportBay* bay : SIM_ResourceConveyorManager::Instance().ImportBays())
        for (const SIM_ResourceObject* object : bay->Queue())
            if (!ledger.seen.count(object) || !object->IsInUse() || object->m_sourceBay != bay)
                ledger.Fail("a bay queues an object nobody waits for");
    auto checkExporter = [&ledger](SIM_ResourceExporter& exporter) {
        for (const SIM_ResourceObject* object : exporter.Queue())
            if (!ledger.seen.count(object) || !object->IsInUse() || object->m_sourceExporter != &exporter)
                ledger.Fail("an exporter queues an object nobody waits for");
    };
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        if (!slot->IsFacility())
            if (SIM_ComponentStockpile* output = static_cast<SIM_ProductionSlot*>(slot)->GetOutputStockpile())
                checkExporter(output->Exporter());
    for (SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
        checkExporter(supply->Exporter());

    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    int32_t inUse = 0;
    for (int32_t i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
    {
        const SIM_ResourceObject& object = pool.Record(i);
        if (!object.IsInUse())
        {
            if (ledger.seen.count(&object))
                ledger.Fail("a free record is still listed");
            continue;
        }
        ++inUse;
        if (i > pool.TopIndex())
            ledger.Fail("an object in use beyond the top index");
        if (!ledger.seen.count(&object))
            ledger.Fail("an object in use that no stockpile lists (leak), state " + std::to_string(object.m_state));
        if (object.m_state == SIM_ResourceObject::STATE_IN_TRANSIT && object.m_route)
        {
            const SIM_ResourceRoute* route = object.m_route;
            if (!route->InUse() || route->m_state != SIM_ResourceRoute::STATE_KNOWN)
                ledger.Fail("an object in transit follows a discarded route");
            else if (route->m_goalTile != SIM_ResourceObject::DestinationTile(object.m_destination))
                ledger.Fail("an object in transit follows a route to somewhere else");
            else if (object.m_stepCursor < 0 || static_cast<size_t>(object.m_stepCursor) >= route->m_steps.size())
                ledger.Fail("an object in transit points past its route");
        }
    }
    (void)inUse;
    return ledger.problems;
}
} // namespace flowtest
