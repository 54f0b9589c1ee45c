// One of the four speed buttons: a cell of the speed strip picture, whose top row is the plain
// look and whose bottom row the highlighted one. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_IconButton.h"

class GUI_SpeedButton : public GUI_IconButton
{
public:
    static constexpr int kColumns = 4;

    GUI_SpeedButton(int column, GUI_Callback callback);
    // The plain look shows the bottom row while highlighted; the hover look always does.
    void SetHighlighted(bool highlighted);
    bool IsHighlighted() const { return m_highlighted; }

private:
    static void SetCell(CTexturedSprite& sprite, int column, bool bottomRow);

    int m_column;
    bool m_highlighted = false;
};
