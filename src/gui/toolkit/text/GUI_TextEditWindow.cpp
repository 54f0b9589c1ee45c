// Text field: focus, caret, filter and editing keys.
#include "gui/toolkit/text/GUI_TextEditWindow.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGameMode.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "platform/video/PWindowMessage.h"

#include <algorithm>
#include <cmath>

namespace
{
bool TextEditIsAsciiAlnum(uint32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool TextEditIsPunctuation(uint32_t c, bool fileName)
{
    if (fileName)
        return c == 32 || (c >= 39 && c <= 41) || (c >= 44 && c <= 46) || c == 91 || c == 93 || c == 95;
    return c == 32 || (c >= 39 && c <= 42) || (c >= 44 && c <= 47) || c == 58 || c == 60 || c == 62 || c == 63 ||
           (c >= 91 && c <= 93) || c == 95 || c == 124;
}
} // namespace

GUI_TextEditWindow::GUI_TextEditWindow(int maximumLength) : m_maximumLength(maximumLength)
{
}

GUI_TextEditWindow::~GUI_TextEditWindow()
{
    DropFocus();
}

void GUI_TextEditWindow::DropFocus()
{
    if (GGameMode* mode = GGameMode::Current())
        if (mode->GetKeyboardHandler() == static_cast<GKeyboardHandler*>(this))
            mode->SetKeyboardHandler(nullptr);
    m_focused = false;
}

void GUI_TextEditWindow::SetText(const std::string& text)
{
    m_text = text;
    m_caret = static_cast<int>(m_text.size());
    DropFocus();
}

float GUI_TextEditWindow::TextY() const
{
    const int centred = (m_top + m_bottom) / 2 - 10;
    return static_cast<float>(m_height > 39 ? m_top : centred);
}

bool GUI_TextEditWindow::OnClick(float x, float y)
{
    if (!m_editable)
        return false;
    if (!IsMouseOver())
    {
        DropFocus();
        return false;
    }
    m_focused = true;
    m_caretTimer.Start();
    m_caretShown = true;
    if (GGameMode* mode = GGameMode::Current())
        mode->SetKeyboardHandler(this);
    m_caret = static_cast<int>(m_text.size());
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return false;
    // Lay the text out without drawing it and find the glyph under the click: the caret goes
    // before that character. Blanks have no glyph of their own.
    fonts.Flush();
    GUI_Fonts::SelectSemibold16();
    const int first = OneLine() ? m_firstShown : 0;
    const std::string shown = OneLine() ? ShownLine() : m_text;
    fonts.Print(shown, 0xFFFFFFFFu, static_cast<float>(m_left + 8), TextY(), 0.0f, 0);
    const PVertex* quads = fonts.GetQueuedVertices();
    const int queued = fonts.GetQueuedCount();
    size_t glyph = 0;
    for (size_t i = 0; i < shown.size() && glyph * 4 + 3 < static_cast<size_t>(std::max(queued, 0)); ++i)
    {
        const char c = shown[i];
        if (c == ' ' || c == '\t')
            continue;
        const PVertex& topLeft = quads[glyph * 4];
        const PVertex& bottomRight = quads[glyph * 4 + 3];
        if (x >= topLeft.x && x < bottomRight.x && y >= topLeft.y && y < bottomRight.y)
            m_caret = first + static_cast<int>(i);
        ++glyph;
    }
    fonts.DiscardQueued();
    return false;
}

void GUI_TextEditWindow::OnKeyDown(uint32_t virtualKey)
{
    if (!m_editable || virtualKey < PVK_BACK || virtualKey > PVK_RIGHT)
        return;
    switch (virtualKey)
    {
    case PVK_BACK:
        // Only the field being typed in: a Backspace reaches every window's fields.
        if (m_focused && m_caret > 0)
        {
            m_text.erase(static_cast<size_t>(m_caret - 1), 1);
            --m_caret;
        }
        break;
    case PVK_RETURN:
        DropFocus();
        break;
    case PVK_END:
        if (m_focused)
            m_caret = static_cast<int>(m_text.size());
        break;
    case PVK_HOME:
        if (m_focused)
            m_caret = 0;
        break;
    case PVK_LEFT:
        if (m_caret > 0)
            --m_caret;
        break;
    case PVK_RIGHT:
        if (m_caret < static_cast<int>(m_text.size()))
            ++m_caret;
        break;
    default:
        break;
    }
}

bool GUI_TextEditWindow::Accepts(uint32_t character) const
{
    // Only printable ASCII: the fonts and the file names hold nothing else.
    if (character < 32 || character > 126)
        return false;
    if (!TextEditIsAsciiAlnum(character) && !TextEditIsPunctuation(character, m_fileNameCharacters))
        return false;
    if (m_allowedOnly && m_allowed.find(static_cast<char>(character)) == std::string::npos)
        return false;
    return true;
}

void GUI_TextEditWindow::OnChar(uint32_t character)
{
    if (!Accepts(character))
        return;
    if (m_noLeadingUnderscore && character == '_' && m_caret == 0)
        return;
    if (static_cast<int>(m_text.size()) >= m_maximumLength)
        return;
    m_caret = std::clamp(m_caret, 0, static_cast<int>(m_text.size()));
    m_text.insert(m_text.begin() + m_caret, static_cast<char>(character));
    ++m_caret;
}

bool GUI_TextEditWindow::OneLine() const
{
    return m_height <= 39;
}

float GUI_TextEditWindow::Room() const
{
    return static_cast<float>(m_width - 16);
}

void GUI_TextEditWindow::FollowCaret()
{
    GFontManager& fonts = GFontManager::Instance();
    m_caret = std::clamp(m_caret, 0, static_cast<int>(m_text.size()));
    m_firstShown = std::clamp(m_firstShown, 0, m_caret);
    // The caret stays in view: the text before it scrolls out to the left as the player types.
    while (m_firstShown < m_caret &&
           fonts.GetPenAfter(m_text.substr(static_cast<size_t>(m_firstShown),
                                           static_cast<size_t>(m_caret - m_firstShown))) > Room() - 6.0f)
        ++m_firstShown;
}

std::string GUI_TextEditWindow::ShownLine() const
{
    GFontManager& fonts = GFontManager::Instance();
    std::string shown = m_text.substr(static_cast<size_t>(std::min<int>(m_firstShown, m_text.size())));
    // What lies past the right edge waits there until the caret goes to it.
    while (!shown.empty() && fonts.GetPenAfter(shown) > Room())
        shown.pop_back();
    return shown;
}

void GUI_TextEditWindow::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect box{m_left, m_top, m_right, m_bottom};
    device.FillRect(box, 0xFF202020u);
    device.DrawRectLines(box, 0xFF808080u);
    GFontManager& fonts = GFontManager::Instance();
    if (!m_editable || !fonts.IsInitialised())
        return;
    const float textX = static_cast<float>(m_left + 8);
    const float textY = TextY();
    GUI_Fonts::SelectSemibold16();
    const bool oneLine = OneLine();
    if (oneLine)
    {
        FollowCaret();
        fonts.Print(ShownLine(), 0xFFFFFFFFu, textX, textY, 0.0f, 0);
    }
    else
    {
        // A taller box shows the lines it has room for.
        const float step =
            fonts.GetTextSize() + static_cast<float>(fonts.GetCurrentFont() ? fonts.GetCurrentFont()->m_lineGap : 0);
        const int lines = std::max(1, static_cast<int>((static_cast<float>(m_bottom) - textY) / std::max(step, 1.0f)));
        fonts.PrintWrapped(0xFFFFFFFFu, lines, m_text, textX, textY, static_cast<float>(m_width - 16));
    }
    fonts.Flush();
    if (!m_focused)
        return;
    m_caretTimer.Update();
    if (m_caretTimer.GetTotal() > 200.0f)
    {
        m_caretTimer.Start();
        m_caretShown = !m_caretShown;
    }
    if (!m_caretShown)
        return;
    float x = textX;
    float y = textY;
    if (oneLine)
        x += fonts.GetPenAfter(
            m_text.substr(static_cast<size_t>(m_firstShown), static_cast<size_t>(std::max(0, m_caret - m_firstShown))));
    else if (m_caret > 0 && !m_text.empty())
    {
        const std::string before = m_text.substr(0, static_cast<size_t>(std::min<int>(m_caret, m_text.size())));
        const size_t lastGlyph = before.find_last_not_of(' ');
        if (lastGlyph != std::string::npos)
        {
            fonts.Print(before.substr(0, lastGlyph + 1), 0xFFFFFFFFu, textX, textY, 0.0f, 0);
            x = fonts.GetPenX();
            y = fonts.GetPenY();
            fonts.DiscardQueued();
        }
        // The pen stops after the last glyph; blanks after it still move the caret.
        const size_t blanks = lastGlyph == std::string::npos ? before.size() : before.size() - lastGlyph - 1;
        x += static_cast<float>(blanks) * std::trunc(fonts.GetTextSize() / 4.0f);
    }
    device.FillRect(
        PRect{static_cast<int>(x) + 2, static_cast<int>(y) + 2, static_cast<int>(x) + 4, static_cast<int>(y) + 18},
        0xFFFFFFFFu);
}
