// The animation compiler: checksums and byte comparison of frame cells, the sprite sheet drawn on
// the device and saved, and the ".anim" description.
#include "gui/toolkit/effects/GUI_AnimationCompressor.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GFileList.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"
#include "gui/toolkit/effects/EffectsIniValues.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "platform/core/PDirectory.h"
#include "platform/video/PImageCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
// Sum of the alpha bytes of a rectangle (64-bit: a large cell of opaque pixels must not wrap to 0).
int64_t CompressorAlphaSum(const uint8_t* pixels, int pitch, int x0, int y0, int x1, int y1)
{
    int64_t sum = 0;
    for (int y = y0; y < y1; ++y)
    {
        const uint8_t* p = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(x0) * 4;
        for (int x = x0; x < x1; ++x, p += 4)
            sum += p[3];
    }
    return sum;
}

void CompressorRefuse(const std::string& sourcePath, const std::string& why)
{
    GDebugLog::Instance().LogError("Animation not compiled: " + sourcePath + ": " + why);
}
} // namespace

int32_t GUI_AnimationCompressor::Checksum(const uint8_t* pixels, int pitch, int x0, int y0, int x1, int y1)
{
    if (x1 <= x0 || y1 <= y0)
        return -1;
    uint32_t sum = 0, alphaSum = 0;
    for (int y = y0; y < y1; ++y)
    {
        const uint8_t* p = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(x0) * 4;
        for (int x = x0; x < x1; ++x, p += 4)
        {
            alphaSum += p[3];
            sum +=
                static_cast<uint32_t>(p[0] + p[1] + p[2] + p[3]) * static_cast<uint32_t>(x) * static_cast<uint32_t>(y);
        }
    }
    return alphaSum == 0 ? -1 : static_cast<int32_t>(sum);
}

bool GUI_AnimationCompressor::SheetSize(int storedCells, int cellWidth, int cellHeight, int& width, int& height)
{
    width = height = 0;
    if (cellWidth <= 0 || cellHeight <= 0)
        return storedCells == 0;
    const long long used = static_cast<long long>(storedCells) * cellWidth;
    int perRow;
    if (used < GUI_TextureCache::kSpriteSheetWidth)
    {
        height = cellHeight;
        width = used <= 512 ? 512 : used <= 1024 ? 1024 : 2048;
        perRow = std::max(storedCells, 1);
    }
    else
    {
        width = GUI_TextureCache::kSpriteSheetWidth;
        perRow = width / cellWidth;
        if (perRow == 0)
            return false;
        height = (storedCells / perRow + 1) * cellHeight;
    }
    if (height > 256)
        height = height <= 512    ? 512
                 : height <= 1024 ? 1024
                 : height <= 2048 ? 2048
                                  : GUI_TextureCache::kSpriteSheetHeight;
    // Cells are placed row by row; every one must lie on the sheet, which the target must hold.
    const long long rows = (storedCells + perRow - 1) / perRow;
    return rows * cellHeight <= height && height <= GUI_TextureCache::kSpriteSheetHeight;
}

std::string GUI_AnimationCompressor::FrameImageName(const std::string& prefix, int frame)
{
    return FormatString("%s%s.png", prefix.c_str(), IntToStringPad4(frame).c_str());
}

void GUI_AnimationCompressor::Reset()
{
    m_totalFrames = 0;
    m_name.clear();
    m_particles.clear();
    m_frameName.clear();
    m_sourcePath.clear();
    m_frameWidth = m_frameHeight = 0;
    m_cells.clear();
    m_frames.clear();
    m_cellCounter = 0;
    m_storedCells = 0;
    m_storedByChecksum.clear();
    m_storedPixelOffset.clear();
    m_storedPixels.clear();
    m_sheetWidth = m_sheetHeight = 0;
}

