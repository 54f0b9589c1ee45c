// A savegame in the save dialog: a click chooses its name (to save over it); the delete button at
// its right asks before it deletes the save.
#pragma once

#include "gui/screens/saves/GUI_SaveStripBase.h"

class GUI_CellIconButton;

class GUI_SaveStrip : public GUI_SaveStripBase
{
public:
    GUI_SaveStrip(const std::string& path, SaveThumbnails& thumbnails);

    void Layout() override;
    bool OnClick(float x, float y) override;

private:
    GUI_CellIconButton* m_delete = nullptr; // owned by the button list
};
