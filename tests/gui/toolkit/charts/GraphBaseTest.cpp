// The line-graph base: where the grid lines fall, where values land in the graph's rectangle, which
// way curves and bands run, and a graph as the player sees it under OpenGL.
#include "engine/GD3DDevice.h"
#include "gui/toolkit/charts/GUI_GraphBase.h"
#include "platform/core/PClock.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

#include <algorithm>
#include <vector>

namespace
{
struct Lines
{
    std::vector<float> horizontal; // y of each, in drawing order
    std::vector<float> vertical;   // x of each
};

Lines GridLines(const PRecordingState& rec)
{
    Lines lines;
    for (const PRecordingDraw& d : rec.draws)
        if (d.type == PPrimitive::LineList)
        {
            EXPECT_EQ(d.vertices[0].colour, 0xFFD3D3D3u);
            if (d.vertices[0].y == d.vertices[1].y)
                lines.horizontal.push_back(d.vertices[0].y);
            else
                lines.vertical.push_back(d.vertices[0].x);
        }
    return lines;
}

float MinX(const PRecordingDraw& d, int first, int count)
{
    float x = d.vertices[static_cast<size_t>(first)].x;
    for (int i = first; i < first + count; ++i)
        x = std::min(x, d.vertices[static_cast<size_t>(i)].x);
    return x;
}

float MaxX(const PRecordingDraw& d, int first, int count)
{
    float x = d.vertices[static_cast<size_t>(first)].x;
    for (int i = first; i < first + count; ++i)
        x = std::max(x, d.vertices[static_cast<size_t>(i)].x);
    return x;
}
} // namespace

class GraphBaseTest : public EffectsRecordingTest
{
protected:
    void SetUp() override
    {
        EffectsRecordingTest::SetUp();
        m_graph.SetRect(100.0f, 50.0f, 300.0f, 150.0f);
        m_rec->Clear();
    }
    GUI_GraphBase m_graph;
};

TEST_F(GraphBaseTest, GridLinesStartAtTheBottomAndLeftEdgesAndEveryLoopEnds)
{
    struct Case
    {
        float spacing;
        std::vector<float> horizontal, vertical;
    };
    const Case cases[] = {
        {25.0f, {200, 175, 150, 125, 100}, {10, 35, 60, 85, 110}},
        // The last horizontal line is the first step at or above the top edge.
        {30.0f, {200, 170, 140, 110, 80}, {10, 40, 70, 100}},
        {40.5f, {200, 159, 118, 77}, {10, 50, 90}},
    };
    for (const Case& c : cases)
    {
        m_rec->Clear();
        GUI_GraphBase::DrawGrid(10, 100, 110, 200, c.spacing);
        ASSERT_FALSE(m_rec->draws.empty());
        EXPECT_EQ(m_rec->draws[0].type, PPrimitive::TriangleStrip) << "the background comes first";
        EXPECT_EQ(m_rec->draws[0].vertices[0].colour, 0xFFF3F3F3u);
        const Lines lines = GridLines(*m_rec);
        EXPECT_EQ(lines.horizontal, c.horizontal) << c.spacing;
        EXPECT_EQ(lines.vertical, c.vertical) << c.spacing;
    }
    // Spacings that would never move on are taken as one pixel.
    for (float spacing : {0.0f, -5.0f, 0.25f})
    {
        m_rec->Clear();
        GUI_GraphBase::DrawGrid(10, 100, 110, 200, spacing);
        const Lines lines = GridLines(*m_rec);
        EXPECT_EQ(lines.horizontal.size(), 101u) << spacing;
        EXPECT_EQ(lines.vertical.size(), 101u) << spacing;
    }
}

