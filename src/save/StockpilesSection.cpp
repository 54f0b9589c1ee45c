// Stockpile sections.
#include "save/StockpilesSection.h"

#include <algorithm>
#include <bitset>
#include <string>

#include "save/SaveLoadContext.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "save/SlotsSection.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_ResourceExporter.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SIM_StockpileBase.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Tile.h"

namespace
{
int Guid(const SIM_ResourceObject* object)
{
    return SIM_ResourceObjManager::Instance().IndexOf(object);
}

// The guid leaf of a list item; -1 (no object) when it cannot be read.
int Guid(SaveReader& in)
{
    int guid = -1;
    return in.WholeInt("guid", guid) ? guid : -1;
}

void WriteGuidList(SaveWriter& out, const char* list, const char* item, const auto& objects)
{
    out.Open(list);
    for (const SIM_ResourceObject* object : objects)
    {
        out.Open(item);
        out.Int("guid", Guid(object));
        out.Close(item);
    }
    out.Close(list);
}

void WriteContents(SaveWriter& out, const SIM_StockpileBase& stockpile)
{
    WriteGuidList(out, "objects", "object", stockpile.Stored());
    out.Open("requests");
    for (const auto& request : stockpile.Requests())
    {
        out.Open("req");
        out.Int("guid", Guid(request->object));
        out.Real("age", request->reserved);
        out.Close("req");
    }
    out.Close("requests");
}

void WriteExporter(SaveWriter& out, SIM_ResourceExporter& exporter)
{
    out.Open("exporter");
    // The time gathered since the last export, through a float as the game keeps it.
    out.Real("timer", static_cast<float>(exporter.Timer().m_total));
    out.Real("rate", exporter.m_rate);
    WriteGuidList(out, "queue", "obj", exporter.Queue());
    out.Close("exporter");
}

// An object restored at a place within range, held nowhere else. A stored object has arrived
// (status 3); an object in an outlet's queue was sold and waits its turn to leave (status 1).
// `taken` marks the places of the same store: two stored objects never share one (an outlet's
// queue may, since a place is free again once its object was sold, before the object has left).
SIM_ResourceObject* PlacedObject(SaveLoadContext& context, int guid, int places, std::bitset<64>* taken,
                                 const char* where, bool queued)
{
    SIM_ResourceObject* object = context.RestoredObject(guid, where);
    if (!object)
        return nullptr;
    const int place = object->m_placeIndex;
    const int state = queued ? SIM_ResourceObject::STATE_WAITING : SIM_ResourceObject::STATE_DELIVERED;
    const bool stateFits = object->m_state == state;
    if (!stateFits || place < 0 || place >= places || (taken && taken->test(static_cast<size_t>(place))))
    {
        context.reader.LogDropped(std::string("Save game: ") + where + " holds resource object " +
                                  std::to_string(guid) + " at a place it cannot take; left out");
        return nullptr;
    }
    if (!context.ClaimHeld(object, where))
        return nullptr;
    if (taken)
        taken->set(static_cast<size_t>(place));
    return object;
}

// Reads "objects" and "requests" into a stockpile of `places` places; with no stockpile (or one
// the file already filled) the lists are only passed over.
void ReadContents(SaveLoadContext& context, SIM_StockpileBase* stockpile, int places, const char* where)
{
    SaveReader& in = context.reader;
    if (stockpile && !(stockpile->Stored().empty() && stockpile->Requests().empty()))
        stockpile = nullptr;
    std::bitset<64> taken;
    in.BeginList("objects");
    while (in.NextItem("objects", "object"))
    {
        const int guid = Guid(in);
        in.EndItem("object");
        if (!stockpile || static_cast<int>(stockpile->Stored().size()) >= places)
            continue;
        if (SIM_ResourceObject* object = PlacedObject(context, guid, places, &taken, where, false))
            stockpile->LoadObject(object);
    }
    in.BeginList("requests");
    while (in.NextItem("requests", "req"))
    {
        const int guid = Guid(in);
        const int age = savetext::TruncateToInt(in.Double("age"));
        in.EndItem("req");
        if (!stockpile || static_cast<int>(stockpile->Stored().size() + stockpile->Requests().size()) >= places)
            continue;
        SIM_ResourceObject* object = context.RestoredObject(guid, where);
        if (!object)
            continue;
        // A request waits for an object on its way here, and only one request waits for it.
        if (object->m_destination != stockpile->GetOwner())
        {
            in.LogDropped(std::string("Save game: ") + where + " requests an object bound elsewhere; left out");
            continue;
        }
        if (!context.ClaimRequested(object, where))
            continue;
        stockpile->AddRequest(object);
        stockpile->Requests().back()->reserved = age;
    }
}

// Reads an outlet's timer, rate and queue; with no exporter (or a filled one) only passes over.
void ReadExporter(SaveLoadContext& context, SIM_ResourceExporter* exporter, int places, const char* where)
{
    SaveReader& in = context.reader;
    if (exporter && !exporter->Queue().empty())
        exporter = nullptr;
    in.FindTag("exporter");
    const double timer = std::max(0.0, in.Double("timer"));
    const float rate = in.Float("rate");
    if (exporter)
    {
        exporter->Timer().m_total = timer;
        exporter->m_rate = rate;
    }
    in.BeginList("queue");
    while (in.NextItem("queue", "obj"))
    {
        const int guid = Guid(in);
        in.EndItem("obj");
        if (!exporter || static_cast<int>(exporter->Queue().size()) >= places)
            continue;
        if (SIM_ResourceObject* object = PlacedObject(context, guid, places, nullptr, where, true))
            exporter->Restore(object);
    }
    in.FindClosing("exporter");
}

// The production slot standing on tile (x, y); facilities are no production slots.
SIM_ProductionSlot* ProductionSlotAt(SaveReader& in, int x, int y, const char* where)
{
    SIM_Tile* tile = SaveReader::TileAt(x, y);
    SIM_PlaceableSlot* occupant = tile ? tile->m_occupant : nullptr;
    if (!occupant || occupant->IsFacility())
    {
        in.LogDropped(std::string("Save game: no production slot for a ") + where + " at " + std::to_string(x) + "," +
                      std::to_string(y) + "; left out");
        return nullptr;
    }
    return static_cast<SIM_ProductionSlot*>(occupant);
}

void ReadStocks(SaveReader& in, SIM_SupplyStockpile* supply)
{
    if (!in.OptionalElement("stocks"))
        return;
    if (supply)
        supply->ClearStockItems();
    while (in.NextItem("stocks", "item"))
    {
        const std::string name = in.Name("name");
        int amount = -1;
        // An amount that cannot be read is none the player set: the item is left out below.
        in.WholeInt("amount", amount);
        in.EndItem("item");
        if (!supply)
            continue;
        const SIM_Resource* resource = SIM_ResourceManager::Instance().FindResource(name);
        if (!resource || amount < 0)
        {
            in.LogDropped("Save game: supply stock item " + savetext::Quote(name) + " left out");
            continue;
        }
        supply->AddStockItem(resource, amount);
    }
}
} // namespace

