// Windows and the window manager as the player meets them: which window a click reaches, who
// hovers, dragging, modality, closing from inside a click, and ownership of sub-windows.
#include "ToolkitTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_CloseButton.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
// Records its clicks, draws and destruction in a shared journal.
class JournalWindow : public GUI_WindowBase
{
public:
    JournalWindow(std::vector<std::string>& journal, std::string name, PRect r) : m_journal(journal)
    {
        SetName(std::move(name));
        SetRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                static_cast<float>(r.bottom));
    }
    ~JournalWindow() override { m_journal.push_back("deleted " + GetName()); }
    bool OnClick(float x, float y) override
    {
        const bool taken = GUI_WindowBase::OnClick(x, y);
        if (taken)
            m_journal.push_back("click " + GetName());
        return taken;
    }
    bool OnRightClick(float x, float y) override
    {
        m_journal.push_back("right " + GetName());
        return GUI_WindowBase::OnRightClick(x, y);
    }
    void Draw() override
    {
        m_journal.push_back("draw " + GetName());
        GUI_WindowBase::Draw();
    }
    void OnWheelUp() override { m_journal.push_back("wheel " + GetName()); }
    void OnKeyDown(uint32_t key) override
    {
        m_journal.push_back("key " + GetName());
        GUI_WindowBase::OnKeyDown(key);
    }

private:
    std::vector<std::string>& m_journal;
};

class JournalDialog : public GUI_Dialog
{
public:
    JournalDialog(std::vector<std::string>& journal, std::string name, PRect r, bool closeBox = true)
        : GUI_Dialog(closeBox), m_journal(journal)
    {
        SetName(std::move(name));
        SetRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                static_cast<float>(r.bottom));
    }
    ~JournalDialog() override { m_journal.push_back("deleted " + GetName()); }
    void Draw() override
    {
        m_journal.push_back("draw " + GetName());
        GUI_Dialog::Draw();
    }
    void OnKeyDown(uint32_t key) override
    {
        m_journal.push_back("key " + GetName());
        GUI_Dialog::OnKeyDown(key);
    }
    void OnWheelUp() override { m_journal.push_back("wheel " + GetName()); }

private:
    std::vector<std::string>& m_journal;
};

int Count(const std::vector<std::string>& journal, const std::string& entry)
{
    int n = 0;
    for (const std::string& e : journal)
        n += e == entry ? 1 : 0;
    return n;
}

bool Has(const std::vector<std::string>& journal, const std::string& entry)
{
    return Count(journal, entry) > 0;
}
} // namespace

class WindowTest : public ToolkitTest
{
protected:
    // Outlives the windows, which the set-up closes after the test body.
    std::vector<std::string> journal;
};

TEST_F(WindowTest, ClickGoesToTheTopWindowThenItsFirstVisibleSubWindow)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    auto* back = GUI_WindowManager::Create<JournalWindow>(journal, "back", PRect{0, 0, 400, 400});
    auto* front = GUI_WindowManager::Create<JournalWindow>(journal, "front", PRect{100, 100, 300, 300});
    auto* first = front->CreateSubWindow<JournalWindow>(journal, "first", PRect{120, 120, 200, 200});
    front->CreateSubWindow<JournalWindow>(journal, "second", PRect{150, 150, 250, 250});
    auto* hidden = front->CreateSubWindow<JournalWindow>(journal, "hidden", PRect{100, 100, 300, 300});
    hidden->SetVisible(false);

    // Overlap of first and second: the one added first takes it, then its window reports too.
    EXPECT_TRUE(ClickAt(160, 160));
    EXPECT_EQ(journal, (std::vector<std::string>{"click first", "click front"}));
    journal.clear();
    // Only second here; the hidden one covering everything is never asked for left clicks.
    EXPECT_TRUE(ClickAt(240, 240));
    EXPECT_EQ(journal, (std::vector<std::string>{"click second", "click front"}));
    journal.clear();
    // Right clicks ask hidden sub-windows as well.
    EXPECT_TRUE(RightClickAt(280, 110));
    EXPECT_TRUE(Has(journal, "right hidden"));
    journal.clear();
    // Outside front: the window below.
    EXPECT_TRUE(ClickAt(50, 50));
    EXPECT_EQ(journal, (std::vector<std::string>{"click back"}));
    EXPECT_EQ(wm.GetWindows().back(), back) << "a click raises the window it lands on";
    // Outside every window: not taken, so the game view below gets it.
    EXPECT_FALSE(ClickAt(700, 500));
    (void)first;
}

