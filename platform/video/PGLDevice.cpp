// The OpenGL 3.3 device. Pre-transformed vertices are mapped to clip space with the half-pixel shift
// folded into the projection, so a quad whose corners sit on -0.5 pixel boundaries covers exactly its
// integer rectangle, as the renderer's fills and glyphs expect.
#include "platform/video/PGLDevice.h"

#include "platform/video/PEffectSource.h"
#include "platform/video/PGLEffect.h"
#include "platform/video/PGLIndexBuffer.h"
#include "platform/video/PGLTexture.h"
#include "platform/video/PGLVertexBuffer.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace
{
// GL takes byte offsets into the bound buffer in a pointer argument.
const void* GLDeviceBufferOffset(size_t bytes)
{
    return reinterpret_cast<const void*>(bytes); // NOLINT(performance-no-int-to-ptr): the GL convention
}

GLenum GLDeviceBlend(uint32_t blend)
{
    switch (blend)
    {
    case PBLEND_ZERO:
        return GL_ZERO;
    case PBLEND_ONE:
        return GL_ONE;
    case PBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case PBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case PBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case PBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case PBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case PBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case PBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case PBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    default:
        return GL_ONE;
    }
}

GLint GLDeviceAddress(uint32_t address)
{
    switch (address)
    {
    case PTADDRESS_CLAMP:
        return GL_CLAMP_TO_EDGE;
    case PTADDRESS_MIRROR:
        return GL_MIRRORED_REPEAT;
    default:
        return GL_REPEAT;
    }
}
} // namespace

PGLDevice::PGLDevice(void* sdlWindow, int backBufferWidth, int backBufferHeight)
    : m_window(sdlWindow), m_backWidth(backBufferWidth), m_backHeight(backBufferHeight)
{
    // The classic device's power-on state.
    auto rs = [this](PRenderState s, uint32_t v) { m_renderStates[static_cast<int>(s)] = v; };
    rs(PRenderState::Lighting, 1);
    rs(PRenderState::CullMode, PCULL_CCW);
    rs(PRenderState::AlphaTestEnable, 0);
    rs(PRenderState::AlphaFunc, PCMP_ALWAYS);
    rs(PRenderState::AlphaRef, 0);
    rs(PRenderState::AlphaBlendEnable, 0);
    rs(PRenderState::SrcBlend, PBLEND_ONE);
    rs(PRenderState::DestBlend, PBLEND_ZERO);
    rs(PRenderState::SeparateAlphaBlendEnable, 0);
    rs(PRenderState::SrcBlendAlpha, PBLEND_ONE);
    rs(PRenderState::DestBlendAlpha, PBLEND_ZERO);
    rs(PRenderState::ScissorTestEnable, 0);
    for (auto& sampler : m_samplerStates)
    {
        sampler[static_cast<int>(PSamplerState::AddressU)] = PTADDRESS_WRAP;
        sampler[static_cast<int>(PSamplerState::AddressV)] = PTADDRESS_WRAP;
        sampler[static_cast<int>(PSamplerState::MagFilter)] = PTEXF_POINT;
        sampler[static_cast<int>(PSamplerState::MinFilter)] = PTEXF_POINT;
        sampler[static_cast<int>(PSamplerState::MipFilter)] = PTEXF_NONE;
    }
    m_stageStates[static_cast<int>(PTextureStageState::ColourOp)] = PTOP_MODULATE;
    m_stageStates[static_cast<int>(PTextureStageState::ColourArg1)] = PTA_TEXTURE;
    m_stageStates[static_cast<int>(PTextureStageState::ColourArg2)] = PTA_CURRENT;
    m_stageStates[static_cast<int>(PTextureStageState::AlphaOp)] = PTOP_SELECTARG1;
    m_stageStates[static_cast<int>(PTextureStageState::AlphaArg1)] = PTA_TEXTURE;
    m_stageStates[static_cast<int>(PTextureStageState::AlphaArg2)] = PTA_CURRENT;
    m_viewport = {0, 0, static_cast<uint32_t>(backBufferWidth), static_cast<uint32_t>(backBufferHeight), 0.0f, 1.0f};
    m_scissor = {0, 0, backBufferWidth, backBufferHeight};
}

bool PGLDevice::ContextUsable()
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GL_GetCurrentContext() != nullptr;
}

