// Starter picture generator: the loading gear sheet, the default savegame thumbnail and the overhead
// conveyor hook, drawn procedurally. Run from the repository root:
//   build/<tree>/tools/starterart/fv_starterart [data folder]
#include "platform/video/PDdsCodec.h"
#include "platform/video/PImageCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
PImage Blank(int w, int h)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0].width = w;
    image.levels[0].height = h;
    image.levels[0].rgba.assign(static_cast<size_t>(w) * h * 4, 0);
    return image;
}

void Put(PImage& image, int x, int y, int r, int g, int b, int a)
{
    PImageLevel& l = image.levels[0];
    if (x < 0 || y < 0 || x >= l.width || y >= l.height)
        return;
    uint8_t* p = &l.rgba[(static_cast<size_t>(y) * l.width + x) * 4];
    p[0] = static_cast<uint8_t>(r);
    p[1] = static_cast<uint8_t>(g);
    p[2] = static_cast<uint8_t>(b);
    p[3] = static_cast<uint8_t>(a);
}

// Coverage of a gear with 8 teeth at angle (radians), sampled 4 x 4 per pixel.
float GearCoverage(float px, float py, float angle)
{
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
        {
            const float x = px + (static_cast<float>(sx) + 0.5f) / 4.0f - 16.0f;
            const float y = py + (static_cast<float>(sy) + 0.5f) / 4.0f - 16.0f;
            const float r = std::sqrt(x * x + y * y);
            const float a = std::atan2(y, x) - angle;
            const float tooth = std::cos(a * 8.0f) > 0.2f ? 14.0f : 11.0f;
            if (r <= tooth && r >= 4.5f)
                ++inside;
        }
    return static_cast<float>(inside) / 16.0f;
}

bool SaveDds(const std::string& path, const PImage& image)
{
    std::vector<uint8_t> bytes;
    if (!PDdsCodec::Encode(image, PFormat::A8R8G8B8, bytes))
        return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string data = argc > 1 ? argv[1] : "data";
    int status = 0;

    // Loading gear: 32 frames of 32 x 32 in 8 columns and 4 rows; one tooth step over the cycle.
    PImage gear = Blank(256, 128);
    for (int frame = 0; frame < 32; ++frame)
    {
        const float angle = static_cast<float>(frame) * (6.2831853f / 8.0f) / 32.0f;
        const int ox = (frame % 8) * 32, oy = (frame / 8) * 32;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
            {
                const float c = GearCoverage(static_cast<float>(x), static_cast<float>(y), angle);
                if (c > 0.0f)
                    Put(gear, ox + x, oy + y, 255, 255, 255, static_cast<int>(c * 255.0f + 0.5f));
            }
    }
    if (!SaveDds(data + "/bitmaps/ui/loading_gear.dds", gear))
        status = 1;

    // Default savegame thumbnail: a factory floor fading into the distance under a dark roof.
    PImage thumb = Blank(256, 144);
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 256; ++x)
        {
            const float t = static_cast<float>(y) / 143.0f;
            int r = static_cast<int>(40 + 50 * t), g = static_cast<int>(46 + 52 * t), b = static_cast<int>(58 + 40 * t);
            if (y > 60)
            {
                // Floor tiles in perspective.
                const float depth = 1.0f / (static_cast<float>(y - 58) / 86.0f);
                const float u = (static_cast<float>(x) - 128.0f) * (1.0f / depth) / 16.0f;
                const bool line = std::fabs(u - std::round(u)) < 0.06f || std::fmod(depth * 4.0f, 1.0f) < 0.08f;
                if (line)
                {
                    r += 30;
                    g += 30;
                    b += 24;
                }
            }
            Put(thumb, x, y, std::min(r, 255), std::min(g, 255), std::min(b, 255), 255);
        }
    if (!PImageCodec::SaveToFile(data + "/bitmaps/ui/default_save.jpg", thumb, PImageFileFormat::Jpg))
        status = 1;

    // Overhead conveyor hook: a steel rod from the top with a hook at its foot, 64 x 128.
    PImage hook = Blank(64, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 64; ++x)
        {
            const float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f;
            bool on = fx >= 29.0f && fx <= 35.0f && fy <= 92.0f;
            const float dx = fx - 24.0f, dy = fy - 96.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            if (r >= 6.0f && r <= 11.5f && (dy >= 0.0f || dx > 0.0f))
                on = true;
            if (fy < 6.0f && fx >= 24.0f && fx <= 40.0f)
                on = true;
            if (on)
            {
                const int shade = 150 + static_cast<int>(60.0f * std::sin(fx * 0.3f));
                Put(hook, x, y, shade, shade + 4, shade + 12, 255);
            }
        }
    if (!SaveDds(data + "/bitmaps/props/overhead_hook_NW.dds", hook))
        status = 1;
    std::printf(status ? "failed\n" : "starter pictures written\n");
    return status;
}
