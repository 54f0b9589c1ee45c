// The scroll bar of lists and text blocks: two arrow buttons, a track, a thumb to drag, page areas
// above and below the thumb, and the first visible row. Lists scroll by whole rows; the bar only
// keeps the row and tells its owner (the changed flag) when it moved.
// Main thread only.
#pragma once

#include "engine/BaseSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

class GUI_ScrollButton;

class GUI_ScrollingWindow : public GUI_WindowBase
{
public:
    explicit GUI_ScrollingWindow(bool vertical);

    // The arrows first; a page area moves one row (true); the thumb starts a drag (alone false).
    bool OnClick(float x, float y) override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    // Follows a thumb drag, then draws the bar.
    void Draw() override;
    // Places the arrows at the ends of the bar.
    void Layout() override;

    // One row towards the first (up) or the last; changed only when the row moved.
    void StepUp();
    void StepDown();

    int GetFirstRow() const { return m_firstRow; }
    // Sets the first row (held within [0, max first row]); changed when it moved.
    void SetFirstRow(int row);
    int GetMaxFirstRow() const { return m_maxFirstRow; }
    float GetTotalRows() const { return m_totalRows; }
    float GetVisibleRows() const { return m_visibleRows; }
    // What the owner arranged: every row, those shown, and the furthest the first row may go.
    void SetRows(float total, float visible, int maxFirstRow);
    bool IsChanged() const { return m_changed; }
    void ClearChanged() { m_changed = false; }
    bool IsDraggingThumb() const { return m_draggingThumb; }
    const PRect& GetPageDownArea() const { return m_pageDown; }
    // The thumb's rectangle as last drawn (empty when the rows all fit).
    PRect GetThumbRect() const;
    GUI_ScrollButton* GetUpButton() const { return m_up; }
    GUI_ScrollButton* GetDownButton() const { return m_down; }

private:
    // The track between the arrows, along the bar.
    PRect Track() const;
    void FollowThumbDrag();

    bool m_changed = false;
    int m_firstRow = 0;
    int m_maxFirstRow = 0;
    float m_totalRows = 0.0f;
    float m_visibleRows = 0.0f;
    GUI_ScrollButton* m_up = nullptr;   // owned by the button list
    GUI_ScrollButton* m_down = nullptr; // owned by the button list
    BaseSprite m_thumb;
    float m_thumbLength = 0.0f;
    PRect m_pageUp;
    PRect m_pageDown;
    bool m_draggingThumb = false;
    float m_grabY = 0.0f;
    float m_grabX = 0.0f;
    bool m_vertical;
    bool m_hasThumb = false;
};