PGLDevice::~PGLDevice()
{
    for (PGLTexture* t : m_liveTextures)
        t->Detach();
    for (PGLVertexBuffer* b : m_liveVertexBuffers)
        b->Detach();
    for (PGLIndexBuffer* b : m_liveIndexBuffers)
        b->Detach();
    for (PGLEffect* e : m_liveEffects)
        e->Detach();
    if (!ContextUsable())
        return;
    if (m_streamBuffer)
        glDeleteBuffers(1, &m_streamBuffer);
    if (m_white)
        glDeleteTextures(1, &m_white);
    glDeleteSamplers(kSamplers, m_samplers);
    if (m_vao)
        glDeleteVertexArrays(1, &m_vao);
}

bool PGLDevice::Init(std::string& error)
{
    if (!m_fixed.Build("", PEffectSource::FixedFragmentBody(), error))
        return false;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m_maxTextureSize);
    glGenVertexArrays(1, &m_vao);
    glBindVertexArray(m_vao);
    glGenBuffers(1, &m_streamBuffer);
    glGenSamplers(kSamplers, m_samplers);
    for (int i = 0; i < kSamplers; ++i)
    {
        glBindSampler(static_cast<GLuint>(i), m_samplers[i]);
        ApplySampler(i);
    }
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &m_white);
    glBindTexture(GL_TEXTURE_2D, m_white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, m_backWidth, m_backHeight);
    return glGetError() == GL_NO_ERROR;
}

int PGLDevice::TargetWidth() const
{
    return m_renderTarget ? m_renderTarget->Width() : m_backWidth;
}

int PGLDevice::TargetHeight() const
{
    return m_renderTarget ? m_renderTarget->Height() : m_backHeight;
}

PResult PGLDevice::BeginScene()
{
    if (m_inScene)
        return PRES_INVALIDCALL;
    m_inScene = true;
    return PRES_OK;
}

PResult PGLDevice::EndScene()
{
    if (!m_inScene)
        return PRES_INVALIDCALL;
    m_inScene = false;
    glFlush();
    return PRES_OK;
}

PResult PGLDevice::Present()
{
    if (m_window)
        SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_window));
    return PRES_OK;
}

