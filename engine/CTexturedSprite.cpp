// Textured sprites and the texture sort.
#include "engine/CTexturedSprite.h"

#include "engine/GQuadBatchScope.h"

#include <cstdint>

bool CTexturedSprite::Draw()
{
    if (GQuadBatchScope* scope = GQuadBatchScope::Current();
        scope && m_texture.Get() && scope->Add(m_texture.Get(), m_vertices))
        return true;
    if (m_texture.Get())
        m_texture.Get()->Bind();
    DrawQuad();
    return true;
}

bool CTexturedSprite::DrawClipped(int left, int top, int right, int bottom)
{
    if (m_texture.Get())
        m_texture.Get()->Bind();
    return BaseSprite::DrawClipped(left, top, right, bottom);
}

void CTexturedSprite::SetTexture(const std::string& name)
{
    CLoadedTexture* current = m_texture.Get();
    if (current && current->m_name == name && current->m_texture)
        return;
    m_texture.Set(CLoadedTexture::FindOrLoad(name));
}

void CTexturedSprite::SetTextureName(const char* name)
{
    m_texture.Set(CLoadedTexture::FindOrLoad(name ? name : ""));
}

void SortSpriteListByTexture(std::list<CTexturedSprite*>& list)
{
    auto key = [](const CTexturedSprite* sprite) -> uintptr_t {
        return sprite && sprite->m_texture.Get() ? reinterpret_cast<uintptr_t>(sprite->m_texture.GetTexture()) : 0;
    };
    list.sort([&](const CTexturedSprite* a, const CTexturedSprite* b) { return key(b) > key(a); });
}
