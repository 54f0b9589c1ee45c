// The mouse pointer's shape for the frame and the window being dragged. Controls that can be
// clicked ask for the hand each frame the mouse is over them; the shape falls back to the arrow
// every frame, so it never sticks. While delete mode is on the pointer is the delete cursor.
// Main thread only.
#pragma once

struct SDL_Cursor;
class GUI_WindowBase;

class GUI_Cursor
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    enum Shape
    {
        ARROW = 0,
        WAIT = 1,
        HAND = 2,
        CROSS = 3,
        DELETE_TOOL = 4,
        SHAPE_COUNT = 5,
    };

    // Loads the four desktop shapes and data/bitmaps/gui/delete_cursor.cur on first use.
    static GUI_Cursor& Instance();

    void RequestHandCursor() { m_requested = HAND; }
    void Request(Shape shape) { m_requested = shape; }
    // Last in every screen's draw step: shows the requested shape (the delete cursor in delete
    // mode), draws a dragged window over everything and ends its drag once the button is up,
    // then falls back to the arrow for the next frame.
    void Update();

    GUI_WindowBase* GetDraggedWindow() const { return m_draggedWindow; }
    void SetDraggedWindow(GUI_WindowBase* window) { m_draggedWindow = window; }
    int GetCurrent() const { return m_current; }
    int GetRequested() const { return m_requested; }
    // Delete mode: set by the delete tool, cleared by a right click, Escape or the task picker.
    bool IsDeleteMode() const { return m_deleteMode; }
    void SetDeleteMode(bool on) { m_deleteMode = on; }

private:
    GUI_Cursor();

    GUI_WindowBase* m_draggedWindow = nullptr; // not owned: the window manager or a screen owns it
    int m_current = ARROW;
    int m_requested = ARROW;
    SDL_Cursor* m_cursors[SHAPE_COUNT] = {};
    bool m_deleteCursorLoaded = false;
    bool m_deleteMode = false;
};
