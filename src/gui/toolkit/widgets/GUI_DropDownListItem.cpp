// Drop-down rows.
#include "gui/toolkit/widgets/GUI_DropDownListItem.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/windows/GUI_Cursor.h"

GUI_DropDownListItem::GUI_DropDownListItem(const std::string& value, GUI_DropDownList* owner)
    : m_value(value), m_label(value), m_owner(owner)
{
}

bool GUI_DropDownListItem::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    if (m_owner)
        m_owner->Choose(*this);
    return true;
}

void GUI_DropDownListItem::Update()
{
    if (IsVisible() && m_owner && m_owner->IsOpen() && IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_DropDownListItem::Draw()
{
    GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, 0xFF808080u);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        fonts.Print(m_label, 0xFF000000u, static_cast<float>(m_left + 5), static_cast<float>(m_top), 0.0f, 0);
}
