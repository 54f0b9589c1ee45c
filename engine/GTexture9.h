// One loaded picture or render target on the graphics device, with the name the game finds it by
// and the size of the source picture.
#pragma once

#include "platform/video/PTexture.h"

#include <string>

class GTexture9
{
public:
    GTexture9() = default;
    virtual ~GTexture9();
    GTexture9(const GTexture9&) = delete;
    GTexture9& operator=(const GTexture9&) = delete;

    PTexture* m_texture = nullptr;         // owned; null when loading failed
    PTexture* m_attachedTexture = nullptr; // owned; null unless a user attaches one
    std::string m_name = "unknown";
    int m_height = 0;
    int m_width = 0;
};