bool GUI_AnimationCompressor::ReadAnimationConfig(const std::string& sourcePath)
{
    IniLoader ini;
    ini.Load("config", sourcePath);
    m_sourcePath = sourcePath;
    m_name = ini.GetValue("name");
    m_particles = ini.GetValue("particles");
    m_totalFrames = EffectsIniInt(ini.GetValue("totalframes"));
    m_frameName = ini.GetValue("frame_name");
    m_frameWidth = EffectsIniInt(ini.GetValue("width"));
    m_frameHeight = EffectsIniInt(ini.GetValue("height"));
    // The name becomes a file name in the sheet folder: it must stay a plain name.
    if (m_name.empty() || m_name.find_first_of("/\\:") != std::string::npos || m_name.find("..") != std::string::npos)
    {
        CompressorRefuse(sourcePath, "the name \"" + m_name + "\" cannot name a sprite sheet");
        return false;
    }
    if (m_totalFrames <= 0 || m_totalFrames > kMaxFrames)
    {
        CompressorRefuse(sourcePath, FormatString("%d frames", m_totalFrames));
        return false;
    }
    if (m_frameWidth < kCellsPerSide || m_frameHeight < kCellsPerSide)
    {
        CompressorRefuse(sourcePath, FormatString("frames of %d x %d pixels are too small to cut into cells",
                                                  m_frameWidth, m_frameHeight));
        return false;
    }
    return true;
}

void GUI_AnimationCompressor::BuildChunkTable()
{
    m_cells.assign(static_cast<size_t>(m_totalFrames) * kCellsPerFrame, Cell());
    const float step = 1.0f / kCellsPerSide;
    for (int f = 0; f < m_totalFrames; ++f)
        for (int r = 0; r < kCellsPerSide; ++r)
            for (int c = 0; c < kCellsPerSide; ++c)
            {
                Cell& cell = m_cells[static_cast<size_t>(f) * kCellsPerFrame + static_cast<size_t>(r) * kCellsPerSide +
                                     static_cast<size_t>(c)];
                cell.uMin = cell.x0 = static_cast<float>(c) * step;
                cell.vMin = cell.y0 = static_cast<float>(r) * step;
                cell.uMax = cell.x1 = static_cast<float>(c + 1) * step;
                cell.vMax = cell.y1 = static_cast<float>(r + 1) * step;
                cell.frame = f;
            }
    m_frames.reserve(static_cast<size_t>(m_totalFrames));
}

void GUI_AnimationCompressor::CompareRegion(int column, int row, int& x0, int& y0, int& x1, int& y1) const
{
    // Every pixel the sheet's copy of the cell can sample: the cell's share of the frame, rounded out.
    x0 = column * m_frameWidth / kCellsPerSide;
    x1 = ((column + 1) * m_frameWidth + kCellsPerSide - 1) / kCellsPerSide;
    y0 = row * m_frameHeight / kCellsPerSide;
    y1 = ((row + 1) * m_frameHeight + kCellsPerSide - 1) / kCellsPerSide;
}

void GUI_AnimationCompressor::KeepCellPixels(int32_t cell, const uint8_t* pixels, int pitch, int column, int row)
{
    int x0, y0, x1, y1;
    CompareRegion(column, row, x0, y0, x1, y1);
    m_storedPixelOffset[cell] = m_storedPixels.size();
    const size_t rowBytes = static_cast<size_t>(x1 - x0) * 4;
    for (int y = y0; y < y1; ++y)
    {
        const uint8_t* p = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(x0) * 4;
        m_storedPixels.insert(m_storedPixels.end(), p, p + rowBytes);
    }
}

