// The recording device.
#include "platform/video/PRecordingDevice.h"

#include "platform/video/PRecordingEffect.h"
#include "platform/video/PRecordingIndexBuffer.h"
#include "platform/video/PRecordingTexture.h"
#include "platform/video/PRecordingVertexBuffer.h"

#include <cstring>

PRecordingDevice::PRecordingDevice(std::shared_ptr<PRecordingState> state, int width, int height)
    : m_state(std::move(state)), m_width(width), m_height(height)
{
    m_viewport = {0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height), 0.0f, 1.0f};
}

PRecordingDevice::~PRecordingDevice()
{
    m_state->log.push_back("ReleaseDevice");
}

const char* PRecordingDevice::RenderStateName(PRenderState state)
{
    switch (state)
    {
    case PRenderState::Lighting:
        return "Lighting";
    case PRenderState::CullMode:
        return "CullMode";
    case PRenderState::AlphaTestEnable:
        return "AlphaTestEnable";
    case PRenderState::AlphaFunc:
        return "AlphaFunc";
    case PRenderState::AlphaRef:
        return "AlphaRef";
    case PRenderState::AlphaBlendEnable:
        return "AlphaBlendEnable";
    case PRenderState::SrcBlend:
        return "SrcBlend";
    case PRenderState::DestBlend:
        return "DestBlend";
    case PRenderState::SeparateAlphaBlendEnable:
        return "SeparateAlphaBlendEnable";
    case PRenderState::SrcBlendAlpha:
        return "SrcBlendAlpha";
    case PRenderState::DestBlendAlpha:
        return "DestBlendAlpha";
    case PRenderState::ScissorTestEnable:
        return "ScissorTestEnable";
    case PRenderState::Count:
        break;
    }
    return "?";
}

const char* PRecordingDevice::SamplerStateName(PSamplerState state)
{
    switch (state)
    {
    case PSamplerState::AddressU:
        return "AddressU";
    case PSamplerState::AddressV:
        return "AddressV";
    case PSamplerState::MagFilter:
        return "MagFilter";
    case PSamplerState::MinFilter:
        return "MinFilter";
    case PSamplerState::MipFilter:
        return "MipFilter";
    case PSamplerState::Count:
        break;
    }
    return "?";
}

const char* PRecordingDevice::StageStateName(PTextureStageState state)
{
    switch (state)
    {
    case PTextureStageState::ColourOp:
        return "ColourOp";
    case PTextureStageState::ColourArg1:
        return "ColourArg1";
    case PTextureStageState::ColourArg2:
        return "ColourArg2";
    case PTextureStageState::AlphaOp:
        return "AlphaOp";
    case PTextureStageState::AlphaArg1:
        return "AlphaArg1";
    case PTextureStageState::AlphaArg2:
        return "AlphaArg2";
    case PTextureStageState::Count:
        break;
    }
    return "?";
}

const char* PRecordingDevice::PrimitiveName(PPrimitive type)
{
    switch (type)
    {
    case PPrimitive::LineList:
        return "LineList";
    case PPrimitive::LineStrip:
        return "LineStrip";
    case PPrimitive::TriangleList:
        return "TriangleList";
    case PPrimitive::TriangleStrip:
        return "TriangleStrip";
    case PPrimitive::TriangleFan:
        return "TriangleFan";
    }
    return "?";
}

std::string PRecordingDevice::TextureName(PTexture* texture) const
{
    if (!texture)
        return "null";
    return "tex#" + std::to_string(static_cast<PRecordingTexture*>(texture)->Id());
}

PResult PRecordingDevice::BeginScene()
{
    m_state->log.push_back("BeginScene");
    return m_state->beginSceneResult;
}

PResult PRecordingDevice::EndScene()
{
    m_state->log.push_back("EndScene");
    return m_state->endSceneResult;
}

PResult PRecordingDevice::Present()
{
    m_state->log.push_back("Present");
    return m_state->presentResult;
}

PResult PRecordingDevice::Clear(uint32_t colour)
{
    char text[32];
    std::snprintf(text, sizeof(text), "Clear %08X", colour);
    m_state->log.push_back(text);
    return PRES_OK;
}

PResult PRecordingDevice::SetRenderState(PRenderState state, uint32_t value)
{
    m_state->log.push_back(std::string("SetRenderState ") + RenderStateName(state) + " " + std::to_string(value));
    return PRES_OK;
}

PResult PRecordingDevice::SetSamplerState(int sampler, PSamplerState state, uint32_t value)
{
    m_state->log.push_back("SetSamplerState " + std::to_string(sampler) + " " + SamplerStateName(state) + " " +
                           std::to_string(value));
    return PRES_OK;
}

PResult PRecordingDevice::SetTextureStageState(int stage, PTextureStageState state, uint32_t value)
{
    m_state->log.push_back("SetTextureStageState " + std::to_string(stage) + " " + StageStateName(state) + " " +
                           std::to_string(value));
    return PRES_OK;
}

PResult PRecordingDevice::SetTexture(int stage, PTexture* texture)
{
    m_state->log.push_back("SetTexture " + std::to_string(stage) + " " + TextureName(texture));
    if (stage == 0)
        m_stage0 = texture;
    return PRES_OK;
}

