// A texture on the graphics device: a picture with its mip levels, or a render target the renderer
// draws into and then draws from.
#pragma once

#include "platform/video/PGraphicsTypes.h"

class PTexture
{
public:
    virtual ~PTexture() = default;

    virtual int GetLevelCount() const = 0;
    // Size and format of one level; PRES_INVALIDCALL for a level the texture does not have.
    virtual PResult GetLevelDesc(int level, int& width, int& height, PFormat& format) const = 0;
    // CPU access to one level as 32-bit ARGB pixels (bytes B, G, R, A), rows from the top.
    virtual PResult LockRect(int level, PLockedRect& locked) = 0;
    // The same access for reading only: the matching UnlockRect leaves the texture as it was and
    // sends nothing back to the card.
    virtual PResult LockRectForReading(int level, PLockedRect& locked) = 0;
    // Ends the access; the pixels written meanwhile become the texture's.
    virtual PResult UnlockRect(int level) = 0;
    virtual bool IsRenderTarget() const = 0;

    void Release() { delete this; }
};
