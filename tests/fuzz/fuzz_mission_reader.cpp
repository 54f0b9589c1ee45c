// fuzz-links: fv_sim
// fuzz-long-inputs: 65536
// Mission files are written by players and modders: reading any bytes as a mission, writing it
// back and setting a floor up from it must never crash or touch memory it does not own.
#include "engine/core/GBufferedFileManager.h"
#include "sim/SIM_Game.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"

#include "FuzzScratchFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile scratch("fv_fuzz_mission_", ".txt");
    const std::string& input = scratch.path;
    static const bool headless = (setenv("FERROVANE_HEADLESS", "1", 1), true);
    (void)headless;
    if (!scratch.Write(data, size))
        return 0;
    GBufferedFileManager::Instance().Reload(input);

    SIM_Mission mission;
    const bool playable = mission.Load(input);
    for (const SIM_GridPos& pos : mission.m_imports)
        mission.GetZoneAt(pos.x, pos.y);
    // Small floors are set up for real: zones are marked, clipped and unlocked on the grid.
    if (playable && mission.m_worldX * mission.m_worldY <= 4096)
    {
        SIM_Game& game = SIM_Game::Instance();
        // The definitions are the shipped ones for every input: read once, not per input, which
        // would spend most of the run on the task files.
        if (game.InitSimulation(&mission, SIM_Game::Definitions::Kept))
        {
            for (const auto& zone : mission.m_zones)
            {
                zone->Unlock(game.GetFactory(), true);
                zone->GetRandomFloorTexture();
                zone->GetRandomWallTexture(0);
            }
        }
        game.Reset();
        game.SetMission(nullptr);
    }
    // Written back and read again.
    mission.Save();
    SIM_Mission again;
    again.Load(input);
    return 0;
}
