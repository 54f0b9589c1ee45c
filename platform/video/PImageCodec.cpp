// Picture decoding and encoding over our DDS codec and the stb libraries.
#include "platform/video/PImageCodec.h"

#include "platform/video/PDdsCodec.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <cstdio>
#include <cstring>

namespace
{
void ImageCodecAppend(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (size > 0)
        out->insert(out->end(), bytes, bytes + size);
}
} // namespace

bool PImageCodec::Decode(const uint8_t* data, size_t size, PImage& image, PFormat* fileFormat)
{
    image.levels.clear();
    if (!data || size == 0)
        return false;
    if (PDdsCodec::IsDds(data, size))
        return PDdsCodec::Decode(data, size, image, fileFormat);
    if (size > 0x7FFFFFFFu)
        return false;
    int w = 0, h = 0, comp = 0;
    // Ask for the size first so a small hostile file cannot make us allocate gigabytes.
    if (!stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &comp))
        return false;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || static_cast<long long>(w) * h > kMaxPixels)
        return false;
    stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &w, &h, &comp, 4);
    if (!pixels)
        return false;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || static_cast<long long>(w) * h > kMaxPixels)
    {
        stbi_image_free(pixels);
        return false;
    }
    PImageLevel level;
    level.width = w;
    level.height = h;
    level.rgba.assign(pixels, pixels + static_cast<size_t>(w) * h * 4);
    stbi_image_free(pixels);
    image.levels.push_back(std::move(level));
    if (fileFormat)
        *fileFormat = comp == 4 || comp == 2 ? PFormat::A8R8G8B8 : PFormat::X8R8G8B8;
    return true;
}

bool PImageCodec::Encode(const PImage& image, PImageFileFormat format, std::vector<uint8_t>& out)
{
    out.clear();
    if (image.IsEmpty())
        return false;
    const PImageLevel& level = image.levels[0];
    if (level.rgba.size() != static_cast<size_t>(level.width) * level.height * 4)
        return false;
    int ok = 0;
    switch (format)
    {
    case PImageFileFormat::Jpg:
        ok = stbi_write_jpg_to_func(ImageCodecAppend, &out, level.width, level.height, 4, level.rgba.data(), 90);
        break;
    case PImageFileFormat::Png:
        ok = stbi_write_png_to_func(ImageCodecAppend, &out, level.width, level.height, 4, level.rgba.data(),
                                    level.width * 4);
        break;
    case PImageFileFormat::Bmp:
        ok = stbi_write_bmp_to_func(ImageCodecAppend, &out, level.width, level.height, 4, level.rgba.data());
        break;
    case PImageFileFormat::Tga:
        ok = stbi_write_tga_to_func(ImageCodecAppend, &out, level.width, level.height, 4, level.rgba.data());
        break;
    case PImageFileFormat::Dds:
        return PDdsCodec::Encode(image, PFormat::A8R8G8B8, out);
    }
    return ok != 0 && !out.empty();
}

bool PImageCodec::SaveToFile(const std::string& path, const PImage& image, PImageFileFormat format)
{
    std::vector<uint8_t> bytes;
    if (!Encode(image, format, bytes))
        return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

bool PImageCodec::ReadFile(const std::string& path, std::vector<uint8_t>& out)
{
    out.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    uint8_t buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        out.insert(out.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}