TEST_F(WindowTest, AWindowThatNeitherConsumesNorRaisesLetsClicksOnItsEmptyAreaThrough)
{
    auto* under = GUI_WindowManager::Create<JournalWindow>(journal, "under", PRect{0, 0, 400, 400});
    auto* overlay = GUI_WindowManager::Create<JournalWindow>(journal, "overlay", PRect{0, 0, 400, 400});
    overlay->SetConsumesClicks(false);
    overlay->SetRaiseOnClick(false);
    bool pressed = false;
    auto* button = overlay->CreateChild<GUI_ButtonText>("CONFIRM_YES", [&] { pressed = true; });
    button->SetRect(10, 10, 60, 40);

    EXPECT_TRUE(ClickAt(20, 20)) << "its buttons still take clicks";
    EXPECT_TRUE(pressed);
    journal.clear();
    EXPECT_TRUE(ClickAt(200, 200));
    EXPECT_EQ(journal, (std::vector<std::string>{"click under"}));
    (void)under;
}

TEST_F(WindowTest, OnlyTheTopWindowUnderTheMouseHoversAndHiddenWindowsDoNot)
{
    auto* back = GUI_WindowManager::Create<JournalWindow>(journal, "back", PRect{0, 0, 400, 400});
    auto* backButton = back->CreateChild<GUI_ButtonText>("CONFIRM_YES", [] {});
    backButton->SetRect(10, 10, 100, 40);
    auto* front = GUI_WindowManager::Create<JournalWindow>(journal, "front", PRect{0, 0, 50, 50});
    m_input.MoveTo(20, 20);
    Frame();
    EXPECT_FALSE(backButton->IsHovered()) << "the window above took the mouse first";
    EXPECT_EQ(m_input.GetTakingWindow(), front);

    front->SetVisible(false);
    Frame();
    EXPECT_TRUE(backButton->IsHovered());
    // The hand cursor was asked for this frame and is shown until a frame no longer asks.
    EXPECT_EQ(GUI_Cursor::Instance().GetCurrent(), GUI_Cursor::HAND);

    back->SetVisible(false);
    Frame();
    EXPECT_EQ(GUI_Cursor::Instance().GetCurrent(), GUI_Cursor::ARROW)
        << "a hidden window's buttons get no update, and the hand is asked for every frame";
}

TEST_F(WindowTest, DraggingStaysOnScreenAndDeletingTheDraggedWindowLetsGoOfIt)
{
    auto* window = GUI_WindowManager::Create<JournalWindow>(journal, "w", PRect{100, 100, 300, 200});
    window->SetDraggable(true);
    m_input.MoveTo(110, 110);
    m_input.SetLeftHeld(true);
    EXPECT_TRUE(GUI_WindowManager::Instance().OnClick());
    ASSERT_TRUE(window->IsDragging());
    EXPECT_EQ(GUI_Cursor::Instance().GetDraggedWindow(), window);

    m_input.MoveTo(790, 150);
    Frame();
    EXPECT_EQ(window->GetRight(), GScreenSize::Width());
    EXPECT_EQ(window->GetWidth(), 200);
    EXPECT_EQ(window->GetTop(), 140);
    EXPECT_EQ(Count(journal, "draw w"), 1) << "the manager leaves a dragged window to the cursor";

    // A second drag while one runs is refused.
    window->BeginDrag();
    EXPECT_EQ(GUI_Cursor::Instance().GetDraggedWindow(), window);

    window->Close();
    EXPECT_TRUE(Has(journal, "deleted w"));
    EXPECT_EQ(GUI_Cursor::Instance().GetDraggedWindow(), nullptr);
    Frame();
}

