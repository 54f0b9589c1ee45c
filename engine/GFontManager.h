// The text renderer: owns the fonts, holds the current font and text size, measures, wraps and
// truncates text, and queues one textured quad per glyph into its own batch, drawn when it fills,
// when the font changes, or when asked.
#pragma once

#include "engine/GVertexBuffer.h"
#include "engine/LibFont.h"

#include <cstdint>
#include <string>
#include <vector>

class GFontManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int kMaxVertices = 4000;
    static constexpr int kMaxWrapText = 2048;

    static GFontManager& Instance();
    ~GFontManager();

    void Init();
    LibFont* CreateFont(int nativeSize, int cellSize, int rows, int columns, const std::string& widthPath,
                        const std::string& textureName);
    void SelectFont(const std::string& textureName, float size);
    void FindFont(const std::string& textureName);
    // align: 0 left, 1 right, 2 centre within width.
    void Print(const std::string& text, uint32_t colour, float x, float y, float width, int align);
    float PrintWrapped(uint32_t colour, int lineLimit, const std::string& text, float x, float y, float width);
    float GetWrappedTextHeight(const std::string& text, float width);
    std::string GetFirstLine(float width, const std::string& text);
    void SplitLine(float width, std::string& line, std::string& rest);
    float GetCharWidth(uint8_t character);
    // The line the current font inks at its current size, from the y a text is printed at: its
    // first row (the top of the tallest accent) and one past its last (the foot of the deepest
    // descender). Their difference is the font's real line height.
    float GetLineTop() const;
    float GetLineBottom() const;
    // The y to print at so the current font's line (accents to descenders) stands centred in a
    // row from top of that height, whole pixels; a row lower than the line gets the line's top at
    // its top.
    float LineYIn(float top, float height) const;
    // Where a text in the current font inks, relative to the point it would be printed at (empty
    // for a text that inks nothing): for centring a mark by what the player sees of it.
    PRect MeasureInk(const std::string& text);
    // How far the pen moves printing the text in the current font (kerning and blanks included).
    float GetPenAfter(const std::string& text);
    int GetTextWidth(const std::string& text);
    std::string TruncateToWidth(float width, const std::string& text);
    void Flush();
    // Forgets the queued glyphs without drawing them: a layout done only to measure, such as
    // finding where a text field's caret stands.
    void DiscardQueued() { m_queued = 0; }
    void Shutdown();
    // From now on every printed text is also appended to the log (checks of what the player reads
    // use it); null stops it. The log is not owned.
    void SetPrintLog(std::vector<std::string>* log) { m_printLog = log; }

    LibFont* GetCurrentFont() const { return m_current; }
    float GetTextSize() const { return m_textSize; }
    void SetTextSize(float size) { m_textSize = size; }
    int GetQueuedCount() const { return m_queued; }
    bool IsInitialised() const { return m_initialised; }
    float GetPenX() const { return m_penX; }
    float GetPenY() const { return m_penY; }
    const PVertex* GetQueuedVertices() const { return m_vertices; }
    const std::vector<LibFont*>& GetFonts() const { return m_fonts; }

private:
    GFontManager() = default;
    GFontManager(const GFontManager&) = delete;
    GFontManager& operator=(const GFontManager&) = delete;
    float Scale() const;
    // Walks the text as Print places it from x: action(cell, x) for every glyph, stopping when it
    // answers false; blanks, tabs and kerning move the pen between glyphs. Returns where the pen
    // ends, blanks after the last glyph included.
    template <class GlyphAction>
    float LayOut(const std::string& text, float x, GlyphAction&& action);
    // Where the glyph of the cell inks when printed at (x, y); empty when it inks nothing.
    PRect InkOf(int cell, float x, float y) const;

    std::vector<LibFont*> m_fonts;
    LibFont* m_current = nullptr;
    PVertex m_vertices[kMaxVertices];
    int m_queued = 0;
    GVertexBuffer m_batch;
    float m_textSize = 12.0f;
    bool m_initialised = false;
    int m_previousCell = -1;
    float m_penX = 0.0f;
    float m_penY = 0.0f;
    std::vector<std::string>* m_printLog = nullptr; // not owned: the caller of SetPrintLog's
};