void StockpilesSection::WriteStockpiles(SaveWriter& out)
{
    out.Open("stockpiles");
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        if (slot->IsFacility() || !SlotsSection::IsPlaced(slot))
            continue;
        const SIM_ResourceStockpile* stockpile = static_cast<const SIM_ProductionSlot*>(slot)->GetInputStockpile();
        if (!stockpile)
            continue;
        out.Open("stockpile");
        out.TileXY("tile_x", "tile_y", slot->GetTile());
        WriteContents(out, *stockpile);
        out.Close("stockpile");
    }
    out.Close("stockpiles");
}

void StockpilesSection::WriteComponentStockpiles(SaveWriter& out)
{
    out.Open("comp_stocks");
    for (SIM_ComponentStockpile* stockpile : SIM_ComponentStockpileManager::Instance().Stockpiles())
    {
        const SIM_ProductionSlot* slot = stockpile->GetSlot();
        if (!SlotsSection::IsPlaced(slot))
            continue;
        out.Open("comp_stock");
        out.TileXY("stock_slot_x", "stock_slot_y", slot->GetTile());
        WriteGuidList(out, "objects", "object", stockpile->Held());
        // Parts already sold wait at the outlet; older versions of the game pass over this.
        WriteExporter(out, stockpile->Exporter());
        out.Close("comp_stock");
    }
    out.Close("comp_stocks");
}

