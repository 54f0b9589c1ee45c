// A buffer of 16-bit vertex indices on the graphics device, written once through a lock.
#pragma once

#include "platform/video/PGraphicsTypes.h"

class PIndexBuffer
{
public:
    virtual ~PIndexBuffer() = default;

    virtual int GetSize() const = 0;
    // Locks bytes [offset, offset + size) (size 0: to the end) for writing.
    virtual PResult Lock(int offset, int size, void** data, uint32_t flags) = 0;
    virtual PResult Unlock() = 0;

    void Release() { delete this; }
};
