// bench-links: fv_screens
// The research screen over a tech tree of 300 items (30 roots, each with a chain and side
// branches): the time to open the screen (entries made, laid out, placed) and the time of one
// frame with the tree scrolled by one row every frame, on the recording back end. The figure is
// the screen's own work on one core.
#include "BenchDevice.h"
#include "BenchInput.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GBufferedFileManager.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"
#include "sim/research/SIM_ResearchManager.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{
constexpr int kScreenW = 1280;
constexpr int kScreenH = 768;
constexpr int kItems = 300;

// 30 roots of ten items each: a chain of six under the root and three branches off its middle.
std::string WriteResearchTree()
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "fv_bench_research";
    std::filesystem::create_directories(root / "research");
    std::ofstream out(root / "research" / "research.csv");
    out << "Token,name,display,prereq,description,icon,cost,kind,unlocks\n";
    for (int i = 0; i < kItems; ++i)
    {
        const int tree = i / 10, step = i % 10;
        // The prerequisite's number, or -1 for a root.
        int prerequisite = -1;
        if (step > 0 && step <= 6)
            prerequisite = i - 1;
        else if (step > 6)
            prerequisite = tree * 10 + 3;
        out << "#,r" << i << ",Research " << i << ",";
        if (prerequisite >= 0)
            out << "r" << prerequisite;
        out << ",\"What item " << i << " brings.\",res_icon_tools.dds," << 100 + i << ","
            << (i % 2 ? "TECHNOLOGY" : "PROCESS") << ",\"\"\n";
    }
    out.close();
    GBufferedFileManager::Instance().Reload((root / "research" / "research.csv").string());
    return root.string();
}

bool StartRecording(std::shared_ptr<PRecordingState>& recording)
{
    recording = std::make_shared<PRecordingState>();
    PRecordingGraphicsSystem::Install(recording);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    recording->windowWidth = kScreenW;
    recording->windowHeight = kScreenH;
    GScreenSize::Set(kScreenW, kScreenH);
    if (!GD3DDevice::Instance().Init(kScreenW, kScreenH, true))
        return false;
    SharedVertexBatch().Create(8000);
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GFontManager& text = GFontManager::Instance();
    text.Init();
    text.CreateFont(16, 25, 10, 10, "data/fonts/Open Sans Semibold_16.dds.dat", "Open Sans Semibold_16.dds");
    text.CreateFont(36, 45, 14, 10, "data/fonts/Open Sans ExtraBold_36.dds.dat", "Open Sans ExtraBold_36.dds");
    return true;
}

void StopRecording()
{
    GUI_WindowManager::Instance().CloseAll();
    GFontManager::Instance().Shutdown();
    ReleaseBenchDevice();
    SIM_ResearchManager::Instance().Clear();
}

void BenchResearchScreen(benchmark::State& state)
{
    const bool opening = state.range(0) != 0;
    if (chdir(FV_SOURCE_DIR) != 0)
    {
        state.SkipWithError("no source folder");
        return;
    }
    std::shared_ptr<PRecordingState> recording;
    if (!StartRecording(recording))
    {
        state.SkipWithError("no recording device");
        StopRecording();
        return;
    }
    SIM_ResearchManager::Instance().Clear();
    SIM_ResearchManager::Instance().Load(WriteResearchTree());
    GUI_Sounds::Instance().SetMuted(true);
    BenchInput input(600.0f, 400.0f);
    CBaseInputManager::SetActive(&input);
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    if (opening)
    {
        for (auto _ : state)
        {
            GUI_ResearchDialog::Show();
            windows.CloseAll();
        }
    }
    else
    {
        GUI_ResearchDialog* screen = GUI_ResearchDialog::Show();
        GUI_ScrollingWindow* bar = screen->GetTechTree()->GetVerticalBar();
        for (auto _ : state)
        {
            if (bar->GetFirstRow() >= bar->GetMaxFirstRow())
                bar->SetFirstRow(0);
            else
                bar->StepDown();
            GD3DDevice::Instance().BeginFrame();
            input.Update();
            windows.Update();
            windows.Draw();
            GUI_Tooltip::DrawQueuedTooltips();
            GUI_Cursor::Instance().Update();
            GD3DDevice::Instance().EndFrame();
            recording->Clear();
        }
        state.counters["entries"] = static_cast<double>(screen->GetTechTree()->GetEntries().size());
    }
    CBaseInputManager::SetActive(nullptr);
    StopRecording();
}
} // namespace

BENCHMARK(BenchResearchScreen)->ArgName("open")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
