// OpenGL textures: level queries and CPU locks (read back on lock, uploaded again on unlock).
#include "platform/video/PGLTexture.h"

#include "platform/video/PGLDevice.h"

PGLTexture::PGLTexture(PGLDevice* device, GLuint texture, int width, int height, int levels, PFormat format,
                       bool renderTarget)
    : m_device(device), m_texture(texture), m_width(width), m_height(height), m_levels(levels), m_format(format),
      m_renderTarget(renderTarget)
{
}

PGLTexture::~PGLTexture()
{
    if (m_device)
        m_device->OnTextureDestroyed(this);
    if (!PGLDevice::ContextUsable())
        return;
    if (m_framebuffer)
        glDeleteFramebuffers(1, &m_framebuffer);
    if (m_texture)
        glDeleteTextures(1, &m_texture);
}

PResult PGLTexture::GetLevelDesc(int level, int& width, int& height, PFormat& format) const
{
    if (level < 0 || level >= m_levels)
        return PRES_INVALIDCALL;
    width = m_width >> level > 0 ? m_width >> level : 1;
    height = m_height >> level > 0 ? m_height >> level : 1;
    format = m_format;
    return PRES_OK;
}

PResult PGLTexture::LockRect(int level, PLockedRect& locked)
{
    int w = 0, h = 0;
    PFormat f;
    if (m_lockedLevel >= 0 || PFailed(GetLevelDesc(level, w, h, f)))
        return PRES_INVALIDCALL;
    m_lockData.assign(static_cast<size_t>(w) * h * 4, 0);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_BGRA, GL_UNSIGNED_BYTE, m_lockData.data());
    m_lockedLevel = level;
    m_readOnly = false;
    locked.pitch = w * 4;
    locked.bits = m_lockData.data();
    return PRES_OK;
}

PResult PGLTexture::LockRectForReading(int level, PLockedRect& locked)
{
    const PResult r = LockRect(level, locked);
    m_readOnly = !PFailed(r);
    return r;
}

PResult PGLTexture::UnlockRect(int level)
{
    if (m_lockedLevel < 0 || level != m_lockedLevel)
        return PRES_INVALIDCALL;
    if (!m_readOnly)
    {
        int w = 0, h = 0;
        PFormat f;
        GetLevelDesc(level, w, h, f);
        glBindTexture(GL_TEXTURE_2D, m_texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, m_lockData.data());
    }
    m_readOnly = false;
    m_lockedLevel = -1;
    m_lockData.clear();
    m_lockData.shrink_to_fit();
    return PRES_OK;
}
