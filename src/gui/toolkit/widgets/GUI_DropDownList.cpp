// Drop-down list.
#include "gui/toolkit/widgets/GUI_DropDownList.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_DropDownListItem.h"

GUI_DropDownList::GUI_DropDownList(GUI_Callback onSelect) : m_onSelect(std::move(onSelect))
{
    m_arrow.SetTexture(kClosedArrow);
}

void GUI_DropDownList::Layout()
{
    const float side = static_cast<float>(m_height);
    m_arrow.m_width = side;
    m_arrow.m_height = side;
    m_arrow.SetPosition(static_cast<float>(m_right) - side / 2.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
    if (m_open)
        SetOpen(true);
}

void GUI_DropDownList::AddItem(const std::string& text)
{
    m_selected = text;
    m_shownText = text;
    auto* item = CreateSubWindow<GUI_DropDownListItem>(text, this);
    // The rows overlap by design; closed, they are hidden.
    item->SetMayOverlapSiblings(true);
    item->SetVisible(m_open);
    m_items.push_back(item);
    if (m_open)
        SetOpen(true);
}

void GUI_DropDownList::SetOpen(bool open)
{
    m_open = open;
    m_arrow.SetTexture(open ? kOpenArrow : kClosedArrow);
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        GUI_DropDownListItem* item = m_items[i];
        // A closed list neither draws its rows nor passes clicks or the hand cursor to them.
        item->SetVisible(open);
        if (!open)
            continue;
        const int top = m_bottom + GUI_Metrics::kDropDownRowStep * static_cast<int>(i);
        item->SetRect(static_cast<float>(m_left), static_cast<float>(top),
                      static_cast<float>(m_right - GUI_Metrics::kDropDownArrowReserve),
                      static_cast<float>(top + GUI_Metrics::kDropDownRowHeight));
    }
}

bool GUI_DropDownList::OnClick(float x, float y)
{
    if (m_arrow.IsInside(x, y))
    {
        SetOpen(!m_open);
        return true;
    }
    if (!m_open)
        return false;
    return GUI_WindowBase::OnClick(x, y);
}

void GUI_DropDownList::Choose(const GUI_DropDownListItem& item)
{
    m_selected = item.GetValue();
    m_shownText = item.GetLabel();
    SetOpen(false);
    m_onSelect(0);
}

void GUI_DropDownList::Draw()
{
    GFontManager& fonts = GFontManager::Instance();
    const bool text = fonts.IsInitialised();
    if (text)
        fonts.Flush();
    GUI_Fonts::SelectSemibold16();
    GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, 0x20FFFFFFu);
    if (text)
        fonts.Print(m_shownText, 0xFF000000u, static_cast<float>(m_left + 5), static_cast<float>(m_top), 0.0f, 0);
    Layout();
    m_arrow.Draw();
    if (m_open)
        for (GUI_DropDownListItem* item : m_items)
            if (item->IsVisible())
                item->Draw();
    if (text)
        fonts.Flush();
}
