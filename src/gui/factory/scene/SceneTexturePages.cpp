// Pages of copied scene pictures.
#include "gui/factory/scene/SceneTexturePages.h"

#include "engine/CLoadedTexture.h"
#include "engine/CLoadedTextureRef.h"
#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "platform/video/PImage.h"
#include "platform/video/PTexture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
// Two pages of at most this side: the scene's sheets fit with room to spare, and the memory the
// copies take stays bounded whatever the data holds.
constexpr int kPageSide = 4104;
constexpr int kMaxPages = 2;
// Larger pictures are drawn from their own texture.
constexpr int kLargestPicture = 2048;

struct Candidate
{
    CLoadedTexture* texture = nullptr;
    int width = 0, height = 0;
    int page = -1, x = 0, y = 0; // where its bordered copy starts
};

// Copies one picture into a page's pixels at (x, y), with its edge repeated one texel round it.
void CopyWithBorder(PTexture& source, int width, int height, std::vector<uint32_t>& page, int pageWidth, int x, int y)
{
    PLockedRect locked;
    if (PFailed(source.LockRectForReading(0, locked)) || !locked.bits)
        return;
    const auto* bits = static_cast<const uint8_t*>(locked.bits);
    auto texel = [&](int sx, int sy) {
        sx = std::clamp(sx, 0, width - 1);
        sy = std::clamp(sy, 0, height - 1);
        uint32_t value = 0;
        std::memcpy(&value,
                    bits + static_cast<size_t>(sy) * static_cast<size_t>(locked.pitch) + static_cast<size_t>(sx) * 4,
                    4);
        return value;
    };
    for (int row = -1; row <= height; ++row)
    {
        uint32_t* out =
            &page[static_cast<size_t>(y + 1 + row) * static_cast<size_t>(pageWidth) + static_cast<size_t>(x + 1)];
        if (row >= 0 && row < height)
            std::memcpy(out, bits + static_cast<size_t>(row) * static_cast<size_t>(locked.pitch),
                        static_cast<size_t>(width) * 4);
        else
            for (int column = 0; column < width; ++column)
                out[column] = texel(column, row);
        out[-1] = texel(-1, row);
        out[width] = texel(width, row);
    }
    source.UnlockRect(0);
}
} // namespace

SceneTexturePages::~SceneTexturePages()
{
    for (PTexture* page : m_pages)
        page->Release();
}

void SceneTexturePages::Release()
{
    ++m_generation;
    for (CLoadedTexture* handle : m_pageHandles)
        handle->m_texture = nullptr;
    for (PTexture* page : m_pages)
        page->Release();
    m_pages.clear();
    m_pageHandles.clear();
    m_places.clear();
    m_taken.clear();
    m_lastTexture = nullptr;
    m_lastPlace = nullptr;
}

void SceneTexturePages::Build(const std::vector<CLoadedTexture*>& textures)
{
    ++m_generation;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (!device)
        return;
    const int maxSide = GD3DDevice::Instance().GetCaps().maxTextureSize;
    const int side = std::min(kPageSide, maxSide > 0 ? maxSide : kPageSide);
    // Each picture once. Pages that hold every one of them are kept as they are, pictures of
    // earlier games included; otherwise they are made anew from these alone, so what no game asks
    // for any more is dropped rather than crowding out what it does.
    std::vector<CLoadedTexture*> wanted;
    bool missing = false;
    for (CLoadedTexture* texture : textures)
    {
        if (!texture || std::find(wanted.begin(), wanted.end(), texture) != wanted.end())
            continue;
        wanted.push_back(texture);
        missing = missing || std::find(m_taken.begin(), m_taken.end(), texture) == m_taken.end();
    }
    if (!missing && !m_pages.empty())
        return;
    std::vector<Candidate> candidates;
    for (CLoadedTexture* texture : wanted)
    {
        PTexture* picture = texture->m_texture;
        int width = 0, height = 0;
        PFormat format = PFormat::Unknown;
        if (!picture || picture->IsRenderTarget() || picture->GetLevelCount() != 1 ||
            PFailed(picture->GetLevelDesc(0, width, height, format)) || width <= 0 || height <= 0 ||
            width > kLargestPicture || height > kLargestPicture || width + 2 > side || height + 2 > side)
            continue;
        candidates.push_back(Candidate{texture, width, height});
    }
    // Shelves, tallest pictures first; what does not fit in the last page is left out.
    std::vector<Candidate*> order;
    order.reserve(candidates.size());
    for (Candidate& c : candidates)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](const Candidate* a, const Candidate* b) { return a->height > b->height; });
    std::vector<int> pageHeights;
    int page = 0, x = 0, y = 0, shelf = 0;
    pageHeights.push_back(0);
    for (Candidate* c : order)
    {
        const int w = c->width + 2, h = c->height + 2;
        if (x + w > side)
        {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        if (y + h > side)
        {
            if (page + 1 >= kMaxPages)
                continue;
            ++page;
            pageHeights.push_back(0);
            x = y = shelf = 0;
        }
        c->page = page;
        c->x = x;
        c->y = y;
        x += w;
        shelf = std::max(shelf, h);
        pageHeights[static_cast<size_t>(page)] = std::max(pageHeights[static_cast<size_t>(page)], y + h);
    }

    Release();
    m_taken = wanted;
    ++m_builds;
    for (size_t p = 0; p < pageHeights.size(); ++p)
    {
        const int height = pageHeights[p];
        if (height <= 0)
            continue;
        std::vector<uint32_t> pixels(static_cast<size_t>(side) * static_cast<size_t>(height), 0u);
        for (const Candidate& c : candidates)
            if (c.page == static_cast<int>(p))
                CopyWithBorder(*c.texture->m_texture, c.width, c.height, pixels, side, c.x, c.y);
        // The page goes to the card once, made from the copies as a picture is.
        PImage image;
        image.levels.resize(1);
        PImageLevel& level = image.levels[0];
        level.width = side;
        level.height = height;
        level.rgba.resize(pixels.size() * 4);
        for (size_t i = 0; i < pixels.size(); ++i)
        {
            const uint32_t argb = pixels[i];
            level.rgba[4 * i] = static_cast<uint8_t>(argb >> 16);
            level.rgba[4 * i + 1] = static_cast<uint8_t>(argb >> 8);
            level.rgba[4 * i + 2] = static_cast<uint8_t>(argb);
            level.rgba[4 * i + 3] = static_cast<uint8_t>(argb >> 24);
        }
        std::vector<uint32_t>().swap(pixels);
        PTexture* texture = nullptr;
        if (PFailed(device->CreateTextureFromImage(image, &texture)) || !texture)
        {
            GDebugLog::Instance().LogError("Scene texture page could not be made");
            continue;
        }
        CLoadedTextureRef handle;
        handle.CreateFromTexture(texture);
        m_pages.push_back(texture);
        m_pageHandles.push_back(handle.Get());
        const float pageWidth = static_cast<float>(side), pageHeight = static_cast<float>(height);
        for (const Candidate& c : candidates)
        {
            if (c.page != static_cast<int>(p))
                continue;
            Place place;
            place.texture = handle.Get();
            place.scaleU = static_cast<float>(c.width) / pageWidth;
            place.scaleV = static_cast<float>(c.height) / pageHeight;
            place.offsetU = static_cast<float>(c.x + 1) / pageWidth;
            place.offsetV = static_cast<float>(c.y + 1) / pageHeight;
            m_places.emplace(c.texture, place);
        }
    }
}
