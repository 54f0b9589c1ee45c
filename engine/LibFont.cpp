// Bitmap fonts: width tables, override files, cell coordinates and width measurement.
#include "engine/LibFont.h"

#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "platform/core/PFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
std::array<uint8_t, LibFont::kCells> FontBuildGlyphMap()
{
    std::array<uint8_t, LibFont::kCells> map;
    map.fill('%');
    const char* ascii =
        "!\"#$  '()*+,-./0123456789:;<=>? ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ abcdefghijklmnopqrstuvwxyz{}";
    size_t cell = 0;
    for (const char* p = ascii; *p; ++p)
        map[cell++] = static_cast<uint8_t>(*p);
    map[cell++] = 0xA3;
    map[cell++] = '%';
    const uint8_t accents[] = {0x80, 0xC4, 0xE4, 0xE9, 0xF6, 0xD6, 0xFC, 0xDC, 0xDF, 0xF9, 0xFB, 0xFC, 0xFF, 0xE0,
                               0xE2, 0xE6, 0xE7, 0xE8, 0xEA, 0xEB, 0xEF, 0xEE, 0xF4, 0x9C, 0xD9, 0xDB, 0xDC, 0x9F,
                               0xC0, 0xC2, 0xC6, 0xC7, 0xC9, 0xC8, 0xCA, 0xCB, 0xCF, 0xCE, 0xD4, 0x8C};
    for (uint8_t c : accents)
        map[cell++] = c;
    return map;
}

std::array<int, 256> FontBuildCellIndex()
{
    std::array<int, 256> index;
    index.fill(-1);
    const auto& map = LibFont::GlyphMap();
    for (int i = 0; i < LibFont::kCells; ++i)
        if (index[map[static_cast<size_t>(i)]] < 0)
            index[map[static_cast<size_t>(i)]] = i;
    for (int& i : index)
        if (i < 0)
            i = 0;
    return index;
}
} // namespace

const std::array<uint8_t, LibFont::kCells>& LibFont::GlyphMap()
{
    static const std::array<uint8_t, kCells> map = FontBuildGlyphMap();
    return map;
}

int LibFont::CellOf(uint8_t character)
{
    static const std::array<int, 256> index = FontBuildCellIndex();
    return index[character];
}

LibFont::LibFont()
{
    m_kerning[CellOf('f')] = {
        {CellOf('o'), -1}, {CellOf('e'), -1}, {CellOf('a'), -1}, {CellOf('u'), -1}, {CellOf('f'), -2}};
    m_kerning[CellOf('o')] = {{CellOf('w'), -1}};
}

int LibFont::GetKerning(int previous, int cell) const
{
    if (previous < 0 || previous >= kCells)
        return 0;
    for (const KerningPair& pair : m_kerning[previous])
        if (pair.nextCell == cell)
            return pair.adjustment;
    return 0;
}

