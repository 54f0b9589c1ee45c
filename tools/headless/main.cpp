// A game without a display: sets up a mission from data/, builds a small factory through the
// simulation's placement operations and plays game hours on a stepped clock. Prints what a
// player would read off the screens.
// Usage: fv_headless [mission name] [game hours] [user folder for the debug and error logs]
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// What a first-time player builds: an import bay on the first import site with a run of overhead
// conveyor into the hall, and a power plant on the first free spot.
void BuildSmallFactory()
{
    SIM_Factory& factory = *SIM_Game::Instance().GetFactory();
    const SIM_ProductionTask* importer =
        SIM_ProductionTaskManager::Instance().GetTask(SIM_DataNames::kTaskResourceImporter);
    for (const auto& site : factory.m_importSites)
    {
        if (!site->m_tile || !importer || !SIM_PlacementQueries::CanPlaceSlotNow(*importer, site->m_tile, 1))
            continue;
        SIM_PlaceableSlot* slot = SIM_Placement::PlaceTask(importer, site->m_tile, 1, false);
        if (!slot)
            continue;
        std::vector<SIM_Tile*> run = {site->m_tile};
        for (int i = 0; i < 4 && run.back(); ++i)
            run.push_back(factory.GetNeighbourTile(run.back(), slot->GetFacing()));
        if (!run.back())
            run.pop_back();
        SIM_Placement::LayConveyorPath(run);
        break;
    }
    const SIM_FacilityTask* plant = SIM_FacilityManager::Instance().GetTask(SIM_DataNames::kFacPowerPlant);
    for (int i = 0; plant && i < factory.GetTileCount(); ++i)
    {
        SIM_Tile* tile = &factory.GetTiles()[i];
        if (SIM_PlacementQueries::IsFacilityGhostValid(*plant, tile, 1) &&
            SIM_PlacementQueries::CanPlaceFacilityNow(*plant, tile, 1) &&
            SIM_Placement::PlaceTask(plant, tile, 1, false))
            break;
    }
}
} // namespace

int main(int argc, char** argv)
{
    const std::string missionName = argc > 1 ? argv[1] : "m01_first_factory";
    const int hours = argc > 2 ? std::atoi(argv[2]) : 3;
    constexpr uint64_t kFrameNs = 16ull * 1000000ull;
    // With a user folder the run keeps the game's logs there, so what it found wrong in the data
    // can be read afterwards.
    if (argc > 3)
        GDebugLog::Instance().Open(argv[3]);

    PClock::SetManual(true, 1000ull * 1000000ull);
    GRandom::Init();
    SIM_ThreadManager::Instance().Init();
    SIM_Mission mission;
    if (!mission.Load("data/missions/" + missionName + ".txt"))
    {
        std::printf("mission %s could not be read\n", missionName.c_str());
        return 1;
    }
    SIM_Game& game = SIM_Game::Instance();
    if (!game.InitSimulation(&mission))
    {
        std::printf("mission %s could not be set up\n", missionName.c_str());
        return 1;
    }
    std::printf("mission %s: %d x %d tiles, cash %s\n", missionName.c_str(), mission.m_worldX, mission.m_worldY,
                SIM_FinanceManager::FormatMoney(SIM_FinanceManager::Instance().GetCash()).c_str());
    BuildSmallFactory();
    std::printf("built: %zu slots, %zu import bays, %zu conveyor pieces, cash %s\n",
                SlotQueries::Instance().GetAllSlots().size(),
                SIM_ResourceConveyorManager::Instance().ImportBays().size(),
                SIM_ResourceConveyorManager::Instance().Conveyors().size(),
                SIM_FinanceManager::FormatMoney(SIM_FinanceManager::Instance().GetCash()).c_str());

    long long frames = 0;
    while (game.GetCurrentHour() < hours && !SIM_FinanceManager::Instance().IsGameOver())
    {
        PClock::AdvanceManual(kFrameNs);
        game.Update();
        SIM_Presentation::Instance().ApplyPosted();
        ++frames;
    }
    std::printf("hours played: %d in %lld frames, cash %s\n", game.GetCurrentHour(), frames,
                SIM_FinanceManager::FormatMoney(SIM_FinanceManager::Instance().GetCash()).c_str());

    game.Reset();
    SIM_ThreadManager::Instance().Shutdown();
    GDebugLog::Instance().Close();
    return 0;
}
