// The scrolling pickers' base.
#include "gui/toolkit/windows/GUI_PickerDialog.h"

#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"

GUI_PickerDialog::GUI_PickerDialog(int rowHeight) : GUI_Dialog(true), m_rowHeight(rowHeight)
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
}

GUI_PickerDialog::~GUI_PickerDialog()
{
    DropRows();
}

void GUI_PickerDialog::DropRows()
{
    // The rows are shown as sub-windows; take them out before they go.
    for (const auto& row : m_rows)
        (void)RemoveSubWindow(row.get());
    m_rows.clear();
}

void GUI_PickerDialog::Layout()
{
    if (!m_bar)
        return;
    const PRect c = GetClientRect();
    m_bar->SetRect(static_cast<float>(c.right - 20), static_cast<float>(c.top + 5), static_cast<float>(c.right - 5),
                   static_cast<float>(c.bottom - 5));
    if (!m_rows.empty())
        LayoutRows();
}

void GUI_PickerDialog::LayoutRows()
{
    ArrangeRows(*this, *this, GetClientRect(), m_rowHeight);
}

void GUI_PickerDialog::OnWheelUp()
{
    if (IsMouseOver() && m_bar)
        m_bar->StepUp();
}

void GUI_PickerDialog::OnWheelDown()
{
    if (IsMouseOver() && m_bar)
        m_bar->StepDown();
}

void GUI_PickerDialog::Draw()
{
    if (!IsVisible())
        return;
    GUI_Dialog::Draw();
    if (m_bar->IsChanged())
    {
        m_bar->ClearChanged();
        LayoutRows();
    }
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}
