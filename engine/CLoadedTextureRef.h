// The texture member of a drawable: one pointer to a shared named handle, null for no texture.
#pragma once

#include "engine/CLoadedTexture.h"

#include <string>

class CLoadedTextureRef
{
public:
    void SetByName(const std::string& name) { m_handle = CLoadedTexture::FindOrLoad(name); }
    // Wraps a texture made elsewhere (a render target drawn as a sprite) in a new nameless handle.
    void CreateFromTexture(PTexture* texture);
    PTexture* GetTexture() const { return m_handle ? m_handle->m_texture : nullptr; }
    std::string GetName() const { return m_handle ? m_handle->m_name : std::string(); }
    CLoadedTexture* Get() const { return m_handle; }
    void Set(CLoadedTexture* handle) { m_handle = handle; }

private:
    CLoadedTexture* m_handle = nullptr;
};
