// fuzz-links: fv_platform_audio
// Sound files as a modder might replace them: the silent device reads their length from the
// headers, and any bytes must give a length or be refused cleanly.
#include "platform/audio/PSoundFileInfo.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    double ms = 0.0;
    if (PSoundFileInfo::LengthFromBytes(std::string(reinterpret_cast<const char*>(data), size), ms))
        if (!(ms >= 0.0) || std::isinf(ms))
            __builtin_trap();
    return 0;
}