TEST_F(WindowTest, ReleasingTheButtonEndsADialogDragEvenWithoutAnUpdateOfTheDialog)
{
    auto* dialog = GUI_WindowManager::Create<JournalDialog>(journal, "d", PRect{100, 100, 400, 300});
    dialog->SetDraggable(true);
    m_input.MoveTo(300, 250);
    m_input.SetLeftHeld(true);
    GUI_WindowManager::Instance().OnClick();
    EXPECT_FALSE(dialog->IsDragging()) << "a dialog is dragged by its title bar only";
    m_input.MoveTo(200, 110);
    GUI_WindowManager::Instance().OnClick();
    ASSERT_TRUE(dialog->IsDragging());
    m_input.SetLeftHeld(false);
    GUI_Cursor::Instance().Update();
    EXPECT_FALSE(dialog->IsDragging());
    EXPECT_EQ(GUI_Cursor::Instance().GetDraggedWindow(), nullptr);
}

TEST_F(WindowTest, AModalDialogTakesEveryClickAndClosingItGivesInputBack)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    int behindClicks = 0;
    auto* behind = GUI_WindowManager::Create<JournalWindow>(journal, "behind", PRect{0, 0, 800, 600});
    behind->CreateChild<GUI_ButtonText>("CONFIRM_NO", [&] { ++behindClicks; })->SetRect(10, 10, 100, 40);
    auto* modal = GUI_WindowManager::Create<JournalDialog>(journal, "modal", PRect{200, 200, 600, 400});
    modal->ShowModal();

    EXPECT_TRUE(ClickAt(20, 20)) << "a click outside the modal dialog is swallowed";
    EXPECT_TRUE(ClickAt(300, 300)) << "and so is one inside that no button takes";
    EXPECT_EQ(behindClicks, 0);
    wm.OnKeyDown(13);
    EXPECT_TRUE(Has(journal, "key modal"));
    EXPECT_FALSE(Has(journal, "key behind"));
    m_input.MoveTo(300, 300);
    Frame();
    EXPECT_EQ(m_input.GetTakingWindow(), modal) << "only the modal window updates";

    // Its close box closes it from inside the click: hidden at once, deleted after the update.
    ASSERT_NE(modal->GetCloseButton(), nullptr);
    const PRect box{modal->GetCloseButton()->GetLeft(), modal->GetCloseButton()->GetTop(), 0, 0};
    EXPECT_TRUE(ClickAt(static_cast<float>(box.left + 5), static_cast<float>(box.top + 5)));
    EXPECT_FALSE(wm.HasModal());
    EXPECT_FALSE(modal->IsVisible());
    EXPECT_FALSE(Has(journal, "deleted modal"));
    EXPECT_TRUE(ClickAt(20, 20));
    EXPECT_EQ(behindClicks, 1) << "input is back with the window below";
    Frame();
    EXPECT_EQ(Count(journal, "deleted modal"), 1);
}

TEST_F(WindowTest, ASecondModalWindowClosesTheFirstButNeverItself)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    auto* first = GUI_WindowManager::Create<JournalDialog>(journal, "first", PRect{0, 40, 100, 140});
    first->ShowModal();
    first->ShowModal();
    EXPECT_FALSE(Has(journal, "deleted first")) << "showing the modal window again keeps it";
    auto* second = GUI_WindowManager::Create<JournalDialog>(journal, "second", PRect{0, 40, 100, 140});
    second->ShowModal();
    EXPECT_TRUE(Has(journal, "deleted first"));
    EXPECT_EQ(wm.GetModal(), second);

    // Opened from a click inside the modal window: the first is out at once, freed later.
    auto* third = static_cast<JournalDialog*>(nullptr);
    second
        ->CreateChild<GUI_ButtonText>(
            "CONFIRM_YES",
            [&] {
                third = GUI_WindowManager::Create<JournalDialog>(journal, "third", PRect{0, 40, 100, 140});
                third->ShowModal();
            })
        ->SetRect(10, 100, 90, 130);
    EXPECT_TRUE(ClickAt(20, 110));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(wm.GetModal(), third);
    EXPECT_FALSE(second->IsVisible());
    EXPECT_FALSE(Has(journal, "deleted second"));
    Frame();
    EXPECT_EQ(Count(journal, "deleted second"), 1);
}

