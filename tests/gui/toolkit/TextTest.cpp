// Text blocks that fit or scroll, and the text field: focus, the caret, the characters it takes,
// its length limit and its keys.
#include "ToolkitTestSupport.h"

#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PWindowMessage.h"

#include "engine/GFontManager.h"

#include <string>

class TextTest : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        LoadFonts();
        GUI_Fonts::SelectSemibold16();
    }
    static void Type(GUI_TextEditWindow& field, const std::string& text)
    {
        for (unsigned char c : text)
            field.OnChar(c);
    }
};

TEST_F(TextTest, ABlockFitsOrIsCutIntoLinesWithABar)
{
    GFontManager& fonts = GFontManager::Instance();
    const std::string words = "Every slot along the line waits for the car before it, so one slow task holds "
                              "up the whole factory until its upgrades arrive.";
    GUI_TextContainer block;
    block.SetText(words, 0, 0, 300, 400);
    EXPECT_TRUE(block.Fits());
    EXPECT_FALSE(block.GetScrollBar()->IsVisible());

    // Exactly as high as the text needs (plus the 10-pixel margin) is not enough: the test is
    // strictly smaller.
    const int needed = static_cast<int>(fonts.GetWrappedTextHeight(words, 290.0f));
    block.SetText(words, 0, 0, 300, static_cast<float>(needed + 10));
    EXPECT_FALSE(block.Fits());
    EXPECT_TRUE(block.GetScrollBar()->IsVisible());
    EXPECT_EQ(block.GetScrollBar()->GetLeft(), 290);
    std::string joined;
    for (const std::string& line : block.GetLines())
        joined += (joined.empty() ? "" : " ") + line;
    EXPECT_EQ(joined, words) << "the lines hold every word once";

    // A word wider than the block still ends up in lines, a piece at a time.
    const std::string unbreakable(300, 'W');
    block.SetText(unbreakable, 0, 0, 60, 40);
    std::string pieces;
    for (const std::string& line : block.GetLines())
        pieces += line;
    EXPECT_EQ(pieces, unbreakable);
}

TEST_F(TextTest, ThirtyLinesWithRoomForTenLetTheBarGoToTwenty)
{
    // Words too wide for two to share a line of the block.
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += std::string(i == 0 ? "" : " ") + "Robotarm" + std::to_string(10 + i);
    GUI_TextContainer block;
    const float lineHeight = GFontManager::Instance().GetTextSize() +
                             static_cast<float>(GFontManager::Instance().GetCurrentFont()->m_lineGap);
    // Lines print while y < bottom - lineHeight - 5, starting at top + 10.
    const float bottom = 10.0f + 10.0f * lineHeight + lineHeight + 5.0f;
    block.SetText(text, 0, 0, 120, bottom);
    ASSERT_EQ(block.GetLines().size(), 30u);
    block.Draw();
    EXPECT_EQ(block.GetScrollBar()->GetMaxFirstRow(), 20);
    // One wheel notch over the block moves two lines.
    m_input.MoveTo(50, 50);
    block.OnWheelDown();
    EXPECT_EQ(block.GetScrollBar()->GetFirstRow(), 2);
}

TEST_F(TextTest, TheFieldTakesPrintableCharactersUpToItsLimit)
{
    const struct
    {
        bool fileName;
        uint32_t character;
        bool taken;
    } cases[] = {
        {false, ':', true},  {true, ':', false},  {false, '|', true}, {true, '|', false},     {true, '-', true},
        {true, '_', true},   {false, 'z', true},  {false, '7', true}, {false, '#', false},    {false, 0xE9, false},
        {false, 200, false}, {false, 127, false}, {false, 9, false},  {false, 0x263A, false},
    };
    for (const auto& c : cases)
    {
        GUI_TextEditWindow field(20);
        field.SetFileNameCharacters(c.fileName);
        field.OnChar(c.character);
        EXPECT_EQ(field.GetText().size(), c.taken ? 1u : 0u) << c.character << (c.fileName ? " in a file name" : "");
    }
    GUI_TextEditWindow field(20);
    Type(field, "abcdefghijklmnopqrstu");
    EXPECT_EQ(field.GetText(), "abcdefghijklmnopqrst") << "the 21st character is refused";
    GUI_TextEditWindow name(20);
    name.SetNoLeadingUnderscore(true);
    Type(name, "_a_");
    EXPECT_EQ(name.GetText(), "a_");
    GUI_TextEditWindow digits(20);
    digits.SetAllowedCharacters("0123456789");
    Type(digits, "12ab3");
    EXPECT_EQ(digits.GetText(), "123");
}

TEST_F(TextTest, KeysEditOnlyTheFocusedFieldAndTheCaretStaysInTheText)
{
    auto* window = GUI_WindowManager::Create<ToolkitTestPanel>();
    window->SetRect(0, 0, 800, 600);
    auto* first = window->CreateSubWindow<GUI_TextEditWindow>(30);
    first->SetRect(10, 10, 300, 40);
    auto* second = window->CreateSubWindow<GUI_TextEditWindow>(30);
    second->SetRect(10, 60, 300, 90);
    first->SetText("factory");
    second->SetText("savegame");

    // Unfocused: Backspace, End and Home do nothing; Left and Right still move the caret.
    first->OnKeyDown(PVK_BACK);
    first->OnKeyDown(PVK_HOME);
    EXPECT_EQ(first->GetText(), "factory");
    EXPECT_EQ(first->GetCaret(), 7);
    first->OnKeyDown(PVK_LEFT);
    EXPECT_EQ(first->GetCaret(), 6);
    first->OnKeyDown(PVK_RIGHT);
    first->OnKeyDown(PVK_RIGHT);
    EXPECT_EQ(first->GetCaret(), 7);

    // A click in the second field focuses it; keys reach every window, but only it edits.
    m_input.MoveTo(290, 75);
    EXPECT_FALSE(second->OnClick(290, 75)) << "the field never claims the click itself";
    ASSERT_TRUE(second->IsFocused());
    EXPECT_EQ(m_mode.GetKeyboardHandler(), second);
    EXPECT_EQ(second->GetCaret(), 8);
    GUI_WindowManager::Instance().OnKeyDown(PVK_BACK);
    EXPECT_EQ(second->GetText(), "savegam");
    EXPECT_EQ(first->GetText(), "factory");
    m_mode.OnChar('e');
    m_mode.OnChar('s');
    EXPECT_EQ(second->GetText(), "savegames");
    second->OnKeyDown(PVK_HOME);
    second->OnKeyDown(PVK_BACK);
    second->OnKeyDown(PVK_LEFT);
    EXPECT_EQ(second->GetCaret(), 0);
    EXPECT_EQ(second->GetText(), "savegames");

    // A click on a letter puts the caret before it.
    const float x = 18.0f + static_cast<float>(GFontManager::Instance().GetTextWidth("sav")) + 2.0f;
    ClickAt(x, 75);
    EXPECT_EQ(second->GetCaret(), 3);

    // Enter gives the focus back; so does a click elsewhere, and deleting a focused field.
    second->OnKeyDown(PVK_RETURN);
    EXPECT_FALSE(second->IsFocused());
    EXPECT_EQ(m_mode.GetKeyboardHandler(), nullptr);
    ClickAt(20, 20);
    EXPECT_TRUE(first->IsFocused());
    ClickAt(500, 500);
    EXPECT_FALSE(first->IsFocused());
    ClickAt(20, 20);
    window->Close();
    EXPECT_EQ(m_mode.GetKeyboardHandler(), nullptr);
}
