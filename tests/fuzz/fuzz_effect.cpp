// fuzz-links: fv_platform_video
// fuzz-long-inputs: 65536
// Effect files from data/shaders: the parser must accept or refuse any text without harm.
#include "platform/video/PEffectSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PEffectSource source;
    std::string error;
    const bool ok = PEffectSource::Parse(std::string(reinterpret_cast<const char*>(data), size), source, error);
    if (ok && source.techniques.empty())
        __builtin_trap();
    return 0;
}
