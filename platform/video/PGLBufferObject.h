// A GL buffer written through map-based locks; shared by the vertex and index buffers of the OpenGL
// back end. A discard lock orphans the storage, a no-overwrite lock maps without waiting for the GPU.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <epoxy/gl.h>

class PGLBufferObject
{
public:
    PGLBufferObject(GLenum target, int size, GLenum usage);
    ~PGLBufferObject();

    bool IsValid() const { return m_buffer != 0; }
    GLuint Id() const { return m_buffer; }
    int Size() const { return m_size; }
    PResult Lock(int offset, int size, void** data, uint32_t flags);
    PResult Unlock();

private:
    GLenum m_target;
    GLuint m_buffer = 0;
    int m_size;
    bool m_locked = false;
};
