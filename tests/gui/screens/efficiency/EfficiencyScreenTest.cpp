// The efficiency screen against a history written by hand: how the bands stack and in which
// order they run, the grid cells and the trim of the plot on the page a 1280 x 768 screen gives,
// the pie of the newest sample with its remainder, and the screen following new samples while
// the in-game menu opens and closes it.
#include "gui/toolkit/ToolkitTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/screens/efficiency/GUI_EfficiencyDialog.h"
#include "gui/screens/efficiency/GUI_GlobalSlotEfficiency.h"
#include "gui/screens/efficiency/GUI_GlobalSlotGraph.h"
#include "gui/screens/efficiency/GUI_GlobalSlotPie.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/game/GUI_InGameMenu.h"
#include "gui/toolkit/charts/GUI_GraphBase.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/GUI_PieSegment.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SlotState.h"

#include <gtest/gtest.h>

namespace
{
class EfficiencyScreen : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        UseScreen(1280, 768);
        InitPieChartColours();
        ClearHistory();
    }
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        ClearHistory();
        ToolkitTest::TearDown();
    }
    static void ClearHistory()
    {
        for (SIM_Efficiency::Sample& sample : SIM_Efficiency::Instance().samples)
            sample = SIM_Efficiency::Sample{};
    }
    static void SetSample(int entry, std::initializer_list<float> shares)
    {
        SIM_Efficiency::Sample& sample = SIM_Efficiency::Instance().samples[entry];
        sample = SIM_Efficiency::Sample{};
        int s = 0;
        for (float share : shares)
            sample.shares[s++] = share;
        sample.valid = 1;
    }
};

// Entry 0 is the newest sample; the graph stores the oldest at index 0.
constexpr int kNewest = GUI_GlobalSlotGraph::kSamples - 1;
} // namespace

