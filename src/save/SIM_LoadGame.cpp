// The load procedure and the header peek.
#include "save/SIM_LoadGame.h"

#include "engine/core/GLifetime.h"

#include <string_view>

#include "engine/core/GDebugLog.h"
#include "engine/core/GTextKeys.h"
#include "engine/core/GTextTable.h"
#include "save/GameSection.h"
#include "save/HeaderSection.h"
#include "save/SaveFileOps.h"
#include "save/SaveFolder.h"
#include "save/SaveLoadContext.h"
#include "save/SaveReader.h"
#include "save/SaveSection.h"
#include "save/SaveText.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/slots/SlotState.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

namespace
{
// A save the game wrote ends with its closing root tag; one that does not was cut short (a crash
// while copying, a full disk in another program) and would load as a game with its later half
// missing, so it is refused before anything changes.
bool EndsWithRoot(const std::string& text)
{
    const std::string_view trimmed = savetext::TrimTrailing(text);
    constexpr std::string_view kRoot = "</xml>";
    return trimmed.size() >= kRoot.size() && trimmed.substr(trimmed.size() - kRoot.size()) == kRoot;
}

// Every object ends the load as the game keeps them. A stored object lies in a store and is bound
// for nowhere. An object waiting in an import bay or an outlet, or on its way, is bound for a
// stockpile that awaits it: when that stockpile goes it takes the object along, so an object
// bound for one that does not await it would keep a pointer to a slot long gone. Objects the
// file left without their place or their buyer would also hold their pool record for ever: they
// are taken out of every queue and request and given back.
void ReleaseStrayObjects(SaveLoadContext& context)
{
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    for (int i = 0; i <= pool.TopIndex(); ++i)
    {
        SIM_ResourceObject& object = pool.Record(i);
        if (!object.IsInUse())
            continue;
        const std::string what = "Save game: resource object " + std::to_string(i);
        if (object.m_state == SIM_ResourceObject::STATE_DELIVERED && context.IsHeld(i))
        {
            if (object.m_destination)
            {
                context.reader.LogDropped(what + " is stored and still bound for a slot; the link is dropped");
                object.WithdrawRequest();
                object.m_destination = nullptr;
            }
            continue;
        }
        const bool placed = object.m_state == SIM_ResourceObject::STATE_IN_TRANSIT || context.IsHeld(i);
        const bool awaited =
            object.m_state != SIM_ResourceObject::STATE_DELIVERED && object.m_destination && context.IsRequested(i);
        if (placed && awaited)
            continue;
        context.reader.LogDropped(what + (placed ? " is bound for no stockpile that awaits it" : " is held nowhere") +
                                  "; released");
        pool.ForgetObject(&object);
        object.Release();
    }
}

// The player learns once, after the load, that the game runs without some of what was saved.
void TellLeftOut(int count)
{
    const std::string text = GTextTable::GetText(GTextKeys::kLoadItemsLeftOut) + " " + std::to_string(count);
    GDebugLog::Instance().LogError(text);
    SIM_Presentation::Instance().Listener().ShowErrorBox(text);
}
} // namespace

SIM_LoadGame& SIM_LoadGame::Instance()
{
    return GLifetime::Get<SIM_LoadGame>();
}

bool SIM_LoadGame::ReadFile(const std::string& name, std::string& text, bool quiet)
{
    const std::string path = SaveFolder::PathFor(name);
    std::string reason;
    SaveFileOps& ops = m_ops ? *m_ops : SaveFileOps::Default();
    if (ops.ReadWhole(path, text, reason))
        return true;
    GDebugLog::Instance().LogError("Cannot read save game " + path + ": " + reason);
    if (!quiet)
        FV_ERROR_BOX("Failed to open save game");
    return false;
}

bool SIM_LoadGame::LoadGame(const std::string& name)
{
    m_changedGame = false;
    m_leftOut = 0;
    SIM_Presentation::Instance().Listener().ShowLoadingStage("LS_READING_SAVE_FILE", 0.15f);
    GDebugLog::Instance().Log("About to load game: [" + name + "]");
    std::string text;
    if (!ReadFile(name, text, false))
        return false;
    return LoadFromText(std::move(text), name);
}

bool SIM_LoadGame::QuickLoad()
{
    return LoadGame(SaveFolder::kQuickSaveName);
}

