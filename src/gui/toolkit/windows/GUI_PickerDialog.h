// The base of the dialogs that offer a scrolling list of rows to pick from (the stockpile's
// resource picker, the upgrade picker): a vertical scroll bar down the right of the client area,
// rows of one height from the bar's first row down, the wheel over the dialog scrolling them, and
// a draw that follows the bar. Derived pickers fill m_rows in RebuildRows. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"

class GUI_PickerDialog : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    explicit GUI_PickerDialog(int rowHeight);
    ~GUI_PickerDialog() override;

    // The scroll bar from the client area, then the rows.
    void Layout() override;
    void LayoutRows() override;
    // The dialog, the rows again when the bar moved, then the rows in the list font.
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

protected:
    // Takes every row out of the list and deletes it.
    void DropRows();

private:
    int m_rowHeight;
};
