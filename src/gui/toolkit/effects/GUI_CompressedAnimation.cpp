// Reading ".anim" descriptions and looking up frames, chunks and sequences.
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"

#include <cstdlib>

namespace
{
// The C library's integer reading of at most the first limit characters of a text.
int32_t AnimLeadingInt(const std::string& text, size_t limit)
{
    return static_cast<int32_t>(std::atoi(text.substr(0, limit).c_str()));
}

const CompressedAnimFrame& TransparentFrame()
{
    static const CompressedAnimFrame frame = [] {
        CompressedAnimFrame f;
        f.cells.fill(-1);
        return f;
    }();
    return frame;
}
} // namespace

bool GUI_CompressedAnimation::Load(const std::string& path)
{
    IniLoader ini;
    ini.Load("config", path);
    m_name = ini.GetValue("name");
    m_spriteSheet = ini.GetValue("spritesheet");
    m_particles = ini.GetValue("particles");
    m_atlasWidth = AnimLeadingInt(ini.GetValue("atlas_width"), 63);
    m_atlasHeight = AnimLeadingInt(ini.GetValue("atlas_height"), 63);
    if (m_atlasWidth <= 0 || m_atlasHeight <= 0)
    {
        // Texture coordinates are the chunk rectangles divided by the sheet size.
        GDebugLog::Instance().LogError("Compressed animation without a sprite sheet size: " + path);
        m_frameCount = 0;
        return false;
    }

    ini.Load("sschunks", path);
    const float sheetW = static_cast<float>(m_atlasWidth), sheetH = static_cast<float>(m_atlasHeight);
    for (const IniPair& pair : ini.GetPairs())
    {
        GStringTokenizer rect(pair.value.substr(0, 255), ',');
        CompressedAnimChunk chunk;
        chunk.chunkNumber = AnimLeadingInt(pair.key, 31);
        chunk.uMin = static_cast<float>(rect.GetInt()) / sheetW;
        chunk.vMin = static_cast<float>(rect.GetInt()) / sheetH;
        chunk.uMax = static_cast<float>(rect.GetInt()) / sheetW;
        chunk.vMax = static_cast<float>(rect.GetInt()) / sheetH;
        m_chunkIndex.emplace(chunk.chunkNumber, m_chunks.size());
        m_chunks.push_back(chunk);
    }

    m_frameCount = 0;
    bool danglingChunk = false;
    ini.LoadSectionNames(path);
    const std::vector<std::string> names = ini.GetSectionNames();
    for (const std::string& name : names)
    {
        if (name.find("frame") != std::string::npos)
        {
            ini.Load(name, path);
            CompressedAnimFrame frame;
            for (int p = 0; p < CompressedAnimFrame::kCells; ++p)
            {
                const std::string key = std::to_string(p);
                int32_t chunk = ini.HasKey(key) ? AnimLeadingInt(ini.GetValue(key), 63) : -1;
                // A cell that names no stored chunk could only ever be drawn from nowhere.
                if (chunk != -1 && !m_chunkIndex.count(chunk))
                {
                    danglingChunk = true;
                    chunk = -1;
                }
                frame.cells[static_cast<size_t>(p)] = chunk;
            }
            m_frames.push_back(frame);
            ++m_frameCount;
        }
        else if (name.find("section") != std::string::npos)
        {
            ini.Load(name, path);
            CompressedAnimSection section;
            section.name = ini.GetValue("name");
            section.startFrame = AnimLeadingInt(ini.GetValue("startframe"), 63);
            section.endFrame = AnimLeadingInt(ini.GetValue("endframe"), 63);
            m_sections.push_back(std::move(section));
        }
    }
    if (danglingChunk)
        FV_ERROR_BOX("Invalid comrpessed animation chuink requested");
    FV_ASSERT(m_frameCount > 0);
    return m_frameCount > 0;
}

const CompressedAnimFrame& GUI_CompressedAnimation::GetFrame(int i) const
{
    if (i < 0 || i >= m_frameCount || static_cast<size_t>(i) >= m_frames.size())
        return TransparentFrame();
    return m_frames[static_cast<size_t>(i)];
}

const CompressedAnimChunk* GUI_CompressedAnimation::FindChunk(int32_t chunkNumber) const
{
    auto it = m_chunkIndex.find(chunkNumber);
    if (it == m_chunkIndex.end())
    {
        FV_ERROR_BOX("Invalid comrpessed animation chuink requested");
        return nullptr;
    }
    return &m_chunks[it->second];
}

const CompressedAnimSection* GUI_CompressedAnimation::FindSection(const std::string& name) const
{
    for (const CompressedAnimSection& section : m_sections)
        if (section.name == name)
            return &section;
    return nullptr;
}
