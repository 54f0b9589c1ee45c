// A resource on its way to a slot, hanging from its hook under the overhead conveyor. Owned by the
// simulation's resource object; every view is listed so the factory view can draw them all in two
// batches (hooks, then resources) after the depth-sorted scene. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "sim/views/SIM_ResourceObjectView.h"

#include <cstddef>

class LargeQuadBuffer;
class SIM_ResourceObject;
struct FactoryFrameView;
struct SpriteAtlasEntry;

class GUI_ResourceObject : public SIM_ResourceObjectView
{
public:
    explicit GUI_ResourceObject(SIM_ResourceObject& object);
    ~GUI_ResourceObject() override;
    GUI_ResourceObject(const GUI_ResourceObject&) = delete;
    GUI_ResourceObject& operator=(const GUI_ResourceObject&) = delete;

    // The resource's picture (an entry of the atlas texture "props1.dds").
    void SetResourceSprite() override;
    // Places hook and resource for the frame; visible when the object hangs on a conveyor and
    // either sprite is on screen.
    void Prepare(const FactoryFrameView& view);

    bool IsVisible() const { return m_visible; }
    CTexturedSprite& GetHook() { return m_hook; }
    CTexturedSprite& GetResource() { return m_resource; }
    SIM_ResourceObject& GetObject() const { return m_object; }

private:
    friend struct ResourceObjectViewRegistry; // keeps m_listIndex

    CTexturedSprite m_hook;
    CTexturedSprite m_resource;
    SIM_ResourceObject& m_object; // owns this view
    bool m_visible = false;
    const SpriteAtlasEntry* m_entry = nullptr;
    float m_trimWidth = 1.0f;
    float m_trimHeight = 1.0f;
    size_t m_listIndex = 0; // where the list of every view holds this one
};

// The hooks, then the resources, of every hanging object on screen (main thread, after the scene).
// Returns the number drawn.
int DrawResourceObjects(const FactoryFrameView& view, LargeQuadBuffer& quads);