bool GUI_AnimationCompressor::SameCellPixels(int32_t stored, const uint8_t* pixels, int pitch, int column,
                                             int row) const
{
    const int storedPosition = stored % kCellsPerFrame;
    int sx0, sy0, sx1, sy1, x0, y0, x1, y1;
    CompareRegion(storedPosition % kCellsPerSide, storedPosition / kCellsPerSide, sx0, sy0, sx1, sy1);
    CompareRegion(column, row, x0, y0, x1, y1);
    if (sx1 - sx0 != x1 - x0 || sy1 - sy0 != y1 - y0)
        return false;
    auto it = m_storedPixelOffset.find(stored);
    if (it == m_storedPixelOffset.end())
        return false;
    const uint8_t* kept = m_storedPixels.data() + it->second;
    const size_t rowBytes = static_cast<size_t>(x1 - x0) * 4;
    for (int y = y0; y < y1; ++y, kept += rowBytes)
    {
        const uint8_t* p = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(x0) * 4;
        if (std::memcmp(p, kept, rowBytes) != 0)
            return false;
    }
    return true;
}

bool GUI_AnimationCompressor::BuildCRCs(int frame)
{
    const std::string name = FrameImageName(m_frameName, frame);
    GTextureManager& textures = GTextureManager::Instance();
    PTexture* texture = textures.GetTexture(name);
    FV_ASSERT(texture != nullptr);

    // A frame that cannot be read shows nothing; its cells still take their 64 places, so the
    // frames after it keep their own cells.
    auto unreadable = [&] {
        FrameRecord record;
        for (int p = 0; p < kCellsPerFrame; ++p)
        {
            Cell& cell = m_cells[static_cast<size_t>(m_cellCounter++)];
            cell.checksum = -1;
            cell.transparent = true;
            record.cells[p] = -1;
        }
        m_frames.push_back(record);
        return true;
    };
    if (!texture)
    {
        GDebugLog::Instance().LogError("Animation frame missing: " + name);
        return unreadable();
    }
    int width = 0, height = 0;
    PFormat format;
    if (PFailed(texture->GetLevelDesc(0, width, height, format)) || width != m_frameWidth || height != m_frameHeight)
    {
        // Cells are cut at the configured size; a picture of another size would be read past its end.
        GDebugLog::Instance().LogError(FormatString("Animation frame %s is %d x %d, not %d x %d", name.c_str(), width,
                                                    height, m_frameWidth, m_frameHeight));
        return unreadable();
    }
    PLockedRect locked;
    PResult r = texture->LockRect(0, locked);
    if (!PFailed(r) && !locked.bits)
    {
        texture->UnlockRect(0);
        r = PRES_INVALIDCALL;
    }
    if (PFailed(r))
    {
        LogD3DError(r, "GUI_AnimationCompressor::BuildCRCs");
        return unreadable();
    }
    const auto* pixels = static_cast<const uint8_t*>(locked.bits);
    const float cellW = static_cast<float>(m_frameWidth) / kCellsPerSide;
    const float cellH = static_cast<float>(m_frameHeight) / kCellsPerSide;
    for (int row = 0; row < kCellsPerSide; ++row)
        for (int column = 0; column < kCellsPerSide; ++column)
        {
            const int y0 = static_cast<int>(static_cast<float>(row) * cellH);
            const int x0 = static_cast<int>(static_cast<float>(column) * cellW);
            const int x1 = std::min(static_cast<int>(static_cast<float>(x0) + cellW), width);
            const int y1 = std::min(static_cast<int>(static_cast<float>(y0) + cellH), height);
            Cell& cell = m_cells[static_cast<size_t>(m_cellCounter++)];
            cell.checksum = Checksum(pixels, locked.pitch, x0, y0, x1, y1);
            // Empty only when nothing in it can be seen; a visible cell whose sum happens to be -1
            // is kept.
            int cx0, cy0, cx1, cy1;
            CompareRegion(column, row, cx0, cy0, cx1, cy1);
            cell.transparent = CompressorAlphaSum(pixels, locked.pitch, cx0, cy0, cx1, cy1) == 0;
        }
    const bool fits = DeduplicateFrame(frame, pixels, locked.pitch);
    texture->UnlockRect(0);
    return fits;
}

