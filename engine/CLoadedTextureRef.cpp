// Texture members of drawables.
#include "engine/CLoadedTextureRef.h"

void CLoadedTextureRef::CreateFromTexture(PTexture* texture)
{
    auto* loaded = new CLoadedTexture();
    loaded->m_texture = texture;
    CLoadedTextureList().push_back(loaded);
    m_handle = loaded;
}
