// Map-based locks of GL buffers.
#include "platform/video/PGLBufferObject.h"

#include "platform/video/PGLDevice.h"

PGLBufferObject::PGLBufferObject(GLenum target, int size, GLenum usage) : m_target(target), m_size(size)
{
    if (size <= 0)
        return;
    glGenBuffers(1, &m_buffer);
    glBindBuffer(target, m_buffer);
    glBufferData(target, size, nullptr, usage);
    if (glGetError() != GL_NO_ERROR)
    {
        glDeleteBuffers(1, &m_buffer);
        m_buffer = 0;
    }
}

PGLBufferObject::~PGLBufferObject()
{
    if (m_buffer && PGLDevice::ContextUsable())
    {
        if (m_locked)
        {
            glBindBuffer(m_target, m_buffer);
            glUnmapBuffer(m_target);
        }
        glDeleteBuffers(1, &m_buffer);
    }
}

PResult PGLBufferObject::Lock(int offset, int size, void** data, uint32_t flags)
{
    if (!data)
        return PRES_INVALIDCALL;
    *data = nullptr;
    if (size == 0)
        size = m_size - offset;
    if (!m_buffer || m_locked || offset < 0 || size <= 0 || offset > m_size || size > m_size - offset)
        return PRES_INVALIDCALL;
    GLbitfield access = GL_MAP_WRITE_BIT;
    if (flags & PLOCK_DISCARD)
        access |= GL_MAP_INVALIDATE_BUFFER_BIT;
    else if (flags & PLOCK_NOOVERWRITE)
        access |= GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT;
    else
        access |= GL_MAP_INVALIDATE_RANGE_BIT;
    glBindBuffer(m_target, m_buffer);
    void* mapped = glMapBufferRange(m_target, offset, size, access);
    if (!mapped)
        return PRES_INVALIDCALL;
    m_locked = true;
    *data = mapped;
    return PRES_OK;
}

PResult PGLBufferObject::Unlock()
{
    if (!m_locked)
        return PRES_INVALIDCALL;
    glBindBuffer(m_target, m_buffer);
    const GLboolean ok = glUnmapBuffer(m_target);
    m_locked = false;
    return ok ? PRES_OK : PRES_INVALIDCALL;
}
