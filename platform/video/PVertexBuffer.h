// A vertex buffer on the graphics device, written through locks: a discard lock starts the buffer
// afresh, a no-overwrite lock promises not to touch vertices a queued draw may still read.
#pragma once

#include "platform/video/PGraphicsTypes.h"

class PVertexBuffer
{
public:
    virtual ~PVertexBuffer() = default;

    virtual int GetSize() const = 0;
    // Locks bytes [offset, offset + size) (size 0: to the end) for writing.
    virtual PResult Lock(int offset, int size, void** data, uint32_t flags) = 0;
    virtual PResult Unlock() = 0;

    void Release() { delete this; }
};
