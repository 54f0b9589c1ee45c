// The pie chart: how slices are laid round the circle by each builder, which slice the mouse
// hovers, how slices grow and stand out, and the pie as the player sees it under OpenGL.
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "platform/core/PClock.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/gui/toolkit/ToolkitTestSupport.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr float kCentreX = 400.0f, kCentreY = 300.0f, kRadius = 100.0f;

// A point at that angle (degrees, 0 up, clockwise) and distance from the chart's centre.
void MouseAt(ToolkitTestInput& input, float degrees, float distance)
{
    const float a = degrees * 3.14159265f / 180.0f;
    input.MoveTo(kCentreX + std::sin(a) * distance, kCentreY - std::cos(a) * distance);
}

// The index of the one hovered slice, -1 when none, -2 when more than one.
int Hovered(const GUI_PieChart& chart)
{
    int found = -1;
    for (int i = 0; i < chart.GetSegmentCount(); ++i)
        if (chart.GetSegment(i)->IsHovered())
            found = found == -1 ? i : -2;
    return found;
}
} // namespace

class PieChartTest : public EffectsRecordingTest
{
protected:
    void SetUp() override
    {
        EffectsRecordingTest::SetUp();
        GTextureManager::Instance().AddFolder(std::string(FV_SOURCE_DIR) + "/data/bitmaps");
        m_world.Install();
        InitPieChartColours();
        // Made once the device is there: the chart finds its texture when it is built.
        m_owned = std::make_unique<GUI_PieChart>();
        m_chart = m_owned.get();
        m_chart->SetPosition(kCentreX, kCentreY);
        m_chart->SetRadius(kRadius);
    }
    void TearDown() override
    {
        m_owned.reset();
        m_world.Remove();
        EffectsRecordingTest::TearDown();
    }
    int HoveredAt(float degrees, float distance)
    {
        MouseAt(m_world.input, degrees, distance);
        m_chart->Update();
        return Hovered(*m_chart);
    }

    ToolkitTestWorld m_world;
    std::unique_ptr<GUI_PieChart> m_owned;
    GUI_PieChart* m_chart = nullptr;
};

TEST_F(PieChartTest, EachBuilderStartsWhereTheLastSliceEndedAndTakesItsColour)
{
    m_chart->AddSegment("Wages", 10, 20, 30, 200, 0.5f);
    m_chart->AddPaletteSegment("Rent", 0.25f);
    m_chart->AddPaletteSegment("Power", 0.25f);
    struct Expected
    {
        float start, end;
        uint32_t argb;
        const char* tooltip;
    };
    const Expected expected[] = {
        {0.0f, 180.0f, 0xC80A141Eu, "Wages"},
        {180.0f, 270.0f, PieChartColours::GetArgb(1), "Rent"},
        {270.0f, 360.0f, PieChartColours::GetArgb(2), "Power"},
    };
    ASSERT_EQ(m_chart->GetSegmentCount(), 3);
    for (int i = 0; i < 3; ++i)
    {
        const GUI_PieSegment& s = *m_chart->GetSegment(i);
        EXPECT_FLOAT_EQ(s.GetStartAngle(), expected[i].start) << i;
        EXPECT_FLOAT_EQ(s.GetEndAngle(), expected[i].end) << i;
        EXPECT_EQ(s.GetArgb(), expected[i].argb) << i;
        ASSERT_NE(s.GetTooltip(), nullptr) << i;
        EXPECT_EQ(s.GetTooltip()->GetLines(), std::vector<std::string>{expected[i].tooltip}) << i;
    }
    EXPECT_EQ(m_chart->GetSegment(0)->GetLabel(), "Wages");
    EXPECT_EQ(m_chart->GetSegment(1)->GetLabel(), "") << "palette slices carry only a tooltip";

    // The remainder closes the circle whatever came before it.
    m_chart->Clear();
    EXPECT_FLOAT_EQ(m_chart->GetRunningAngle(), 0.0f) << "a refill starts at the top again";
    m_chart->AddPaletteSegment("a", 0.3f);
    m_chart->AddPaletteSegment("b", 0.2f);
    const GUI_PieSegment* rest = m_chart->AddRemainderSegment();
    EXPECT_NEAR(rest->GetStartAngle(), 180.0f, 1e-3f);
    EXPECT_NEAR(rest->GetSweep(), 180.0f, 1e-3f);
    EXPECT_NEAR(rest->GetFraction(), 0.5f, 1e-5f);
    EXPECT_EQ(rest->GetArgb(), PieChartColours::GetArgb(2));

    // The palette runs out after 60 slices; a share above the whole circle is cut to it, and a
    // remainder of an overfull pie is empty.
    m_chart->Clear();
    for (int i = 0; i < 61; ++i)
        m_chart->AddPaletteSegment("", 0.001f);
    EXPECT_EQ(m_chart->GetSegment(59)->GetArgb(), PieChartColours::GetArgb(59));
    EXPECT_EQ(m_chart->GetSegment(60)->GetArgb(), 0x80FF0000u) << "the 61st slice is half-transparent red";
    m_chart->Clear();
    EXPECT_FLOAT_EQ(m_chart->AddPaletteSegment("all", 2.5f)->GetSweep(), 360.0f);
    EXPECT_FLOAT_EQ(m_chart->AddRemainderSegment()->GetSweep(), 0.0f);
    EXPECT_FLOAT_EQ(m_chart->AddPaletteSegment("nan", std::nanf(""))->GetSweep(), 0.0f);
}

