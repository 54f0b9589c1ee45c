// bench-links: fv_editors
// Per-frame cost of the mission editor on large floors: the dialog with its map at 200 x 200 and
// at 999 x 999 tiles, each floor cut into zones with a few hundred import bays and exports, run as
// the editor screen runs it (window update, draw, cursor) on the recording back end. The counters
// give the draw calls of one frame, which stay in the thousands however many tiles the floor has.
#include "BenchDevice.h"
#include "BenchInput.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <unistd.h>

namespace
{
constexpr int kEditorScreenW = 1280;
constexpr int kEditorScreenH = 768;

// A floor of side tiles cut into a grid of zones 40 tiles square, with a bay and an export on
// the edge of every zone.
void FillMission(SIM_Mission& mission, int side)
{
    mission.m_worldX = side;
    mission.m_worldY = side;
    for (int a = 0; a < side; a += 40)
    {
        for (int b = 0; b < side; b += 40)
        {
            auto zone = std::make_unique<SIM_BuildingZone>();
            zone->m_top = a;
            zone->m_left = b;
            zone->m_bottom = std::min(a + 38, side - 1);
            zone->m_right = std::min(b + 38, side - 1);
            zone->m_state = (a == 0 && b == 0) ? SIM_BuildingZone::STATE_UNLOCKED : SIM_BuildingZone::STATE_LOCKED;
            mission.m_zones.push_back(std::move(zone));
            mission.m_imports.push_back(SIM_GridPos{a, b + 5});
            mission.m_exports.push_back(SIM_GridPos{a + 5, b});
        }
    }
}

void BenchMissionEditorFrame(benchmark::State& state)
{
    if (chdir(FV_SOURCE_DIR) != 0)
    {
        state.SkipWithError("no source folder");
        return;
    }
    auto recording = std::make_shared<PRecordingState>();
    PRecordingGraphicsSystem::Install(recording);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    recording->windowWidth = kEditorScreenW;
    recording->windowHeight = kEditorScreenH;
    GScreenSize::Set(kEditorScreenW, kEditorScreenH);
    if (!GD3DDevice::Instance().Init(kEditorScreenW, kEditorScreenH, true))
    {
        state.SkipWithError("no recording device");
        return;
    }
    GTextureManager::Instance().AddFolder("data/bitmaps");
    BenchInput input(900.0f, 400.0f);
    CBaseInputManager::SetActive(&input);
    SIM_Mission mission;
    FillMission(mission, static_cast<int>(state.range(0)));
    GUI_WindowManager::Create<GUI_MissionEditorDialog>(&mission);
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    size_t draws = 0;
    for (auto _ : state)
    {
        GD3DDevice::Instance().BeginFrame();
        input.Update();
        windows.Update();
        windows.Draw();
        GUI_Cursor::Instance().Update();
        GD3DDevice::Instance().EndFrame();
        draws = recording->draws.size();
        recording->Clear();
    }
    state.counters["draws"] = static_cast<double>(draws);
    state.counters["zones"] = static_cast<double>(mission.m_zones.size());
    CBaseInputManager::SetActive(nullptr);
    windows.CloseAll();
    ReleaseBenchDevice();
}
} // namespace

BENCHMARK(BenchMissionEditorFrame)->ArgName("side")->Arg(200)->Arg(999)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
