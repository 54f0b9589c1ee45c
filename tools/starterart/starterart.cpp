// Starter picture generator: the overhead conveyor hook, drawn procedurally (the interface pictures
// come from the art pipeline, tools/artgen). Run from the repository root:
//   build/<tree>/tools/starterart/fv_starterart [data folder]
#include "platform/video/PDdsCodec.h"

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
