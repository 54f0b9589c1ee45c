// Picture buttons cut from a 2 x 2 sheet.
#include "gui/screens/saves/GUI_CellIconButton.h"

GUI_CellIconButton::GUI_CellIconButton(const std::string& textureName, int normalCell, int hoverCell,
                                       GUI_Callback callback)
    : GUI_IconButton(textureName, std::move(callback))
{
    ShowCell(m_normal, normalCell);
    ShowCell(m_hover, hoverCell);
}

void GUI_CellIconButton::ShowCell(CTexturedSprite& sprite, int cell)
{
    const int column = cell % 2;
    const int row = cell / 2;
    const float u = static_cast<float>(column) * 0.5f;
    const float v = static_cast<float>(row) * 0.5f;
    PVertex* corners = sprite.m_vertices;
    corners[0].u = corners[2].u = u;
    corners[1].u = corners[3].u = u + 0.5f;
    corners[0].v = corners[1].v = v;
    corners[2].v = corners[3].v = v + 0.5f;
}