PResult PGLDevice::Clear(uint32_t colour)
{
    ApplyDrawState();
    glClearColor(((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f, (colour & 0xFF) / 255.0f,
                 ((colour >> 24) & 0xFF) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return PRES_OK;
}

PResult PGLDevice::SetRenderState(PRenderState state, uint32_t value)
{
    const int i = static_cast<int>(state);
    if (i < 0 || i >= static_cast<int>(PRenderState::Count))
        return PRES_INVALIDCALL;
    m_renderStates[i] = value;
    return PRES_OK;
}

PResult PGLDevice::SetSamplerState(int sampler, PSamplerState state, uint32_t value)
{
    const int s = static_cast<int>(state);
    if (sampler < 0 || sampler >= kSamplers || s < 0 || s >= static_cast<int>(PSamplerState::Count))
        return PRES_INVALIDCALL;
    if (m_samplerStates[sampler][s] == value)
        return PRES_OK;
    m_samplerStates[sampler][s] = value;
    ApplySampler(sampler);
    return PRES_OK;
}

void PGLDevice::ApplySampler(int sampler)
{
    const uint32_t* st = m_samplerStates[sampler];
    const bool minLinear = st[static_cast<int>(PSamplerState::MinFilter)] == PTEXF_LINEAR;
    const uint32_t mip = st[static_cast<int>(PSamplerState::MipFilter)];
    GLint minFilter = minLinear ? GL_LINEAR : GL_NEAREST;
    if (mip == PTEXF_POINT)
        minFilter = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    else if (mip == PTEXF_LINEAR)
        minFilter = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    const GLuint s = m_samplers[sampler];
    glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, minFilter);
    glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER,
                        st[static_cast<int>(PSamplerState::MagFilter)] == PTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(s, GL_TEXTURE_WRAP_S, GLDeviceAddress(st[static_cast<int>(PSamplerState::AddressU)]));
    glSamplerParameteri(s, GL_TEXTURE_WRAP_T, GLDeviceAddress(st[static_cast<int>(PSamplerState::AddressV)]));
}

PResult PGLDevice::SetTextureStageState(int stage, PTextureStageState state, uint32_t value)
{
    const int s = static_cast<int>(state);
    if (stage < 0 || stage >= kSamplers || s < 0 || s >= static_cast<int>(PTextureStageState::Count))
        return PRES_INVALIDCALL;
    if (stage == 0) // only stage 0 takes part in drawing
        m_stageStates[s] = value;
    return PRES_OK;
}

PResult PGLDevice::SetTexture(int stage, PTexture* texture)
{
    if (stage < 0 || stage >= kSamplers)
        return PRES_INVALIDCALL;
    m_textures[stage] = static_cast<PGLTexture*>(texture);
    return PRES_OK;
}

PResult PGLDevice::SetVertexFormat(uint32_t fvf)
{
    // One layout is supported; anything else cannot be drawn.
    return fvf == (PFVF_XYZRHW | PFVF_DIFFUSE | PFVF_TEX1) ? PRES_OK : PRES_INVALIDCALL;
}

PResult PGLDevice::GetViewport(PViewport& viewport)
{
    viewport = m_viewport;
    return PRES_OK;
}

PResult PGLDevice::SetViewport(const PViewport& viewport)
{
    if (viewport.width == 0 || viewport.height == 0)
        return PRES_INVALIDCALL;
    m_viewport = viewport;
    return PRES_OK;
}

void PGLDevice::ApplyDrawState()
{
    const int w = TargetWidth(), h = TargetHeight();
    const bool toTexture = m_renderTarget != nullptr;

    // Blending.
    if (m_renderStates[static_cast<int>(PRenderState::AlphaBlendEnable)])
    {
        glEnable(GL_BLEND);
        const GLenum src = GLDeviceBlend(m_renderStates[static_cast<int>(PRenderState::SrcBlend)]);
        const GLenum dst = GLDeviceBlend(m_renderStates[static_cast<int>(PRenderState::DestBlend)]);
        if (m_renderStates[static_cast<int>(PRenderState::SeparateAlphaBlendEnable)])
            glBlendFuncSeparate(src, dst, GLDeviceBlend(m_renderStates[static_cast<int>(PRenderState::SrcBlendAlpha)]),
                                GLDeviceBlend(m_renderStates[static_cast<int>(PRenderState::DestBlendAlpha)]));
        else
            glBlendFunc(src, dst);
    }
    else
    {
        glDisable(GL_BLEND);
    }

    // Culling: the renderer's quads are clockwise on screen. On the back buffer the picture keeps its
    // orientation in GL window space; in a render target the rows are stored top first, which mirrors it.
    const uint32_t cull = m_renderStates[static_cast<int>(PRenderState::CullMode)];
    if (cull == PCULL_CW || cull == PCULL_CCW)
    {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        const bool keepScreenClockwise = cull == PCULL_CCW;
        const bool glClockwise = toTexture ? !keepScreenClockwise : keepScreenClockwise;
        glFrontFace(glClockwise ? GL_CW : GL_CCW);
    }
    else
    {
        glDisable(GL_CULL_FACE);
    }

    // The viewport clips (it does not move pre-transformed vertices); the scissor rectangle clips too
    // when enabled.
    int left = static_cast<int>(m_viewport.x), top = static_cast<int>(m_viewport.y);
    int right = left + static_cast<int>(m_viewport.width), bottom = top + static_cast<int>(m_viewport.height);
    if (m_renderStates[static_cast<int>(PRenderState::ScissorTestEnable)])
    {
        left = std::max(left, m_scissor.left);
        top = std::max(top, m_scissor.top);
        right = std::min(right, m_scissor.right);
        bottom = std::min(bottom, m_scissor.bottom);
    }
    left = std::clamp(left, 0, w);
    right = std::clamp(right, left, w);
    top = std::clamp(top, 0, h);
    bottom = std::clamp(bottom, top, h);
    glEnable(GL_SCISSOR_TEST);
    glScissor(left, toTexture ? top : h - bottom, right - left, bottom - top);
    glViewport(0, 0, w, h);

    // Program and its uniforms.
    PGLProgram& program = m_effectProgram ? *m_effectProgram : m_fixed;
    glUseProgram(program.Id());
    const float sx = 2.0f / static_cast<float>(w), sy = 2.0f / static_cast<float>(h);
    if (toTexture)
        glUniform4f(program.screenToClip, sx, 1.0f / w - 1.0f, sy, 1.0f / h - 1.0f);
    else
        glUniform4f(program.screenToClip, sx, 1.0f / w - 1.0f, -sy, 1.0f - 1.0f / h);
    const bool alphaTest = m_renderStates[static_cast<int>(PRenderState::AlphaTestEnable)] != 0;
    glUniform1i(program.alphaFunc, alphaTest
                                       ? static_cast<GLint>(m_renderStates[static_cast<int>(PRenderState::AlphaFunc)])
                                       : static_cast<GLint>(PCMP_ALWAYS));
    glUniform1f(program.alphaRef, static_cast<float>(m_renderStates[static_cast<int>(PRenderState::AlphaRef)] & 0xFF));
    glUniform1i(program.texture0, 0);
    if (program.stageOps >= 0)
    {
        const uint32_t* st = m_stageStates;
        glUniform4i(program.stageOps, static_cast<GLint>(st[static_cast<int>(PTextureStageState::ColourOp)]),
                    static_cast<GLint>(st[static_cast<int>(PTextureStageState::ColourArg1)]),
                    static_cast<GLint>(st[static_cast<int>(PTextureStageState::ColourArg2)]),
                    static_cast<GLint>(st[static_cast<int>(PTextureStageState::AlphaOp)]));
        glUniform2i(program.stageAlphaArgs, static_cast<GLint>(st[static_cast<int>(PTextureStageState::AlphaArg1)]),
                    static_cast<GLint>(st[static_cast<int>(PTextureStageState::AlphaArg2)]));
    }

    for (int i = 0; i < kSamplers; ++i)
    {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        glBindTexture(GL_TEXTURE_2D, m_textures[i] ? m_textures[i]->Id() : m_white);
    }
    glActiveTexture(GL_TEXTURE0);
}

void PGLDevice::SetupAttributes(GLuint buffer, size_t offset, int stride)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, GLDeviceBufferOffset(offset));
    // The colour lies in memory as B, G, R, A.
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, GLDeviceBufferOffset(offset + 16));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, GLDeviceBufferOffset(offset + 20));
}

