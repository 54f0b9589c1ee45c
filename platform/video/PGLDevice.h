// The graphics device on OpenGL 3.3 core. It keeps the semantics the renderer was written for:
// integer pixel centres, B,G,R,A vertex colours, a white texture when none is bound, the alpha test,
// separate alpha blending, render targets the right way up, culling of mirrored quads, and viewport
// clipping of pre-transformed vertices as a scissor. Main thread only.
#pragma once

#include "platform/video/PGLProgram.h"
#include "platform/video/PGraphicsDevice.h"

#include <epoxy/gl.h>

#include <memory>
#include <set>

class PGLTexture;
class PGLVertexBuffer;
class PGLIndexBuffer;
class PGLEffect;

class PGLDevice : public PGraphicsDevice
{
public:
    static constexpr int kSamplers = 5;

    PGLDevice(void* sdlWindow, int backBufferWidth, int backBufferHeight);
    ~PGLDevice() override;

    // Builds the GL objects; false when the context cannot run the fixed program.
    bool Init(std::string& error);

    PResult TestCooperativeLevel() override { return PRES_OK; }
    PResult BeginScene() override;
    PResult EndScene() override;
    PResult Present() override;
    PResult Clear(uint32_t colour) override;
    PResult SetRenderState(PRenderState state, uint32_t value) override;
    PResult SetSamplerState(int sampler, PSamplerState state, uint32_t value) override;
    PResult SetTextureStageState(int stage, PTextureStageState state, uint32_t value) override;
    PResult SetTexture(int stage, PTexture* texture) override;
    PResult SetVertexFormat(uint32_t fvf) override;
    PResult GetViewport(PViewport& viewport) override;
    PResult SetViewport(const PViewport& viewport) override;
    PResult DrawPrimitiveUP(PPrimitive type, int primitiveCount, const void* vertices, int stride) override;
    PResult CreateVertexBuffer(int bytes, bool dynamic, PVertexBuffer** out) override;
    PResult CreateIndexBuffer(int bytes, PIndexBuffer** out) override;
    PResult SetStreamSource(int stream, PVertexBuffer* buffer, int offsetBytes, int stride) override;
    PResult SetIndices(PIndexBuffer* buffer) override;
    PResult DrawIndexedPrimitive(PPrimitive type, int baseVertex, int minIndex, int numVertices, int startIndex,
                                 int primitiveCount) override;
    PResult CreateTexture(int width, int height, int levels, bool renderTarget, PFormat format,
                          PTexture** out) override;
    PResult CreateTextureFromImage(const PImage& image, PTexture** out) override;
    PResult SetRenderTarget(int index, PTexture* target) override;
    PResult GetRenderTarget(int index, PTexture** out) override;
    PResult ReadBackBuffer(PImage& out) override;
    PResult CreateEffect(const std::string& source, PEffect** out, std::string* errors) override;

    // Calls from the resources of this device.
    void OnTextureDestroyed(PGLTexture* texture);
    void OnVertexBufferDestroyed(PGLVertexBuffer* buffer);
    void OnIndexBufferDestroyed(PGLIndexBuffer* buffer);
    void OnEffectDestroyed(PGLEffect* effect);
    void SetEffectProgram(PGLEffect* effect, PGLProgram* program);

    // True while GL calls may be made: the window layer may have stopped video before the exit-time
    // release of the device, and with it the context is gone.
    static bool ContextUsable();

    // Number of GL draw calls issued since the device was made (for benchmarks and tests).
    long long DrawCallCount() const { return m_drawCalls; }

private:
    void ApplyDrawState();
    void ApplySampler(int sampler);
    void SetupAttributes(GLuint buffer, size_t offset, int stride);
    int TargetWidth() const;
    int TargetHeight() const;
    GLenum PrimitiveMode(PPrimitive type) const;
    PResult CreateTextureObject(int width, int height, int levels, GLuint& texture);

    void* m_window;
    int m_backWidth, m_backHeight;
    bool m_inScene = false;

    uint32_t m_renderStates[static_cast<int>(PRenderState::Count)] = {};
    uint32_t m_samplerStates[kSamplers][static_cast<int>(PSamplerState::Count)] = {};
    uint32_t m_stageStates[static_cast<int>(PTextureStageState::Count)] = {};
    PGLTexture* m_textures[kSamplers] = {};
    PGLVertexBuffer* m_stream = nullptr;
    int m_streamOffset = 0;
    int m_streamStride = 28;
    PGLIndexBuffer* m_indices = nullptr;
    PGLTexture* m_renderTarget = nullptr;
    PViewport m_viewport;
    PRect m_scissor;
    PGLEffect* m_effect = nullptr;
    PGLProgram* m_effectProgram = nullptr;

    PGLProgram m_fixed;
    GLuint m_vao = 0;
    GLuint m_streamBuffer = 0;
    GLuint m_white = 0;
    GLuint m_samplers[kSamplers] = {};
    GLint m_maxTextureSize = 0;
    long long m_drawCalls = 0;

    std::set<PGLTexture*> m_liveTextures;
    std::set<PGLVertexBuffer*> m_liveVertexBuffers;
    std::set<PGLIndexBuffer*> m_liveIndexBuffers;
    std::set<PGLEffect*> m_liveEffects;
};
