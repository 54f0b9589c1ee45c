// The graphics device of the recording back end: keeps the state it is given, writes one log line per
// call and keeps the vertices of every draw, so tests see exactly what the renderer asked for.
#pragma once

#include "platform/video/PGraphicsDevice.h"
#include "platform/video/PRecordingState.h"

#include <memory>

class PRecordingTexture;
class PRecordingVertexBuffer;
class PRecordingIndexBuffer;

class PRecordingDevice : public PGraphicsDevice
{
public:
    PRecordingDevice(std::shared_ptr<PRecordingState> state, int width, int height);
    ~PRecordingDevice() override;

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
    bool ChecksText() const override { return m_state->textCheck.enabled; }
    void BeginGroup(const std::string& name, const PRect& bounds) override;
    void EndGroup() override;
    void NoteGlyphs(const std::string& text, const std::vector<PRect>& glyphs) override;

    static const char* RenderStateName(PRenderState state);
    static const char* SamplerStateName(PSamplerState state);
    static const char* StageStateName(PTextureStageState state);
    static const char* PrimitiveName(PPrimitive type);

private:
    std::string TextureName(PTexture* texture) const;
    std::shared_ptr<PRecordingState> m_state;
    int m_width, m_height;
    PViewport m_viewport;
    PTexture* m_stage0 = nullptr;
    PTexture* m_renderTarget = nullptr;
    PRecordingVertexBuffer* m_stream = nullptr;
    int m_streamOffset = 0, m_streamStride = 28;
    PRecordingIndexBuffer* m_indices = nullptr;
};