TEST_F(GraphBaseTest, ValuesAreFractionsOfTheHeightCurvesRunRightToLeftAndBandsLeftToRight)
{
    // Value lines: 0 on the bottom edge, 1 on the top edge.
    for (float value : {0.0f, 0.5f, 1.0f})
    {
        m_rec->Clear();
        m_graph.DrawValueLine(255, 0, 0, 255, value, 2.0f);
        ASSERT_EQ(m_rec->draws.size(), 1u);
        const PRecordingDraw& d = m_rec->draws[0];
        float meanY = 0.0f;
        for (const PVertex& v : d.vertices)
            meanY += v.y;
        EXPECT_NEAR(meanY / static_cast<float>(d.vertices.size()), 150.0f - 100.0f * value, 1e-3f) << value;
        EXPECT_EQ(d.vertices[0].colour, 0xFFFF0000u);
        EXPECT_EQ(d.texture, 0);
    }

    // Three values over 200 pixels: right edge to middle, then middle to left edge, in one draw.
    m_rec->Clear();
    const float curve[] = {0.0f, 1.0f, 0.5f};
    m_graph.DrawValueCurve(curve, 0, 128, 0, 255, 3.0f);
    ASSERT_EQ(m_rec->draws.size(), 1u);
    const PRecordingDraw& c = m_rec->draws[0];
    EXPECT_TRUE(c.indexed);
    EXPECT_EQ(c.primitives, 4) << "two quads";
    EXPECT_EQ(c.texture, 0);
    EXPECT_NEAR(MaxX(c, 0, 6), 300.0f, 2.0f);
    EXPECT_NEAR(MinX(c, 0, 6), 200.0f, 2.0f);
    EXPECT_NEAR(MaxX(c, 6, 6), 200.0f, 2.0f);
    EXPECT_NEAR(MinX(c, 6, 6), 100.0f, 2.0f);
    m_rec->Clear();
    const float single[] = {0.5f};
    m_graph.DrawValueCurve(single, 0, 0, 0, 255, 1.0f);
    EXPECT_TRUE(m_rec->draws.empty()) << "one value is no curve";

    // A band plots as many points as both series hold, the first at the left edge.
    std::vector<float> low(300, 0.25f), high(10, 0.75f);
    m_rec->Clear();
    m_graph.DrawValueBand(low, high, 0, 0, 255, 128);
    ASSERT_EQ(m_rec->draws.size(), 1u);
    const PRecordingDraw& b = m_rec->draws[0];
    EXPECT_EQ(b.type, PPrimitive::TriangleStrip);
    EXPECT_EQ(b.primitives, 18);
    EXPECT_FLOAT_EQ(b.vertices[0].x, 100.0f);
    EXPECT_FLOAT_EQ(b.vertices[0].y, 125.0f);
    EXPECT_FLOAT_EQ(b.vertices[1].y, 75.0f);
    EXPECT_FLOAT_EQ(b.vertices[19].x, 300.0f);
    EXPECT_EQ(b.vertices[0].colour, 0x800000FFu);
    // A full history plots 256 points; equal series make a strip of no height.
    std::vector<float> flat(1000, 0.5f);
    m_rec->Clear();
    m_graph.DrawValueBand(flat, flat, 0, 0, 0, 255);
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_EQ(m_rec->draws[0].primitives, 2 * GUI_GraphBase::kMaxBandPoints - 2);
    for (const PVertex& v : m_rec->draws[0].vertices)
        ASSERT_FLOAT_EQ(v.y, 100.0f);
    m_rec->Clear();
    m_graph.DrawValueBand(std::vector<float>(1, 0.5f), flat, 0, 0, 0, 255);
    EXPECT_TRUE(m_rec->draws.empty());
}

using GraphBasePicture = EffectsGLTest;

// A money graph as the finance screen draws it: grid, a shaded band between two histories, the
// break-even line and the cash curve.
TEST_F(GraphBasePicture, AGraphMatchesItsReferencePicture)
{
    GD3DDevice::Instance().GetDevice()->Clear(0xFF2A3B4Cu);
    GUI_GraphBase graph;
    graph.SetRect(20.0f, 20.0f, 300.0f, 220.0f);
    GUI_GraphBase::DrawGrid(20, 20, 300, 220, 20.0f);
    std::vector<float> low, high, cash;
    for (int i = 0; i < 256; ++i)
    {
        const float t = static_cast<float>(i) / 255.0f;
        low.push_back(0.15f + 0.1f * t);
        high.push_back(0.35f + 0.3f * t * t);
    }
    for (int i = 0; i < 24; ++i)
        cash.push_back(0.8f - 0.025f * static_cast<float>(i) + (i % 3 == 0 ? 0.05f : 0.0f));
    graph.DrawValueBand(low, high, 40, 160, 60, 140);
    graph.DrawValueLine(200, 40, 40, 255, 0.5f, 2.0f);
    graph.DrawValueCurve(cash, 30, 60, 200, 255, 3.0f);
    ExpectMatchesReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/toolkit/charts", "graph");
}