TEST_F(WindowTest, EscapeClosesOnlyTheTopDialogAndSkipsWindowsAboveIt)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    GUI_WindowManager::Create<JournalDialog>(journal, "lower", PRect{0, 40, 100, 140});
    GUI_WindowManager::Create<JournalDialog>(journal, "upper", PRect{0, 40, 100, 140});
    GUI_WindowManager::Create<JournalWindow>(journal, "panel", PRect{0, 0, 100, 100});
    EXPECT_TRUE(wm.CloseTopDialog());
    EXPECT_EQ(journal, (std::vector<std::string>{"deleted upper"}));
    wm.CloseAllDialogs();
    EXPECT_TRUE(Has(journal, "deleted lower"));
    EXPECT_FALSE(Has(journal, "deleted panel"));
    EXPECT_FALSE(wm.CloseTopDialog());
}

TEST_F(WindowTest, ClosingTwiceInOneClickDeletesOnce)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    auto* dialog = GUI_WindowManager::Create<JournalDialog>(journal, "d", PRect{100, 100, 400, 300});
    dialog
        ->CreateChild<GUI_ButtonText>("CONFIRM_YES",
                                      [&] {
                                          dialog->Close();
                                          wm.CloseTopDialog();
                                          wm.CloseAllDialogs();
                                          dialog->Close();
                                      })
        ->SetRect(120, 200, 200, 230);
    EXPECT_TRUE(ClickAt(130, 210));
    EXPECT_EQ(wm.GetPendingDeleteCount(), 1u);
    Frame();
    EXPECT_EQ(Count(journal, "deleted d"), 1);
    EXPECT_TRUE(wm.GetWindows().empty());
}

namespace
{
// Closes itself from its own Draw (the object it showed went away) and goes on drawing.
class SelfClosingDialog : public JournalDialog
{
public:
    using JournalDialog::JournalDialog;
    void Draw() override
    {
        Close();
        JournalDialog::Draw();
    }
};
} // namespace

TEST_F(WindowTest, AWindowClosingItselfWhileItDrawsIsDeletedAfterTheFrame)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    GUI_WindowManager::Create<SelfClosingDialog>(journal, "still", PRect{100, 100, 400, 300});
    Frame();
    EXPECT_EQ(journal, (std::vector<std::string>{"draw still"}));
    Frame();
    EXPECT_EQ(Count(journal, "deleted still"), 1);
    EXPECT_EQ(Count(journal, "draw still"), 1) << "a closed window is not drawn again";

    // The same while the cursor draws it over everything during a drag of its title bar.
    auto* dragged = GUI_WindowManager::Create<SelfClosingDialog>(journal, "dragged", PRect{100, 100, 400, 300});
    m_input.MoveTo(150, 110);
    m_input.SetLeftHeld(true);
    dragged->BeginDrag();
    ASSERT_EQ(GUI_Cursor::Instance().GetDraggedWindow(), dragged);
    GUI_Cursor::Instance().Update();
    EXPECT_EQ(GUI_Cursor::Instance().GetDraggedWindow(), nullptr);
    EXPECT_FALSE(Has(journal, "deleted dragged"));
    m_input.SetLeftHeld(false);
    Frame();
    EXPECT_EQ(Count(journal, "deleted dragged"), 1);
    EXPECT_TRUE(wm.GetWindows().empty());
}

