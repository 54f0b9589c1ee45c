// The one view onto the factory floor: the world point shown at the screen centre and the zoom
// (screen pixels per world unit). The in-game mode updates it once per frame (screen-edge and key
// scrolling, dragging with the mouse, staying over the factory) and steps its zoom on the wheel;
// everything drawn in the world converts its coordinates through WorldToScreenX/Y.
// The transforms and on-screen tests may run on worker jobs while the main thread waits for them;
// everything else is main thread only and never runs while such jobs do.
#pragma once

class GUI_Camera
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // The smallest zoom any factory may ask for: a zoom of 0 would divide by zero when scrolling.
    static constexpr float kZoomFloor = 0.01f;
    static constexpr float kZoomStep = 0.0625f;
    // A tile's diamond is this many world units wide.
    static constexpr float kTileWorldWidth = 512.0f;

    static GUI_Camera& Instance();
    virtual ~GUI_Camera() = default;

    // Any thread.
    float WorldToScreenX(float worldX) const;
    float WorldToScreenY(float worldY) const;
    bool IsRectOnScreen(int left, int top, int right, int bottom) const;
    bool IsPointOnScreen(float x, float y) const;

    // When a game starts: the zoom at which the factory's larger side just fits the screen width,
    // cut to two decimals, never above the maximum zoom nor below kZoomFloor. A grid without
    // tiles (no factory) is an assertion failure and leaves the minimum as it was.
    void ComputeMinZoom(int gridWidth, int gridHeight);
    // The camera's centre is held over the floor of a factory of this many tiles: within the
    // diamond from one outer tile's centre to the other's, so some floor is always on screen
    // however the view is scrolled or dragged. No limits until set.
    void SetLimits(int gridWidth, int gridHeight);
    void ClearLimits() { m_hasLimits = false; }
    // The factory view starts a drag when a left click on the floor is taken by no tool: the
    // world point under the mouse then follows it.
    void BeginDrag();
    // Once per frame from the in-game mode's process step; frameFactor = elapsed ms / 16.67.
    void Update(float frameFactor);
    // Wheel up / Page Up (in = true) and down: one zoom step, held within the zoom range.
    void StepZoom(bool in);

    float GetX() const { return m_x; }
    float GetY() const { return m_y; }
    void SetPosition(float x, float y)
    {
        m_x = x;
        m_y = y;
    }
    float GetZoom() const { return m_zoom; }
    // Held within [kZoomFloor, maximum zoom].
    void SetZoom(float zoom);
    float GetMinZoom() const { return m_minZoom; }
    float GetMaxZoom() const { return m_maxZoom; }
    float GetScrollStep() const { return m_scrollStep; }
    bool IsDragging() const { return m_dragging; }
    // Back to the view the program starts with: world origin, zoom 0.5, the default zoom range,
    // no limits and no drag (for tests, whose games share the one camera).
    void Reset();

private:
    GUI_Camera() = default;

    float m_minZoom = 0.125f;
    float m_maxZoom = 1.0f;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_zoom = 0.5f;
    float m_scrollStep = 0.0f;
    float m_anchorX = 0.0f;
    float m_anchorY = 0.0f;
    bool m_dragging = false;
    bool m_hasLimits = false;
    int m_limitWidth = 0;
    int m_limitHeight = 0;
};
