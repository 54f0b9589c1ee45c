// The text field (savegame names, names in the editors): a dark box with white text, a blinking
// caret, a filter on the characters it takes, a length limit and a few editing keys. It takes the
// keyboard by becoming the current game mode's focused handler while the player types in it.
// Main thread only.
#pragma once

#include "engine/core/GTimer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <cstdint>
#include <string>

class GUI_TextEditWindow : public GUI_WindowBase
{
public:
    explicit GUI_TextEditWindow(int maximumLength);
    ~GUI_TextEditWindow() override;

    // Inside: takes the focus and puts the caret before the clicked character (at the end when
    // none was hit). Outside: gives the focus back. Never claims the click.
    bool OnClick(float x, float y) override;
    void Draw() override;
    // Backspace (focused only), Enter (gives the focus back), End and Home (focused only), Left
    // and Right.
    void OnKeyDown(uint32_t virtualKey) override;
    // Printable characters the field allows, inserted at the caret.
    void OnChar(uint32_t character) override;

    // Replaces the text, puts the caret at its end and gives the focus back.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_text; }
    void DropFocus();
    bool IsFocused() const { return m_focused; }
    int GetCaret() const { return m_caret; }
    void SetNoLeadingUnderscore(bool refuse) { m_noLeadingUnderscore = refuse; }
    // Only characters a file name may hold.
    void SetFileNameCharacters(bool fileName) { m_fileNameCharacters = fileName; }
    // Only the characters of allowed (empty: no restriction).
    void SetAllowedCharacters(const std::string& allowed)
    {
        m_allowedOnly = !allowed.empty();
        m_allowed = allowed;
    }
    // Whether the field's filter lets the character through (the length limit aside).
    bool Accepts(uint32_t character) const;

private:
    float TextY() const;
    // A box of one line's height shows one line: the part of the text around the caret.
    bool OneLine() const;
    float Room() const;
    // Scrolls the one-line view so the caret is inside it.
    void FollowCaret();
    // The text from the first character in view, as much as fits the box.
    std::string ShownLine() const;

    bool m_focused = false;
    bool m_caretShown = false;
    GTimer m_caretTimer;
    std::string m_text;
    bool m_editable = true;
    bool m_noLeadingUnderscore = false;
    int m_maximumLength;
    int m_caret = 0;
    int m_firstShown = 0; // a one-line field's first character in view
    bool m_fileNameCharacters = false;
    bool m_allowedOnly = false;
    std::string m_allowed;
};
