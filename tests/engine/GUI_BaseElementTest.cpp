// The widget base: rectangle arithmetic, children following their parent, screen clamping.
#include "engine/GUI_BaseElement.h"
#include "engine/GScreenSize.h"

#include <gtest/gtest.h>

namespace
{
struct WbRect
{
    int l, t, r, b, w, h;
    bool operator==(const WbRect& o) const
    {
        return l == o.l && t == o.t && r == o.r && b == o.b && w == o.w && h == o.h;
    }
};

WbRect WbOf(const GUI_BaseElement& e)
{
    return {e.GetLeft(), e.GetTop(), e.GetRight(), e.GetBottom(), e.GetWidth(), e.GetHeight()};
}

std::ostream& operator<<(std::ostream& os, const WbRect& r)
{
    return os << "(" << r.l << "," << r.t << "," << r.r << "," << r.b << " " << r.w << "x" << r.h << ")";
}

// A widget that counts how it was placed, to see layout go through the override.
struct WbPlacedCounter : GUI_BaseElement
{
    int placed = 0;
    void SetPosition(float x, float y) override
    {
        ++placed;
        GUI_BaseElement::SetPosition(x, y);
    }
};
} // namespace

TEST(WidgetBase, NewElementIsEmpty)
{
    GUI_BaseElement e;
    EXPECT_EQ(WbOf(e), (WbRect{0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(e.GetChildren().empty());
    EXPECT_TRUE(e.GetName().empty());
    EXPECT_FALSE(e.OnClick(0.0f, 0.0f));
}

TEST(WidgetBase, SetRectTruncatesEachValueAndTheDifferences)
{
    struct Case
    {
        float x1, y1, x2, y2;
        WbRect expected;
    };
    const Case cases[] = {
        {0.5f, 0.0f, 10.4f, 5.0f, {0, 0, 10, 5, 9, 5}},
        {-1.5f, -2.7f, 3.2f, 4.9f, {-1, -2, 3, 4, 4, 7}},
        {10.0f, 10.0f, 10.0f, 10.0f, {10, 10, 10, 10, 0, 0}},
        {5.0f, 5.0f, 2.0f, 1.0f, {5, 5, 2, 1, -3, -4}},
    };
    for (const Case& c : cases)
    {
        GUI_BaseElement e;
        e.SetRect(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(WbOf(e), c.expected) << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2;
    }
}

TEST(WidgetBase, SizeAppliesAtTheNextPosition)
{
    GUI_BaseElement e;
    e.SetRect(10, 20, 110, 70);
    e.SetSize(30.9f, 40.2f);
    EXPECT_EQ(WbOf(e), (WbRect{10, 20, 110, 70, 30, 40}));
    e.SetPosition(5.5f, 6.5f);
    EXPECT_EQ(WbOf(e), (WbRect{5, 6, 35, 46, 30, 40}));
}

TEST(WidgetBase, HitTestIncludesLeftTopAndExcludesRightBottom)
{
    GUI_BaseElement e;
    e.SetRect(10, 20, 30, 40);
    struct Case
    {
        float x, y;
        bool inside;
    };
    const Case cases[] = {
        {10, 20, true},    {29.9f, 39.9f, true}, {30, 25, false},    {15, 40, false},
        {9.9f, 25, false}, {15, 19, false},      {29.99f, 25, true}, // truncation keeps a point just short of the right
                                                                     // edge inside
    };
    for (const Case& c : cases)
        EXPECT_EQ(e.IsInside(c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(WidgetBase, ChildrenKeepTheirOffsetsThroughTheTree)
{
    GUI_BaseElement parent;
    WbPlacedCounter child, grandchild;
    GUI_BaseElement second;
    parent.SetRect(100, 100, 300, 200);
    child.SetRect(110, 120, 150, 140);
    grandchild.SetRect(115, 125, 120, 130);
    second.SetRect(90, 95, 100, 105);
    child.AddChild(&grandchild);
    parent.AddChild(&child);
    parent.AddChild(&second);
    parent.AddChild(nullptr);
    ASSERT_EQ(parent.GetChildren().size(), 2u);
    EXPECT_FLOAT_EQ(parent.GetChildren()[1].dx, -10.0f);

    parent.SetPosition(0, 50);
    EXPECT_EQ(WbOf(parent), (WbRect{0, 50, 200, 150, 200, 100}));
    EXPECT_EQ(WbOf(child), (WbRect{10, 70, 50, 90, 40, 20}));
    EXPECT_EQ(WbOf(grandchild), (WbRect{15, 75, 20, 80, 5, 5}));
    EXPECT_EQ(WbOf(second), (WbRect{-10, 45, 0, 55, 10, 10}));
    EXPECT_GE(child.placed, 1); // re-placed through its own override

    parent.SetRect(1000, 1000, 1010, 1010);
    EXPECT_EQ(WbOf(child), (WbRect{1010, 1020, 1050, 1040, 40, 20}));
    EXPECT_EQ(WbOf(grandchild), (WbRect{1015, 1025, 1020, 1030, 5, 5}));
}

TEST(WidgetBase, CentreAndClampUseTheScreenSize)
{
    GScreenSize::Set(1280, 720);
    struct Case
    {
        const char* what;
        WbRect start;
        bool centre;
        WbRect expected;
    };
    const Case cases[] = {
        {"centred, odd sizes halve separately", {0, 0, 101, 51, 101, 51}, true, {590, 335, 691, 386, 101, 51}},
        {"off the top-left corner", {-20, -10, 80, 40, 100, 50}, false, {0, 0, 100, 50, 100, 50}},
        {"off the bottom-right corner", {1250, 700, 1350, 750, 100, 50}, false, {1180, 670, 1280, 720, 100, 50}},
        {"inside stays", {10, 10, 110, 60, 100, 50}, false, {10, 10, 110, 60, 100, 50}},
        {"larger than the screen ends on the far edges",
         {-10, -10, 1490, 990, 1500, 1000},
         false,
         {-220, -280, 1280, 720, 1500, 1000}},
    };
    for (const Case& c : cases)
    {
        GUI_BaseElement e;
        e.SetRect(static_cast<float>(c.start.l), static_cast<float>(c.start.t), static_cast<float>(c.start.r),
                  static_cast<float>(c.start.b));
        if (c.centre)
            e.CentreOnScreen();
        else
            e.ClampToScreen();
        EXPECT_EQ(WbOf(e), c.expected) << c.what;
    }
    GScreenSize::Set(0, 0);
}

TEST(WidgetBase, CentringDoesNotMoveChildren)
{
    GScreenSize::Set(800, 600);
    GUI_BaseElement parent, child;
    parent.SetRect(0, 0, 100, 100);
    child.SetRect(10, 10, 20, 20);
    parent.AddChild(&child);
    parent.CentreOnScreen();
    EXPECT_EQ(parent.GetLeft(), 350);
    EXPECT_EQ(child.GetLeft(), 10);
    GScreenSize::Set(0, 0);
}
