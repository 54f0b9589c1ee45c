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
#include "sim/money/SIM_FinanceManager.h"
#include "sim/world/SIM_Mission.h"

#include <cstdio>
#include <cstdlib>
#include <string>

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
