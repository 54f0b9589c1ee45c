// The widget base: rectangle, children at offsets, hit test and screen placement.
#include "engine/GUI_BaseElement.h"

#include "engine/GScreenSize.h"

bool GUI_BaseElement::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    return false;
}

void GUI_BaseElement::SetRect(float x1, float y1, float x2, float y2)
{
    m_left = static_cast<int>(x1);
    m_top = static_cast<int>(y1);
    m_right = static_cast<int>(x2);
    m_bottom = static_cast<int>(y2);
    m_width = static_cast<int>(x2 - x1);
    m_height = static_cast<int>(y2 - y1);
    LayoutChildren();
}

void GUI_BaseElement::SetPosition(float x, float y)
{
    m_left = static_cast<int>(x);
    m_top = static_cast<int>(y);
    m_right = static_cast<int>(static_cast<float>(m_width) + x);
    m_bottom = static_cast<int>(static_cast<float>(m_height) + y);
    LayoutChildren();
}

void GUI_BaseElement::SetSize(float w, float h)
{
    m_width = static_cast<int>(w);
    m_height = static_cast<int>(h);
}

bool GUI_BaseElement::IsInside(float x, float y)
{
    const int ix = static_cast<int>(x);
    const int iy = static_cast<int>(y);
    return ix >= m_left && ix < m_right && iy >= m_top && iy < m_bottom;
}

void GUI_BaseElement::AddChild(GUI_BaseElement* child)
{
    if (!child)
        return;
    m_children.push_back({child, static_cast<float>(child->m_left - m_left), static_cast<float>(child->m_top - m_top)});
}

void GUI_BaseElement::LayoutChildren()
{
    for (const Child& c : m_children)
    {
        c.element->SetPosition(static_cast<float>(m_left) + c.dx, static_cast<float>(m_top) + c.dy);
        c.element->LayoutChildren();
    }
}

void GUI_BaseElement::CentreOnScreen()
{
    const int x = GScreenSize::Width() / 2 - m_width / 2;
    const int y = GScreenSize::Height() / 2 - m_height / 2;
    m_left = x;
    m_top = y;
    m_right = x + m_width;
    m_bottom = y + m_height;
}

void GUI_BaseElement::ClampToScreen()
{
    const int w = GScreenSize::Width();
    const int h = GScreenSize::Height();
    if (m_left < 0)
        SetRect(0.0f, static_cast<float>(m_top), static_cast<float>(m_width), static_cast<float>(m_top + m_height));
    if (m_top < 0)
        SetRect(static_cast<float>(m_left), 0.0f, static_cast<float>(m_right), static_cast<float>(m_height));
    if (m_right > w)
        SetRect(static_cast<float>(w - m_width), static_cast<float>(m_top), static_cast<float>(w),
                static_cast<float>(m_bottom));
    if (m_bottom > h)
        SetRect(static_cast<float>(m_left), static_cast<float>(h - m_height), static_cast<float>(m_right),
                static_cast<float>(h));
}
