// A notice floating over something on the factory floor that has a problem: a small circle on the
// floor, a stalk, and above it a coloured box with a short explanation, or, zoomed far out, just a
// warning or error symbol. Slot notices and car notices share it; every notice is listed so the
// in-game mode can draw them all over the scene each frame. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/core/GRoster.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>
#include <vector>

class GUI_NoticeBase
{
public:
    struct Colour
    {
        int r = 255, g = 255, b = 255, a = 255;
        uint32_t Argb() const;
    };

    // Longer texts wrap at this width.
    static constexpr float kWrapWidth = 400.0f;

    GUI_NoticeBase();
    virtual ~GUI_NoticeBase();
    GUI_NoticeBase(const GUI_NoticeBase&) = delete;
    GUI_NoticeBase& operator=(const GUI_NoticeBase&) = delete;

    // Draws the notice where it belongs, when it has something to say.
    virtual void Draw() = 0;
    // Draws the notice for a world point: nothing when the point is more than 100 pixels off
    // screen; the full box above zoom 0.125, the symbol alone at or below it.
    void Render(float worldX, float worldY);
    // Between these, full notices that overlap none of the run drawn since the last text share
    // one text draw: their boxes go first, their texts after, which shows the same as drawing
    // them one by one because nothing of one lies over another. A notice that overlaps one of
    // the run sends the run's boxes and texts first. Outside them each notice draws its own text.
    static void BeginTextRuns();
    static void EndTextRuns();
    void DrawFull(float x, float y);
    void DrawReduced(float x, float y);

    const std::string& GetText() const { return m_text; }
    float GetTextWidth() const { return m_textWidth; }
    float GetTextHeight() const { return m_textHeight; }
    const Colour& GetBackground() const { return m_background; }
    const Colour& GetTextColour() const { return m_textColour; }
    const CTexturedSprite& GetSymbol() const { return m_symbol; }
    // What was drawn last frame.
    enum class Drawn
    {
        NOTHING,
        FULL,
        REDUCED
    };
    Drawn GetLastDrawn() const { return m_lastDrawn; }

protected:
    // Measures the text in the body font: its width, held to 400 pixels, where it wraps and the
    // box grows downwards.
    void Measure();

    std::string m_text;
    Colour m_background;
    Colour m_textColour;
    float m_textWidth = 0.0f;
    float m_textHeight = 0.0f;
    CTexturedSprite m_circle;
    CTexturedSprite m_symbol;
    float m_screenX = 0.0f;
    float m_screenY = 0.0f;
    PRect m_rect;
    Drawn m_lastDrawn = Drawn::NOTHING;

private:
    GRosterPlace m_listPlace; // on the list of every notice
};

// Every notice, in the order they were made, which is the order they are drawn in.
const std::vector<GUI_NoticeBase*>& NoticeList();
