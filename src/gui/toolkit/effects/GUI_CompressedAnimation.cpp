// Reading ".anim" descriptions and looking up frames, chunks and sequences.
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"
#include "gui/toolkit/effects/EffectsIniValues.h"

#include <cstdlib>

namespace
{
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
    // One reading of the file: a description has a section per frame.
    const std::vector<IniLoader> sections = IniLoader::LoadAllSections(path);
    std::unordered_map<std::string, const IniLoader*> byName;
    for (const IniLoader& section : sections)
        byName.emplace(section.GetSectionName(), &section);
    const IniLoader empty;
    auto section = [&](const std::string& name) -> const IniLoader& {
        auto it = byName.find(name);
        return it == byName.end() ? empty : *it->second;
    };

    const IniLoader& config = section("config");
    m_name = config.GetValue("name");
    m_spriteSheet = config.GetValue("spritesheet");
    m_particles = config.GetValue("particles");
    m_atlasWidth = EffectsIniInt(config.GetValue("atlas_width"));
    m_atlasHeight = EffectsIniInt(config.GetValue("atlas_height"));
    if (m_atlasWidth <= 0 || m_atlasHeight <= 0)
    {
        // Texture coordinates are the chunk rectangles divided by the sheet size.
        GDebugLog::Instance().LogError("Compressed animation without a sprite sheet size: " + path);
        m_frameCount = 0;
        return false;
    }

    const float sheetW = static_cast<float>(m_atlasWidth), sheetH = static_cast<float>(m_atlasHeight);
    for (const IniPair& pair : section("sschunks").GetPairs())
    {
        GStringTokenizer rect(pair.value.substr(0, 255), ',');
        CompressedAnimChunk chunk;
        chunk.chunkNumber = EffectsIniInt(pair.key, 31);
        chunk.uMin = static_cast<float>(rect.GetInt()) / sheetW;
        chunk.vMin = static_cast<float>(rect.GetInt()) / sheetH;
        chunk.uMax = static_cast<float>(rect.GetInt()) / sheetW;
        chunk.vMax = static_cast<float>(rect.GetInt()) / sheetH;
        m_chunkIndex.emplace(chunk.chunkNumber, m_chunks.size());
        m_chunks.push_back(chunk);
    }

    m_frameCount = 0;
    bool danglingChunk = false;
    IniLoader names;
    names.LoadSectionNames(path);
    for (const std::string& name : names.GetSectionNames())
    {
        const IniLoader& pairs = section(name);
        if (name.find("frame") != std::string::npos)
        {
            CompressedAnimFrame frame;
            frame.cells.fill(-1);
            std::array<bool, CompressedAnimFrame::kCells> seen{};
            for (const IniPair& pair : pairs.GetPairs())
            {
                // The key is the cell position written plainly ("7", never "07"); the first pair of
                // a position counts.
                const int p = EffectsIniInt(pair.key);
                if (p < 0 || p >= CompressedAnimFrame::kCells || pair.key != std::to_string(p) ||
                    seen[static_cast<size_t>(p)])
                    continue;
                seen[static_cast<size_t>(p)] = true;
                int32_t chunk = EffectsIniInt(pair.value);
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
            CompressedAnimSection record;
            record.name = pairs.GetValue("name");
            record.startFrame = EffectsIniInt(pairs.GetValue("startframe"));
            record.endFrame = EffectsIniInt(pairs.GetValue("endframe"));
            m_sections.push_back(std::move(record));
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
