// Tooltips: the rest delay, one box per frame over everything, placement at the screen edges,
// wrapping, and a queue that never keeps a deleted or stale tooltip.
#include "ToolkitTestSupport.h"

#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <memory>
#include <string>

namespace
{
// The frame of the tooltip drawn last: its fill colour's draw call.
const PRecordingDraw* TooltipFrame(const PRecordingState& rec)
{
    for (const PRecordingDraw& d : rec.draws)
        if (!d.vertices.empty() && d.vertices[0].colour == 0xE640CDDAu)
            return &d;
    return nullptr;
}
} // namespace

class TooltipTest : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        LoadFonts();
    }
    // One frame in which the owner sees the mouse over it, then the queue is drawn.
    void HoverFrame(GUI_Tooltip& tip)
    {
        m_input.Update();
        tip.UpdateHover();
        tip.Draw();
        GUI_Tooltip::DrawQueuedTooltips();
    }
};

TEST_F(TooltipTest, AResting30FrameTooltipShowsInThe31stFrameAndFadesAfterTheMouseLeaves)
{
    GUI_Tooltip tip("Research offices produce research points", 30);
    m_input.MoveTo(100, 100);
    int shownAt = -1;
    for (int frame = 1; frame <= 40 && shownAt < 0; ++frame)
    {
        m_rec->Clear();
        HoverFrame(tip);
        if (TooltipFrame(*m_rec))
            shownAt = frame;
    }
    // The first frame only sets the rest point; then the count must exceed the delay.
    EXPECT_EQ(shownAt, 32);
    // No more hover: one more frame at half strength, then gone.
    m_rec->Clear();
    tip.Draw();
    GUI_Tooltip::DrawQueuedTooltips();
    EXPECT_NE(TooltipFrame(*m_rec), nullptr);
    m_rec->Clear();
    tip.Draw();
    GUI_Tooltip::DrawQueuedTooltips();
    EXPECT_EQ(TooltipFrame(*m_rec), nullptr);
}

TEST_F(TooltipTest, OnlyTheFirstQueuedTooltipIsDrawn)
{
    GUI_Tooltip first("First", 0);
    GUI_Tooltip second("Second", 0);
    m_input.MoveTo(100, 100);
    m_input.Update();
    m_input.Update();
    first.UpdateHover();
    second.UpdateHover();
    first.Draw();
    second.Draw();
    m_rec->Clear();
    GUI_Tooltip::DrawQueuedTooltips();
    int frames = 0;
    for (const PRecordingDraw& d : m_rec->draws)
        frames += !d.vertices.empty() && d.vertices[0].colour == 0xE640CDDAu ? 1 : 0;
    EXPECT_EQ(frames, 1);
    EXPECT_FLOAT_EQ(first.GetAlpha(), 0.5f);
    EXPECT_FLOAT_EQ(second.GetAlpha(), 1.0f) << "the one skipped keeps its strength";
    EXPECT_TRUE(GUI_Tooltip::GetQueue().empty());
}

TEST_F(TooltipTest, TheBoxFlipsAtTheRightEdgeRisesAtTheBottomAndWrapsLongLines)
{
    const std::string longLine =
        "A line much longer than two hundred and forty pixels wraps inside the box instead of leaving it";
    const struct
    {
        float mouseX, mouseY;
        const char* text;
        bool leftOfMouse, aboveMouse;
    } cases[] = {
        {100, 100, "Short", false, false},
        {790, 100, "Short", true, false},
        {100, 595, "Short", false, true},
        {100, 100, longLine.c_str(), false, false},
    };
    for (const auto& c : cases)
    {
        GUI_Tooltip tip(c.text, 0);
        m_input.MoveTo(c.mouseX, c.mouseY);
        m_input.Update();
        m_input.Update();
        m_rec->Clear();
        HoverFrame(tip);
        ASSERT_NE(TooltipFrame(*m_rec), nullptr) << c.text;
        EXPECT_EQ(tip.GetLeft() < static_cast<int>(c.mouseX), c.leftOfMouse) << c.mouseX;
        EXPECT_EQ(tip.GetTop() < static_cast<int>(c.mouseY), c.aboveMouse) << c.mouseY;
        if (c.text == longLine.c_str())
        {
            EXPECT_EQ(tip.GetWidth(), GUI_Tooltip::kMaxWidth);
            EXPECT_GT(tip.GetHeight(), 20) << "more than one line";
        }
        else
        {
            EXPECT_EQ(tip.GetLeft(),
                      c.leftOfMouse ? static_cast<int>(c.mouseX) - tip.GetWidth() : static_cast<int>(c.mouseX) + 30);
        }
    }
}

TEST_F(TooltipTest, TheQueueNeverKeepsADeletedOrStaleTooltip)
{
    auto tip = std::make_unique<GUI_Tooltip>("Gone", 0);
    m_input.MoveTo(100, 100);
    m_input.Update();
    m_input.Update();
    tip->UpdateHover();
    tip->Draw();
    ASSERT_EQ(GUI_Tooltip::GetQueue().size(), 1u);
    tip.reset();
    EXPECT_TRUE(GUI_Tooltip::GetQueue().empty());

    // A screen that never draws the queue: the next frame's window update empties it.
    GUI_Tooltip stale("Stale", 0);
    stale.UpdateHover();
    stale.Draw();
    ASSERT_EQ(GUI_Tooltip::GetQueue().size(), 1u);
    GUI_WindowManager::Instance().Update();
    EXPECT_TRUE(GUI_Tooltip::GetQueue().empty());
}
