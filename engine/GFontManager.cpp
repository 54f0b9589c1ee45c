// Text layout and glyph batching.
#include "engine/GFontManager.h"

#include "engine/GD3DDevice.h"
#include "engine/GQuadBatchScope.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"

#include <algorithm>
#include <cmath>
#include <vector>

GFontManager& GFontManager::Instance()
{
    return GLifetime::Get<GFontManager>();
}

GFontManager::~GFontManager()
{
    Shutdown();
}

void GFontManager::Init()
{
    // Fonts of an earlier set-up are deleted rather than forgotten.
    for (LibFont* font : m_fonts)
        delete font;
    m_fonts.clear();
    m_textSize = 12.0f;
    m_current = nullptr;
    for (PVertex& v : m_vertices)
        v = PVertex();
    m_batch.ReleaseBuffers();
    m_batch.Create(kMaxVertices);
    m_queued = 0;
    m_previousCell = -1;
    m_initialised = true;
}

LibFont* GFontManager::CreateFont(int nativeSize, int cellSize, int rows, int columns, const std::string& widthPath,
                                  const std::string& textureName)
{
    auto* font = new LibFont();
    font->Load(nativeSize, cellSize, rows, columns, widthPath, textureName);
    m_fonts.push_back(font);
    return font;
}

void GFontManager::SelectFont(const std::string& textureName, float size)
{
    FindFont(textureName);
    m_textSize = size;
}

void GFontManager::FindFont(const std::string& textureName)
{
    for (LibFont* font : m_fonts)
    {
        if (font->m_textureName == textureName)
        {
            if (font != m_current && m_queued > 0)
                Flush();
            m_current = font;
            return;
        }
    }
    GDebugLog::Instance().Log("missing font: " + textureName);
}

float GFontManager::Scale() const
{
    return m_current && m_current->m_nativeSize != 0 ? m_textSize / static_cast<float>(m_current->m_nativeSize) : 1.0f;
}

void GFontManager::Print(const std::string& text, uint32_t colour, float x, float y, float width, int align)
{
    if (!m_initialised)
    {
        GDebugLog::Instance().Log("TextNotInitialised");
        return;
    }
    if (!m_current)
        return;
    if (m_printLog)
        m_printLog->push_back(text);
    if (m_queued + 4 * static_cast<long long>(text.size()) > kMaxVertices)
        Flush();
    if (align == 1)
        x = x + width - static_cast<float>(GetTextWidth(text));
    else if (align == 2)
        x = x + width / 2.0f - static_cast<float>(GetTextWidth(text)) / 2.0f;
    x = std::trunc(x);
    y = std::trunc(y);
    const float scale = Scale();
    // Inside a gathering scope whose places hold a copy of the font's sheet, the glyphs join the
    // gathered quads in drawing order instead of waiting for the next flush (as long as nothing of
    // an earlier text waits, which must go first). Linear filtering of the copy shows the same as
    // the sheet's point filtering: whole-pixel text samples every texel at its centre.
    GQuadBatchScope* scope = m_queued == 0 ? GQuadBatchScope::Current() : nullptr;
    // A device that checks text is told where every glyph inks (tests only: the game's device
    // asks for nothing).
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    std::vector<PRect> ink;
    const bool noteGlyphs = device && device->ChecksText();
    LayOut(text, x, [&](int cell, float glyphX) {
        if (m_queued >= kMaxVertices - 4)
        {
            GDebugLog::Instance().Log("ERROR - Text exceeds max characters");
            return false;
        }
        const float s = scale * static_cast<float>(m_current->m_cellSize);
        const float xs[4] = {glyphX - 0.5f, glyphX + s - 0.5f, glyphX - 0.5f, glyphX + s - 0.5f};
        const float ys[4] = {y - 0.5f, y - 0.5f, y + s - 0.5f, y + s - 0.5f};
        for (int i = 0; i < 4; ++i)
            m_vertices[m_queued + i] = {
                xs[i], ys[i], 0.0f, 1.0f, colour, m_current->m_u[cell][i], m_current->m_v[cell][i]};
        if (!scope || !scope->AddCopied(m_current->m_texture, &m_vertices[m_queued]))
        {
            m_queued += 4;
            scope = nullptr;
        }
        if (noteGlyphs)
        {
            const PRect box = InkOf(cell, glyphX, y);
            if (box.right > box.left)
                ink.push_back(box);
        }
        m_penY = y;
        return true;
    });
    if (!ink.empty())
        device->NoteGlyphs(text, ink);
}

