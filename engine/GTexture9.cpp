// Loaded textures release their device objects with them.
#include "engine/GTexture9.h"

GTexture9::~GTexture9()
{
    if (m_attachedTexture)
        m_attachedTexture->Release();
    if (m_texture)
        m_texture->Release();
}
