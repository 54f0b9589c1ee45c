// A save-dialog strip.
#include "gui/screens/saves/GUI_SaveStrip.h"

#include "gui/screens/saves/GUI_CellIconButton.h"
#include "gui/screens/saves/GUI_SaveDialog.h"

GUI_SaveStrip::GUI_SaveStrip(const std::string& path, SaveThumbnails& thumbnails) : GUI_SaveStripBase(path, thumbnails)
{
    m_delete =
        CreateChild<GUI_CellIconButton>("loadgame.dds", 2, 3, [this] { GUI_SaveDialog::ConfirmDeleteOf(*this); });
}

void GUI_SaveStrip::Layout()
{
    GUI_SaveStripBase::Layout();
    m_delete->SetRect(static_cast<float>(m_inner.right - 40), static_cast<float>(m_inner.top),
                      static_cast<float>(m_inner.right - 10), static_cast<float>(m_inner.top + 40));
}

bool GUI_SaveStrip::OnClick(float x, float y)
{
    if (!IsMouseOver())
        return false;
    if (m_delete->IsInside(x, y))
        return m_delete->OnClick(x, y);
    GUI_SaveDialog::ChooseName(GetSaveName());
    return true;
}