PResult PRecordingDevice::SetVertexFormat(uint32_t fvf)
{
    m_state->log.push_back("SetVertexFormat " + std::to_string(fvf));
    return PRES_OK;
}

PResult PRecordingDevice::GetViewport(PViewport& viewport)
{
    viewport = m_viewport;
    return PRES_OK;
}

PResult PRecordingDevice::SetViewport(const PViewport& viewport)
{
    m_state->log.push_back("SetViewport " + std::to_string(viewport.x) + " " + std::to_string(viewport.y) + " " +
                           std::to_string(viewport.width) + " " + std::to_string(viewport.height));
    m_viewport = viewport;
    return PRES_OK;
}

PResult PRecordingDevice::DrawPrimitiveUP(PPrimitive type, int primitiveCount, const void* vertices, int stride)
{
    m_state->log.push_back(std::string("DrawPrimitiveUP ") + PrimitiveName(type) + " " +
                           std::to_string(primitiveCount));
    if (!vertices || primitiveCount <= 0 || stride < static_cast<int>(sizeof(PVertex)))
        return PRES_INVALIDCALL;
    PRecordingDraw draw;
    draw.type = type;
    draw.primitives = primitiveCount;
    draw.texture = m_stage0 ? static_cast<PRecordingTexture*>(m_stage0)->Id() : 0;
    const int count = m_state->recordVertices ? PVertexCountFor(type, primitiveCount) : 0;
    for (int i = 0; i < count; ++i)
    {
        PVertex v;
        std::memcpy(&v, static_cast<const uint8_t*>(vertices) + static_cast<size_t>(i) * stride, sizeof(v));
        draw.vertices.push_back(v);
    }
    m_state->draws.push_back(std::move(draw));
    return m_state->drawResult;
}

PResult PRecordingDevice::CreateVertexBuffer(int bytes, bool dynamic, PVertexBuffer** out)
{
    const int id = m_state->nextObjectId++;
    m_state->log.push_back("CreateVertexBuffer " + std::to_string(bytes) + (dynamic ? " dynamic" : " static") + " vb#" +
                           std::to_string(id));
    if (!out || bytes <= 0)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (PFailed(m_state->createVertexBufferResult))
        return m_state->createVertexBufferResult;
    *out = new PRecordingVertexBuffer(m_state, id, bytes);
    return PRES_OK;
}

PResult PRecordingDevice::CreateIndexBuffer(int bytes, PIndexBuffer** out)
{
    const int id = m_state->nextObjectId++;
    m_state->log.push_back("CreateIndexBuffer " + std::to_string(bytes) + " ib#" + std::to_string(id));
    if (!out || bytes <= 0)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (PFailed(m_state->createIndexBufferResult))
        return m_state->createIndexBufferResult;
    *out = new PRecordingIndexBuffer(m_state, id, bytes);
    return PRES_OK;
}

PResult PRecordingDevice::SetStreamSource(int stream, PVertexBuffer* buffer, int offsetBytes, int stride)
{
    auto* vb = static_cast<PRecordingVertexBuffer*>(buffer);
    m_state->log.push_back("SetStreamSource " + std::to_string(stream) + " " + (vb ? vb->Data().Name() : "null") + " " +
                           std::to_string(offsetBytes) + " " + std::to_string(stride));
    m_stream = vb;
    m_streamOffset = offsetBytes;
    m_streamStride = stride;
    return PRES_OK;
}

PResult PRecordingDevice::SetIndices(PIndexBuffer* buffer)
{
    auto* ib = static_cast<PRecordingIndexBuffer*>(buffer);
    m_state->log.push_back("SetIndices " + (ib ? ib->Data().Name() : std::string("null")));
    m_indices = ib;
    return PRES_OK;
}

PResult PRecordingDevice::DrawIndexedPrimitive(PPrimitive type, int baseVertex, int minIndex, int numVertices,
                                               int startIndex, int primitiveCount)
{
    m_state->log.push_back(std::string("DrawIndexedPrimitive ") + PrimitiveName(type) + " " +
                           std::to_string(baseVertex) + " " + std::to_string(minIndex) + " " +
                           std::to_string(numVertices) + " " + std::to_string(startIndex) + " " +
                           std::to_string(primitiveCount));
    if (!m_stream || !m_indices || primitiveCount <= 0 || m_streamStride < static_cast<int>(sizeof(PVertex)))
        return PRES_INVALIDCALL;
    PRecordingDraw draw;
    draw.indexed = true;
    draw.type = type;
    draw.primitives = primitiveCount;
    draw.texture = m_stage0 ? static_cast<PRecordingTexture*>(m_stage0)->Id() : 0;
    const int indexCount = m_state->recordVertices ? PVertexCountFor(type, primitiveCount) : 0;
    const uint8_t* ib = m_indices->Data().Bytes();
    const uint8_t* vb = m_stream->Data().Bytes();
    for (int i = 0; i < indexCount; ++i)
    {
        const long long at = static_cast<long long>(startIndex + i) * 2;
        if (at + 2 > m_indices->GetSize())
            return PRES_INVALIDCALL;
        const int index = ib[at] | ib[at + 1] << 8;
        const long long vat = m_streamOffset + static_cast<long long>(baseVertex + index) * m_streamStride;
        if (vat < 0 || vat + static_cast<long long>(sizeof(PVertex)) > m_stream->GetSize())
            return PRES_INVALIDCALL;
        PVertex v;
        std::memcpy(&v, vb + vat, sizeof(v));
        draw.vertices.push_back(v);
    }
    m_state->draws.push_back(std::move(draw));
    return m_state->drawResult;
}

