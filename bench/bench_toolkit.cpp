// bench-links: fv_toolkit
// Per-frame cost of the window tree: 40 open dialogs of buttons, a check box and a slider, and a
// dialog with a 1,000-row list that scrolls one row every frame; each frame runs the window
// update, the draw, the tooltip pass and the cursor as a screen does. On the recording back end
// the figure is the toolkit's own work on one core; on OpenGL (software GL under Xvfb in CI) it
// adds the driver's.
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GTextureManager.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"

#include "BenchDevice.h"
#include "BenchDisplay.h"
#include "BenchInput.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <unistd.h>

namespace
{
constexpr int kScreenW = 1280;
constexpr int kScreenH = 768;

class BenchDialog : public GUI_Dialog
{
public:
    explicit BenchDialog(int index) : GUI_Dialog(true)
    {
        for (int i = 0; i < 4; ++i)
            m_buttons[i] = CreateChild<GUI_ButtonText>("CONFIRM_YES", [] {});
        m_buttons[0]->SetTooltip("A button", 30);
        m_check = CreateChild<GUI_CheckButton>("Autosave", [] {});
        m_slider = CreateSubWindow<GUI_OptionsSlider>(nullptr, 0, "OPTIONS_SFX", true, 0.5f);
        SetSize(300, 260);
        SetPosition(static_cast<float>(20 + (index % 8) * 120), static_cast<float>(40 + (index / 8) * 90));
        SetTitle("Dialog " + std::to_string(index));
    }
    void Layout() override
    {
        GUI_Layout area(GetClientRect(), 8);
        const auto cells = GUI_Layout::SplitColumns(area.Row(30), 2, 8);
        GUI_Layout::Place(m_buttons[0], cells[0]);
        GUI_Layout::Place(m_buttons[1], cells[1]);
        const auto more = GUI_Layout::SplitColumns(area.Row(30), 2, 8);
        GUI_Layout::Place(m_buttons[2], more[0]);
        GUI_Layout::Place(m_buttons[3], more[1]);
        GUI_Layout::Place(m_check, area.Row(42));
        GUI_Layout::Place(m_slider, area.Row(44));
    }
    void Draw() override
    {
        GUI_Dialog::Draw();
        DrawSubWindows();
    }

private:
    GUI_ButtonText* m_buttons[4] = {};
    GUI_CheckButton* m_check = nullptr;
    GUI_OptionsSlider* m_slider = nullptr;
};

class BenchRow : public GUI_WindowBase
{
public:
    explicit BenchRow(int index) : m_text("Savegame " + std::to_string(index)) {}
    void Draw() override
    {
        GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom},
                                        IsMouseOver() ? 0xFFF0F0F0u : 0xFFC8C8C8u);
        GFontManager::Instance().Print(m_text, 0xFF000000u, static_cast<float>(m_left + 4), static_cast<float>(m_top),
                                       0.0f, 0);
    }

private:
    std::string m_text;
};

class BenchListDialog : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    BenchListDialog() : GUI_Dialog(true)
    {
        m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
        for (int i = 0; i < 1000; ++i)
            m_rows.push_back(std::make_unique<BenchRow>(i));
        SetSize(400, 600);
        SetPosition(860, 100);
        SetTitle("Savegames");
    }
    void Layout() override
    {
        const PRect client = GetClientRect();
        GUI_Layout::Place(m_bar, GUI_Layout::FromSize(client.right - 20, client.top, 20, client.bottom - client.top));
        LayoutRows();
    }
    void LayoutRows() override { ArrangeRows(*this, *this, GetClientRect(), 20); }
    void Update() override
    {
        // Scrolls one row a frame, back to the top after the last.
        if (m_bar->GetFirstRow() >= m_bar->GetMaxFirstRow())
            m_bar->SetFirstRow(0);
        else
            m_bar->StepDown();
        GUI_Dialog::Update();
        FollowScrollBar();
    }
    void Draw() override
    {
        GUI_Dialog::Draw();
        DrawSubWindows();
    }
};

void BenchReleaseGraphics()
{
    GUI_WindowManager::Instance().CloseAll();
    GFontManager::Instance().Shutdown();
    ReleaseBenchDevice();
}

void BenchLoadFonts()
{
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GFontManager& text = GFontManager::Instance();
    text.Init();
    text.CreateFont(16, 25, 10, 10, "data/fonts/Open Sans Semibold_16.dds.dat", "Open Sans Semibold_16.dds")
        ->m_letterSpacing = -1;
    text.CreateFont(36, 45, 14, 10, "data/fonts/Open Sans ExtraBold_36.dds.dat", "Open Sans ExtraBold_36.dds")
        ->m_letterSpacing = 2;
    text.CreateFont(20, 30, 14, 10, "data/fonts/Open Sans Semibold_20_onblack.dds.dat",
                    "Open Sans Semibold_20_onblack.dds")
        ->m_letterSpacing = 2;
}

void BenchWindowTree(benchmark::State& state)
{
    const bool gl = state.range(0) != 0;
    if (chdir(FV_SOURCE_DIR) != 0)
    {
        state.SkipWithError("no source folder");
        return;
    }
    BenchReleaseGraphics();
    std::shared_ptr<PRecordingState> recording;
    if (gl)
    {
        if (!OpenBenchDisplay(kScreenW, kScreenH))
        {
            state.SkipWithError("no OpenGL display");
            return;
        }
    }
    else
    {
        recording = std::make_shared<PRecordingState>();
        PRecordingGraphicsSystem::Install(recording);
        PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
        recording->windowWidth = kScreenW;
        recording->windowHeight = kScreenH;
        GScreenSize::Set(kScreenW, kScreenH);
        if (!GD3DDevice::Instance().Init(kScreenW, kScreenH, true))
        {
            state.SkipWithError("no recording device");
            return;
        }
    }
    BenchLoadFonts();
    BenchInput input(640.0f, 300.0f);
    CBaseInputManager::SetActive(&input);
    for (int i = 0; i < 40; ++i)
        GUI_WindowManager::Create<BenchDialog>(i);
    GUI_WindowManager::Create<BenchListDialog>();
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    for (auto _ : state)
    {
        GD3DDevice::Instance().BeginFrame();
        input.Update();
        windows.Update();
        windows.Draw();
        GUI_Tooltip::DrawQueuedTooltips();
        GUI_Cursor::Instance().Update();
        GD3DDevice::Instance().EndFrame();
        if (recording)
            recording->Clear();
    }
    state.counters["windows"] = static_cast<double>(windows.GetWindows().size());
    CBaseInputManager::SetActive(nullptr);
    BenchReleaseGraphics();
}
} // namespace

BENCHMARK(BenchWindowTree)->ArgName("opengl")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