template <class GlyphAction>
float GFontManager::LayOut(const std::string& text, float x, GlyphAction&& action)
{
    const float scale = Scale();
    m_previousCell = -1;
    for (unsigned char c : text)
    {
        if (c == ' ')
        {
            x += std::trunc(m_textSize / 4.0f);
            m_previousCell = -1;
            continue;
        }
        if (c == '\t')
        {
            x = (std::floor(x / 80.0f) + 1.0f) * 80.0f;
            m_previousCell = -1;
            continue;
        }
        if (c == 146)
            c = '\'';
        const int cell = LibFont::CellOf(c);
        if (m_previousCell >= 0)
            x += scale * static_cast<float>(m_current->GetKerning(m_previousCell, cell));
        if (!action(cell, x))
            return x;
        x += scale * static_cast<float>(m_current->m_widths[cell] + m_current->m_letterSpacing);
        m_previousCell = cell;
        m_penX = x;
    }
    return x;
}

PRect GFontManager::InkOf(int cell, float x, float y) const
{
    const InkBox& box = m_current->GetInk(cell);
    if (box.right <= box.left)
        return PRect{};
    const float scale = Scale();
    return PRect{static_cast<int32_t>(std::floor(x + scale * static_cast<float>(box.left))),
                 static_cast<int32_t>(std::floor(y + scale * static_cast<float>(box.top))),
                 static_cast<int32_t>(std::ceil(x + scale * static_cast<float>(box.right))),
                 static_cast<int32_t>(std::ceil(y + scale * static_cast<float>(box.bottom)))};
}

PRect GFontManager::MeasureInk(const std::string& text)
{
    PRect all{};
    if (!m_current)
        return all;
    const float penX = m_penX;
    bool any = false;
    LayOut(text, 0.0f, [&](int cell, float glyphX) {
        const PRect box = InkOf(cell, glyphX, 0.0f);
        if (box.right > box.left)
        {
            all = any ? PRect{std::min(all.left, box.left), std::min(all.top, box.top), std::max(all.right, box.right),
                              std::max(all.bottom, box.bottom)}
                      : box;
            any = true;
        }
        return true;
    });
    m_penX = penX;
    return all;
}

float GFontManager::GetPenAfter(const std::string& text)
{
    if (!m_current)
        return 0.0f;
    const float penX = m_penX;
    const float end = LayOut(text, 0.0f, [](int, float) { return true; });
    m_penX = penX;
    return end;
}

float GFontManager::LineYIn(float top, float height) const
{
    const float lineTop = GetLineTop();
    const float lineHeight = GetLineBottom() - lineTop;
    return top + std::floor(std::max(0.0f, (height - lineHeight) / 2.0f)) - std::ceil(lineTop);
}

float GFontManager::GetLineTop() const
{
    return m_current ? Scale() * static_cast<float>(m_current->LineTop()) : 0.0f;
}

float GFontManager::GetLineBottom() const
{
    return m_current ? Scale() * static_cast<float>(m_current->LineBottom()) : m_textSize;
}

float GFontManager::GetCharWidth(uint8_t character)
{
    if (character == ' ' || character == 0)
        return m_textSize / 4.0f;
    if (!m_current)
        return 0.0f;
    const int cell = LibFont::CellOf(character);
    return Scale() * static_cast<float>(m_current->m_widths[cell] + m_current->m_letterSpacing);
}

int GFontManager::GetTextWidth(const std::string& text)
{
    if (!m_initialised)
    {
        GDebugLog::Instance().Log("Text Not Initialised");
        return 0;
    }
    float total = 0.0f;
    for (unsigned char c : text)
        total += GetCharWidth(c);
    return static_cast<int>(total);
}

