// A 16-bit index buffer of the OpenGL back end.
#pragma once

#include "platform/video/PGLBufferObject.h"
#include "platform/video/PIndexBuffer.h"

class PGLDevice;

class PGLIndexBuffer : public PIndexBuffer
{
public:
    PGLIndexBuffer(PGLDevice* device, int size)
        : m_device(device), m_buffer(GL_ELEMENT_ARRAY_BUFFER, size, GL_STATIC_DRAW)
    {
    }
    ~PGLIndexBuffer() override;

    bool IsValid() const { return m_buffer.IsValid(); }
    GLuint Id() const { return m_buffer.Id(); }
    int GetSize() const override { return m_buffer.Size(); }
    PResult Lock(int offset, int size, void** data, uint32_t flags) override
    {
        return m_buffer.Lock(offset, size, data, flags);
    }
    PResult Unlock() override { return m_buffer.Unlock(); }
    void Detach() { m_device = nullptr; }

private:
    PGLDevice* m_device;
    PGLBufferObject m_buffer;
};
