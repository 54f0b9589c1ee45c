// Row arrangement of scrolling lists.
#include "gui/toolkit/widgets/GUI_ScrollContainer.h"

#include "engine/CBaseInputManager.h"
#include "gui/toolkit/layout/GUI_Metrics.h"

#include <algorithm>

void GUI_ScrollContainer::FollowScrollBar()
{
    if (m_bar && m_bar->IsChanged())
    {
        m_bar->ClearChanged();
        LayoutRows();
    }
}

void GUI_ScrollContainer::ArrangeRows(GUI_ScrollContainer& container, GUI_WindowBase& window, int left, int top,
                                      int right, int bottom, int rowHeight)
{
    for (const std::unique_ptr<GUI_WindowBase>& row : container.m_rows)
        if (row->GetParent() == &window)
            (void)window.RemoveSubWindow(row.get());
    const int firstRow = container.m_bar ? container.m_bar->GetFirstRow() : 0;
    int y = top;
    int shown = 0;
    const int rows = static_cast<int>(container.m_rows.size());
    for (int i = std::max(0, firstRow); i < rows; ++i)
    {
        // The first row that would end below the list ends it: every later row is lower still.
        if (y + rowHeight > bottom)
            break;
        GUI_WindowBase* row = container.m_rows[static_cast<size_t>(i)].get();
        window.AttachSubWindow(row);
        row->SetRect(static_cast<float>(left), static_cast<float>(y),
                     static_cast<float>(right - GUI_Metrics::kScrollBarReserve), static_cast<float>(y + rowHeight));
        y += rowHeight;
        ++shown;
    }
    if (container.m_bar)
        container.m_bar->SetRows(static_cast<float>(rows), static_cast<float>(shown), std::max(0, rows - shown));
}

bool IsMouseInRect(const PRect& rect)
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input)
        return false;
    const int x = static_cast<int>(input->GetMouseX());
    const int y = static_cast<int>(input->GetMouseY());
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