bool GUI_AnimationCompressor::DeduplicateFrame(int frame, const uint8_t* pixels, int pitch)
{
    FrameRecord record;
    const int cellW = m_frameWidth / kCellsPerSide, cellH = m_frameHeight / kCellsPerSide;
    for (int p = 0; p < kCellsPerFrame; ++p)
    {
        const int32_t n = frame * kCellsPerFrame + p;
        Cell& cell = m_cells[static_cast<size_t>(n)];
        if (cell.transparent)
        {
            record.cells[p] = -1;
            continue;
        }
        const int column = p % kCellsPerSide, row = p / kCellsPerSide;
        // The lowest-numbered stored cell with the same checksum and the same bytes; the first cell
        // that shows a picture is the one stored for it.
        std::vector<int32_t>& candidates = m_storedByChecksum[cell.checksum];
        int32_t match = -1;
        for (int32_t candidate : candidates)
            if (SameCellPixels(candidate, pixels, pitch, column, row))
            {
                match = candidate;
                break;
            }
        if (match < 0)
        {
            int w, h;
            if (!SheetSize(m_storedCells + 1, cellW, cellH, w, h))
            {
                CompressorRefuse(
                    m_sourcePath,
                    FormatString("more than %d distinct cells do not fit on one sprite sheet", m_storedCells));
                return false;
            }
            match = n;
            candidates.push_back(n);
            KeepCellPixels(n, pixels, pitch, column, row);
            ++m_storedCells;
        }
        ++m_cells[static_cast<size_t>(match)].refCount;
        record.cells[p] = match;
    }
    m_frames.push_back(record);
    return true;
}

bool GUI_AnimationCompressor::RenderSpriteSheet()
{
    GD3DDevice& d3d = GD3DDevice::Instance();
    PGraphicsDevice* device = d3d.GetDevice();
    const int cellW = m_frameWidth / kCellsPerSide, cellH = m_frameHeight / kCellsPerSide;
    SheetSize(m_storedCells, cellW, cellH, m_sheetWidth, m_sheetHeight);
    if (!device)
    {
        CompressorRefuse(m_sourcePath, "no graphics device to draw the sprite sheet");
        return false;
    }
    d3d.BeginFrame();
    GUI_PostProcessor::SaveBackBuffer();
    GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::DYNAMIC_SPRITE_SHEET);
    PResult r = device->Clear(0x00000000u);
    if (PFailed(r))
        LogD3DError(r, "ClearScreen()");

    // Each cell is copied texel for texel: blending would darken it against the cleared sheet and
    // filtering would bleed its neighbours into it.
    device->SetRenderState(PRenderState::AlphaBlendEnable, 0);
    device->SetRenderState(PRenderState::AlphaTestEnable, 0);
    device->SetSamplerState(0, PSamplerState::MinFilter, PTEXF_POINT);
    device->SetSamplerState(0, PSamplerState::MagFilter, PTEXF_POINT);
    device->SetSamplerState(0, PSamplerState::MipFilter, PTEXF_NONE);
    device->SetSamplerState(0, PSamplerState::AddressU, PTADDRESS_CLAMP);
    device->SetSamplerState(0, PSamplerState::AddressV, PTADDRESS_CLAMP);

    GTextureManager& textures = GTextureManager::Instance();
    int x = 0, y = 0;
    int boundFrame = -1;
    for (Cell& cell : m_cells)
    {
        if (cell.refCount <= 0)
            continue;
        if (cell.frame != boundFrame)
        {
            device->SetTexture(0, textures.GetTexture(FrameImageName(m_frameName, cell.frame)));
            boundFrame = cell.frame;
        }
        // Corners on the half pixel cover exactly the cell's whole pixels.
        const float l = static_cast<float>(x) - 0.5f, t = static_cast<float>(y) - 0.5f;
        const float rr = l + static_cast<float>(cellW), b = t + static_cast<float>(cellH);
        const PVertex quad[4] = {{l, t, 0.0f, 1.0f, 0xFFFFFFFFu, cell.uMin, cell.vMin},
                                 {rr, t, 0.0f, 1.0f, 0xFFFFFFFFu, cell.uMax, cell.vMin},
                                 {l, b, 0.0f, 1.0f, 0xFFFFFFFFu, cell.uMin, cell.vMax},
                                 {rr, b, 0.0f, 1.0f, 0xFFFFFFFFu, cell.uMax, cell.vMax}};
        device->DrawPrimitiveUP(PPrimitive::TriangleStrip, 2, quad, sizeof(PVertex));
        cell.x0 = static_cast<float>(x);
        cell.y0 = static_cast<float>(y);
        cell.x1 = static_cast<float>(x + cellW);
        cell.y1 = static_cast<float>(y + cellH);
        x += cellW;
        if (x > m_sheetWidth - cellW)
        {
            x = 0;
            y += cellH;
        }
    }
    GUI_PostProcessor::RestoreBackBuffer();
    CLoadedTexture* target = GUI_TextureCache::Get(GUI_TextureCache::DYNAMIC_SPRITE_SHEET);
    const bool saved = SaveSpriteSheet(target ? target->m_texture : nullptr);
    d3d.EndFrame();
    // Back to the fixed state everything else draws with.
    d3d.SetDefaultRenderStates();
    textures.SetForceRebind();
    return saved;
}