GLenum PGLDevice::PrimitiveMode(PPrimitive type) const
{
    switch (type)
    {
    case PPrimitive::LineList:
        return GL_LINES;
    case PPrimitive::LineStrip:
        return GL_LINE_STRIP;
    case PPrimitive::TriangleList:
        return GL_TRIANGLES;
    case PPrimitive::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    case PPrimitive::TriangleFan:
        return GL_TRIANGLE_FAN;
    }
    return GL_TRIANGLES;
}

PResult PGLDevice::DrawPrimitiveUP(PPrimitive type, int primitiveCount, const void* vertices, int stride)
{
    if (!vertices || primitiveCount <= 0 || stride < static_cast<int>(sizeof(PVertex)))
        return PRES_INVALIDCALL;
    const int count = PVertexCountFor(type, primitiveCount);
    ApplyDrawState();
    glBindBuffer(GL_ARRAY_BUFFER, m_streamBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * stride, vertices, GL_STREAM_DRAW);
    SetupAttributes(m_streamBuffer, 0, stride);
    glDrawArrays(PrimitiveMode(type), 0, count);
    ++m_drawCalls;
    return PRES_OK;
}

PResult PGLDevice::CreateVertexBuffer(int bytes, bool dynamic, PVertexBuffer** out)
{
    if (!out || bytes <= 0)
        return PRES_INVALIDCALL;
    *out = nullptr;
    auto* buffer = new PGLVertexBuffer(this, bytes, dynamic);
    if (!buffer->IsValid())
    {
        buffer->Detach();
        delete buffer;
        return PRES_OUTOFVIDEOMEMORY;
    }
    m_liveVertexBuffers.insert(buffer);
    *out = buffer;
    return PRES_OK;
}

PResult PGLDevice::CreateIndexBuffer(int bytes, PIndexBuffer** out)
{
    if (!out || bytes <= 0)
        return PRES_INVALIDCALL;
    *out = nullptr;
    glBindVertexArray(m_vao);
    auto* buffer = new PGLIndexBuffer(this, bytes);
    if (!buffer->IsValid())
    {
        buffer->Detach();
        delete buffer;
        return PRES_OUTOFVIDEOMEMORY;
    }
    m_liveIndexBuffers.insert(buffer);
    *out = buffer;
    return PRES_OK;
}