TEST_F(PieChartTest, OnlyTheSliceStrictlyUnderTheMouseInsideTheRimIsHovered)
{
    m_chart->AddPaletteSegment("half", 0.5f);
    m_chart->AddPaletteSegment("quarter", 0.25f);
    m_chart->AddSegment("sliver", 255, 0, 0, 255, 1.5f / 360.0f);
    m_chart->AddRemainderSegment();
    EXPECT_EQ(m_chart->GetSegment(2)->GetTooltip(), nullptr) << "a slice of 2 degrees or less has no tooltip";
    struct Case
    {
        float degrees, distance;
        int hovered;
    };
    const Case cases[] = {
        {90.0f, 50.0f, 0},    // right half
        {225.0f, 99.0f, 1},   // lower left, just inside the rim
        {225.0f, 101.0f, -1}, // just outside
        {0.0f, 50.0f, -1},    // straight up: angle 0 belongs to no slice
        {180.0f, 50.0f, -1},  // on the boundary of two slices
        {270.75f, 50.0f, -1}, // the sliver never reacts
        {300.0f, 50.0f, 3},   // the remainder
        {359.5f, 50.0f, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HoveredAt(c.degrees, c.distance), c.hovered) << c.degrees << " degrees at " << c.distance;

    // A refilled chart is hovered where it now draws.
    m_chart->Clear();
    m_chart->SetFirstFill(false);
    m_chart->AddPaletteSegment("first", 0.75f);
    m_chart->AddPaletteSegment("second", 0.25f);
    EXPECT_EQ(HoveredAt(300.0f, 60.0f), 1);
    EXPECT_EQ(HoveredAt(100.0f, 60.0f), 0);

    m_chart->SetVisible(false);
    MouseAt(m_world.input, 300.0f, 60.0f);
    m_chart->Update();
    EXPECT_EQ(Hovered(*m_chart), 0) << "a hidden chart keeps what it had";
}

TEST_F(PieChartTest, SlicesGrowOnTheFirstFillAndTheHoveredOneStandsOutWithAnOutline)
{
    m_chart->AddPaletteSegment("half", 0.5f);
    m_chart->AddSegment("tiny", 0, 0, 255, 255, 1.5f / 360.0f);
    m_chart->AddRemainderSegment();
    m_world.input.MoveTo(0.0f, 0.0f);
    m_chart->Update();

    // The first frame starts the grow timers: nothing has grown yet.
    m_rec->Clear();
    m_chart->Draw();
    ASSERT_EQ(m_rec->draws.size(), 3u);
    EXPECT_EQ(m_rec->draws[0].type, PPrimitive::TriangleFan);
    EXPECT_EQ(m_rec->draws[0].primitives, 36) << "a step every 5 degrees";
    EXPECT_EQ(m_rec->draws[1].primitives, 1) << "a sliver is still drawn";
    EXPECT_NE(m_rec->draws[0].texture, 0) << "the slices are shaded by the pie texture";
    EXPECT_NEAR(m_rec->draws[0].vertices[1].y, kCentreY, 1e-3f);

    // Half a second later at the slowest pace every slice has its full size, less 5 percent.
    for (int frame = 0; frame < 40; ++frame)
    {
        PClock::AdvanceManual(16000000ull);
        m_chart->Draw();
    }
    m_rec->Clear();
    m_chart->Draw();
    const PRecordingDraw& half = m_rec->draws[0];
    EXPECT_NEAR(half.vertices[1].x, kCentreX, 1e-3f);
    EXPECT_NEAR(half.vertices[1].y, kCentreY - 95.0f, 1e-3f) << "starts straight up";
    EXPECT_NEAR(half.vertices[37].x, kCentreX, 1e-3f);
    EXPECT_NEAR(half.vertices[37].y, kCentreY + 95.0f, 1e-3f) << "ends straight down";
    EXPECT_NEAR(half.vertices[19].x, kCentreX + 95.0f, 1e-3f) << "the first half is the right half";
    // The texture spans the full pie's square, whatever the slice's size.
    EXPECT_NEAR(half.vertices[19].u, (95.0f + 100.0f) / 200.0f, 1e-5f);
    EXPECT_NEAR(half.vertices[0].v, 0.5f, 1e-5f);
    EXPECT_EQ(half.vertices[5].colour, PieChartColours::GetArgb(0));
    float meanX = 0.0f;
    for (const PVertex& v : half.vertices)
        meanX += v.x;
    meanX /= static_cast<float>(half.vertices.size());
    EXPECT_NEAR(m_chart->GetSegment(0)->GetLabelX(), meanX, 1e-3f) << "the tooltip sits at the slice's middle";
    EXPECT_FLOAT_EQ(m_chart->GetSegment(0)->GetTooltip()->GetAnchorX(), m_chart->GetSegment(0)->GetLabelX());

    // Hovered: full radius and a white outline from the centre round the rim and back.
    MouseAt(m_world.input, 90.0f, 50.0f);
    m_chart->Update();
    m_rec->Clear();
    m_chart->Draw();
    ASSERT_EQ(m_rec->draws.size(), 4u);
    EXPECT_NEAR(m_rec->draws[0].vertices[19].x, kCentreX + 100.0f, 1e-3f);
    const PRecordingDraw& outline = m_rec->draws[3];
    EXPECT_EQ(outline.type, PPrimitive::LineStrip);
    EXPECT_EQ(outline.primitives, 38);
    EXPECT_EQ(outline.texture, 0);
    EXPECT_EQ(outline.vertices.front().x, outline.vertices.back().x);
    EXPECT_EQ(outline.vertices.front().y, outline.vertices.back().y);
    EXPECT_EQ(outline.vertices[10].colour, 0xFFFFFFFFu);

    // A refill without the first-fill flag shows every slice at once at full size.
    m_chart->Clear();
    m_chart->SetFirstFill(false);
    m_chart->AddPaletteSegment("all", 1.0f);
    m_world.input.MoveTo(0.0f, 0.0f);
    m_chart->Update();
    m_rec->Clear();
    m_chart->Draw();
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_EQ(m_rec->draws[0].primitives, 72);
    EXPECT_NEAR(m_rec->draws[0].vertices[1].y, kCentreY - 95.0f, 1e-3f);
}

// The pie as the finance screen shows it: drawn over a panel, refilled, with the mouse resting on
// a slice so it stands out with its outline and tooltip.
class PieChartPicture : public EffectsGLTest
{
protected:
    void SetUp() override
    {
        EffectsGLTest::SetUp();
        if (IsSkipped())
            return;
        LoadGameFontsForTest();
        GTextureManager::Instance().AddFolder(std::string(FV_SOURCE_DIR) + "/data/bitmaps");
        m_world.Install();
        InitPieChartColours();
    }
    void TearDown() override
    {
        m_world.Remove();
        EffectsGLTest::TearDown();
    }
    ToolkitTestWorld m_world;
};

TEST_F(PieChartPicture, ARefilledPieWithAHoveredSliceMatchesItsReferencePicture)
{
    GUI_PieChart chart;
    chart.SetPosition(110.0f, 120.0f);
    chart.SetRadius(90.0f);
    const float shares[] = {0.4f, 0.2f, 0.15f, 0.1f};
    for (float share : shares)
        chart.AddPaletteSegment("first fill", share);
    chart.AddRemainderSegment();
    GD3DDevice& d3d = GD3DDevice::Instance();
    for (int frame = 0; frame < 3; ++frame)
    {
        PClock::AdvanceManual(16000000ull);
        chart.Update();
        chart.Draw();
    }

    chart.Clear();
    chart.SetFirstFill(false);
    chart.AddSegment("Wages", 40, 90, 200, 200, 0.45f);
    chart.AddPaletteSegment("Rent", 0.25f);
    chart.AddPaletteSegment("Power", 0.18f);
    chart.AddRemainderSegment()->GetTooltip()->SetText("Other");
    m_world.input.MoveTo(70.0f, 160.0f); // over "Rent", lower left
    for (int frame = 0; frame < 20; ++frame)
    {
        PClock::AdvanceManual(16000000ull);
        d3d.GetDevice()->Clear(0xFF2A3B4Cu);
        d3d.FillRect(PRect{10, 20, 310, 230}, 0xFFE8E4DCu);
        m_world.input.Update();
        chart.Update();
        chart.Draw();
        GUI_Tooltip::DrawQueuedTooltips();
    }
    ASSERT_TRUE(chart.GetSegment(1)->IsHovered());
    ExpectMatchesReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/toolkit/charts", "pie_chart");
}