bool GUI_AnimationCompressor::SaveSpriteSheet(PTexture* target)
{
    PLockedRect locked;
    PResult r = target ? target->LockRect(0, locked) : PRES_INVALIDCALL;
    int targetW = 0, targetH = 0;
    PFormat format;
    if (!PFailed(r) && (PFailed(target->GetLevelDesc(0, targetW, targetH, format)) || targetW < m_sheetWidth ||
                        targetH < m_sheetHeight || !locked.bits))
    {
        target->UnlockRect(0);
        r = PRES_INVALIDCALL;
    }
    if (PFailed(r))
    {
        LogD3DError(r, "Error getting texture pointer");
        return false;
    }
    PImage sheet;
    sheet.levels.resize(1);
    PImageLevel& level = sheet.levels[0];
    level.width = m_sheetWidth;
    level.height = m_sheetHeight;
    level.rgba.resize(static_cast<size_t>(m_sheetWidth) * static_cast<size_t>(m_sheetHeight) * 4);
    const auto* bits = static_cast<const uint8_t*>(locked.bits);
    for (int y = 0; y < m_sheetHeight; ++y)
    {
        const uint8_t* s = bits + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch);
        uint8_t* o = &level.rgba[static_cast<size_t>(y) * static_cast<size_t>(m_sheetWidth) * 4];
        for (int x = 0; x < m_sheetWidth; ++x, s += 4, o += 4)
        {
            o[0] = s[2];
            o[1] = s[1];
            o[2] = s[0];
            o[3] = s[3];
        }
    }
    target->UnlockRect(0);

    if (!PDirectory::Exists(m_sheetFolder))
    {
        PDirectory::CreatePath(m_sheetFolder);
        GTextureManager::Instance().AddFolder(m_sheetFolder);
    }
    const std::string path = m_sheetFolder + "/" + m_name + ".dds";
    if (!PImageCodec::SaveToFile(path, sheet, PImageFileFormat::Dds))
    {
        LogD3DError(PRES_FAIL, "Error saving texture atlas");
        return false;
    }
    return true;
}

void GUI_AnimationCompressor::TraceChecksumCollisions() const
{
    // Only pictures that differ share a checksum now; each such pair is worth a line.
    const int32_t first = m_cells.empty() ? -1 : m_cells[0].checksum;
    for (size_t i = 0; i < m_cells.size(); ++i)
    {
        const Cell& cell = m_cells[i];
        if (cell.refCount <= 0 || cell.checksum == first)
            continue;
        auto it = m_storedByChecksum.find(cell.checksum);
        if (it == m_storedByChecksum.end())
            continue;
        for (int32_t j : it->second)
            if (static_cast<size_t>(j) != i)
                FV_TRACE(FormatString("CRC Match: [%d] == [%i] (%d)", j, static_cast<int>(i), cell.checksum));
    }
}