PResult PGLDevice::SetStreamSource(int stream, PVertexBuffer* buffer, int offsetBytes, int stride)
{
    if (stream != 0 || offsetBytes < 0 || (buffer && stride < static_cast<int>(sizeof(PVertex))))
        return PRES_INVALIDCALL;
    m_stream = static_cast<PGLVertexBuffer*>(buffer);
    m_streamOffset = offsetBytes;
    m_streamStride = stride;
    return PRES_OK;
}

PResult PGLDevice::SetIndices(PIndexBuffer* buffer)
{
    m_indices = static_cast<PGLIndexBuffer*>(buffer);
    return PRES_OK;
}

PResult PGLDevice::DrawIndexedPrimitive(PPrimitive type, int baseVertex, int minIndex, int numVertices, int startIndex,
                                        int primitiveCount)
{
    (void)minIndex;
    if (!m_stream || !m_indices || primitiveCount <= 0 || baseVertex < 0 || startIndex < 0 || numVertices < 0)
        return PRES_INVALIDCALL;
    const int indexCount = PVertexCountFor(type, primitiveCount);
    if (static_cast<long long>(startIndex + indexCount) * 2 > m_indices->GetSize())
        return PRES_INVALIDCALL;
    const long long streamVertices = (m_stream->GetSize() - m_streamOffset) / m_streamStride;
    if (static_cast<long long>(baseVertex) + numVertices > streamVertices)
        return PRES_INVALIDCALL;
    ApplyDrawState();
    SetupAttributes(m_stream->Id(), static_cast<size_t>(m_streamOffset), m_streamStride);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices->Id());
    glDrawElementsBaseVertex(PrimitiveMode(type), indexCount, GL_UNSIGNED_SHORT,
                             GLDeviceBufferOffset(static_cast<size_t>(startIndex) * 2), baseVertex);
    ++m_drawCalls;
    return PRES_OK;
}

PResult PGLDevice::CreateTextureObject(int width, int height, int levels, GLuint& texture)
{
    texture = 0;
    if (width <= 0 || height <= 0 || width > m_maxTextureSize || height > m_maxTextureSize || levels <= 0)
        return PRES_INVALIDCALL;
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Without this limit a texture with fewer stored levels than a full chain samples black.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels - 1);
    return PRES_OK;
}

