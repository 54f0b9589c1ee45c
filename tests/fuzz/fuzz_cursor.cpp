// fuzz-links: fv_platform_video
// Cursor files as a modder might replace them: any bytes must decode to a whole picture or be
// refused cleanly.
#include "platform/video/PCursorFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PCursorImage image;
    if (PCursorFile::Decode(data, size, image))
    {
        if (image.width <= 0 || image.height <= 0 || image.width > PCursorFile::kMaxSide ||
            image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4 || image.hotX < 0 ||
            image.hotY < 0 || image.hotX >= image.width || image.hotY >= image.height)
            __builtin_trap();
    }
    return 0;
}
