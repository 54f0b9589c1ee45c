// A savegame in the load dialog: the load button above the delete button at its right; a double
// click anywhere on it loads it too.
#pragma once

#include "gui/screens/saves/GUI_SaveStripBase.h"

class GUI_CellIconButton;

class GUI_LoadStrip : public GUI_SaveStripBase
{
public:
    GUI_LoadStrip(const std::string& path, SaveThumbnails& thumbnails);

    void Layout() override;
    bool OnClick(float x, float y) override;

    GUI_CellIconButton* GetLoadButton() const { return m_load; }
    GUI_CellIconButton* GetDeleteButton() const { return m_delete; }

private:
    GUI_CellIconButton* m_load = nullptr;   // owned by the button list
    GUI_CellIconButton* m_delete = nullptr; // owned by the button list
};
