// How loud one voice plays on each side. A flat sound plays at its volume on both sides; a sound
// placed in the world is quieter the farther it is from the listener and leans to the side it
// stands on.
#pragma once

struct PVoiceMix
{
    float gain = 1.0f; // 0..1, the sound's volume times its distance attenuation
    float left = 1.0f; // 0..1, the pan's share for each side
    float right = 1.0f;

    bool operator==(const PVoiceMix& other) const = default;

    // The mix of a flat sound: its volume on both sides, held within 0..1.
    static PVoiceMix Flat(float volume);
    // The mix of a sound at (x, y, z) heard from (lx, ly, lz). Within minDistance it plays at
    // full volume; beyond, the volume falls as minDistance / (minDistance + rolloff * (d - minDistance)).
    // The pan follows the sound's offset along x (screen left and right), never fully silencing
    // the far side.
    static PVoiceMix Positional(float volume, float x, float y, float z, float lx, float ly, float lz,
                                float minDistance, float rolloff);
};
