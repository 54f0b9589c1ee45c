// Where the chunks of a compiled animation lie, looked up without side effects, so an animated
// prop can show a frame from a worker job. The table of an animation is built on the main thread
// the first time a prop starts it and only read afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

class GUI_CompressedAnimation;
struct CompressedAnimChunk;

class AnimationChunkTable
{
public:
    // The table of an animation, built on first use (main thread).
    static const AnimationChunkTable* For(const GUI_CompressedAnimation* animation);

    // The chunk of that number, or null (any thread).
    const CompressedAnimChunk* Find(int32_t chunkNumber) const;

private:
    std::unordered_map<int32_t, const CompressedAnimChunk*> m_chunks;
};