PResult PGLDevice::CreateTexture(int width, int height, int levels, bool renderTarget, PFormat format, PTexture** out)
{
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (width <= 0 || height <= 0)
        return PRES_INVALIDCALL;
    const int full = PImage::FullChainLength(width, height);
    if (levels <= 0 || levels > full)
        levels = full;
    if (renderTarget)
        levels = 1;
    GLuint texture = 0;
    PResult r = CreateTextureObject(width, height, levels, texture);
    if (PFailed(r))
        return r;
    for (int l = 0; l < levels; ++l)
    {
        const int w = std::max(1, width >> l), h = std::max(1, height >> l);
        glTexImage2D(GL_TEXTURE_2D, l, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    if (glGetError() != GL_NO_ERROR)
    {
        glDeleteTextures(1, &texture);
        return PRES_OUTOFVIDEOMEMORY;
    }
    auto* result = new PGLTexture(this, texture, width, height, levels,
                                  format == PFormat::Unknown ? PFormat::A8R8G8B8 : format, renderTarget);
    if (renderTarget)
    {
        GLuint fbo = 0;
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        if (complete)
        {
            glDisable(GL_SCISSOR_TEST);
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, m_renderTarget ? m_renderTarget->Framebuffer() : 0);
        result->SetFramebuffer(fbo);
        if (!complete)
        {
            result->Detach();
            delete result;
            return PRES_NOTAVAILABLE;
        }
    }
    m_liveTextures.insert(result);
    *out = result;
    return PRES_OK;
}

PResult PGLDevice::CreateTextureFromImage(const PImage& image, PTexture** out)
{
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (image.IsEmpty())
        return PRES_INVALIDDATA;
    const int levels = static_cast<int>(image.levels.size());
    GLuint texture = 0;
    PResult r = CreateTextureObject(image.Width(), image.Height(), levels, texture);
    if (PFailed(r))
        return r;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int l = 0; l < levels; ++l)
    {
        const PImageLevel& level = image.levels[static_cast<size_t>(l)];
        if (level.rgba.size() != static_cast<size_t>(level.width) * level.height * 4)
        {
            glDeleteTextures(1, &texture);
            return PRES_INVALIDDATA;
        }
        glTexImage2D(GL_TEXTURE_2D, l, GL_RGBA8, level.width, level.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     level.rgba.data());
    }
    if (glGetError() != GL_NO_ERROR)
    {
        glDeleteTextures(1, &texture);
        return PRES_OUTOFVIDEOMEMORY;
    }
    auto* result = new PGLTexture(this, texture, image.Width(), image.Height(), levels, PFormat::A8R8G8B8, false);
    m_liveTextures.insert(result);
    *out = result;
    return PRES_OK;
}

PResult PGLDevice::SetRenderTarget(int index, PTexture* target)
{
    if (index != 0)
        return PRES_INVALIDCALL;
    auto* texture = static_cast<PGLTexture*>(target);
    if (texture && !texture->IsRenderTarget())
        return PRES_INVALIDCALL;
    m_renderTarget = texture;
    glBindFramebuffer(GL_FRAMEBUFFER, texture ? texture->Framebuffer() : 0);
    m_viewport = {0, 0, static_cast<uint32_t>(TargetWidth()), static_cast<uint32_t>(TargetHeight()), 0.0f, 1.0f};
    return PRES_OK;
}

PResult PGLDevice::GetRenderTarget(int index, PTexture** out)
{
    if (index != 0 || !out)
        return PRES_INVALIDCALL;
    *out = m_renderTarget;
    return PRES_OK;
}

PResult PGLDevice::ReadBackBuffer(PImage& out)
{
    out.levels.clear();
    if (m_backWidth <= 0 || m_backHeight <= 0)
        return PRES_INVALIDCALL;
    glFinish();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    PImageLevel level;
    level.width = m_backWidth;
    level.height = m_backHeight;
    std::vector<uint8_t> raw(static_cast<size_t>(m_backWidth) * m_backHeight * 4);
    glReadPixels(0, 0, m_backWidth, m_backHeight, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    glBindFramebuffer(GL_FRAMEBUFFER, m_renderTarget ? m_renderTarget->Framebuffer() : 0);
    if (glGetError() != GL_NO_ERROR)
        return PRES_INVALIDCALL;
    level.rgba.resize(raw.size());
    const size_t row = static_cast<size_t>(m_backWidth) * 4;
    for (int y = 0; y < m_backHeight; ++y)
        std::memcpy(&level.rgba[static_cast<size_t>(y) * row], &raw[static_cast<size_t>(m_backHeight - 1 - y) * row],
                    row);
    out.levels.push_back(std::move(level));
    return PRES_OK;
}

PResult PGLDevice::CreateEffect(const std::string& source, PEffect** out, std::string* errors)
{
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    auto* effect = new PGLEffect(this);
    std::string error;
    if (!effect->Build(source, error))
    {
        effect->Detach();
        delete effect;
        if (errors)
            *errors = error;
        // The program state may have been left on the failed program; drawing binds its own.
        return PRES_INVALIDDATA;
    }
    m_liveEffects.insert(effect);
    *out = effect;
    return PRES_OK;
}

void PGLDevice::OnTextureDestroyed(PGLTexture* texture)
{
    m_liveTextures.erase(texture);
    for (auto& t : m_textures)
        if (t == texture)
            t = nullptr;
    if (m_renderTarget == texture)
        SetRenderTarget(0, nullptr);
}

void PGLDevice::OnVertexBufferDestroyed(PGLVertexBuffer* buffer)
{
    m_liveVertexBuffers.erase(buffer);
    if (m_stream == buffer)
        m_stream = nullptr;
}

void PGLDevice::OnIndexBufferDestroyed(PGLIndexBuffer* buffer)
{
    m_liveIndexBuffers.erase(buffer);
    if (m_indices == buffer)
        m_indices = nullptr;
}

void PGLDevice::OnEffectDestroyed(PGLEffect* effect)
{
    m_liveEffects.erase(effect);
    if (m_effect == effect)
    {
        m_effect = nullptr;
        m_effectProgram = nullptr;
    }
}

void PGLDevice::SetEffectProgram(PGLEffect* effect, PGLProgram* program)
{
    m_effect = program ? effect : nullptr;
    m_effectProgram = program;
}

PGLVertexBuffer::~PGLVertexBuffer()
{
    if (m_device)
        m_device->OnVertexBufferDestroyed(this);
}

PGLIndexBuffer::~PGLIndexBuffer()
{
    if (m_device)
        m_device->OnIndexBufferDestroyed(this);
}
