// fuzz-links: fv_platform_video
// DDS texture files as a modder might hand-edit them: any bytes must decode or be refused cleanly.
#include "platform/video/PDdsCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PImage image;
    PFormat format;
    if (PDdsCodec::Decode(data, size, image, &format))
    {
        for (const PImageLevel& level : image.levels)
            if (level.rgba.size() != static_cast<size_t>(level.width) * level.height * 4)
                __builtin_trap();
    }
    return 0;
}
