// Page places of the pictures over the factory.
#include "gui/factory/notices/OverlayPagePlaces.h"

#include "engine/CLoadedTexture.h"
#include "gui/factory/scene/SceneTexturePages.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"

std::vector<CLoadedTexture*> OverlayPagePlaces::Pictures()
{
    std::vector<CLoadedTexture*> pictures;
    for (const char* name : {kWhitePicture, "notice_warning.dds", "notice_error.dds", GUI_Fonts::kSemibold16})
        pictures.push_back(CLoadedTexture::FindOrLoad(name));
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
        if (resource && !resource->GetIcon().empty())
            pictures.push_back(CLoadedTexture::FindOrLoad(resource->GetIcon()));
    return pictures;
}

OverlayPagePlaces::OverlayPagePlaces(SceneTexturePages& pages) : m_pages(pages)
{
    // The pages are made as the view is built for a game (GUI_Factory::Init), and again only when
    // a picture is new (the resources are read after the view is built).
    m_pages.Build(Pictures());
    const SceneTexturePages::Place* circle = m_pages.Find(CLoadedTexture::FindOrLoad(kWhitePicture));
    if (!circle || !circle->texture)
        return;
    // The centre of the picture lies between its four middle texels, all opaque white, so linear
    // filtering reads white whatever the scale.
    m_hasWhite = true;
    m_white = GQuadBatchScope::Place{circle->texture, 0.0f, 0.0f, circle->offsetU + circle->scaleU * 0.5f,
                                     circle->offsetV + circle->scaleV * 0.5f};
}

bool OverlayPagePlaces::Find(const CLoadedTexture* picture, GQuadBatchScope::Place& place) const
{
    if (!picture)
    {
        if (!m_hasWhite)
            return false;
        place = m_white;
        return true;
    }
    const SceneTexturePages::Place* copy = m_pages.Find(picture);
    if (!copy || !copy->texture)
        return false;
    place = *copy;
    return true;
}
