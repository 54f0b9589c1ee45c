// Resource objects hanging from the conveyors.
#include "gui/factory/objects/GUI_ResourceObject.h"

#include "engine/CLoadedTexture.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/LargeQuadBuffer.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/SIM_ResourceObject.h"

#include <string>
#include <vector>

namespace
{
constexpr const char* kHookTexture = "overhead_hook_NW.dds";
constexpr const char* kResourceAtlas = "props1.dds";
} // namespace

// Every resource object view in the order they were made, which is the order they are drawn in;
// held by the program's owner (a view deleted after it leaves a new, empty one).
struct ResourceObjectViewRegistry
{
    std::vector<GUI_ResourceObject*> views; // not owned: each view belongs to its resource object
    size_t gaps = 0;                        // nulls left in views by deleted views

    static ResourceObjectViewRegistry& Instance() { return GLifetime::Get<ResourceObjectViewRegistry>(); }

    void Add(GUI_ResourceObject& view)
    {
        view.m_listIndex = views.size();
        views.push_back(&view);
    }
    // A deleted view leaves a gap. The end of a game deletes every view, first made first: closing
    // each gap at once would move the rest of the list up once per view, work that grows with the
    // square of the pool and held the last frame of a large factory for a tenth of a second. The
    // gaps are closed together once they are half of the list, and before it is drawn.
    void Remove(const GUI_ResourceObject& view)
    {
        if (view.m_listIndex >= views.size() || views[view.m_listIndex] != &view)
            return;
        views[view.m_listIndex] = nullptr;
        if (++gaps * 2 >= views.size())
            Pack();
    }
    void Pack()
    {
        size_t kept = 0;
        for (GUI_ResourceObject* view : views)
        {
            if (!view)
                continue;
            view->m_listIndex = kept;
            views[kept++] = view;
        }
        views.resize(kept);
        gaps = 0;
    }
};

GUI_ResourceObject::GUI_ResourceObject(SIM_ResourceObject& object) : m_object(object)
{
    m_hook.SetTexture(kHookTexture);
    // The simulation names the resource before it asks for the view.
    if (object.m_resource)
        SetResourceSprite();
    ResourceObjectViewRegistry::Instance().Add(*this);
}

GUI_ResourceObject::~GUI_ResourceObject()
{
    ResourceObjectViewRegistry::Instance().Remove(*this);
}

void GUI_ResourceObject::SetResourceSprite()
{
    const SIM_Resource* resource = m_object.m_resource;
    const std::string name = resource ? resource->GetSpriteName() : std::string();
    m_entry = FindAtlasEntry(name);
    FV_ASSERT(m_entry != nullptr);
    if (!m_entry)
        return;
    ApplyAtlasToSprite(m_resource, name);
    m_trimWidth = m_entry->xMax - m_entry->xMin;
    m_trimHeight = m_entry->yMax - m_entry->yMin;
}

void GUI_ResourceObject::Prepare(const FactoryFrameView& view)
{
    m_visible = false;
    if (m_object.m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
        return;
    const float z = view.zoom;
    const float x = view.ToScreenX(m_object.m_x), y = view.ToScreenY(m_object.m_y);
    m_hook.m_width = m_hook.m_height = 128.0f * z;
    m_hook.SetPosition(x, y - 24.04f * z);
    const float frame = 128.0f * z;
    m_resource.m_width = m_resource.m_height = frame;
    m_resource.SetPosition(x, y - 32.0f * z);
    if (m_entry)
    {
        const float left = m_resource.m_vertices[0].x, top = m_resource.m_vertices[0].y;
        const float w = frame * m_trimWidth, h = frame * m_trimHeight;
        m_resource.m_width = w;
        m_resource.m_height = h;
        m_resource.SetPosition(left + m_entry->xMin * frame + w * 0.5f, top + m_entry->yMin * frame + h * 0.5f);
    }
    m_visible = m_hook.IsOnScreen() || m_resource.IsOnScreen();
}

int DrawResourceObjects(const FactoryFrameView& view, LargeQuadBuffer& quads)
{
    ResourceObjectViewRegistry& registry = ResourceObjectViewRegistry::Instance();
    if (registry.gaps > 0)
        registry.Pack();
    const std::vector<GUI_ResourceObject*>& list = registry.views;
    // One pass over the views gathers both runs of corners: hooks, then resources, each drawn in
    // as few draws as the large buffer allows.
    static std::vector<PVertex> hooks;
    static std::vector<PVertex> resources;
    hooks.clear();
    resources.clear();
    int visible = 0;
    const size_t count = list.size();
    for (size_t i = 0; i < count; ++i)
    {
        // The views and the simulation's objects lie apart: each is asked for some views ahead.
        if (i + 12 < count)
        {
            // All of the view: both sprites are placed and read back.
            const auto* bytes = reinterpret_cast<const char*>(list[i + 12]);
            for (size_t at = 0; at < sizeof(GUI_ResourceObject); at += 64)
                __builtin_prefetch(bytes + at, 1);
        }
        if (i + 6 < count)
            __builtin_prefetch(&list[i + 6]->GetObject());
        GUI_ResourceObject* object = list[i];
        object->Prepare(view);
        if (!object->IsVisible())
            continue;
        ++visible;
        const PVertex* hook = object->GetHook().m_vertices;
        const PVertex* resource = object->GetResource().m_vertices;
        hooks.insert(hooks.end(), hook, hook + 4);
        resources.insert(resources.end(), resource, resource + 4);
    }
    if (visible == 0)
        return 0;
    quads.Draw(CLoadedTexture::FindOrLoad(kHookTexture), {{hooks.data(), hooks.size()}});
    quads.Draw(CLoadedTexture::FindOrLoad(kResourceAtlas), {{resources.data(), resources.size()}});
    return visible;
}
