// Mip chains for decoded pictures.
#include "platform/video/PImage.h"

int PImage::FullChainLength(int width, int height)
{
    int levels = 1;
    while (width > 1 || height > 1)
    {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        ++levels;
    }
    return levels;
}

void PImage::BuildMipChain()
{
    if (IsEmpty())
        return;
    levels.resize(1);
    while (levels.back().width > 1 || levels.back().height > 1)
    {
        const PImageLevel& src = levels.back();
        PImageLevel dst;
        dst.width = src.width > 1 ? src.width / 2 : 1;
        dst.height = src.height > 1 ? src.height / 2 : 1;
        dst.rgba.resize(static_cast<size_t>(dst.width) * dst.height * 4);
        for (int y = 0; y < dst.height; ++y)
        {
            for (int x = 0; x < dst.width; ++x)
            {
                const int sx0 = x * 2 < src.width ? x * 2 : src.width - 1;
                const int sy0 = y * 2 < src.height ? y * 2 : src.height - 1;
                const int sx1 = sx0 + 1 < src.width ? sx0 + 1 : sx0;
                const int sy1 = sy0 + 1 < src.height ? sy0 + 1 : sy0;
                for (int c = 0; c < 4; ++c)
                {
                    auto at = [&](int px, int py) {
                        return static_cast<int>(src.rgba[(static_cast<size_t>(py) * src.width + px) * 4 + c]);
                    };
                    const int sum = at(sx0, sy0) + at(sx1, sy0) + at(sx0, sy1) + at(sx1, sy1);
                    dst.rgba[(static_cast<size_t>(y) * dst.width + x) * 4 + c] = static_cast<uint8_t>((sum + 2) / 4);
                }
            }
        }
        levels.push_back(std::move(dst));
    }
}