TEST_F(WindowTest, DialogsDrawOverWindowsAndTheModalVeilCoversWhatIsBehind)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    auto* dialog = GUI_WindowManager::Create<JournalDialog>(journal, "dialog", PRect{100, 100, 300, 300});
    GUI_WindowManager::Create<JournalWindow>(journal, "panel", PRect{0, 0, 100, 100});
    wm.Draw();
    EXPECT_EQ(journal, (std::vector<std::string>{"draw panel", "draw dialog"}));

    dialog->ShowModal();
    m_rec->Clear();
    wm.Draw();
    // The first fill of the dialog is the veil over the whole screen, translucent black.
    ASSERT_FALSE(m_rec->draws.empty());
    bool veil = false;
    for (const PRecordingDraw& d : m_rec->draws)
        if (!d.vertices.empty() && d.vertices[0].colour == 0xC8000000u)
            veil = true;
    EXPECT_TRUE(veil);
}

TEST_F(WindowTest, TheWheelGoesToOneWindowAndADialogComesFirst)
{
    GUI_WindowManager& wm = GUI_WindowManager::Instance();
    GUI_WindowManager::Create<JournalDialog>(journal, "dialog", PRect{0, 40, 300, 300});
    GUI_WindowManager::Create<JournalWindow>(journal, "panel", PRect{0, 0, 200, 200});
    GUI_WindowManager::Create<JournalWindow>(journal, "far", PRect{500, 400, 700, 600});
    const struct
    {
        float x, y;
        const char* expected;
    } cases[] = {
        {100, 100, "wheel dialog"}, // a dialog under the mouse wins over a window above it
        {100, 20, "wheel panel"},   // no dialog there: the top window under the mouse
        {600, 500, "wheel far"},
        {750, 100, nullptr}, // over no window: nobody
    };
    for (const auto& c : cases)
    {
        journal.clear();
        m_input.MoveTo(c.x, c.y);
        wm.OnWheelUp();
        EXPECT_EQ(journal, c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{})
            << c.x << "," << c.y;
    }
}

TEST_F(WindowTest, DialogsStayBelowTheTopStripAndKeepTheirFrameInPlace)
{
    auto* dialog = GUI_WindowManager::Create<JournalDialog>(journal, "d", PRect{100, 10, 400, 210});
    dialog->ClampToScreen();
    EXPECT_EQ(dialog->GetTop(), 32);
    EXPECT_EQ(dialog->GetHeight(), 200);
    const PRect client = dialog->GetClientRect();
    EXPECT_EQ(client.left, 116);
    EXPECT_EQ(client.top, 32 + 46);
    EXPECT_EQ(client.right, 384);
    EXPECT_EQ(client.bottom, 232 - 16);
    GUI_CloseButton* box = dialog->GetCloseButton();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetLeft(), 400 - 36);
    EXPECT_EQ(box->GetTop(), 32 + 8);
    EXPECT_EQ(box->GetWidth(), 28);
}

TEST_F(WindowTest, SubWindowsAreOwnedUnlessOnlyAttached)
{
    auto* parent = GUI_WindowManager::Create<JournalWindow>(journal, "parent", PRect{0, 0, 100, 100});
    parent->CreateSubWindow<JournalWindow>(journal, "owned", PRect{0, 0, 10, 10});
    JournalWindow row(journal, "row", PRect{0, 20, 10, 30});
    parent->AttachSubWindow(&row);
    EXPECT_EQ(row.GetParent(), parent);
    parent->Close();
    EXPECT_TRUE(Has(journal, "deleted owned"));
    EXPECT_FALSE(Has(journal, "deleted row"));
    EXPECT_EQ(row.GetParent(), nullptr);

    // A control that is null is refused (and reported), not appended.
    GUI_WindowBase window;
    window.AddChild(std::unique_ptr<GUI_ButtonText>());
    EXPECT_TRUE(window.GetButtons().empty());
    EXPECT_NE(ErrorLog().find("Assertion failure:filename:GUIButtonsList,linenum:31"), std::string::npos);
}