void LibFont::Load(int nativeSize, int cellSize, int rows, int columns, const std::string& widthPath,
                   const std::string& textureName)
{
    m_nativeSize = nativeSize;
    m_cellSize = cellSize;
    m_textureName = textureName;
    m_rows = rows;
    m_columns = columns;

    FILE* file = PFile::Open(widthPath, "rb");
    if (!file)
    {
        GDebugLog::Instance().Log("Error locating font width data");
        GDebugLog::Instance().LogError("Font width table not found: " + widthPath +
                                       " (widths are measured from the glyph sheet)");
        GenerateFontWidthData(*this);
    }
    else
    {
        // One byte more than a table can hold tells a table that is too long.
        uint8_t bytes[kCells * 4 + 1];
        const size_t read = std::fread(bytes, 1, sizeof(bytes), file);
        std::fclose(file);
        const size_t got = std::min(read / 4, static_cast<size_t>(kCells));
        for (size_t i = 0; i < static_cast<size_t>(kCells); ++i)
            m_widths[i] = i < got ? static_cast<int32_t>(static_cast<uint32_t>(bytes[i * 4]) |
                                                         static_cast<uint32_t>(bytes[i * 4 + 1]) << 8 |
                                                         static_cast<uint32_t>(bytes[i * 4 + 2]) << 16 |
                                                         static_cast<uint32_t>(bytes[i * 4 + 3]) << 24)
                                  : 0;
        // A table of the wrong size or with widths no cell can have draws text squeezed or torn
        // apart: say which file it is.
        const size_t cells = rows > 0 && columns > 0 && static_cast<long long>(rows) * columns <= kCells
                                 ? static_cast<size_t>(rows) * static_cast<size_t>(columns)
                                 : static_cast<size_t>(kCells);
        std::string problem;
        if (read != cells * 4)
            problem = (read == sizeof(bytes) ? "more than " + std::to_string(kCells * 4) : std::to_string(read)) +
                      " bytes where " + std::to_string(cells) + " widths take " + std::to_string(cells * 4);
        for (size_t i = 0; i < got && problem.empty(); ++i)
            if (m_widths[i] < 0 || m_widths[i] > cellSize)
                problem = "cell " + std::to_string(i) + " is " + std::to_string(m_widths[i]) + " pixels wide in a " +
                          std::to_string(cellSize) + "-pixel cell";
        if (!problem.empty())
            GDebugLog::Instance().LogError("Font width table " + widthPath + " is damaged: " + problem);
    }

    const std::string overridePath = "data/fonts/" + textureName + ".txt";
    if (PFile::Exists(overridePath))
        ApplyOverrideFile(overridePath);
    // Widths come from files a modder can edit: a negative or absurd width would make text
    // measurements overflow.
    for (int& width : m_widths)
        width = width < 0 ? 0 : (width > kMaxGlyphWidth ? kMaxGlyphWidth : width);

    // A grid that does not fit the cell table would index past it.
    if (m_rows < 0 || m_columns < 0 || static_cast<long long>(m_rows) * m_columns > kCells)
    {
        GDebugLog::Instance().LogError("Font grid too large: " + textureName);
        m_rows = m_columns > 0 ? kCells / m_columns : 0;
    }
    PTexture* texture = GTextureManager::Instance().GetTexture(textureName);
    int w = 0, h = 0;
    PFormat format;
    if (texture && !PFailed(texture->GetLevelDesc(0, w, h, format)) && w > 0 && h > 0)
    {
        const float su = static_cast<float>(cellSize) / static_cast<float>(w);
        const float sv = static_cast<float>(cellSize) / static_cast<float>(h);
        for (int r = 0; r < m_rows; ++r)
        {
            for (int c = 0; c < m_columns; ++c)
            {
                const int cell = r * m_columns + c;
                const float u0 = static_cast<float>(c) * su, v0 = static_cast<float>(r) * sv;
                m_u[cell][0] = u0;
                m_u[cell][1] = u0 + su;
                m_u[cell][2] = u0;
                m_u[cell][3] = u0 + su;
                m_v[cell][0] = v0;
                m_v[cell][1] = v0;
                m_v[cell][2] = v0 + sv;
                m_v[cell][3] = v0 + sv;
            }
        }
    }
    MeasureInk(texture);
    m_texture = CLoadedTexture::FindOrLoad(textureName);
}

