// Picture operations of the art tool.
#include "ArtImage.h"

#include "platform/video/PImageCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
uint8_t* PixelAt(PImage& image, int x, int y)
{
    PImageLevel& l = image.levels[0];
    return &l.rgba[(static_cast<size_t>(y) * l.width + x) * 4];
}

const uint8_t* PixelAt(const PImage& image, int x, int y)
{
    const PImageLevel& l = image.levels[0];
    return &l.rgba[(static_cast<size_t>(y) * l.width + x) * 4];
}
} // namespace

PImage ArtImage::Blank(int width, int height)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0].width = width;
    image.levels[0].height = height;
    image.levels[0].rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    return image;
}

PImage ArtImage::Load(const std::string& path)
{
    std::vector<uint8_t> bytes;
    PImage image;
    if (!PImageCodec::ReadFile(path, bytes) || !PImageCodec::Decode(bytes.data(), bytes.size(), image))
        return PImage();
    image.levels.resize(1);
    return image;
}

void ArtImage::BleedColour(PImage& image)
{
    if (image.IsEmpty())
        return;
    const int w = image.Width(), h = image.Height();
    // Rings of transparent pixels take the average colour of their already coloured neighbours,
    // one ring at a time outward from the visible pixels. state: 0 unknown, 1 coloured, 2 queued.
    std::vector<uint8_t> state(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (PixelAt(image, x, y)[3] > 0)
                state[static_cast<size_t>(y) * w + x] = 1;
    std::vector<int> ring, next;
    auto queueNeighbours = [&](int x, int y, std::vector<int>& into) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
            {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                    continue;
                uint8_t& s = state[static_cast<size_t>(ny) * w + nx];
                if (s == 0)
                {
                    s = 2;
                    into.push_back(ny * w + nx);
                }
            }
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (state[static_cast<size_t>(y) * w + x] == 1)
                queueNeighbours(x, y, ring);
    while (!ring.empty())
    {
        // Sorted so the result does not depend on the order the ring was found in.
        std::sort(ring.begin(), ring.end());
        for (int i : ring)
        {
            const int x = i % w, y = i / w;
            int sum[3] = {0, 0, 0}, n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h || state[static_cast<size_t>(ny) * w + nx] != 1)
                        continue;
                    const uint8_t* p = PixelAt(image, nx, ny);
                    for (int c = 0; c < 3; ++c)
                        sum[c] += p[c];
                    ++n;
                }
            uint8_t* p = PixelAt(image, x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<uint8_t>(n ? (sum[c] + n / 2) / n : 0);
        }
        next.clear();
        for (int i : ring)
            state[static_cast<size_t>(i)] = 1;
        for (int i : ring)
            queueNeighbours(i % w, i / w, next);
        ring.swap(next);
    }
}

void ArtImage::MakeWhite(PImage& image)
{
    for (PImageLevel& level : image.levels)
        for (size_t i = 0; i + 3 < level.rgba.size(); i += 4)
            level.rgba[i] = level.rgba[i + 1] = level.rgba[i + 2] = 255;
}

ArtRect ArtImage::OpaqueBounds(const PImage& image)
{
    const int w = image.Width(), h = image.Height();
    ArtRect r{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (PixelAt(image, x, y)[3] > 0)
            {
                r.x0 = std::min(r.x0, x);
                r.y0 = std::min(r.y0, y);
                r.x1 = std::max(r.x1, x + 1);
                r.y1 = std::max(r.y1, y + 1);
            }
    if (r.x1 <= r.x0 || r.y1 <= r.y0)
        return ArtRect{0, 0, w, h};
    return r;
}

bool ArtImage::IsOpaque(const PImage& image)
{
    const auto& px = image.levels[0].rgba;
    for (size_t i = 3; i < px.size(); i += 4)
        if (px[i] != 255)
            return false;
    return true;
}

void ArtImage::Copy(const PImage& src, const ArtRect& from, PImage& dst, int x, int y)
{
    for (int sy = from.y0; sy < from.y1; ++sy)
        for (int sx = from.x0; sx < from.x1; ++sx)
        {
            const int dx = x + sx - from.x0, dy = y + sy - from.y0;
            if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height())
                continue;
            std::memcpy(PixelAt(dst, dx, dy), PixelAt(src, sx, sy), 4);
        }
}

