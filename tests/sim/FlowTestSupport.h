// Helpers for the resource-flow tests: an open factory floor of any size built through a real
// game set-up, conveyors laid and lifted as the placer does, and a hand-driven clock.
#pragma once
#include "platform/PClock.h"
#include "sim/RouteTable.h"
#include "sim/SIM_Factory.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Mission.h"
#include "sim/SIM_ResourceConveyor.h"
#include "sim/SIM_ResourceConveyorManager.h"
#include "sim/SIM_SimConfig.h"
#include "sim/SIM_Tile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace flowtest
{
constexpr uint64_t kMs = 1000000ull;

inline std::string FlowDataPath(const std::string& relative)
{
    return std::string(FV_TEST_DIR) + "/sim/data/flow/" + relative;
}

// A game on a width x height floor whose whole area is one open building zone.
class FlowFloor
{
public:
    FlowFloor(int width, int height)
    {
        SIM_SimConfig::UseFile(FlowDataPath("simconfig.txt"));
        PClock::SetManual(true, 1000 * kMs);
        char name[96];
        static int counter = 0;
        std::snprintf(name, sizeof name, "fv_flow_%d_%d.txt", static_cast<int>(::getpid()), counter++);
        m_missionPath = (std::filesystem::temp_directory_path() / name).string();
        std::ofstream(m_missionPath) << "[config]\nname = flow\nworldx = " << width << "\nworldy = " << height
                                     << "\nstarting_cash = 1000000\n\n[zone]\nleft = 0\ntop = 0\nright = "
                                     << width - 1 << "\nbottom = " << height - 1
                                     << "\nrent = 0\ntype = UNLOCKED\nfloortextures = floor_plain_01.dds\n";
        m_mission.Load(m_missionPath);
        SIM_Game::Instance().InitSimulation(&m_mission);
    }
    ~FlowFloor()
    {
        SIM_Game::Instance().Reset();
        SIM_ResourceConveyorManager::Instance().Clear();
        RouteTable::Instance().ClearAll();
        PClock::SetManual(false);
        std::error_code ignored;
        std::filesystem::remove(m_missionPath, ignored);
    }
    FlowFloor(const FlowFloor&) = delete;
    FlowFloor& operator=(const FlowFloor&) = delete;

    SIM_Factory& Factory() const { return *SIM_Game::Instance().GetFactory(); }
    SIM_Tile* Tile(int x, int y) const { return Factory().GetTile(x, y); }

    // Lays a conveyor the way the placer does: made by the manager, tied to its tile both ways.
    SIM_ResourceConveyor* Lay(int x, int y, int facing = 1)
    {
        SIM_Tile* tile = Tile(x, y);
        if (!tile || tile->m_conveyor)
            return tile ? tile->m_conveyor : nullptr;
        SIM_ResourceConveyor* conveyor = SIM_ResourceConveyorManager::Instance().CreateConveyor();
        conveyor->m_tile = tile;
        conveyor->m_facing = facing;
        tile->m_conveyor = conveyor;
        return conveyor;
    }
    void LayRow(int y, int x0, int x1)
    {
        for (int x = x0; x <= x1; ++x)
            Lay(x, y);
    }
    void LayColumn(int x, int y0, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            Lay(x, y);
    }
    void Lift(int x, int y)
    {
        SIM_Tile* tile = Tile(x, y);
        if (!tile || !tile->m_conveyor)
            return;
        delete tile->m_conveyor;
        tile->m_conveyor = nullptr;
    }

    // One drawn frame of the given real length.
    static void Frame(uint64_t ms)
    {
        PClock::AdvanceManual(ms * kMs);
        SIM_Game::Instance().Update();
    }

private:
    std::string m_missionPath;
    SIM_Mission m_mission;
};

// Grid positions of a route's tiles, for comparisons.
inline std::string RouteText(const SIM_ResourceRoute* route)
{
    if (!route)
        return "none";
    std::string text;
    for (const SIM_Tile* tile : route->m_tiles)
        text += "(" + std::to_string(tile->m_gridX) + "," + std::to_string(tile->m_gridY) + ")";
    return text;
}
}  // namespace flowtest