void LibFont::MeasureInk(PTexture* texture)
{
    // Texels at least a quarter opaque count as ink: the faint rim of a smoothed edge may be cut
    // without anyone seeing it.
    constexpr uint8_t kInkAlpha = 64;
    const int cell = std::max(0, m_cellSize);
    // Cells past the sheet's grid draw nothing.
    const int cells = std::min(kCells, std::max(0, m_rows) * std::max(0, m_columns));
    for (int index = 0; index < kCells; ++index)
        m_ink[index] = index < cells ? InkBox{0, 0, cell, cell} : InkBox{};
    m_lineTop = 0;
    m_lineBottom = cell;
    PLockedRect locked;
    int w = 0, h = 0;
    PFormat format;
    if (!texture || cell == 0 || PFailed(texture->GetLevelDesc(0, w, h, format)) ||
        PFailed(texture->LockRect(0, locked)))
        return;
    const auto* pixels = static_cast<const uint8_t*>(locked.bits);
    int lineTop = cell, lineBottom = 0;
    for (int index = 0; index < cells; ++index)
    {
        const int x0 = (index % m_columns) * cell, y0 = (index / m_columns) * cell;
        InkBox box{cell, cell, 0, 0};
        for (int y = 0; y < cell && y0 + y < h; ++y)
            for (int x = 0; x < cell && x0 + x < w; ++x)
                if (pixels[static_cast<size_t>(y0 + y) * static_cast<size_t>(locked.pitch) +
                           static_cast<size_t>(x0 + x) * 4 + 3] >= kInkAlpha)
                {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        if (box.right <= box.left)
            box = InkBox{};
        else
        {
            lineTop = std::min(lineTop, box.top);
            lineBottom = std::max(lineBottom, box.bottom);
        }
        m_ink[index] = box;
    }
    texture->UnlockRect(0);
    if (lineBottom > lineTop)
    {
        m_lineTop = lineTop;
        m_lineBottom = lineBottom;
    }
}

void LibFont::ApplyOverrideFile(const std::string& path)
{
    FILE* file = PFile::Open(path, "rt");
    if (!file)
        return;
    char line[64];
    // Cells beyond the last line of a short file keep the widths read before.
    for (int cell = 0; cell < kCells && std::fgets(line, sizeof(line), file); ++cell)
    {
        const size_t length = std::strlen(line);
        if (length > 0 && line[length - 1] != '\n' && !std::feof(file))
        {
            // Over-long line: skip its rest so the next cell reads the next line.
            int c;
            while ((c = std::fgetc(file)) != EOF && c != '\n')
            {
            }
        }
        const char* text = line;
        if (std::strstr(line, "Width of char"))
        {
            m_widths[cell] = length > 19 ? std::atoi(line + 19) : 0;
            continue;
        }
        // Line 11 is the comma's cell: the comma itself is the first field.
        const int field = cell == 11 ? 2 : 1;
        int seen = 0;
        const char* p = text;
        while (seen < field && (p = std::strchr(p, ',')) != nullptr)
        {
            ++p;
            ++seen;
        }
        m_widths[cell] = p ? std::atoi(p) : 0;
    }
    std::fclose(file);
}

void GenerateFontWidthData(LibFont& font)
{
    PTexture* texture = GTextureManager::Instance().GetTexture(font.m_textureName);
    PLockedRect locked;
    const PResult r = texture ? texture->LockRect(0, locked) : PRES_INVALIDCALL;
    if (PFailed(r))
    {
        LogD3DError(r, "GenerateFontWidthData");
        return;
    }
    int w = 0, h = 0;
    PFormat format;
    texture->GetLevelDesc(0, w, h, format);
    std::string widthTable;
    const auto* pixels = static_cast<const uint8_t*>(locked.bits);
    const int cell = font.m_cellSize;
    for (int row = 0; row < font.m_rows; ++row)
    {
        for (int column = 0; column < font.m_columns; ++column)
        {
            const int index = row * font.m_columns + column;
            if (index >= LibFont::kCells)
                break;
            // Alpha is the fourth byte of each locked pixel; cells are clipped to the sheet.
            int width = 0;
            const int x0 = column * cell, y0 = row * cell;
            for (int x = cell - 1; x > 0 && width == 0; --x)
            {
                if (x0 + x >= w)
                    continue;
                for (int y = 0; y < cell && y0 + y < h; ++y)
                {
                    if (pixels[static_cast<size_t>(y0 + y) * static_cast<size_t>(locked.pitch) +
                               static_cast<size_t>(x0 + x) * 4 + 3] != 0)
                    {
                        width = x;
                        break;
                    }
                }
            }
            font.m_widths[index] = width;
            for (int shift = 0; shift < 32; shift += 8)
                widthTable += static_cast<char>(static_cast<uint8_t>(static_cast<uint32_t>(width) >> shift));
            // The listing goes to the debug log only: written beside the width file it would be read
            // back as the override file at the next start and zero most widths.
            char text[64];
            std::snprintf(text, sizeof(text), "%d,%c,%d", index,
                          static_cast<char>(LibFont::GlyphMap()[static_cast<size_t>(index)]), width);
            GDebugLog::Instance().Log(text);
        }
    }
    texture->UnlockRect(0);
    // Kept for the next start, replaced all at once so a kill never leaves half a table.
    GFile::Replace("./data/fonts/" + font.m_textureName + ".dat", widthTable);
}
