// Choosing values: the drop-down list and the slider's mapping between thumb, value, wheel and
// callback.
#include "ToolkitTestSupport.h"

#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/widgets/GUI_DropDownListItem.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <string>
#include <vector>

using ValueWidgetTest = ToolkitTest;

TEST_F(ValueWidgetTest, ADropDownShowsItsLastValueOpensBelowAndChoosesOnce)
{
    auto* window = GUI_WindowManager::Create<ToolkitTestPanel>();
    window->SetRect(0, 0, 400, 300);
    std::vector<std::string> chosen;
    GUI_DropDownList* list = nullptr;
    list = window->CreateSubWindow<GUI_DropDownList>([&](intptr_t a) {
        EXPECT_EQ(a, 0);
        chosen.push_back(list->GetSelected() + "/" + list->GetDisplayText());
    });
    list->SetRect(50, 50, 250, 70);
    list->AddItem("North");
    list->AddItem("East");
    list->AddItem("South");
    EXPECT_EQ(list->GetSelected(), "South");
    EXPECT_EQ(list->GetDisplayText(), "South");

    // Beside the arrow the closed box takes nothing: the click reaches what is behind.
    EXPECT_FALSE(list->OnClick(100, 60));
    // On the arrow it opens: rows at the box's bottom, +16 and +32, clear of the arrow.
    EXPECT_TRUE(ClickAt(240, 60));
    ASSERT_TRUE(list->IsOpen());
    const std::vector<GUI_DropDownListItem*>& items = list->GetItems();
    ASSERT_EQ(items.size(), 3u);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(items[i]->GetTop(), 70 + 16 * i);
        EXPECT_EQ(items[i]->GetHeight(), 20);
        EXPECT_EQ(items[i]->GetRight(), 230);
    }
    m_input.MoveTo(100, 75);
    Frame();
    EXPECT_EQ(GUI_Cursor::Instance().GetCurrent(), GUI_Cursor::HAND);

    // Rows overlap by 4 pixels; the first one asked (North) takes the shared strip.
    EXPECT_TRUE(ClickAt(100, 88));
    EXPECT_EQ(chosen, (std::vector<std::string>{"North/North"}));
    EXPECT_FALSE(list->IsOpen());
    // Closed, its rows take no clicks and show no hand.
    EXPECT_FALSE(list->OnClick(100, 75));
    m_input.MoveTo(100, 75);
    Frame();
    EXPECT_EQ(GUI_Cursor::Instance().GetCurrent(), GUI_Cursor::ARROW);
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(ValueWidgetTest, TheSliderMapsItsThumbToTheRangeAndCallsOnChange)
{
    auto* window = GUI_WindowManager::Create<ToolkitTestPanel>();
    window->SetRect(0, 0, 800, 600);
    int calls = 0;
    auto* slider = window->CreateSubWindow<GUI_OptionsSlider>([&](intptr_t a) { calls += a; }, 1,
                                                              "OPTIONS_MASTERVOLUME", true, 0.5f);
    slider->SetRect(100, 100, 351, 144); // bar 110..341: travel 231 - 31 = 200
    EXPECT_EQ(slider->GetLabel(), "Master volume");
    ASSERT_NE(slider->GetTooltip(), nullptr);
    EXPECT_EQ(slider->GetTooltip()->GetLines().front(), "Volume of everything");
    EXPECT_FLOAT_EQ(slider->ThumbCentreX(), 110.0f + 15.5f + 100.0f);

    // Grab the thumb and drag: the value follows, the callback once per frame it changes.
    m_input.SetLeftHeld(true);
    EXPECT_TRUE(ClickAt(225, 134));
    EXPECT_FALSE(ClickAt(120, 134) && !slider->IsDragging()) << "a click beside the thumb moves nothing";
    m_input.MoveTo(275, 134); // grabbed half a pixel left of the centre
    Frame();
    EXPECT_NEAR(slider->GetValue(), 0.75f, 1e-4);
    EXPECT_EQ(calls, 1);
    Frame();
    EXPECT_EQ(calls, 1) << "no change, no call";
    // Past either end the value is pinned there exactly.
    m_input.MoveTo(2000, 134);
    Frame();
    EXPECT_FLOAT_EQ(slider->GetValue(), 1.0f);
    m_input.MoveTo(-2000, 134);
    m_input.SetLeftHeld(false);
    Frame();
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.0f) << "the frame that sees the release still applies it";
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(calls, 3);
    // However slow the frames, a drag pressed, moved 74 pixels and released between two of them
    // moves the thumb those 74 pixels: it takes the pointer's place, not steps per frame.
    m_input.SetLeftHeld(true);
    EXPECT_TRUE(ClickAt(126, 134));
    m_input.MoveTo(200, 134);
    m_input.SetLeftHeld(false);
    Frame();
    EXPECT_NEAR(slider->ThumbCentreX(), 125.5f + 74.0f, 1e-3);
}

TEST_F(ValueWidgetTest, TheWheelStepsByAFractionOfTheRangeOrOfTheValue)
{
    const struct
    {
        float value, minimum, maximum;
        bool up;
        float expected;
        bool called;
    } cases[] = {
        {0.5f, 0.0f, 1.0f, true, 0.475f, true},   // 5 % of 0.5 beats 1/2000
        {0.0f, 0.0f, 1.0f, false, 0.0005f, true}, // at 0 the range's 1/2000
        {0.99f, 0.0f, 1.0f, false, 1.0f, true},   // held at the maximum
        {1.0f, 0.0f, 1.0f, false, 1.0f, false},   // already there: no call
        {0.0f, 0.0f, 1.0f, true, 0.0f, false},
        {5.0f, 5.0f, 5.0f, false, 5.0f, false}, // an empty range moves nowhere
    };
    for (const auto& c : cases)
    {
        int calls = 0;
        GUI_OptionsSlider slider([&] { ++calls; }, 0, "", false, c.value);
        slider.SetRange(c.minimum, c.maximum);
        slider.SetRect(0, 0, 300, 44);
        m_input.MoveTo(10, 10);
        if (c.up)
            slider.OnWheelUp();
        else
            slider.OnWheelDown();
        EXPECT_NEAR(slider.GetValue(), c.expected, 1e-6) << c.value << (c.up ? " up" : " down");
        EXPECT_EQ(calls, c.called ? 1 : 0) << c.value;
        slider.Draw(); // an empty range draws its thumb at the start instead of dividing by zero
    }
    // Not over the slider: the wheel is not for it.
    GUI_OptionsSlider slider(nullptr, 0, "", false, 0.5f);
    slider.SetRect(0, 0, 300, 44);
    m_input.MoveTo(500, 500);
    slider.OnWheelUp();
    EXPECT_FLOAT_EQ(slider.GetValue(), 0.5f);
    EXPECT_EQ(GUI_OptionsSlider::FormatValue(1.0f), "1.00");
    EXPECT_EQ(GUI_OptionsSlider::FormatValue(0.25f), "0.2500");
}
