// A row of the floor texture picker.
#include "gui/editors/floors/GUI_Edit_FloorStrip.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/editors/floors/GUI_Edit_FloorTexture.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_Cursor.h"

#include <utility>

namespace
{
constexpr uint32_t kFloorStripColour = 0xFFBEBEBEu;
constexpr uint32_t kFloorStripTextColour = 0xFF000000u;
} // namespace

GUI_Edit_FloorStrip::GUI_Edit_FloorStrip(const std::string& textureName, GUI_Edit_FloorTexture* picker)
    : m_textureName(textureName), m_picker(picker)
{
}

void GUI_Edit_FloorStrip::Layout()
{
    m_inner = GUI_Layout::Inset(PRect{m_left, m_top, m_right, m_bottom}, 2);
    m_preview.SetTexture(m_textureName);
    m_preview.m_height = static_cast<float>(GUI_Layout::Height(m_inner) - 4);
    m_preview.m_width = 2.0f * m_preview.m_height;
    m_preview.SetPosition(static_cast<float>(m_inner.left + 4) + m_preview.m_width / 2.0f,
                          static_cast<float>(m_top + m_bottom) / 2.0f);
}

bool GUI_Edit_FloorStrip::OnClick(float x, float y)
{
    if (!IsInside(x, y))
        return false;
    if (m_picker)
        m_picker->PickTexture(m_textureName);
    return true;
}

void GUI_Edit_FloorStrip::Update()
{
    GUI_WindowBase::Update();
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_Edit_FloorStrip::Draw()
{
    GD3DDevice::Instance().FillRect(m_inner, kFloorStripColour);
    m_preview.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    const float previewRight = static_cast<float>(m_inner.left + 4) + m_preview.m_width;
    fonts.Print(m_textureName, kFloorStripTextColour, previewRight + 10.0f,
                static_cast<float>(m_top + m_bottom) / 2.0f - 9.0f, 0.0f, 0);
}
