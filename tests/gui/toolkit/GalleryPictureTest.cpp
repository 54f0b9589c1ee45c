// A dialog holding one of every widget, drawn by OpenGL and compared with stored pictures
// (tests/gui/toolkit/reference): first as it opens, then after clicks, a drag, scrolling and
// typing. With FV_WRITE_REFERENCES=1 in the environment the pictures are written instead.
#include "ToolkitTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PImageCodec.h"
#include "tests/engine/FontTestSupport.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
// A list row: grey, lighter under the mouse, black text.
class GalleryRow : public GUI_WindowBase
{
public:
    explicit GalleryRow(std::string text) : m_text(std::move(text)) {}
    void Draw() override
    {
        GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom},
                                        IsMouseOver() ? 0xFFF0F0F0u : 0xFFC8C8C8u);
        GUI_Fonts::SelectSemibold16();
        GFontManager::Instance().Print(m_text, 0xFF000000u, static_cast<float>(m_left + 4),
                                       static_cast<float>(m_top + 1), 0.0f, 0);
    }

private:
    std::string m_text;
};

class GalleryList : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    GalleryList()
    {
        m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
        RebuildRows();
    }
    void RebuildRows() override
    {
        m_rows.clear();
        for (int i = 1; i <= 40; ++i)
            m_rows.push_back(std::make_unique<GalleryRow>("Production slot " + std::to_string(i)));
        LayoutRows();
    }
    void LayoutRows() override { ArrangeRows(*this, *this, PRect{m_left, m_top, m_right, m_bottom}, 22); }
    void Layout() override
    {
        m_bar->SetRect(static_cast<float>(m_right - 20), static_cast<float>(m_top), static_cast<float>(m_right),
                       static_cast<float>(m_bottom));
        LayoutRows();
    }
    void Update() override
    {
        GUI_WindowBase::Update();
        FollowScrollBar();
    }
    void Draw() override
    {
        DrawSubWindows();
        GFontManager::Instance().Flush();
    }
};

// The gallery as a screen would build it: widgets in the constructor, one Layout().
class GalleryDialog : public GUI_Dialog
{
public:
    GalleryDialog() : GUI_Dialog(true)
    {
        m_text = CreateChild<GUI_ButtonText>("CONFIRM_YES", [] {});
        m_text->SetTooltip("Builds the slot and pays for it", 2);
        m_tabOn = CreateChild<GUI_ButtonTab>("CONFIRM_NO", [] {});
        m_tabOn->SetSelected(true);
        m_tabOff = CreateChild<GUI_ButtonTab>("CONFIRM_YES", [] {});
        m_menu = CreateChild<GUI_MenuButton>("MAINMENU_NEWGAME", [] {});
        m_icon = CreateChild<GUI_IconButton>("menu_research.dds", [] {});
        m_icon->SetHoverTexture("menu_research_h.dds");
        m_check = CreateChild<GUI_CheckButton>("Autosave every five minutes", [] {});
        m_slider = CreateSubWindow<GUI_OptionsSlider>(nullptr, 0, "OPTIONS_MASTERVOLUME", true, 0.25f);
        m_field = CreateSubWindow<GUI_TextEditWindow>(24);
        m_field->SetText("Riverside");
        m_block = CreateSubWindow<GUI_TextContainer>();
        m_list = CreateSubWindow<GalleryList>();
        // Last, so its open rows lie over the widgets below it.
        m_dropDown = CreateSubWindow<GUI_DropDownList>();
        m_dropDown->AddItem("Normal speed");
        m_dropDown->AddItem("Double speed");
        m_dropDown->AddItem("Paused");
        SetSize(600, 440);
        SetPosition(20, 20);
        SetTitle("Widget gallery");
    }

    void Layout() override
    {
        const int gap = GUI_Metrics::kGap;
        GUI_Layout client(GetClientRect(), gap);
        GUI_Layout left(client.Column(270), gap);
        GUI_Layout right(client.Rest(), gap);

        const std::vector<PRect> buttons = GUI_Layout::SplitColumns(left.Row(GUI_Metrics::kButtonHeight), 3, gap);
        GUI_Layout::Place(m_text, buttons[0]);
        GUI_Layout::Place(m_tabOn, buttons[1]);
        GUI_Layout::Place(m_tabOff, buttons[2]);
        GUI_Layout::Place(m_menu, left.Row(44));
        GUI_Layout::Place(m_check, left.Row(GUI_Metrics::kCheckButtonHeight));
        GUI_Layout::Place(m_slider, left.Row(GUI_Metrics::kSliderHeight));
        GUI_Layout::Place(m_dropDown, left.Row(20));
        left.Skip(3 * GUI_Metrics::kDropDownRowStep);
        GUI_Layout::Place(m_field, left.Row(GUI_Metrics::kButtonHeight));

        const PRect iconRow = right.Row(38);
        GUI_Layout::Place(m_icon, GUI_Layout::FromSize(iconRow.left, iconRow.top, 38, 38));
        if (m_block)
        {
            // The block measures its lines in the font current now, and draws in the same.
            GUI_Fonts::SelectSemibold16();
            const PRect area = right.Row(120);
            m_block->SetText(kBlockText, static_cast<float>(area.left), static_cast<float>(area.top),
                             static_cast<float>(area.right), static_cast<float>(area.bottom));
        }
        GUI_Layout::Place(m_list, right.Rest());
    }

