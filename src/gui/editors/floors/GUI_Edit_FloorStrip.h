// One row of the floor texture picker: the floor drawn as a 2:1 tile beside its file name. A click
// picks that floor. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_Edit_FloorTexture;

class GUI_Edit_FloorStrip : public GUI_WindowBase
{
public:
    // picker: the list the strip belongs to (not owned; it owns the strip), or null.
    GUI_Edit_FloorStrip(const std::string& textureName, GUI_Edit_FloorTexture* picker);

    // Over the strip: the picker takes its floor (true).
    bool OnClick(float x, float y) override;
    void Draw() override;
    // The hand while the mouse is over it.
    void Update() override;
    // The preview fills the strip's height, twice as wide, at its left end.
    void Layout() override;

    const std::string& GetTextureName() const { return m_textureName; }
    const CTexturedSprite& GetPreview() const { return m_preview; }

private:
    std::string m_textureName;
    CTexturedSprite m_preview;
    PRect m_inner;
    GUI_Edit_FloorTexture* m_picker;
};
