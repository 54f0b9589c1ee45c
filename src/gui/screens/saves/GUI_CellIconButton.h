// A picture button cut from one cell of a 2 x 2 picture ("loadgame.dds": load, load under the
// mouse, delete, delete under the mouse).
#pragma once

#include "gui/toolkit/widgets/GUI_IconButton.h"

class GUI_CellIconButton : public GUI_IconButton
{
public:
    // normalCell and hoverCell: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
    GUI_CellIconButton(const std::string& textureName, int normalCell, int hoverCell, GUI_Callback callback);

private:
    static void ShowCell(CTexturedSprite& sprite, int cell);
};
