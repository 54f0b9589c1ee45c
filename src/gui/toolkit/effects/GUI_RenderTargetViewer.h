// A debug overlay that shows one cached render target in a framed box, for looking at what the
// animation compiler or the car sprite cache drew. Hidden unless someone shows it; the game
// screen draws it every frame.
#pragma once

#include "engine/CTexturedSprite.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_RenderTargetViewer
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_RenderTargetViewer& Instance();
    virtual ~GUI_RenderTargetViewer() = default;

    // Draws the box, the target and the title while shown; nothing otherwise. Main thread.
    virtual void Draw();

private:
    friend class GUI_RenderTargetViewerTestAccess;
    GUI_RenderTargetViewer() = default;

    bool m_shown = false;
    PRect m_rect{0, 0, 0, 0};
    std::string m_title = "Sprite Sheet";
    CTexturedSprite m_sprite;
};