void StockpilesSection::WriteSupplyStockpiles(SaveWriter& out)
{
    out.Open("sup_stocks");
    for (SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
    {
        if (!SlotsSection::IsPlaced(supply))
            continue;
        out.Open("sup_stock");
        out.TileXY("slot_x", "slot_y", supply->GetTile());
        WriteContents(out, *supply);
        WriteExporter(out, supply->Exporter());
        out.Open("stocks");
        for (const auto& item : supply->StockItems())
        {
            out.Open("item");
            out.Text("name", item->resource ? item->resource->m_name : std::string());
            out.Int("amount", item->wanted);
            out.Close("item");
        }
        out.Close("stocks");
        out.Close("sup_stock");
    }
    out.Close("sup_stocks");
}

void StockpilesSection::ReadStockpiles(SaveLoadContext& context)
{
    SaveReader& in = context.reader;
    in.BeginList("stockpiles");
    while (in.NextItem("stockpiles", "stockpile"))
    {
        int x = -1, y = -1;
        in.TileXY("tile_x", "tile_y", x, y);
        SIM_ProductionSlot* slot = ProductionSlotAt(in, x, y, "stockpile");
        SIM_ResourceStockpile* stockpile = slot ? slot->GetInputStockpile() : nullptr;
        if (slot && !stockpile)
            in.LogDropped("Save game: a slot without a stockpile has stockpile contents; left out");
        ReadContents(context, stockpile, SIM_ResourceStockpile::kCapacity, "a stockpile");
        in.EndItem("stockpile");
    }
}

void StockpilesSection::ReadComponentStockpiles(SaveLoadContext& context)
{
    SaveReader& in = context.reader;
    in.BeginList("comp_stocks");
    while (in.NextItem("comp_stocks", "comp_stock"))
    {
        int x = -1, y = -1;
        in.TileXY("stock_slot_x", "stock_slot_y", x, y);
        SIM_ProductionSlot* slot = ProductionSlotAt(in, x, y, "part stockpile");
        SIM_ComponentStockpile* stockpile = slot ? slot->GetOutputStockpile() : nullptr;
        // A part stockpile named twice keeps what the first mention gave it.
        if (stockpile && !(stockpile->Held().empty() && stockpile->Exporter().Queue().empty()))
            stockpile = nullptr;
        constexpr int places = SIM_ComponentStockpile::kCapacity;
        std::bitset<64> taken;
        in.BeginList("objects");
        while (in.NextItem("objects", "object"))
        {
            const int guid = Guid(in);
            in.EndItem("object");
            if (!stockpile || static_cast<int>(stockpile->Held().size()) >= places)
                continue;
            if (SIM_ResourceObject* object = PlacedObject(context, guid, places, &taken, "a part stockpile", false))
                stockpile->LoadObject(object);
        }
        if (in.NextTagIs("exporter"))
            ReadExporter(context, stockpile ? &stockpile->Exporter() : nullptr, places, "a part stockpile outlet");
        in.EndItem("comp_stock");
    }
}

void StockpilesSection::ReadSupplyStockpiles(SaveLoadContext& context)
{
    SaveReader& in = context.reader;
    if (!in.NextTagIs("sup_stocks"))
        return;
    in.BeginList("sup_stocks");
    while (in.NextItem("sup_stocks", "sup_stock"))
    {
        int x = -1, y = -1;
        in.TileXY("slot_x", "slot_y", x, y);
        SIM_SupplyStockpile* supply = nullptr;
        for (SIM_SupplyStockpile* candidate : SupplyStockpileRegistry::Instance().Stockpiles())
        {
            const SIM_Tile* tile = candidate->GetTile();
            if (tile && tile->m_gridX == x && tile->m_gridY == y)
            {
                supply = candidate;
                break;
            }
        }
        if (!supply)
            in.LogDropped("Save game: no supply stockpile at " + std::to_string(x) + "," + std::to_string(y));
        // A supply stockpile named twice keeps what the first mention gave it.
        if (supply && !(supply->Stored().empty() && supply->Requests().empty() && supply->Exporter().Queue().empty()))
            supply = nullptr;
        const int places =
            supply ? std::min<int>(SIM_SupplyStockpile::kCapacity, static_cast<int>(supply->PalletPlaces().size())) : 0;
        ReadContents(context, supply, places, "a supply stockpile");
        ReadExporter(context, supply ? &supply->Exporter() : nullptr, places, "a supply stockpile outlet");
        ReadStocks(in, supply);
        in.EndItem("sup_stock");
    }
}
