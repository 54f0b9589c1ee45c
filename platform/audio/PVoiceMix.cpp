// Volume and pan of flat and placed sounds.
#include "platform/audio/PVoiceMix.h"

#include <algorithm>
#include <cmath>

namespace
{
// A sound straight to one side still reaches the other ear a little; a hard pan sounds broken
// on headphones.
constexpr float kMaxPan = 0.8f;

float Clamp01(float v)
{
    if (!(v > 0.0f))
        return 0.0f;
    return std::min(v, 1.0f);
}
} // namespace

PVoiceMix PVoiceMix::Flat(float volume)
{
    PVoiceMix mix;
    mix.gain = Clamp01(volume);
    return mix;
}

PVoiceMix PVoiceMix::Positional(float volume, float x, float y, float z, float lx, float ly, float lz,
                                float minDistance, float rolloff)
{
    const float dx = x - lx;
    const float dy = y - ly;
    const float dz = z - lz;
    const float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    const float minDist = std::max(minDistance, 1.0f);
    // A position that is no number (a broken object) plays silent rather than at full volume.
    float attenuation = std::isfinite(distance) ? 1.0f : 0.0f;
    if (distance > minDist && rolloff > 0.0f)
        attenuation = minDist / (minDist + rolloff * (distance - minDist));

    PVoiceMix mix;
    mix.gain = Clamp01(volume * attenuation);
    float pan = dx / std::max(distance, minDist);
    if (!std::isfinite(pan))
        pan = 0.0f;
    pan = std::clamp(pan, -1.0f, 1.0f) * kMaxPan;
    mix.left = std::min(1.0f, 1.0f - pan);
    mix.right = std::min(1.0f, 1.0f + pan);
    return mix;
}
