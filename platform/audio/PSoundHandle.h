// Names one started sound for as long as it plays. A voice is reused once its sound has ended,
// so a handle also carries the generation the voice had when the sound started: a handle kept
// past its sound's end can never stop or change a newer sound on the same voice.
#pragma once
#include <cstdint>

struct PSoundHandle
{
    uint32_t voice = 0;
    uint32_t generation = 0; // 0: no sound (the handle of a sound that could not start)

    bool IsValid() const { return generation != 0; }
    bool operator==(const PSoundHandle& other) const = default;
};
