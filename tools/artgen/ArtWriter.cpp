// Writes finished pictures through the game's own codecs.
#include "ArtWriter.h"

#include "ArtImage.h"

#include "platform/video/PDdsCodec.h"
#include "platform/video/PImageCodec.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
} // namespace

bool ArtWriter::IsFormat(const std::string& format)
{
    return format == "argb" || format == "dxt" || format == "auto" || format == "png" || format == "jpg" ||
           format == "cur";
}

std::string ArtWriter::ResolveDdsFormat(const PImage& image, const std::string& format)
{
    const int w = image.Width(), h = image.Height();
    const bool blocksFit = w % 4 == 0 && h % 4 == 0;
    if (format == "dxt" || (format == "auto" && blocksFit && w >= 128 && h >= 128))
        return ArtImage::IsOpaque(image) ? "dxt1" : "dxt5";
    return "argb";
}

std::vector<uint8_t> ArtWriter::EncodeCursor(const PImage& image, int hotX, int hotY)
{
    const int w = image.Width(), h = image.Height();
    const uint32_t maskRow = static_cast<uint32_t>((w + 31) / 32 * 4);
    const uint32_t bytes = 40 + static_cast<uint32_t>(w * h * 4) + maskRow * static_cast<uint32_t>(h);
    std::vector<uint8_t> out;
    Put16(out, 0); // reserved
    Put16(out, 2); // cursor
    Put16(out, 1); // one image
    out.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
    out.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
    out.push_back(0);
    out.push_back(0);
    Put16(out, static_cast<uint32_t>(hotX));
    Put16(out, static_cast<uint32_t>(hotY));
    Put32(out, bytes);
    Put32(out, 22);
    // Bitmap header: the height counts the colour rows and the mask rows.
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, bytes - 40);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    const auto& px = image.levels[0].rgba;
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
        {
            const uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            out.push_back(p[3]);
        }
    for (int y = h - 1; y >= 0; --y)
    {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < w; ++x)
            if (px[(static_cast<size_t>(y) * w + x) * 4 + 3] == 0)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool ArtWriter::Encode(const PImage& source, const std::string& format, bool mips, int hotX, int hotY,
                       std::vector<uint8_t>& out)
{
    if (source.IsEmpty() || !IsFormat(format))
        return false;
    if (format == "png")
        return PImageCodec::Encode(source, PImageFileFormat::Png, out);
    if (format == "jpg")
        return PImageCodec::Encode(source, PImageFileFormat::Jpg, out);
    if (format == "cur")
    {
        out = EncodeCursor(source, hotX, hotY);
        return true;
    }
    PImage image = source;
    image.levels.resize(1);
    if (mips)
        image.BuildMipChain();
    const std::string dds = ResolveDdsFormat(image, format);
    const PFormat layout = dds == "dxt1" ? PFormat::DXT1 : dds == "dxt5" ? PFormat::DXT5 : PFormat::A8R8G8B8;
    return PDdsCodec::Encode(image, layout, out);
}

bool ArtWriter::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path(), ec);
    {
        std::ifstream in(path, std::ios::binary);
        if (in)
        {
            const std::vector<uint8_t> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes)
                return true;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
