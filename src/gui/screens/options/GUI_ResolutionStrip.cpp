// A resolution strip.
#include "gui/screens/options/GUI_ResolutionStrip.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/screens/options/GUI_ResolutionPicker.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_Cursor.h"

GUI_ResolutionStrip::GUI_ResolutionStrip(int width, int height)
    : m_caption(std::to_string(width) + " x " + std::to_string(height)), m_modeHeight(height), m_modeWidth(width)
{
}

void GUI_ResolutionStrip::Update()
{
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
    GUI_WindowBase::Update();
}

void GUI_ResolutionStrip::Draw()
{
    const GUI_ResolutionPicker* picker = GUI_ResolutionPicker::GetOpen();
    uint32_t colour = IsMouseOver() ? kHoverColour : kPlainColour;
    if (picker && picker->GetChosenWidth() == m_modeWidth && picker->GetChosenHeight() == m_modeHeight)
        colour = kChosenColour;
    GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, colour);
    GFontManager::Instance().Print(m_caption, 0xFF000000u, static_cast<float>(m_left + 20), static_cast<float>(m_top),
                                   0.0f, 0);
}

bool GUI_ResolutionStrip::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    GUI_ResolutionPicker::Choose(m_modeWidth, m_modeHeight);
    GUI_Sounds::Instance().PlayUISound(UI_SOUND_HEAVY_CLICK);
    return true;
}
