// Dialog frame: title, body, close box, margins and the modal veil.
#include "gui/toolkit/windows/GUI_Dialog.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GDrawGroup.h"
#include "engine/GScreenSize.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/widgets/GUI_CloseButton.h"

GUI_Dialog::GUI_Dialog(bool withCloseButton)
    : m_sideMargin(static_cast<float>(GUI_Metrics::kDialogSideMargin)),
      m_topMargin(static_cast<float>(GUI_Metrics::kDialogTopMargin)),
      m_bottomMargin(static_cast<float>(GUI_Metrics::kDialogBottomMargin))
{
    if (withCloseButton)
        m_closeButton = CreateChild<GUI_CloseButton>(this);
    AddToWindowManager();
}

void GUI_Dialog::PlaceFrame()
{
    const int oldWidth = m_titleBar.GetWidth();
    m_titleBar.GUI_WindowBase::SetRect(static_cast<float>(m_left), static_cast<float>(m_top),
                                       static_cast<float>(m_right),
                                       static_cast<float>(m_top + GUI_Metrics::kTitleBarHeight));
    m_background.SetBody(PRect{m_left, m_top, m_right, m_bottom});
    if (m_closeButton)
    {
        const int inset = GUI_Metrics::kCloseButtonInset;
        const int side = GUI_Metrics::kCloseButtonSize;
        m_closeButton->SetRect(static_cast<float>(m_right - inset - side), static_cast<float>(m_top + inset),
                               static_cast<float>(m_right - inset), static_cast<float>(m_top + inset + side));
    }
    UpdateClientRect();
    m_titleBar.SetStrip(m_clientRect.top, m_closeButton ? m_closeButton->GetLeft() - 4 : m_right - 10);
    // A title given before the dialog had its size is measured now.
    if (!m_title.empty() && m_titleBar.GetWidth() != oldWidth && m_titleBar.GetWidth() > 0)
        m_titleBar.SetTitle(m_title);
}

void GUI_Dialog::UpdateClientRect()
{
    m_clientRect = PRect{static_cast<int>(static_cast<float>(m_left) + m_sideMargin),
                         static_cast<int>(static_cast<float>(m_top) + m_topMargin),
                         static_cast<int>(static_cast<float>(m_right) - m_sideMargin),
                         static_cast<int>(static_cast<float>(m_bottom) - m_bottomMargin)};
}

void GUI_Dialog::SetMargins(float side, float top, float bottom)
{
    m_sideMargin = side;
    m_topMargin = top;
    m_bottomMargin = bottom;
    UpdateClientRect();
}

void GUI_Dialog::CentreOnScreen()
{
    const int cx = GScreenSize::Width() / 2;
    const int cy = GScreenSize::Height() / 2;
    const int halfW = m_width / 2;
    const int halfH = m_height / 2;
    SetBounds(static_cast<float>(cx - halfW), static_cast<float>(cy - halfH), static_cast<float>(cx + halfW),
              static_cast<float>(cy + halfH));
    PlaceFrame();
    Layout();
}

void GUI_Dialog::SetPosition(float x, float y)
{
    SetBounds(x, y, x + static_cast<float>(m_width), y + static_cast<float>(m_height));
    PlaceFrame();
    Layout();
}

void GUI_Dialog::SetRect(float left, float top, float right, float bottom)
{
    SetBounds(left, top, right, bottom);
    PlaceFrame();
    Layout();
}

void GUI_Dialog::ClampToScreen()
{
    GUI_BaseElement::ClampToScreen();
    if (m_top < GUI_Metrics::kTopStrip)
        SetRect(static_cast<float>(m_left), static_cast<float>(GUI_Metrics::kTopStrip), static_cast<float>(m_right),
                static_cast<float>(m_height + GUI_Metrics::kTopStrip));
    else
        PlaceFrame();
}

void GUI_Dialog::BeginDrag()
{
    if (m_titleBar.IsMouseOver())
        GUI_WindowBase::BeginDrag();
}

void GUI_Dialog::SetTitle(const std::string& text)
{
    m_title = text;
    if (m_titleBar.GetWidth() > 0)
        m_titleBar.SetTitle(text);
}

void GUI_Dialog::SetTitleByKey(const std::string& key)
{
    SetTitle(GTextTable::GetText(key));
}

void GUI_Dialog::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    if (IsModal())
        device.FillRect(PRect{0, 0, GScreenSize::Width(), GScreenSize::Height()}, 0xC8000000u);
    PlaceFrame();
    m_background.Draw();
    if (!m_title.empty())
    {
        // The title owns the strip above the client area: what reaches below it is covered.
        const GDrawGroup group(m_titleBar, PRect{m_left, m_top, m_titleBar.GetTextRight(), m_clientRect.top});
        m_titleBar.Draw();
    }
    if (m_drawChildren)
        DrawChildren();
}
