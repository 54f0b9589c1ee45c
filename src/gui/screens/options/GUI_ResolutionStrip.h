// One screen size in the resolution picker: lighter when it is the chosen size, a hand under the
// mouse, and a click chooses it.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_ResolutionStrip : public GUI_WindowBase
{
public:
    static constexpr uint32_t kChosenColour = 0xFFEBEBEBu;
    static constexpr uint32_t kHoverColour = 0xFFDCDCDCu;
    static constexpr uint32_t kPlainColour = 0xFFBEBEBEu;

    GUI_ResolutionStrip(int width, int height);

    bool OnClick(float x, float y) override;
    void Draw() override;
    void Update() override;

    const std::string& GetCaption() const { return m_caption; }

private:
    std::string m_caption;
    int m_modeHeight;
    int m_modeWidth;
};
