// Parsing and running an art job.
#include "ArtJob.h"

#include "ArtAtlas.h"
#include "ArtContactSheet.h"
#include "ArtImage.h"
#include "ArtWriter.h"

#include "platform/video/PImageCodec.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace
{
std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

bool ParseInt(const std::string& s, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v < 0 || v > 16384)
        return false;
    out = static_cast<int>(v);
    return true;
}

// Options are the fields from index first on: words and key=value pairs.
bool ParseOptions(const std::vector<std::string>& fields, size_t first, ArtJob::Options& o, std::string& bad)
{
    for (size_t i = first; i < fields.size(); ++i)
    {
        const std::string& f = fields[i];
        if (f.empty())
            continue;
        if (f == "white")
            o.white = true;
        else if (f == "nobleed")
            o.bleed = false;
        else if (f == "mips")
            o.mips = true;
        else if (f == "trim")
            o.trim = true;
        else if (f == "down")
            o.down = true;
        else if (f.rfind("hotspot=", 0) == 0 && std::sscanf(f.c_str() + 8, "%d,%d", &o.hotX, &o.hotY) == 2)
            continue;
        else
        {
            bad = f;
            return false;
        }
    }
    return true;
}

// A source picture with its options applied; empty when it cannot be read.
PImage Prepare(const std::string& path, const ArtJob::Options& o, bool transparentAllowed)
{
    PImage image = ArtImage::Load(path);
    if (image.IsEmpty())
        return image;
    if (o.white)
        ArtImage::MakeWhite(image);
    if (o.bleed && transparentAllowed)
        ArtImage::BleedColour(image);
    return image;
}

bool Save(const std::string& path, const PImage& image, const std::string& format, const ArtJob::Options& o)
{
    std::vector<uint8_t> bytes;
    if (!ArtWriter::Encode(image, format, o.mips, o.hotX, o.hotY, bytes))
        return false;
    return ArtWriter::WriteFile(path, bytes);
}
} // namespace

bool ArtJob::Parse(const std::string& text, std::string& error)
{
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line))
    {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = SplitTabs(line);
        const std::string where = "line " + std::to_string(number) + ": ";
        std::string bad;
        if (f[0] == "root" && f.size() == 2)
            m_root = f[1];
        else if (f[0] == "group" && f.size() == 3)
            m_groups.push_back({f[1], f[2]});
        else if (f[0] == "picture" && f.size() >= 4)
        {
            Output o;
            o.kind = Output::Kind::Picture;
            o.dest = f[1];
            o.format = f[2];
            if (!ParseOptions(f, 4, o.options, bad))
                return error = where + "unknown option " + bad, false;
            o.sources.push_back({"", "", f[3], o.options});
            o.group = m_groups.empty() ? 0 : m_groups.size() - 1;
            m_outputs.push_back(o);
        }
        else if (f[0] == "atlas" && f.size() >= 7)
        {
            Output o;
            o.kind = Output::Kind::Atlas;
            o.tableDest = f[1];
            o.dest = f[2];
            o.format = f[3];
            if (!ParseInt(f[4], o.width) || !ParseInt(f[5], o.height) || !ParseInt(f[6], o.padding))
                return error = where + "bad atlas size or padding", false;
            if (!ParseOptions(f, 7, o.options, bad))
                return error = where + "unknown option " + bad, false;
            o.group = m_groups.empty() ? 0 : m_groups.size() - 1;
            m_outputs.push_back(o);
        }
        else if (f[0] == "grid" && f.size() >= 7)
        {
            Output o;
            o.kind = Output::Kind::Grid;
            o.dest = f[1];
            o.format = f[2];
            if (!ParseInt(f[3], o.cols) || !ParseInt(f[4], o.rows) || !ParseInt(f[5], o.width) ||
                !ParseInt(f[6], o.height) || o.cols == 0 || o.rows == 0 || o.width == 0 || o.height == 0)
                return error = where + "bad grid size", false;
            if (!ParseOptions(f, 7, o.options, bad))
                return error = where + "unknown option " + bad, false;
            o.group = m_groups.empty() ? 0 : m_groups.size() - 1;
            m_outputs.push_back(o);
        }
        else if (f[0] == "entry" && f.size() >= 4 && !m_outputs.empty() && m_outputs.back().kind == Output::Kind::Atlas)
        {
            Source s{f[1], f[2], f[3], m_outputs.back().options};
            if (!ParseOptions(f, 4, s.options, bad))
                return error = where + "unknown option " + bad, false;
            m_outputs.back().sources.push_back(s);
        }
        else if (f[0] == "cell" && f.size() == 2 && !m_outputs.empty() && m_outputs.back().kind == Output::Kind::Grid)
            m_outputs.back().sources.push_back({"", "", f[1], m_outputs.back().options});
        else
            return error = where + "cannot read '" + line + "'", false;
        if (!m_outputs.empty() && !ArtWriter::IsFormat(m_outputs.back().format))
            return error = where + "unknown format " + m_outputs.back().format, false;
    }
    return true;
}