PResult PRecordingDevice::CreateTexture(int width, int height, int levels, bool renderTarget, PFormat format,
                                        PTexture** out)
{
    const int id = m_state->nextObjectId++;
    m_state->log.push_back("CreateTexture " + std::to_string(width) + "x" + std::to_string(height) + " levels " +
                           std::to_string(levels) + (renderTarget ? " rendertarget" : "") + " format " +
                           std::to_string(static_cast<uint32_t>(format)) + " tex#" + std::to_string(id));
    if (!out || width <= 0 || height <= 0)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (PFailed(m_state->createTextureResult))
        return m_state->createTextureResult;
    const int full = PImage::FullChainLength(width, height);
    if (levels <= 0 || levels > full)
        levels = full;
    if (renderTarget)
        levels = 1;
    *out = new PRecordingTexture(m_state, id, width, height, levels, format, renderTarget);
    return PRES_OK;
}

PResult PRecordingDevice::CreateTextureFromImage(const PImage& image, PTexture** out)
{
    const int id = m_state->nextObjectId++;
    m_state->log.push_back("CreateTextureFromImage " + std::to_string(image.Width()) + "x" +
                           std::to_string(image.Height()) + " levels " + std::to_string(image.levels.size()) + " tex#" +
                           std::to_string(id));
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (image.IsEmpty())
        return PRES_INVALIDDATA;
    if (PFailed(m_state->createTextureResult))
        return m_state->createTextureResult;
    auto* texture = new PRecordingTexture(m_state, id, image.Width(), image.Height(),
                                          static_cast<int>(image.levels.size()), PFormat::A8R8G8B8, false);
    texture->Fill(image);
    *out = texture;
    return PRES_OK;
}

PResult PRecordingDevice::SetRenderTarget(int index, PTexture* target)
{
    m_state->log.push_back("SetRenderTarget " + std::to_string(index) + " " + TextureName(target));
    if (index != 0 || (target && !target->IsRenderTarget()))
        return PRES_INVALIDCALL;
    int w = m_width, h = m_height;
    PFormat f;
    if (target)
        target->GetLevelDesc(0, w, h, f);
    m_viewport = {0, 0, static_cast<uint32_t>(w), static_cast<uint32_t>(h), 0.0f, 1.0f};
    m_renderTarget = target;
    return PRES_OK;
}

PResult PRecordingDevice::GetRenderTarget(int index, PTexture** out)
{
    m_state->log.push_back("GetRenderTarget " + std::to_string(index));
    if (index != 0 || !out)
        return PRES_INVALIDCALL;
    *out = m_renderTarget;
    return PRES_OK;
}

PResult PRecordingDevice::ReadBackBuffer(PImage& out)
{
    m_state->log.push_back("ReadBackBuffer");
    out.levels.clear();
    if (PFailed(m_state->readBackBufferResult))
        return m_state->readBackBufferResult;
    if (!m_state->backBuffer.IsEmpty())
    {
        out = m_state->backBuffer;
        return PRES_OK;
    }
    PImageLevel level;
    level.width = m_width;
    level.height = m_height;
    level.rgba.assign(static_cast<size_t>(m_width) * m_height * 4, 128);
    out.levels.push_back(std::move(level));
    return PRES_OK;
}

void PRecordingDevice::BeginGroup(const std::string& name, const PRect& bounds)
{
    m_state->textCheck.BeginGroup(name, bounds);
}

void PRecordingDevice::EndGroup()
{
    m_state->textCheck.EndGroup();
}

void PRecordingDevice::NoteGlyphs(const std::string& text, const std::vector<PRect>& glyphs)
{
    // Text drawn into a picture of its own is placed in that picture, not on the screen.
    if (m_renderTarget)
        return;
    const PRect clip{static_cast<int32_t>(m_viewport.x), static_cast<int32_t>(m_viewport.y),
                     static_cast<int32_t>(m_viewport.x + m_viewport.width),
                     static_cast<int32_t>(m_viewport.y + m_viewport.height)};
    m_state->textCheck.Check(text, glyphs, clip);
}

PResult PRecordingDevice::CreateEffect(const std::string& source, PEffect** out, std::string* errors)
{
    const int id = m_state->nextObjectId++;
    m_state->log.push_back("CreateEffect fx#" + std::to_string(id));
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    auto* effect = new PRecordingEffect(m_state, id);
    std::string error;
    if (!effect->Build(source, error))
    {
        delete effect;
        if (errors)
            *errors = error;
        return PRES_INVALIDDATA;
    }
    *out = effect;
    return PRES_OK;
}