bool SIM_LoadGame::LoadFromText(std::string text, const std::string& name)
{
    m_changedGame = false;
    m_leftOut = 0;
    SaveReader reader;
    reader.SetShowErrorBox(true);
    const bool complete = EndsWithRoot(text);
    reader.Reset(std::move(text));

    // Everything that could stop the load is checked before the running game is touched.
    GameSection::Values game;
    SIM_Mission* mission = nullptr;
    if (!complete)
        reader.ReportError("Failed to open save game: the file is incomplete");
    else if (HeaderSection::Skip(reader) && !GameSection::Read(reader, game))
        reader.ReportError("Failed to open save game: it holds no game");
    if (!reader.HadError())
    {
        mission = SIM_MissionManager::Instance().GetMission(game.mission);
        if (!mission || !mission->HasValidSize())
            reader.ReportError("Failed to open save game: unknown mission [" + savetext::Quote(game.mission) + "]");
    }
    if (reader.HadError() || !mission)
    {
        GDebugLog::Instance().LogError("Game Load failed: [" + name + "]; the running game is unchanged");
        return false;
    }

    // No placer, dialog or panel may keep pointers into the game that is about to go.
    m_changedGame = true;
    SIM_Presentation::Instance().Listener().PrepareForLoad();
    m_loading = true;
    if (!SIM_Game::Instance().InitSimulation(mission, m_definitions))
    {
        m_loading = false;
        reader.ReportError("Failed to open save game: the mission cannot be started");
        return false;
    }
    GameSection::Apply(game);
    SaveLoadContext context(reader);
    ReadSections(context);
    AfterLoad(context);
    m_loading = false;
    reader.LogUnlisted();
    m_leftOut = reader.DroppedCount();
    if (reader.HadError())
    {
        GDebugLog::Instance().LogError("Game Load finished with parts of the save missing: [" + name + "]");
        return false;
    }
    if (m_leftOut > 0)
        TellLeftOut(m_leftOut);
    // The saved game runs at its own speed from the start; the speed buttons were set up for the
    // game before it and would show that one's pause or speed.
    SIM_Presentation::Instance().Listener().SyncSpeedButtons();
    GDebugLog::Instance().Log(m_leftOut > 0 ? "Game Load complete without " + std::to_string(m_leftOut) +
                                                  " items of the save; they are listed in errors.txt"
                                            : std::string("Game Load complete"));
    return true;
}

void SIM_LoadGame::ReadSections(SaveLoadContext& context)
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    for (const SaveSection& section : SaveSection::All())
    {
        if (section.loadStage)
            listener.ShowLoadingStage(section.loadStage, section.loadFraction);
        section.read(context);
    }
}

void SIM_LoadGame::AfterLoad(SaveLoadContext& context)
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    ReleaseStrayObjects(context);
    SIM_ResourceObjManager::Instance().ValidateLoadedObjects();

    listener.ShowLoadingStage("LS_POST_LOAD_OPERATIONS", 0.90f);
    SlotQueries& slots = SlotQueries::Instance();
    slots.RebuildProductionSlotList();
    for (SIM_PlaceableSlot* base : slots.GetProductionSlots())
    {
        auto* slot = static_cast<SIM_ProductionSlot*>(base);
        // Each slot finds its nearest import bay at its stockpile's first update, as after any
        // change of the conveyors: searching every bay for every stockpile here would hold the
        // load for as long again on a large factory, and the saved state is already the slot's.
        slot->RestoreCurrentSubTask();
        // The sub-task chosen from the car is the one the running slot times.
        if (slot->GetState() == RUNNING && !slot->IsConveyor())
            slot->StartRunning();
    }
    // Supply stockpiles look for their bay only when asked; they find it now, as when placed.
    for (SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
        supply->UpdateRouteState();

    listener.ShowLoadingStage("LS_RECALCULATING_VARIABLES", 0.95f);
    SIM_GlobalFactoryVariables::Instance().Recalculate();
    // The market remembers the restored sales, not the empty records of the game set-up, as it
    // did when the saved hour began: the cars sold since weigh on it from the next hour on.
    RestoreDemandFactor(&DemandFactor());
    listener.StartAmbience();
}

bool SIM_LoadGame::ReadHeader(std::string& date, std::string& mission, const std::string& name)
{
    // The date and the mission stand in the first lines of a save: the dialogs list every save
    // each time they open, and a large factory's file runs to megabytes, so only its start is
    // read, and the whole file only when the start does not hold them.
    constexpr size_t kHeaderBytes = 16384;
    const std::string path = SaveFolder::PathFor(name);
    SaveFileOps& ops = m_ops ? *m_ops : SaveFileOps::Default();
    std::string text, reason;
    bool whole = false;
    if (!ops.ReadStart(path, kHeaderBytes, text, whole, reason))
    {
        // A foreign or missing file is only logged: the dialogs list every file, every time.
        GDebugLog::Instance().LogError("Cannot read save game " + path + ": " + reason);
        return false;
    }
    if (PeekHeader(std::move(text), date, mission))
        return true;
    if (whole || !ReadFile(name, text, true))
        return false;
    return PeekHeader(std::move(text), date, mission);
}

bool SIM_LoadGame::PeekHeader(std::string text, std::string& date, std::string& mission)
{
    SaveReader reader;
    reader.SetShowErrorBox(false);
    reader.Reset(std::move(text));
    return HeaderSection::Peek(reader, date, mission);
}
