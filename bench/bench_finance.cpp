// bench-links: fv_screens
// The finance dialog's hourly refresh with the records full (16,300 sale records of 100 designs
// over 163 hours, 1,000 ledger records): the time the refresh adds to the frame in which a game
// hour ends, and the time to open the dialog, on the recording back end. One core.
#include "BenchDevice.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "gui/screens/finance/GUI_FinanceDialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"
#include "sim/SIM_Game.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <unistd.h>

namespace
{
constexpr int kDesigns = 100;
constexpr int kHours = 163;

void FillRecords()
{
    SIM_VehicleDesignManager& designs = SIM_VehicleDesignManager::Instance();
    SIM_Game& game = SIM_Game::Instance();
    for (int d = 0; d < kDesigns; ++d)
    {
        SIM_VehicleDesign* design = designs.Add(std::make_unique<SIM_VehicleDesign>());
        design->m_name = "Model " + std::to_string(d);
        design->m_price = 1000.0f + 10.0f * static_cast<float>(d);
    }
    for (int hour = 0; hour < kHours; ++hour)
    {
        game.SetCurrentHour(hour);
        for (SIM_VehicleDesign* design : designs.GetDesigns())
            SalesRecordPool::Instance().AddSale(design, design->m_price);
    }
    for (int hour = kHours - 100; hour < kHours; ++hour)
        for (int category = 0; category < SIM_FinanceRecord::NUM_CATEGORIES; ++category)
            SIM_FinanceRecord::Instance().StoreRecord(hour, category, 100.0f + static_cast<float>(category));
    game.SetCurrentHour(kHours - 1);
}

void BenchFinanceDialog(benchmark::State& state)
{
    const bool opening = state.range(0) != 0;
    if (chdir(FV_SOURCE_DIR) != 0)
    {
        state.SkipWithError("no source folder");
        return;
    }
    auto recording = std::make_shared<PRecordingState>();
    PRecordingGraphicsSystem::Install(recording);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    recording->windowWidth = 1280;
    recording->windowHeight = 768;
    GScreenSize::Set(1280, 768);
    if (GD3DDevice::Instance().Init(1280, 768, true))
    {
        SharedVertexBatch().Create(8000);
        GTextureManager::Instance().AddFolder("data/bitmaps");
        FillRecords();
        if (opening)
        {
            for (auto _ : state)
            {
                GUI_FinanceDialog::Open();
                GUI_WindowManager::Instance().CloseAll();
            }
        }
        else
        {
            GUI_FinanceDialog::Open();
            for (auto _ : state)
                GUI_FinanceDialog::Refresh();
        }
        state.counters["designs"] = kDesigns;
    }
    else
        state.SkipWithError("no recording device");
    GUI_WindowManager::Instance().CloseAll();
    SalesRecordPool::Instance().Reset();
    SIM_FinanceRecord::Instance().Reset();
    SIM_VehicleDesignManager::Instance().Clear();
    ReleaseBenchDevice();
}
} // namespace

BENCHMARK(BenchFinanceDialog)->ArgName("open")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
