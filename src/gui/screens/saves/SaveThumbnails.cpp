// Savegame pictures.
#include "gui/screens/saves/SaveThumbnails.h"

#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "platform/video/PGraphicsDevice.h"
#include "platform/video/PImage.h"
#include "platform/video/PImageCodec.h"
#include "platform/video/PTexture.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace
{
// A smaller copy by averaging whole blocks of pixels; a full screen picture would take megabytes
// per save on the graphics card.
PImage ThumbnailShrink(const PImage& picture, int maxSide)
{
    const int w = picture.Width(), h = picture.Height();
    const int factor = std::max(1, (std::max(w, h) + maxSide - 1) / maxSide);
    if (factor == 1)
        return picture;
    PImage small;
    small.levels.resize(1);
    PImageLevel& out = small.levels[0];
    out.width = std::max(1, w / factor);
    out.height = std::max(1, h / factor);
    out.rgba.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 4, 0);
    const std::vector<uint8_t>& in = picture.levels[0].rgba;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
        {
            unsigned sum[4] = {0, 0, 0, 0};
            for (int sy = y * factor; sy < (y + 1) * factor; ++sy)
                for (int sx = x * factor; sx < (x + 1) * factor; ++sx)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += in[(static_cast<size_t>(sy) * static_cast<size_t>(w) + static_cast<size_t>(sx)) * 4 +
                                     static_cast<size_t>(c)];
            const unsigned n = static_cast<unsigned>(factor * factor);
            for (int c = 0; c < 4; ++c)
                out.rgba[(static_cast<size_t>(y) * static_cast<size_t>(out.width) + static_cast<size_t>(x)) * 4 +
                         static_cast<size_t>(c)] = static_cast<uint8_t>(sum[c] / n);
        }
    return small;
}
} // namespace

SaveThumbnail::~SaveThumbnail()
{
    delete texture;
}

SaveThumbnailCrop SaveThumbnails::CropFor(int width, int height)
{
    SaveThumbnailCrop crop;
    if (width <= 0 || height <= 0)
        return crop;
    if (width >= height)
    {
        const float cut = (1.0f - static_cast<float>(height) / static_cast<float>(width)) * 0.5f;
        crop.u0 = cut;
        crop.u1 = 1.0f - cut;
    }
    else
    {
        const float cut = (1.0f - static_cast<float>(width) / static_cast<float>(height)) * 0.5f;
        crop.v0 = cut;
        crop.v1 = 1.0f - cut;
    }
    return crop;
}

std::shared_ptr<SaveThumbnail> SaveThumbnails::Get(const std::string& path)
{
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(path, ec);
    if (ec)
        return nullptr;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return nullptr;
    const int64_t stamp = static_cast<int64_t>(written.time_since_epoch().count());
    Entry& entry = m_entries[path];
    if (std::shared_ptr<SaveThumbnail> alive = entry.picture.lock())
        if (entry.stamp == stamp && entry.size == size)
            return alive;

    std::vector<uint8_t> bytes;
    PImage picture;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (!device || !PImageCodec::ReadFile(path, bytes) || !PImageCodec::Decode(bytes.data(), bytes.size(), picture) ||
        picture.IsEmpty())
    {
        GDebugLog::Instance().Log("Savegame picture unreadable: " + path);
        m_entries.erase(path);
        return nullptr;
    }
    auto thumbnail = std::make_shared<SaveThumbnail>();
    thumbnail->width = picture.Width();
    thumbnail->height = picture.Height();
    const PImage small = ThumbnailShrink(picture, kMaxSide);
    const PResult result = device->CreateTextureFromImage(small, &thumbnail->texture);
    if (result != PRES_OK)
    {
        thumbnail->texture = nullptr;
        LogD3DError(result, "Savegame picture");
        m_entries.erase(path);
        return nullptr;
    }
    entry.picture = thumbnail;
    entry.stamp = stamp;
    entry.size = size;
    return thumbnail;
}

int SaveThumbnails::LiveCount() const
{
    int count = 0;
    for (const auto& [path, entry] : m_entries)
        if (!entry.picture.expired())
            ++count;
    return count;
}
