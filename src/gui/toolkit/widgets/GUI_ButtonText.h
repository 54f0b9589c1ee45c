// The plain interface button: a pale translucent box with a caption from the text table.
#pragma once

#include "gui/toolkit/widgets/GUI_ButtonBase.h"

#include <cstdint>
#include <string>

class GUI_ButtonText : public GUI_ButtonBase
{
public:
    GUI_ButtonText(const std::string& textKey, GUI_Callback callback = nullptr, intptr_t argument = 0);

    // The room kept free at each end of the caption, and the smallest share of the font's size a
    // caption may shrink to.
    static constexpr int kCaptionPadding = 4;
    static constexpr float kSmallestCaption = 0.75f;

    void Draw() override;
    void SetTextByKey(const std::string& key);
    // A caption that is not a text-table key (a name the player typed, a number).
    void SetText(const std::string& text)
    {
        m_caption = text;
        m_captionKey.clear();
    }
    const std::string& GetCaption() const { return m_caption; }
    void SetCaptionColour(uint32_t argb) { m_captionColour = argb; }

protected:
    // The caption centred in the width, black when enabled and faint when disabled, in the body
    // font. A caption wider than the button gives way to its short form from the text table
    // (its key with "_SHORT"), then to a smaller size of the font, and only then to dots: it is
    // never drawn past the button's edges.
    void DrawCaption(uint32_t enabledColour, uint32_t disabledColour, float y);

    std::string m_caption;
    std::string m_captionKey; // empty for a caption that came from no key
    // Cleared: the caption is drawn at once instead of with the owner's other text.
    bool m_deferredFlush = true;
    uint32_t m_captionColour = 0xFF000000u;
};
