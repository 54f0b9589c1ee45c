// Scrolling lists: rows shown from the first visible one as far as they fit, stepping by arrows,
// wheel and page areas, dragging the thumb, and choosing a row.
#include "ToolkitTestSupport.h"

#include "gui/toolkit/widgets/GUI_ScrollButton.h"
#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
// A row that remembers being chosen.
class ListRow : public GUI_WindowBase
{
public:
    ListRow(int index, int& chosen) : m_index(index), m_chosen(chosen) {}
    bool OnClick(float x, float y) override
    {
        if (!IsInside(x, y))
            return false;
        m_chosen = m_index;
        return true;
    }
    int Index() const { return m_index; }

private:
    int m_index;
    int& m_chosen;
};

// A list of rows of 16 pixels in (0, 0) .. (200, bottom), its bar at the right.
class RowList : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    RowList(int rows, int bottom) : m_count(rows), m_bottomOfRows(bottom)
    {
        SetRect(0, 0, 200, static_cast<float>(bottom));
        m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
        m_bar->SetRect(180, 0, 200, static_cast<float>(bottom));
        RebuildRows();
    }
    void RebuildRows() override
    {
        m_rows.clear();
        for (int i = 0; i < m_count; ++i)
            m_rows.push_back(std::make_unique<ListRow>(i, chosen));
        LayoutRows();
    }
    void LayoutRows() override { ArrangeRows(*this, *this, 0, 0, 200, m_bottomOfRows, 16); }
    void Update() override
    {
        GUI_WindowBase::Update();
        FollowScrollBar();
    }
    void Draw() override
    {
        DrawSubWindows();
        GUI_WindowBase::Draw();
    }
    // Indexes of the rows shown, top to bottom.
    std::vector<int> Shown() const
    {
        std::vector<int> out;
        for (GUI_WindowBase* w : GetSubWindows())
            if (auto* row = dynamic_cast<ListRow*>(w))
                out.push_back(row->Index());
        return out;
    }
    int chosen = -1;

private:
    int m_count;
    int m_bottomOfRows;
};
} // namespace

using ListTest = ToolkitTest;

TEST_F(ListTest, TenRowsInAHundredPixelsShowSixAndStepToTheEnd)
{
    auto* list = GUI_WindowManager::Create<RowList>(10, 100);
    GUI_ScrollingWindow* bar = list->GetScrollBar();
    EXPECT_EQ(list->Shown(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(bar->GetMaxFirstRow(), 4);
    EXPECT_FLOAT_EQ(bar->GetVisibleRows(), 6.0f);
    for (int step = 0; step < 4; ++step)
    {
        bar->GetDownButton()->Click();
        EXPECT_TRUE(bar->IsChanged());
        Frame();
        EXPECT_FALSE(bar->IsChanged()) << "the list took the change";
    }
    EXPECT_EQ(list->Shown(), (std::vector<int>{4, 5, 6, 7, 8, 9}));
    bar->GetDownButton()->Click();
    EXPECT_FALSE(bar->IsChanged()) << "a step past the end changes nothing";
    EXPECT_EQ(bar->GetFirstRow(), 4);
    bar->OnWheelUp();
    Frame();
    EXPECT_EQ(list->Shown().front(), 3);
    EXPECT_TRUE(m_services.sounds.empty()) << "the arrows step silently";
}

TEST_F(ListTest, ARowEndingBelowTheListIsNotShownNorAnyAfterIt)
{
    auto* list = GUI_WindowManager::Create<RowList>(10, 16 * 3 + 15);
    EXPECT_EQ(list->Shown(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list->GetScrollBar()->GetMaxFirstRow(), 7);
    // Rows keep the bar's strip free.
    EXPECT_EQ(list->GetSubWindows().back()->GetRight(), 200 - 25);
}

TEST_F(ListTest, RowsThatAllFitHaveNoThumbAndTheTrackDoesNothing)
{
    auto* list = GUI_WindowManager::Create<RowList>(3, 100);
    GUI_ScrollingWindow* bar = list->GetScrollBar();
    Frame();
    EXPECT_EQ(bar->GetThumbRect().bottom, 0);
    EXPECT_EQ(bar->GetPageDownArea().bottom, 0);
    EXPECT_FALSE(ClickAt(190, 50) && bar->IsChanged());
    EXPECT_EQ(bar->GetFirstRow(), 0);
}

TEST_F(ListTest, PageAreasStepAndTheThumbDragsToTheExactEnd)
{
    auto* list = GUI_WindowManager::Create<RowList>(1000, 400);
    GUI_ScrollingWindow* bar = list->GetScrollBar();
    Frame();
    const PRect thumb = bar->GetThumbRect();
    ASSERT_GT(thumb.bottom, thumb.top);
    EXPECT_GE(thumb.bottom - thumb.top, 6) << "the thumb never shrinks below 6 pixels";
    // Below the thumb: one row down.
    EXPECT_TRUE(ClickAt(190, 300));
    EXPECT_EQ(bar->GetFirstRow(), 1);
    Frame();
    EXPECT_EQ(list->Shown().front(), 1);

    // Grab the thumb and pull it far past the bottom of the track.
    const PRect grabbed = bar->GetThumbRect();
    m_input.SetLeftHeld(true);
    ClickAt(190, static_cast<float>(grabbed.top + 2));
    ASSERT_TRUE(bar->IsDraggingThumb());
    m_input.MoveTo(190, 5000);
    Frame();
    EXPECT_EQ(bar->GetFirstRow(), bar->GetMaxFirstRow());
    EXPECT_EQ(bar->GetMaxFirstRow(), 1000 - 25);
    m_input.MoveTo(190, -5000);
    Frame();
    EXPECT_EQ(bar->GetFirstRow(), 0);
    m_input.SetLeftHeld(false);
    Frame();
    EXPECT_FALSE(bar->IsDraggingThumb());

    // Choosing a row after scrolling picks the row under the mouse.
    bar->SetFirstRow(500);
    Frame();
    EXPECT_TRUE(ClickAt(50, 16 * 2 + 5));
    EXPECT_EQ(list->chosen, 502);
}

TEST_F(ListTest, AHorizontalBarTurnsItsArrows)
{
    GUI_ScrollingWindow bar(false);
    bar.SetRect(0, 0, 300, 20);
    EXPECT_FLOAT_EQ(bar.GetUpButton()->GetNormalSprite().m_angle, 270.0f);
    EXPECT_EQ(bar.GetDownButton()->GetLeft(), 280) << "the arrows are squares at the ends";
    EXPECT_EQ(bar.GetUpButton()->GetRight(), 20);
}
