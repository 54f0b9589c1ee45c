// The box of white text a widget shows once the mouse has rested on it. The widget owns it, tells
// it every frame the mouse is over the widget (UpdateHover) and asks it to draw; drawing only
// queues it, and DrawQueuedTooltips, once per frame after all windows, draws the first queued
// one, so at most one tooltip is on screen and it lies over every window. Main thread only.
#pragma once

#include "engine/GUI_BaseElement.h"

#include <string>
#include <vector>

class GUI_Tooltip : public GUI_BaseElement
{
public:
    // Widest a tooltip grows; longer lines wrap.
    static constexpr int kMaxWidth = 240;

    GUI_Tooltip(const std::string& text, int delayFrames);
    // Leaves the queue, so it never holds a freed tooltip.
    ~GUI_Tooltip() override;
    GUI_Tooltip(const GUI_Tooltip&) = delete;
    GUI_Tooltip& operator=(const GUI_Tooltip&) = delete;

    void AddLine(const std::string& text);
    // Replaces every line with one text.
    void SetText(const std::string& text);
    // The anchor (the owner calls it when it moves).
    void SetPosition(float x, float y) override;
    // The mouse is over the owner this frame: shown once it has rested longer than the delay.
    void UpdateHover();
    // Queues the tooltip while it is shown or fading.
    void Draw() override;

    float GetAlpha() const { return m_alpha; }
    const std::vector<std::string>& GetLines() const { return m_lines; }
    float GetAnchorX() const { return m_anchorX; }
    float GetAnchorY() const { return m_anchorY; }

    // Draws the first queued tooltip that can draw, then empties the queue. Once per frame after
    // the window manager's Draw.
    static void DrawQueuedTooltips();
    // Empties the queue without drawing.
    static void ClearQueue();
    static const std::vector<GUI_Tooltip*>& GetQueue();

private:
    // Measures (once per set of lines), places at the mouse and draws; false when faded out.
    bool DrawQueued();

    std::vector<std::string> m_lines;
    float m_drawAlpha = 0.0f;
    int m_delay = 0;
    float m_alpha = 0.0f;
    float m_anchorX = 0.0f;
    float m_anchorY = 0.0f;
    bool m_laidOut = false;
};

// The queued tooltip of this frame, drawn over every window (the same as
// GUI_Tooltip::DrawQueuedTooltips).
void DrawQueuedTooltips();
