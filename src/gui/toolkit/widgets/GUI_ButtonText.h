// The plain interface button: a pale translucent box with a caption from the text table.
#pragma once

#include "gui/toolkit/widgets/GUI_ButtonBase.h"

#include <cstdint>
#include <string>

class GUI_ButtonText : public GUI_ButtonBase
{
public:
    GUI_ButtonText(const std::string& textKey, GUI_Callback callback = nullptr, intptr_t argument = 0);

    void Draw() override;
    void SetTextByKey(const std::string& key);
    const std::string& GetCaption() const { return m_caption; }
    void SetCaptionColour(uint32_t argb) { m_captionColour = argb; }

protected:
    // The caption centred in the width, black when enabled and faint when disabled.
    void DrawCaption(uint32_t enabledColour, uint32_t disabledColour, float y);

    std::string m_caption;
    // Cleared: the caption is drawn at once instead of with the owner's other text.
    bool m_deferredFlush = true;
    uint32_t m_captionColour = 0xFF000000u;
};
