// The task editor's side lists.
#include "gui/editors/task/GUI_EditorStripList.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/editors/task/GUI_EditorStrip.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

GUI_EditorStripList::GUI_EditorStripList()
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
}

void GUI_EditorStripList::Layout()
{
    m_bar->SetRect(static_cast<float>(m_right - kBarWidth), static_cast<float>(m_top), static_cast<float>(m_right),
                   static_cast<float>(m_bottom));
    LayoutRows();
}

void GUI_EditorStripList::SortAndLayoutRows()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const auto& a, const auto& b) {
        return GUI_EditorStrip::StripLabelLess(static_cast<const GUI_EditorStrip&>(*a),
                                               static_cast<const GUI_EditorStrip&>(*b));
    });
    LayoutRows();
}

void GUI_EditorStripList::LayoutRows()
{
    for (const auto& row : m_rows)
        if (row->GetParent() == this)
            (void)RemoveSubWindow(row.get());
    const int rows = static_cast<int>(m_rows.size());
    int y = m_top;
    int visible = 0;
    // Only whole rows: a row cut by the list's bottom would draw its name below the list.
    for (int i = std::max(0, m_bar->GetFirstRow()); i < rows && y + kRowHeight <= m_bottom; ++i)
    {
        GUI_WindowBase* strip = m_rows[static_cast<size_t>(i)].get();
        AttachSubWindow(strip);
        strip->SetRect(static_cast<float>(m_left), static_cast<float>(y), static_cast<float>(m_right - kBarWidth),
                       static_cast<float>(y + kRowHeight));
        y += kRowHeight;
        ++visible;
    }
    m_bar->SetRows(static_cast<float>(rows), static_cast<float>(visible), std::max(rows - visible, 0));
}

void GUI_EditorStripList::Update()
{
    GUI_WindowBase::Update();
    FollowScrollBar();
}

void GUI_EditorStripList::Draw()
{
    FollowScrollBar();
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect area{m_left, m_top, m_right, m_bottom};
    device.FillRect(area, 0xFFFFFFFFu);
    device.DrawRectLines(area, 0xFF000000u);
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        fonts.Flush();
}

void GUI_EditorStripList::OnWheelUp()
{
    if (IsMouseInRect(PRect{m_left, m_top, m_right, m_bottom}))
        m_bar->StepUp();
}

void GUI_EditorStripList::OnWheelDown()
{
    if (IsMouseInRect(PRect{m_left, m_top, m_right, m_bottom}))
        m_bar->StepDown();
}
