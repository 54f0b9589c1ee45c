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
