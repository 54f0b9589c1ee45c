// fuzz-links: fv_platform_video
// Any picture file the texture loader may be handed (DDS, PNG, JPEG, TGA, BMP, by content).
#include "platform/video/PImageCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PImage image;
    if (PImageCodec::Decode(data, size, image))
    {
        if (image.Width() <= 0 || image.Height() <= 0 || image.Width() > PImageCodec::kMaxSide)
            __builtin_trap();
        image.BuildMipChain();
    }
    return 0;
}
