// A sprite with its own texture, bound before it draws.
#pragma once

#include "engine/BaseSprite.h"
#include "engine/CLoadedTextureRef.h"

#include <list>
#include <string>

class CTexturedSprite : public BaseSprite
{
public:
    bool Draw() override;
    bool DrawClipped(int left, int top, int right, int bottom) override;

    // Keeps the current handle when it has this name and a loaded texture; otherwise finds or loads.
    void SetTexture(const std::string& name);
    // Always finds or loads the handle of that name.
    void SetTextureName(const char* name);

    CLoadedTextureRef m_texture;
};

// Groups a list of textured drawables by texture (stable), so a batched draw costs one call per texture.
void SortSpriteListByTexture(std::list<CTexturedSprite*>& list);
