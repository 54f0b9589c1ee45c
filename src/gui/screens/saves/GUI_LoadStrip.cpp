// A load-dialog strip.
#include "gui/screens/saves/GUI_LoadStrip.h"

#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/saves/GUI_CellIconButton.h"
#include "gui/screens/saves/GUI_LoadDialog.h"

#include <algorithm>

GUI_LoadStrip::GUI_LoadStrip(const std::string& path, SaveThumbnails& thumbnails) : GUI_SaveStripBase(path, thumbnails)
{
    m_load = CreateChild<GUI_CellIconButton>("loadgame.dds", 0, 1, [this] { GUI_LoadDialog::LoadSelected(*this); });
    m_delete =
        CreateChild<GUI_CellIconButton>("loadgame.dds", 2, 3, [this] { GUI_LoadDialog::ConfirmDeleteOf(*this); });
}

void GUI_LoadStrip::Layout()
{
    GUI_SaveStripBase::Layout();
    // Two square buttons stacked at the right; in a strip of 80 they meet without overlapping, so
    // a click near the middle cannot both load and delete.
    const int side = std::min(40, (m_inner.bottom - m_inner.top) / 2);
    m_load->SetRect(static_cast<float>(m_inner.right - side), static_cast<float>(m_inner.top),
                    static_cast<float>(m_inner.right), static_cast<float>(m_inner.top + side));
    m_delete->SetRect(static_cast<float>(m_inner.right - side), static_cast<float>(m_inner.bottom - side),
                      static_cast<float>(m_inner.right), static_cast<float>(m_inner.bottom));
}

bool GUI_LoadStrip::OnClick(float x, float y)
{
    if (FrontEnd::IsDoubleClick() && IsMouseOver())
    {
        GUI_LoadDialog::LoadSelected(*this);
        return true;
    }
    return GUI_SaveStripBase::OnClick(x, y);
}
