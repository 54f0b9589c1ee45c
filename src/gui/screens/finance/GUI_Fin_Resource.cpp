// A row of the resource list on the prices tab.
#include "gui/screens/finance/GUI_Fin_Resource.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/screens/finance/GUI_Fin_Prices.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_Resource.h"

GUI_Fin_Resource::GUI_Fin_Resource(SIM_Resource* resource) : m_resource(resource)
{
    if (resource)
        (void)ApplyAtlasToSprite(m_icon, resource->GetIcon());
}

void GUI_Fin_Resource::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(left, top, right, bottom);
    m_inner = PRect{m_left, m_top + 2, m_right, m_bottom - 2};
    m_icon.m_width = static_cast<float>(m_height);
    m_icon.m_height = static_cast<float>(m_height);
    m_icon.SetPosition(static_cast<float>(m_left) + static_cast<float>(m_height) / 2.0f + 4.0f,
                       static_cast<float>(m_top + m_bottom) / 2.0f);
}

bool GUI_Fin_Resource::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsVisible() || !IsMouseOver())
        return false;
    if (GUI_Fin_Prices* prices = GUI_Fin_Prices::GetCurrent())
        prices->SelectResource(m_resource);
    return true;
}

void GUI_Fin_Resource::Update()
{
    if (IsVisible() && IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_Fin_Resource::Draw()
{
    GD3DDevice::Instance().FillRect(m_inner, IsMouseOver() ? 0xFFFAFAFAu : 0xFFEBEBEBu);
    m_icon.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised() && m_resource)
    {
        const float iconRight = DialogPanelDrawing::IconRight(m_icon);
        const int textY = (m_top + m_bottom) / 2 - 5;
        fonts.Print(m_resource->GetGuiName(), 0xFF000000u, iconRight + 10.0f, static_cast<float>(textY), 0.0f, 0);
        fonts.Flush();
    }
}
