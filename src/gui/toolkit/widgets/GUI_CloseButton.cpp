// Close box look and action.
#include "gui/toolkit/widgets/GUI_CloseButton.h"

#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <cmath>

GUI_CloseButton::GUI_CloseButton(GUI_WindowBase* window)
    : GUI_ButtonBase([window] { DeleteViaVirtualDestructor(window); })
{
    m_sprite.SetTexture(kTexture);
}

void GUI_CloseButton::Draw()
{
    const float side = static_cast<float>(m_width);
    const float cx = static_cast<float>(m_left + m_right) / 2.0f;
    const float cy = static_cast<float>(m_top + m_bottom) / 2.0f;
    m_sprite.m_width = side;
    m_sprite.m_height = side;
    m_sprite.SetPosition(cx, cy);
    const bool over = IsMouseOver();
    if (over)
    {
        m_sprite.SetColour(0x00, 0xCC, 0xFF, 0xFF);
        GUI_Cursor::Instance().RequestHandCursor();
    }
    else
    {
        m_sprite.SetColour(0xFF, 0xFF, 0xFF, 0x20);
    }
    m_sprite.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectExtraBold36();
    // Centred by its ink: the face's cell has room for accents above and descenders below.
    const PRect ink = fonts.MeasureInk("X");
    fonts.Print("X", 0xFF000000u, std::round(cx - static_cast<float>(ink.left + ink.right) / 2.0f),
                std::round(cy - static_cast<float>(ink.top + ink.bottom) / 2.0f), 0.0f, 0);
}