void ArtImage::Extrude(PImage& dst, int x, int y, int w, int h, int pad)
{
    for (int dy = y - pad; dy < y + h + pad; ++dy)
        for (int dx = x - pad; dx < x + w + pad; ++dx)
        {
            if (dx >= x && dx < x + w && dy >= y && dy < y + h)
                continue;
            if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height())
                continue;
            const int sx = std::clamp(dx, x, x + w - 1), sy = std::clamp(dy, y, y + h - 1);
            std::memcpy(PixelAt(dst, dx, dy), PixelAt(dst, sx, sy), 4);
        }
}

PImage ArtImage::Resize(const PImage& src, int width, int height)
{
    PImage out = Blank(width, height);
    const int sw = src.Width(), sh = src.Height();
    if (width >= sw && height >= sh)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                std::memcpy(PixelAt(out, x, y), PixelAt(src, x * sw / width, y * sh / height), 4);
        return out;
    }
    // Area average with alpha weighting, so transparent pixels lend no colour.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const double fx0 = static_cast<double>(x) * sw / width, fx1 = static_cast<double>(x + 1) * sw / width;
            const double fy0 = static_cast<double>(y) * sh / height, fy1 = static_cast<double>(y + 1) * sh / height;
            double acc[4] = {0, 0, 0, 0}, area = 0;
            for (int sy = static_cast<int>(fy0); sy < sh && sy < fy1; ++sy)
                for (int sx = static_cast<int>(fx0); sx < sw && sx < fx1; ++sx)
                {
                    const double wx = std::min<double>(sx + 1, fx1) - std::max<double>(sx, fx0);
                    const double wy = std::min<double>(sy + 1, fy1) - std::max<double>(sy, fy0);
                    const double weight = wx * wy;
                    const uint8_t* p = PixelAt(src, sx, sy);
                    const double a = p[3] / 255.0;
                    for (int c = 0; c < 3; ++c)
                        acc[c] += p[c] * a * weight;
                    acc[3] += a * weight;
                    area += weight;
                }
            uint8_t* o = PixelAt(out, x, y);
            if (acc[3] > 0)
                for (int c = 0; c < 3; ++c)
                    o[c] = static_cast<uint8_t>(std::min(255.0, acc[c] / acc[3] + 0.5));
            o[3] = static_cast<uint8_t>(std::min(255.0, acc[3] / area * 255.0 + 0.5));
        }
    return out;
}

void ArtImage::Over(const PImage& src, PImage& dst, int x, int y)
{
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx)
        {
            const int dx = x + sx, dy = y + sy;
            if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height())
                continue;
            const uint8_t* s = PixelAt(src, sx, sy);
            uint8_t* d = PixelAt(dst, dx, dy);
            const int a = s[3];
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<uint8_t>((s[c] * a + d[c] * (255 - a) + 127) / 255);
            d[3] = static_cast<uint8_t>(a + (d[3] * (255 - a) + 127) / 255);
        }
}

void ArtImage::Fill(PImage& dst, const ArtRect& rect, uint32_t rgba)
{
    for (int y = std::max(0, rect.y0); y < std::min(dst.Height(), rect.y1); ++y)
        for (int x = std::max(0, rect.x0); x < std::min(dst.Width(), rect.x1); ++x)
        {
            uint8_t* p = PixelAt(dst, x, y);
            p[0] = static_cast<uint8_t>(rgba >> 24);
            p[1] = static_cast<uint8_t>(rgba >> 16);
            p[2] = static_cast<uint8_t>(rgba >> 8);
            p[3] = static_cast<uint8_t>(rgba);
        }
}
