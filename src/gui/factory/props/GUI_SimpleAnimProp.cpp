// Simple-animation props.
#include "gui/factory/props/GUI_SimpleAnimProp.h"

#include "engine/CTexturedSprite.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/props/PropRegistry.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/toolkit/effects/GUI_SimpleAnimationManager.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"

GUI_SimpleAnimProp::GUI_SimpleAnimProp(const PropPlacement& placement, const TileUnderfoot* owner, int slotFacing)
    : GUI_Prop(placement, owner, slotFacing)
{
    PropRegistry::Instance().Register(this, m_listing);
}

GUI_SimpleAnimProp::~GUI_SimpleAnimProp()
{
    PropRegistry::Instance().Unregister(m_listing);
}

void GUI_SimpleAnimProp::StartAnimation(const std::string& name)
{
    const SimpleAnimation* animation = GUI_SimpleAnimationManager::Instance().FindAnimation(name);
    FV_ASSERT(animation != nullptr);
    if (!animation)
        return;
    FV_ASSERT(!animation->frames.empty());
    if (animation->frames.empty())
        return;
    m_frames.clear();
    for (const SimpleAnimationFrame& frame : animation->frames)
    {
        // Found now, on the main thread: a texture looked up for the first time is loaded.
        CTexturedSprite probe;
        ResolvedFrame resolved;
        resolved.entry = FindAtlasEntry(frame.textureName);
        ApplyAtlasToSprite(probe, frame.textureName);
        resolved.texture = probe.m_texture.Get();
        for (int i = 0; i < 4; ++i)
        {
            resolved.u[i] = probe.m_vertices[i].u;
            resolved.v[i] = probe.m_vertices[i].v;
        }
        resolved.duration = frame.duration;
        m_frames.push_back(resolved);
    }
    m_frame = 0;
    ShowFrame();
    m_playing = true;
}

void GUI_SimpleAnimProp::ShowFrame()
{
    FV_ASSERT(m_frame >= 0 && m_frame < static_cast<int>(m_frames.size()));
    if (m_frame < 0 || m_frame >= static_cast<int>(m_frames.size()))
        return;
    const ResolvedFrame& frame = m_frames[static_cast<size_t>(m_frame)];
    m_elapsed = 0.0f;
    CTexturedSprite& sprite = m_sprite.m_sprite;
    sprite.m_texture.Set(frame.texture);
    for (int i = 0; i < 4; ++i)
    {
        sprite.m_vertices[i].u = frame.u[i];
        sprite.m_vertices[i].v = frame.v[i];
    }
    m_atlasEntry = frame.entry;
    m_trimWidth = frame.entry ? frame.entry->xMax - frame.entry->xMin : 1.0f;
    m_trimHeight = frame.entry ? frame.entry->yMax - frame.entry->yMin : 1.0f;
    if (m_mirrored)
        MirrorTexture();
}

void GUI_SimpleAnimProp::Stop()
{
    m_playing = false;
    m_frame = 0;
    if (!m_frames.empty())
        ShowFrame();
}

void GUI_SimpleAnimProp::PreDraw(const FactoryFrameView& view)
{
    if (m_playing && !m_frames.empty())
    {
        m_elapsed += view.frameTime;
        if (m_elapsed > m_frames[static_cast<size_t>(m_frame)].duration)
        {
            m_frame = (m_frame + 1) % static_cast<int>(m_frames.size());
            ShowFrame();
        }
    }
    PlaceLater(view, true);
}
