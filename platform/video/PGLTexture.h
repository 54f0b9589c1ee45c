// A texture of the OpenGL back end: an RGBA8 GL texture with its level count, and for a render target
// the framebuffer object that draws into it.
#pragma once

#include "platform/video/PTexture.h"

#include <epoxy/gl.h>

#include <vector>

class PGLDevice;

class PGLTexture : public PTexture
{
public:
    PGLTexture(PGLDevice* device, GLuint texture, int width, int height, int levels, PFormat format, bool renderTarget);
    ~PGLTexture() override;

    int GetLevelCount() const override { return m_levels; }
    PResult GetLevelDesc(int level, int& width, int& height, PFormat& format) const override;
    PResult LockRect(int level, PLockedRect& locked) override;
    PResult LockRectForReading(int level, PLockedRect& locked) override;
    PResult UnlockRect(int level) override;
    bool IsRenderTarget() const override { return m_renderTarget; }

    GLuint Id() const { return m_texture; }
    GLuint Framebuffer() const { return m_framebuffer; }
    void SetFramebuffer(GLuint framebuffer) { m_framebuffer = framebuffer; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The device is going away: the texture must not call back into it.
    void Detach() { m_device = nullptr; }

private:
    PGLDevice* m_device;
    GLuint m_texture;
    GLuint m_framebuffer = 0;
    int m_width, m_height, m_levels;
    PFormat m_format;
    bool m_renderTarget;
    int m_lockedLevel = -1;
    std::vector<uint8_t> m_lockData;
    bool m_readOnly = false;
};