void GFontManager::SplitLine(float width, std::string& line, std::string& rest)
{
    if (!m_initialised)
    {
        GDebugLog::Instance().Log("Text Not Initialised");
        return;
    }
    const std::string text = line.size() < static_cast<size_t>(kMaxWrapText) ? line : line.substr(0, kMaxWrapText - 1);
    float total = 0.0f;
    size_t lastBlank = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        total += GetCharWidth(c);
        if (c == ' ')
            lastBlank = i;
        if (static_cast<float>(static_cast<int>(total)) >= width)
        {
            if (lastBlank != std::string::npos)
            {
                line = text.substr(0, lastBlank);
                rest = text.substr(lastBlank + 1);
            }
            else
            {
                // A word wider than the line is broken after the last character that fits (at
                // least one), instead of an empty line followed by the word without its first letter.
                const size_t keep = i > 0 ? i : 1;
                line = text.substr(0, keep);
                rest = text.substr(keep);
            }
            return;
        }
    }
    line = text;
    rest.clear();
}

std::string GFontManager::GetFirstLine(float width, const std::string& text)
{
    std::string line = text, rest;
    SplitLine(width, line, rest);
    return line;
}

float GFontManager::PrintWrapped(uint32_t colour, int lineLimit, const std::string& text, float x, float y, float width)
{
    if (text.size() >= static_cast<size_t>(kMaxWrapText))
    {
        GDebugLog::Instance().Log("Text too long in one chunk (max 2048)");
        return y;
    }
    const float lineWidth = static_cast<float>(static_cast<int>(width));
    std::string remaining = text;
    int lines = 0;
    while (!remaining.empty() && (lineLimit < 0 || lines < lineLimit))
    {
        std::string line = remaining, rest;
        SplitLine(lineWidth, line, rest);
        Print(line, colour, x, y, lineWidth, 0);
        y += m_textSize + static_cast<float>(m_current ? m_current->m_lineGap : 0);
        remaining = rest;
        ++lines;
    }
    return y;
}

float GFontManager::GetWrappedTextHeight(const std::string& text, float width)
{
    if (text.size() >= static_cast<size_t>(kMaxWrapText))
        return 0.0f;
    const float lineWidth = static_cast<float>(static_cast<int>(width));
    std::string remaining = text;
    float height = 0.0f;
    while (!remaining.empty())
    {
        std::string line = remaining, rest;
        SplitLine(lineWidth, line, rest);
        height += m_textSize + static_cast<float>(m_current ? m_current->m_lineGap : 0);
        remaining = rest;
    }
    return height;
}

std::string GFontManager::TruncateToWidth(float width, const std::string& text)
{
    std::vector<int> widths;
    int total = 0;
    bool cut = false;
    for (unsigned char c : text)
    {
        const int w = static_cast<int>(GetCharWidth(c));
        if (static_cast<float>(total + w + w) < width)
        {
            widths.push_back(w);
            total += w;
        }
        else
        {
            cut = true;
            break;
        }
    }
    if (!cut)
        return text;
    const int dot = m_current
                        ? static_cast<int>(Scale() * static_cast<float>(m_current->m_widths[LibFont::CellOf('.')] +
                                                                        m_current->m_letterSpacing))
                        : 0;
    int removed = 0;
    while (!widths.empty() && removed < 3 * dot)
    {
        removed += widths.back();
        widths.pop_back();
    }
    return text.substr(0, widths.size()) + "...";
}

void GFontManager::Flush()
{
    if (!m_initialised)
    {
        GDebugLog::Instance().Log("TextNotInitialised");
        return;
    }
    if (m_queued <= 0 || !m_current)
    {
        m_queued = 0;
        return;
    }
    // Quads gathered before the text lie under it.
    GQuadBatchScope::FlushCurrent();
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    const bool native = m_textSize == static_cast<float>(m_current->m_nativeSize);
    if (native && device)
    {
        device->SetSamplerState(0, PSamplerState::MinFilter, PTEXF_POINT);
        device->SetSamplerState(0, PSamplerState::MagFilter, PTEXF_POINT);
    }
    if (m_current->m_texture)
        m_current->m_texture->Bind();
    else
        GTextureManager::Instance().BindTexture(nullptr);
    m_batch.AddVertices(m_vertices, m_queued);
    m_batch.Render();
    m_queued = 0;
    if (native && device)
    {
        device->SetSamplerState(0, PSamplerState::MinFilter, PTEXF_LINEAR);
        device->SetSamplerState(0, PSamplerState::MagFilter, PTEXF_LINEAR);
    }
}

void GFontManager::Shutdown()
{
    for (LibFont* font : m_fonts)
        delete font;
    m_fonts.clear();
    m_current = nullptr;
    m_batch.ReleaseBuffers();
    m_initialised = false;
    m_queued = 0;
}