int ArtJob::Run() const
{
    int failures = 0;
    auto fail = [&failures](const std::string& what) {
        std::fprintf(stderr, "artpack: %s\n", what.c_str());
        ++failures;
    };
    std::vector<ArtContactSheet> sheets;
    for (const Group& g : m_groups)
        sheets.emplace_back(g.title);
    for (const Output& o : m_outputs)
    {
        const std::string dest = m_root + "/" + o.dest;
        const bool alpha = o.format != "jpg";
        PImage result;
        if (o.kind == Output::Kind::Picture)
        {
            result = Prepare(o.sources[0].path, o.options, alpha);
            if (result.IsEmpty())
            {
                fail("cannot read " + o.sources[0].path);
                continue;
            }
        }
        else if (o.kind == Output::Kind::Grid)
        {
            if (o.sources.size() > static_cast<size_t>(o.cols * o.rows))
            {
                fail(o.dest + ": more frames than cells");
                continue;
            }
            result = ArtImage::Blank(o.cols * o.width, o.rows * o.height);
            for (size_t i = 0; i < o.sources.size(); ++i)
            {
                PImage cell = Prepare(o.sources[i].path, o.options, false);
                if (cell.Width() != o.width || cell.Height() != o.height)
                {
                    fail(o.dest + ": frame " + o.sources[i].path + " is missing or not the cell size");
                    continue;
                }
                const int n = static_cast<int>(i);
                const int col = o.options.down ? n / o.rows : n % o.cols;
                const int row = o.options.down ? n % o.rows : n / o.cols;
                ArtImage::Copy(cell, ArtRect{0, 0, o.width, o.height}, result, col * o.width, row * o.height);
            }
            if (o.options.bleed && alpha)
                ArtImage::BleedColour(result);
        }
        else
        {
            const std::string textureName = o.dest.substr(o.dest.find_last_of('/') + 1);
            ArtAtlas atlas(textureName, o.width, o.height, o.padding);
            bool ok = true;
            for (const Source& s : o.sources)
            {
                PImage image = Prepare(s.path, s.options, true);
                if (image.IsEmpty())
                {
                    fail("cannot read " + s.path);
                    ok = false;
                    continue;
                }
                atlas.Add(ArtAtlasEntry{s.key, s.sprite, std::move(image), s.options.trim, {}, {}});
            }
            if (!ok)
                continue;
            if (!atlas.Pack())
            {
                fail(o.dest + ": the pictures do not fit");
                continue;
            }
            result = atlas.Texture();
            if (o.options.bleed)
                ArtImage::BleedColour(result);
            const std::string table = atlas.TableText();
            if (!ArtWriter::WriteFile(m_root + "/" + o.tableDest, std::vector<uint8_t>(table.begin(), table.end())))
                fail("cannot write " + o.tableDest);
        }
        if (!Save(dest, result, o.format, o.options))
            fail("cannot write " + o.dest);
        if (o.group < sheets.size())
            sheets[o.group].Add(o.dest, result);
    }
    for (size_t g = 0; g < m_groups.size(); ++g)
    {
        std::vector<uint8_t> png;
        if (!PImageCodec::Encode(sheets[g].Build(), PImageFileFormat::Png, png) ||
            !ArtWriter::WriteFile(m_groups[g].sheetPath, png))
            fail("cannot write " + m_groups[g].sheetPath);
    }
    return failures;
}
