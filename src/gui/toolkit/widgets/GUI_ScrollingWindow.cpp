// Scroll bar: rows, page areas, arrows and the thumb.
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "gui/toolkit/widgets/GUI_ScrollButton.h"

#include <algorithm>
#include <cmath>

namespace
{
bool ScrollRectContains(const PRect& r, float x, float y)
{
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    return ix >= r.left && ix < r.right && iy >= r.top && iy < r.bottom;
}
} // namespace

GUI_ScrollingWindow::GUI_ScrollingWindow(bool vertical) : m_vertical(vertical)
{
    m_up = CreateChild<GUI_ScrollButton>("gui_scrollup.dds", "gui_scrollup_h.dds", 0);
    m_down = CreateChild<GUI_ScrollButton>("gui_scrolldown.dds", "gui_scrolldown_h.dds", 1);
    if (!vertical)
    {
        m_up->SetPictureAngle(270.0f);
        m_down->SetPictureAngle(270.0f);
    }
}

void GUI_ScrollingWindow::Layout()
{
    if (m_vertical)
    {
        m_up->SetRect(static_cast<float>(m_left), static_cast<float>(m_top), static_cast<float>(m_right),
                      static_cast<float>(m_top + m_width));
        m_down->SetRect(static_cast<float>(m_left), static_cast<float>(m_bottom - m_width), static_cast<float>(m_right),
                        static_cast<float>(m_bottom));
    }
    else
    {
        m_up->SetRect(static_cast<float>(m_left), static_cast<float>(m_top), static_cast<float>(m_left + m_height),
                      static_cast<float>(m_bottom));
        m_down->SetRect(static_cast<float>(m_right - m_height), static_cast<float>(m_top), static_cast<float>(m_right),
                        static_cast<float>(m_bottom));
    }
}

PRect GUI_ScrollingWindow::Track() const
{
    if (m_vertical)
        return PRect{m_left + 2, m_top + m_width, m_right - 2, m_bottom - m_width};
    return PRect{m_left + m_height, m_top + 2, m_right - m_height, m_bottom - 2};
}

void GUI_ScrollingWindow::SetRows(float total, float visible, int maxFirstRow)
{
    m_totalRows = total;
    m_visibleRows = visible;
    m_maxFirstRow = std::max(0, maxFirstRow);
}

void GUI_ScrollingWindow::SetFirstRow(int row)
{
    const int held = std::clamp(row, 0, m_maxFirstRow);
    if (held != m_firstRow)
    {
        m_firstRow = held;
        m_changed = true;
    }
}

void GUI_ScrollingWindow::StepUp()
{
    if (m_firstRow - 1 < 0)
    {
        m_firstRow = 0;
        return;
    }
    --m_firstRow;
    m_changed = true;
}

void GUI_ScrollingWindow::StepDown()
{
    if (m_firstRow + 1 > m_maxFirstRow)
    {
        m_firstRow = m_maxFirstRow;
        return;
    }
    ++m_firstRow;
    m_changed = true;
}

void GUI_ScrollingWindow::OnWheelUp()
{
    StepUp();
}

void GUI_ScrollingWindow::OnWheelDown()
{
    StepDown();
}

bool GUI_ScrollingWindow::OnClick(float x, float y)
{
    if (!IsVisible())
        return false;
    if (ClickChildren())
        return true;
    bool taken = false;
    if (ScrollRectContains(m_pageUp, x, y))
    {
        SetFirstRow(m_firstRow - 1);
        taken = true;
    }
    else if (ScrollRectContains(m_pageDown, x, y))
    {
        SetFirstRow(m_firstRow + 1);
        taken = true;
    }
    if (m_hasThumb && ScrollRectContains(GetThumbRect(), x, y))
    {
        m_draggingThumb = true;
        m_grabY = y - m_thumb.m_vertices[0].y;
        m_grabX = x - m_thumb.m_vertices[0].x;
    }
    return taken;
}

PRect GUI_ScrollingWindow::GetThumbRect() const
{
    if (!m_hasThumb)
        return PRect{};
    return PRect{static_cast<int>(m_thumb.m_vertices[0].x), static_cast<int>(m_thumb.m_vertices[0].y),
                 static_cast<int>(m_thumb.m_vertices[3].x), static_cast<int>(m_thumb.m_vertices[3].y)};
}

void GUI_ScrollingWindow::FollowThumbDrag()
{
    if (!m_draggingThumb)
        return;
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input || !input->IsLeftHeld())
    {
        m_draggingThumb = false;
        return;
    }
    const PRect track = Track();
    const float start = static_cast<float>(m_vertical ? track.top : track.left);
    const float length = static_cast<float>(m_vertical ? track.bottom - track.top : track.right - track.left);
    const float room = length - m_thumbLength;
    // A thumb as long as its track has nowhere to go (and the division below would be by zero).
    if (room <= 0.0f)
        return;
    const float mouse = m_vertical ? input->GetMouseY() - m_grabY : input->GetMouseX() - m_grabX;
    const float thumbStart = std::clamp(mouse, start, start + room);
    const int row =
        static_cast<int>(std::floor(static_cast<float>(m_maxFirstRow) * (thumbStart - start) / room + 0.5f));
    SetFirstRow(row);
}

void GUI_ScrollingWindow::Draw()
{
    FollowThumbDrag();
    if (!IsVisible())
        return;
    Layout();
    const PRect track = Track();
    GD3DDevice::Instance().FillRect(track, 0xFF404040u);
    DrawChildren();
    m_hasThumb = m_totalRows > 0.0f && m_maxFirstRow > 0;
    if (!m_hasThumb)
    {
        m_pageUp = PRect{};
        m_pageDown = PRect{};
        return;
    }
    const float trackStart = static_cast<float>(m_vertical ? track.top : track.left);
    const float trackLength = static_cast<float>(m_vertical ? track.bottom - track.top : track.right - track.left);
    m_thumbLength = std::max(6.0f, std::min(m_visibleRows / m_totalRows, 1.0f) * trackLength);
    const float along =
        trackStart +
        static_cast<float>(m_firstRow) / static_cast<float>(m_maxFirstRow) * (trackLength - m_thumbLength) +
        m_thumbLength / 2.0f;
    if (m_vertical)
    {
        m_thumb.m_width = static_cast<float>(m_width - 4);
        m_thumb.m_height = m_thumbLength;
        m_thumb.SetPosition(static_cast<float>(m_right) - static_cast<float>(m_width) / 2.0f, along);
    }
    else
    {
        m_thumb.m_width = m_thumbLength;
        m_thumb.m_height = static_cast<float>(m_height - 4);
        m_thumb.SetPosition(along, static_cast<float>(m_bottom) - static_cast<float>(m_height) / 2.0f);
    }
    const PRect thumb = GetThumbRect();
    if (m_vertical)
    {
        m_pageUp = PRect{m_left, track.top, m_right, thumb.top};
        m_pageDown = PRect{m_left, thumb.bottom, m_right, track.bottom};
    }
    else
    {
        m_pageUp = PRect{track.left, m_top, thumb.left, m_bottom};
        m_pageDown = PRect{thumb.right, m_top, track.right, m_bottom};
    }
    const CBaseInputManager* input = CBaseInputManager::Active();
    const bool over = input && ScrollRectContains(thumb, input->GetMouseX(), input->GetMouseY());
    GD3DDevice::Instance().FillRect(thumb, over ? 0xFFDCDCDCu : 0xFFB4B4B4u);
}