TEST_F(EfficiencyScreen, BandsStackInStateOrderWithTheNewestSampleOnTheRight)
{
    SetSample(0, {0.0f, 1.0f});
    SetSample(1, {0.1f, 0.5f, 0.0f, 0.2f, 0.0f, 0.0f, 0.2f});
    // Out-of-range shares are clamped, a stale sample from an earlier game counts as empty.
    SetSample(2, {-0.5f, 1.5f});
    SetSample(3, {0.0f, 0.3f, 0.3f});
    SIM_Efficiency::Instance().samples[3].valid = 0;
    SetSample(255, {0.0f, 0.0f, 0.0f, 0.0f, 0.4f, 0.6f});

    GUI_EfficiencyDialog* dialog = GUI_EfficiencyDialog::Open();
    const GUI_GlobalSlotGraph& graph = *dialog->GetPage()->GetGraph();

    struct Expected
    {
        int index;
        int state;
        float lower, upper;
    };
    const Expected table[] = {
        {kNewest, UNKNOWN, 0.0f, 0.0f},
        {kNewest, RUNNING, 0.0f, 1.0f},
        {kNewest, WAITING_FOR_EXPORT, 1.0f, 1.0f},
        {kNewest - 1, UNKNOWN, 0.0f, 0.1f},
        {kNewest - 1, RUNNING, 0.1f, 0.6f},
        {kNewest - 1, NOROUTE_TO_RESOURCES, 0.6f, 0.6f},
        {kNewest - 1, INSUFFICIENT_VEHICLE, 0.6f, 0.8f},
        {kNewest - 1, WAITING_FOR_EXPORT, 0.8f, 1.0f},
        {kNewest - 2, UNKNOWN, 0.0f, 0.0f},
        {kNewest - 2, RUNNING, 0.0f, 1.0f},
        {kNewest - 3, RUNNING, 0.0f, 0.0f},
        {kNewest - 3, NOROUTE_TO_RESOURCES, 0.0f, 0.0f},
        {0, INSUFFICIENT_RESOURCES, 0.0f, 0.4f},
        {0, NO_EXPORT_ROOM, 0.4f, 1.0f},
        {0, WAITING_FOR_EXPORT, 1.0f, 1.0f},
        {100, WAITING_FOR_EXPORT, 0.0f, 0.0f},
    };
    for (const Expected& e : table)
    {
        SCOPED_TRACE(testing::Message() << "index " << e.index << ", state " << e.state);
        EXPECT_FLOAT_EQ(graph.GetLower(e.state)[static_cast<size_t>(e.index)], e.lower);
        EXPECT_FLOAT_EQ(graph.GetUpper(e.state)[static_cast<size_t>(e.index)], e.upper);
    }

    // The next sample moves every band one place to the left.
    SIM_Efficiency::Instance().ShiftSamples();
    SetSample(0, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    GUI_GamePresentation::Instance().RefreshEfficiencyWindow();
    EXPECT_FLOAT_EQ(graph.GetUpper(RUNNING)[kNewest - 1], 1.0f);
    EXPECT_FLOAT_EQ(graph.GetLower(WAITING_FOR_EXPORT)[kNewest], 0.0f);
    EXPECT_FLOAT_EQ(graph.GetUpper(WAITING_FOR_EXPORT)[kNewest], 1.0f);
    EXPECT_FLOAT_EQ(graph.GetUpper(INSUFFICIENT_VEHICLE)[kNewest - 2], 0.8f);
}

TEST_F(EfficiencyScreen, APageOf428PixelsGivesSevenPixelCellsAndAPlotTrimmedToWholeCells)
{
    GUI_EfficiencyDialog* dialog = GUI_EfficiencyDialog::Open();
    EXPECT_EQ(dialog->GetWidth(), 1000);
    EXPECT_EQ(dialog->GetHeight(), 520);
    EXPECT_TRUE(dialog->IsModal());
    const GUI_GlobalSlotEfficiency& page = *dialog->GetPage();
    ASSERT_EQ(page.GetHeight(), 428);
    EXPECT_EQ(page.GetWidth(), 968);
    EXPECT_EQ(page.GetTop(), dialog->GetClientRect().top + 30);
    EXPECT_EQ(dialog->GetTab()->GetBottom(), page.GetTop());

    // The pie panel is as wide as the page is high less 106; the graph ends 5 pixels before it.
    const GUI_GlobalSlotPie& pie = *page.GetPie();
    EXPECT_EQ(pie.GetLeft(), page.GetRight() - 322);
    const GUI_GlobalSlotGraph& graph = *page.GetGraph();
    EXPECT_EQ(graph.GetLeft(), page.GetLeft());
    EXPECT_EQ(graph.GetRight(), pie.GetLeft() - 5);

    // Plot 571 x 388 inside the frame: cells of 7; 38 rows of pixels left over go half above and
    // half below; 571 pixels hold 81 whole cells, centred.
    EXPECT_EQ(graph.GetCellSize(), 7);
    const PRect plot = graph.GetPlot();
    EXPECT_EQ(plot.top, page.GetTop() + 10 + 19);
    EXPECT_EQ(plot.bottom - plot.top, 350);
    EXPECT_EQ(plot.left, graph.GetLeft() + 10 + 2);
    EXPECT_EQ(plot.right - plot.left, 81 * 7);
    EXPECT_EQ(graph.GetPlotWindow()->GetLeft(), plot.left);
    EXPECT_EQ(graph.GetPlotWindow()->GetBottom(), plot.bottom);

    // The pie fills the top 322 pixels of its panel; the six swatches stand under it.
    EXPECT_EQ(pie.GetPieRect().bottom, page.GetTop() + 322);
    EXPECT_FLOAT_EQ(pie.GetPie()->GetRadius(), 141.0f);
    EXPECT_FLOAT_EQ(pie.GetPie()->GetCentreX(), static_cast<float>(page.GetRight()) - 161.0f);
    EXPECT_FLOAT_EQ(pie.GetPie()->GetCentreY(), static_cast<float>(page.GetTop()) + 161.0f);
    EXPECT_EQ(pie.GetSwatch(5).top, pie.GetPieRect().bottom + 80);
    EXPECT_EQ(pie.GetSwatch(5).right - pie.GetSwatch(5).left, 14);
    EXPECT_LE(pie.GetSwatch(5).bottom, page.GetBottom());
}

TEST_F(EfficiencyScreen, ThePieShowsTheNewestSampleInStateOrderAndARemainderClosesTheCircle)
{
    GUI_EfficiencyDialog* dialog = GUI_EfficiencyDialog::Open();
    const GUI_PieChart& pie = *dialog->GetPage()->GetPie()->GetPie();
    // Before the first sample the whole circle is the remainder.
    ASSERT_EQ(pie.GetSegmentCount(), 8);
    EXPECT_FLOAT_EQ(pie.GetSegment(7)->GetSweep(), 360.0f);
    EXPECT_FALSE(pie.IsFirstFill() && pie.IsGrowEnabled());

    SetSample(0, {0.0f, 0.5f, 0.25f});
    SetSample(1, {1.0f});
    GUI_GamePresentation::Instance().RefreshEfficiencyWindow();
    ASSERT_EQ(pie.GetSegmentCount(), 8);
    const float sweeps[] = {0.0f, 180.0f, 90.0f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f};
    for (int s = 0; s < 8; ++s)
    {
        SCOPED_TRACE(s);
        const GUI_PieSegment& segment = *pie.GetSegment(s);
        EXPECT_NEAR(segment.GetSweep(), sweeps[s], 0.01f);
        EXPECT_EQ(segment.GetLabel(), s < 7 ? GetSlotStateName(s) : std::string());
        const PieChartColour& c = PieChartColours::Get(s);
        EXPECT_EQ(segment.GetRed(), c.red);
        EXPECT_EQ(segment.GetBlue(), c.blue);
        EXPECT_EQ(segment.GetAlpha(), 160);
    }

    // A factory whose slots all ran: one running slice and nothing left over.
    SetSample(0, {0.0f, 1.0f});
    GUI_GamePresentation::Instance().RefreshEfficiencyWindow();
    EXPECT_NEAR(pie.GetSegment(RUNNING)->GetSweep(), 360.0f, 0.01f);
    EXPECT_NEAR(pie.GetSegment(7)->GetSweep(), 0.0f, 0.01f);
}

TEST_F(EfficiencyScreen, TheMenuButtonTogglesTheScreenAndAClosedScreenIsNotRefreshed)
{
    GUI_InGameMenu::OnButton(GUI_InGameMenu::EFFICIENCY);
    GUI_EfficiencyDialog* first = GUI_EfficiencyDialog::GetOpen();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), first);
    EXPECT_TRUE(first->GetTab()->IsSelected());
    EXPECT_TRUE(first->GetPage()->IsVisible());

    // Opening again replaces the screen.
    GUI_EfficiencyDialog* second = GUI_EfficiencyDialog::Open();
    EXPECT_NE(GUI_EfficiencyDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_EfficiencyDialog::GetOpen(), second);
    Frame();

    GUI_InGameMenu::OnButton(GUI_InGameMenu::EFFICIENCY);
    EXPECT_EQ(GUI_EfficiencyDialog::GetOpen(), nullptr);
    Frame();
    EXPECT_FALSE(GUI_WindowManager::Instance().HasModal());
    // Nothing is open to refresh: the sample is taken all the same.
    SetSample(0, {0.0f, 1.0f});
    GUI_GamePresentation::Instance().RefreshEfficiencyWindow();
    EXPECT_EQ(GUI_EfficiencyDialog::GetOpen(), nullptr);
}
