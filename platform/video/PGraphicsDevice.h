// The graphics device the renderer draws through: fixed 2D state, pre-transformed vertices,
// dynamic buffers, textures and render targets, effects and the frame (begin, end, present).
// Back ends: OpenGL 3.3 for the game, a recording one for tests.
#pragma once

#include "platform/video/PEffect.h"
#include "platform/video/PGraphicsTypes.h"
#include "platform/video/PImage.h"
#include "platform/video/PIndexBuffer.h"
#include "platform/video/PTexture.h"
#include "platform/video/PVertexBuffer.h"

#include <string>
#include <vector>

class PGraphicsDevice
{
public:
    virtual ~PGraphicsDevice() = default;

    // Frame.
    virtual PResult TestCooperativeLevel() = 0;
    virtual PResult BeginScene() = 0;
    virtual PResult EndScene() = 0;
    virtual PResult Present() = 0;
    // Fills the current render target (within the viewport) with an ARGB colour.
    virtual PResult Clear(uint32_t colour) = 0;

    // State.
    virtual PResult SetRenderState(PRenderState state, uint32_t value) = 0;
    virtual PResult SetSamplerState(int sampler, PSamplerState state, uint32_t value) = 0;
    virtual PResult SetTextureStageState(int stage, PTextureStageState state, uint32_t value) = 0;
    // Null unbinds: drawing then uses plain white in place of texels.
    virtual PResult SetTexture(int stage, PTexture* texture) = 0;
    virtual PResult SetVertexFormat(uint32_t fvf) = 0;
    // The viewport clips drawing; pre-transformed vertices are not moved by it.
    virtual PResult GetViewport(PViewport& viewport) = 0;
    virtual PResult SetViewport(const PViewport& viewport) = 0;

    // Drawing from memory and from buffers.
    virtual PResult DrawPrimitiveUP(PPrimitive type, int primitiveCount, const void* vertices, int stride) = 0;
    virtual PResult CreateVertexBuffer(int bytes, bool dynamic, PVertexBuffer** out) = 0;
    virtual PResult CreateIndexBuffer(int bytes, PIndexBuffer** out) = 0;
    virtual PResult SetStreamSource(int stream, PVertexBuffer* buffer, int offsetBytes, int stride) = 0;
    virtual PResult SetIndices(PIndexBuffer* buffer) = 0;
    virtual PResult DrawIndexedPrimitive(PPrimitive type, int baseVertex, int minIndex, int numVertices, int startIndex,
                                         int primitiveCount) = 0;

    // Textures and render targets.
    virtual PResult CreateTexture(int width, int height, int levels, bool renderTarget, PFormat format,
                                  PTexture** out) = 0;
    // A texture holding every level of a decoded picture.
    virtual PResult CreateTextureFromImage(const PImage& image, PTexture** out) = 0;
    // Null selects the back buffer. Resets the viewport to the whole target.
    virtual PResult SetRenderTarget(int index, PTexture* target) = 0;
    // The texture drawing goes to, or null while it goes to the back buffer.
    virtual PResult GetRenderTarget(int index, PTexture** out) = 0;
    // Reads the back buffer as it is now (before the present), rows from the top.
    virtual PResult ReadBackBuffer(PImage& out) = 0;

    // Effects from the game's effect files (see PEffectSource).
    virtual PResult CreateEffect(const std::string& source, PEffect** out, std::string* errors) = 0;

    // Checking aids that draw nothing, ignored by the game's back end: the drawing between
    // BeginGroup and EndGroup belongs to one window, named, whose text must stay inside bounds;
    // NoteGlyphs gives where each glyph of a printed text inks on screen. The recording back end
    // checks every glyph against the innermost group. ChecksText tells the callers whether the
    // notes are wanted at all, so the game measures nothing for them.
    virtual bool ChecksText() const { return false; }
    virtual void BeginGroup(const std::string& /*name*/, const PRect& /*bounds*/) {}
    virtual void EndGroup() {}
    virtual void NoteGlyphs(const std::string& /*text*/, const std::vector<PRect>& /*glyphs*/) {}

    void Release() { delete this; }
};
