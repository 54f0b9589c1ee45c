// A vertex buffer of the OpenGL back end.
#pragma once

#include "platform/video/PGLBufferObject.h"
#include "platform/video/PVertexBuffer.h"

class PGLDevice;

class PGLVertexBuffer : public PVertexBuffer
{
public:
    PGLVertexBuffer(PGLDevice* device, int size, bool dynamic)
        : m_device(device), m_buffer(GL_ARRAY_BUFFER, size, dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW)
    {
    }
    ~PGLVertexBuffer() override;

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
