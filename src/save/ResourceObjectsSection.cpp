// Resource objects and resources sections.
#include "save/ResourceObjectsSection.h"

#include <algorithm>
#include <string>

#include "save/SaveCommaList.h"
#include "save/SaveLoadContext.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/views/SIM_ResourceObjectView.h"
#include "sim/world/SIM_Tile.h"

namespace
{
void WriteObject(SaveWriter& out, const SIM_ResourceObject& object, int guid)
{
    out.Open("obj");
    out.Int("guid", guid);
    out.Real("wp_x", object.m_x);
    out.Real("wp_y", object.m_y);
    out.Int("status", object.m_state);
    out.TileXY("targ_x", "targ_y", object.m_destination ? object.m_destination->GetTile() : nullptr);
    out.Text("resource", object.m_resource ? object.m_resource->m_name : std::string());
    out.Int("stockpileid", object.m_placeIndex);
    out.TileXY("importx", "importy", object.m_sourceBay ? object.m_sourceBay->GetTile() : nullptr);
    out.Text("task", object.m_task ? object.m_task->m_name : std::string());
    out.Close("obj");
}

SIM_ResourceImportBay* BayOnTile(const SIM_Tile* tile)
{
    for (SIM_ResourceImportBay* bay : SIM_ResourceConveyorManager::Instance().ImportBays())
        if (bay && bay->GetTile() == tile)
            return bay;
    return nullptr;
}

// Reads one "obj" and restores it; every look-up must succeed or the object stays out.
void ReadObject(SaveLoadContext& context)
{
    SaveReader& in = context.reader;
    // What says where the object is must be read, never guessed: a guid, place or tile read as
    // 0 would put the object where it never was.
    int guid = -1, status = -1, targetX = -1, targetY = -1, place = -1, bayX = -1, bayY = -1;
    bool read = in.WholeInt("guid", guid);
    const float x = in.Coordinate("wp_x");
    const float y = in.Coordinate("wp_y");
    read = in.WholeInt("status", status) && read;
    read = in.TileXY("targ_x", "targ_y", targetX, targetY) && read;
    const std::string resourceName = in.Name("resource");
    read = in.WholeInt("stockpileid", place) && read;
    read = in.TileXY("importx", "importy", bayX, bayY) && read;
    const std::string taskName = in.Name("task");

    const std::string what = "Save game: resource object " + std::to_string(guid);
    if (!read)
    {
        in.LogDropped(what + ": a number of it cannot be read; left out");
        return;
    }
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    if (guid < 0 || guid >= SIM_ResourceObjManager::kPoolSize || pool.Record(guid).IsInUse())
    {
        in.LogDropped(what + ": guid out of range or given twice; left out");
        return;
    }
    if (status < SIM_ResourceObject::STATE_WAITING || status > SIM_ResourceObject::STATE_DELIVERED)
    {
        in.LogDropped(what + ": status " + std::to_string(status) + " out of range; left out");
        return;
    }
    // Places: 16 on a resource or component stockpile, one per pallet of a supply stockpile.
    if (place < -1 || place >= SIM_SupplyStockpile::kCapacity ||
        (status == SIM_ResourceObject::STATE_DELIVERED && place < 0))
    {
        in.LogDropped(what + ": stockpile place " + std::to_string(place) + " out of range; left out");
        return;
    }
    SIM_PlaceableSlot* destination = nullptr;
    if (targetX != -1 || targetY != -1)
    {
        SIM_Tile* tile = SaveReader::TileAt(targetX, targetY);
        destination = tile ? tile->m_occupant : nullptr;
        if (!destination)
        {
            in.LogDropped(what + ": no slot at its target; left out");
            return;
        }
    }
    const SIM_Resource* resource = SIM_ResourceManager::Instance().FindResource(resourceName);
    if (!resource)
    {
        in.LogDropped(what + ": unknown resource " + savetext::Quote(resourceName) + "; left out");
        return;
    }
    SIM_ResourceImportBay* bay = nullptr;
    if (bayX != -1 || bayY != -1)
    {
        bay = BayOnTile(SaveReader::TileAt(bayX, bayY));
        if (!bay)
        {
            in.LogDropped(what + ": no import bay at its source; left out");
            return;
        }
    }
    SIM_ProductionTask* task = nullptr;
    if (!taskName.empty())
    {
        task = SIM_ProductionTaskManager::Instance().GetTask(taskName);
        if (!task)
        {
            in.LogDropped(what + ": unknown task " + savetext::Quote(taskName) + "; left out");
            return;
        }
    }

    SIM_ResourceObject& object = pool.Record(guid);
    object.m_resource = resource;
    object.m_x = x;
    object.m_y = y;
    object.m_state = status;
    object.m_destination = destination;
    object.m_placeIndex = place;
    object.m_task = task;
    object.m_inUse = 1;
    object.m_view.reset(SIM_Presentation::Instance().Listener().CreateResourceObjectView(object));
    context.MarkRestored(guid);
    // Only an object still waiting belongs in its bay's queue (in ascending guid order, whatever
    // order the queue had); one that left the bay no longer names it.
    if (bay && status == SIM_ResourceObject::STATE_WAITING && context.ClaimHeld(&object, "an import bay"))
        bay->Enqueue(&object);
}

void ReadPrices(SaveReader& in)
{
    in.BeginList("resources");
    while (in.NextItem("resources", "resource"))
    {
        const std::string name = in.Name("name");
        SaveCommaList prices(in.Value("prices"));
        if (SIM_Resource* resource = SIM_ResourceManager::Instance().FindResource(name))
        {
            for (float& price : resource->m_prices)
                price = prices.NextFloat();
        }
        else
        {
            in.LogDropped("Save game: prices of unknown resource " + savetext::Quote(name) + " left out");
        }
        in.EndItem("resource");
    }
}
} // namespace

void ResourceObjectsSection::Write(SaveWriter& out)
{
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    const int top = std::clamp(pool.TopIndex(), 0, SIM_ResourceObjManager::kPoolSize - 1);
    out.Open("resourceobjects");
    out.Int("topindex", top);
    for (int i = 0; i <= top; ++i)
    {
        const SIM_ResourceObject& object = pool.Record(i);
        if (object.IsInUse())
            WriteObject(out, object, i);
    }
    out.Close("resourceobjects");

    out.Open("resources");
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
    {
        std::string prices;
        for (const float price : resource->m_prices)
            SaveWriter::AppendReal(prices, price, 2);
        out.Open("resource");
        out.Text("name", resource->m_name);
        out.List("prices", prices);
        out.Close("resource");
    }
    out.Close("resources");
}

void ResourceObjectsSection::Read(SaveLoadContext& context)
{
    SaveReader& in = context.reader;
    // The pool is emptied; every record keeps its index as its guid (numbered at game set-up).
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    pool.Reset();
    in.BeginList("resourceobjects");
    const int top = std::clamp(in.Int("topindex"), 0, SIM_ResourceObjManager::kPoolSize - 1);
    while (in.NextItem("resourceobjects", "obj"))
    {
        ReadObject(context);
        in.EndItem("obj");
    }
    // The pool's loops run up to the top index, so it covers every restored object.
    pool.SetTopIndex(std::max(top, context.highestGuid));
    ReadPrices(in);
}