    void Draw() override
    {
        GUI_Dialog::Draw();
        GUI_Fonts::SelectSemibold16();
        DrawSubWindows();
        GFontManager::Instance().Flush();
    }

    GUI_ButtonText* m_text = nullptr;
    GUI_ButtonTab* m_tabOn = nullptr;
    GUI_ButtonTab* m_tabOff = nullptr;
    GUI_MenuButton* m_menu = nullptr;
    GUI_IconButton* m_icon = nullptr;
    GUI_CheckButton* m_check = nullptr;
    GUI_OptionsSlider* m_slider = nullptr;
    GUI_TextEditWindow* m_field = nullptr;
    GUI_TextContainer* m_block = nullptr;
    GalleryList* m_list = nullptr;
    GUI_DropDownList* m_dropDown = nullptr;

    static constexpr const char* kBlockText =
        "Cars move from slot to slot along the line. Each slot fits one part: chassis, axles, wheels, "
        "body panels and paint. A slot that waits for resources shows a notice above it, and the "
        "conveyors bring what it needs from the import bays as soon as a route is free. Upgrades "
        "make a slot faster or let it use less power.";
};
} // namespace

// Outside the anonymous namespace: the test classes gtest derives from it have external linkage.
class GalleryPicture : public GLRenderTest
{
protected:
    int ViewWidth() const override { return 640; }
    int ViewHeight() const override { return 480; }
    void SetUp() override
    {
        GLRenderTest::SetUp();
        if (IsSkipped())
            return;
        LoadGameFontsForTest();
        m_world.Install();
    }
    void TearDown() override
    {
        m_world.Remove();
        GLRenderTest::TearDown();
    }
    // Draws one frame and compares it with (or writes) the reference picture of that name.
    void CompareFrame(const std::string& name)
    {
        GD3DDevice::Instance().GetDevice()->Clear(0xFF2A3B4Cu);
        m_world.Frame();
        CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/toolkit/reference/" + name + ".png");
    }

    ToolkitTestWorld m_world;
};

TEST_F(GalleryPicture, EveryWidgetAsItOpensAndAfterThePlayerUsesIt)
{
    GalleryDialog* gallery = GUI_WindowManager::Create<GalleryDialog>();
    ToolkitTestInput& input = m_world.input;
    input.MoveTo(600, 470);
    CompareFrame("gallery_open");

    // Tick the box, drag the slider to three quarters, scroll the list, type into the field,
    // open the drop-down, then rest the mouse on the text button until its tooltip shows.
    const GUI_CheckButton* check = gallery->m_check;
    EXPECT_TRUE(m_world.ClickAt(static_cast<float>(check->GetLeft() + 30), static_cast<float>(check->GetTop() + 20)));
    GUI_OptionsSlider* slider = gallery->m_slider;
    input.SetLeftHeld(true);
    m_world.ClickAt(slider->ThumbCentreX(), static_cast<float>(slider->GetBottom() - 10));
    input.MoveTo(slider->ThumbCentreX() + 0.5f * (slider->GetWidth() - 51),
                 static_cast<float>(slider->GetBottom() - 10));
    m_world.Frame();
    input.SetLeftHeld(false);
    m_world.Frame();
    for (int i = 0; i < 5; ++i)
        gallery->m_list->GetScrollBar()->StepDown();
    GUI_TextEditWindow* field = gallery->m_field;
    m_world.ClickAt(static_cast<float>(field->GetRight() - 4), static_cast<float>(field->GetTop() + 10));
    EXPECT_TRUE(field->IsFocused());
    for (char c : std::string(" Works_2"))
        m_world.mode.OnChar(static_cast<unsigned char>(c));
    GUI_DropDownList* dropDown = gallery->m_dropDown;
    EXPECT_TRUE(
        m_world.ClickAt(static_cast<float>(dropDown->GetRight() - 5), static_cast<float>(dropDown->GetTop() + 5)));
    EXPECT_TRUE(dropDown->IsOpen());
    const GUI_ButtonText* button = gallery->m_text;
    input.MoveTo(static_cast<float>(button->GetLeft() + 10), static_cast<float>(button->GetTop() + 10));
    for (int i = 0; i < 5; ++i)
        m_world.Frame();
    EXPECT_EQ(field->GetText(), "Riverside Works_2");
    EXPECT_TRUE(gallery->m_check->IsTicked());
    EXPECT_NEAR(slider->GetValue(), 0.75f, 0.01f);
    CompareFrame("gallery_used");
}
