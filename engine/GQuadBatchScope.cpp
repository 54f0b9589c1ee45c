// Gathering 2D quads into the shared batch.
#include "engine/GQuadBatchScope.h"

#include "engine/CLoadedTexture.h"
#include "engine/CLoadedTextureRef.h"
#include "engine/GVertexBuffer.h"

namespace
{
GQuadBatchScope*& OpenScope()
{
    static GQuadBatchScope* scope = nullptr;
    return scope;
}
} // namespace

GQuadBatchScope::GQuadBatchScope(const Places& places) : m_places(places)
{
    if (OpenScope())
        return;
    // What someone else left in the batch goes first, so it stays under what this scope gathers.
    SharedVertexBatch().Flush();
    OpenScope() = this;
    m_open = true;
}

GQuadBatchScope::~GQuadBatchScope()
{
    if (!m_open)
        return;
    SharedVertexBatch().Flush();
    OpenScope() = nullptr;
}

GQuadBatchScope* GQuadBatchScope::Current()
{
    return OpenScope();
}

void GQuadBatchScope::FlushCurrent()
{
    if (OpenScope())
        SharedVertexBatch().Flush();
}

bool GQuadBatchScope::AddCopied(const CLoadedTexture* picture, const PVertex* corners)
{
    Place place;
    if (!picture || !m_places.Find(picture, place) || !place.texture || !place.texture->m_texture)
        return false;
    return AddAt(place, corners);
}

bool GQuadBatchScope::Add(const CLoadedTexture* picture, const PVertex* corners)
{
    GVertexBuffer& batch = SharedVertexBatch();
    Place place;
    if (!m_places.Find(picture, place))
    {
        // A picture without a copy is drawn from its own texture; a texture that is not there, or a
        // plain colour with no white texel to take, is drawn as before.
        if (!picture || !picture->m_texture)
        {
            batch.Flush();
            return false;
        }
        place = Place{const_cast<CLoadedTexture*>(picture)};
    }
    return AddAt(place, corners);
}

bool GQuadBatchScope::AddAt(const Place& place, const PVertex* corners)
{
    GVertexBuffer& batch = SharedVertexBatch();
    if (!place.texture || !place.texture->m_texture || !batch.HasBuffers())
    {
        batch.Flush();
        return false;
    }
    CLoadedTextureRef handle;
    handle.Set(place.texture);
    batch.SetTexture(&handle);
    PVertex quad[4];
    for (int i = 0; i < 4; ++i)
    {
        quad[i] = corners[i];
        place.Map(corners[i], quad[i]);
    }
    batch.AddQuad(quad);
    ++m_gathered;
    return true;
}
