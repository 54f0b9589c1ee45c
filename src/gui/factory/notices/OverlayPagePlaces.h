// Where the notices and labels drawn over the factory find their pictures on the overlay's texture
// pages, so that a whole crowd of them goes to the card in a few draws: a picture copied onto a
// page is drawn from its copy, and a plain colour (stems, boxes, frames, outlines) from the middle
// of the small circle's copy, which is pure white. Main thread.
#pragma once

#include "engine/GQuadBatchScope.h"

#include <vector>

class SceneTexturePages;

class OverlayPagePlaces : public GQuadBatchScope::Places
{
public:
    // The picture whose middle gives the white texel.
    static constexpr const char* kWhitePicture = "32pxcircle.dds";

    // What the overlay's pages hold: the notices' circle and symbols, the body text's font sheet
    // and the resource icons of the import bays' labels.
    static std::vector<CLoadedTexture*> Pictures();

    // pages: the overlay's pages, made here when they lack a picture.
    explicit OverlayPagePlaces(SceneTexturePages& pages);
    bool Find(const CLoadedTexture* picture, GQuadBatchScope::Place& place) const override;

private:
    SceneTexturePages& m_pages;
    bool m_hasWhite = false;
    GQuadBatchScope::Place m_white;
};
