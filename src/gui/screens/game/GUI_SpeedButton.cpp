// One of the four speed buttons.
#include "gui/screens/game/GUI_SpeedButton.h"

GUI_SpeedButton::GUI_SpeedButton(int column, GUI_Callback callback)
    : GUI_IconButton("gui_speeds.dds", std::move(callback), column), m_column(column)
{
    SetCell(m_hover, m_column, true);
    SetCell(m_normal, m_column, false);
}

void GUI_SpeedButton::SetHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    SetCell(m_normal, m_column, highlighted);
}

void GUI_SpeedButton::SetCell(CTexturedSprite& sprite, int column, bool bottomRow)
{
    const float u0 = static_cast<float>(column) / kColumns;
    const float u1 = static_cast<float>(column + 1) / kColumns;
    const float v0 = bottomRow ? 0.5f : 0.0f;
    const float v1 = bottomRow ? 1.0f : 0.5f;
    // Corners in strip order: top-left, top-right, bottom-left, bottom-right.
    sprite.m_vertices[0].u = u0;
    sprite.m_vertices[0].v = v0;
    sprite.m_vertices[1].u = u1;
    sprite.m_vertices[1].v = v0;
    sprite.m_vertices[2].u = u0;
    sprite.m_vertices[2].v = v1;
    sprite.m_vertices[3].u = u1;
    sprite.m_vertices[3].v = v1;
}