bool GUI_AnimationCompressor::WriteAnimFile(const std::string& animPath)
{
    IniLoader config;
    config.SetSectionName("config");
    config.AddPair("name", m_name);
    config.AddPair("spritesheet", m_name + ".dds");
    if (!RenderSpriteSheet())
    {
        // Without its sheet the animation is not compiled; the next start tries again.
        CompressorRefuse(m_sourcePath, "the sprite sheet could not be saved");
        return false;
    }
    config.AddPair("atlas_width", FormatString("%d", m_sheetWidth));
    config.AddPair("atlas_height", FormatString("%d", m_sheetHeight));
    config.AddPair("particles", m_particles);

    std::string text = config.GetSectionText();

    IniLoader source;
    source.LoadSectionNames(m_sourcePath);
    const std::vector<std::string> names = source.GetSectionNames();
    for (const std::string& name : names)
        if (name.find("section") != std::string::npos)
        {
            source.Load(name, m_sourcePath);
            text += source.GetSectionText();
        }

    IniLoader frameSection;
    for (size_t f = 0; f < m_frames.size(); ++f)
    {
        frameSection.ClearPairs();
        frameSection.SetSectionName(FormatString("frame%d", static_cast<int>(f)));
        frameSection.AddPair("images", FormatString("%d", m_frames[f].count));
        for (int p = 0; p < kCellsPerFrame; ++p)
            if (m_frames[f].cells[p] != -1)
                frameSection.AddPair(FormatString("%d", p), FormatString("%d", m_frames[f].cells[p]));
        text += frameSection.GetSectionText();
    }

    TraceChecksumCollisions();

    IniLoader chunks;
    chunks.SetSectionName("sschunks");
    for (size_t i = 0; i < m_cells.size(); ++i)
    {
        const Cell& cell = m_cells[i];
        if (cell.refCount > 0 && !cell.transparent)
            chunks.AddPair(FormatString("%d", static_cast<int>(i)),
                           FormatString("%d,%d,%d,%d", static_cast<int>(cell.x0), static_cast<int>(cell.y0),
                                        static_cast<int>(cell.x1), static_cast<int>(cell.y1)));
    }
    text += chunks.GetSectionText();
    // Replaced all at once: a half-written description would mark the animation compiled for good.
    if (!GFile::Replace(animPath, text))
    {
        CompressorRefuse(m_sourcePath, "cannot write " + animPath);
        return false;
    }
    return true;
}

GUI_AnimationCompressor::Result GUI_AnimationCompressor::CompileAnimation(const std::string& sourcePath)
{
    const std::string animPath = sourcePath + ".anim";
    // Any file of that name, even an empty one, marks the animation compiled.
    if (FILE* existing = GFile::Open(animPath, "rb"))
    {
        std::fclose(existing);
        return Result::Skipped;
    }
    Reset();
    if (!ReadAnimationConfig(sourcePath))
        return Result::Refused;
    BuildChunkTable();
    m_cellCounter = 0;
    for (int frame = 0; frame < m_totalFrames; ++frame)
        if (!BuildCRCs(frame))
            return Result::Refused;
    return WriteAnimFile(animPath) ? Result::Compiled : Result::Refused;
}

void GUI_AnimationCompressor::CompileAnimations(const std::string& sourceFolder)
{
    GFileList files;
    files.Find(sourceFolder + "/*.txt");
    for (const std::string& path : files.GetFiles())
        CompileAnimation(path);
}

void CompileAnimations()
{
    GUI_AnimationCompressor compressor;
    compressor.CompileAnimations();
}
