// Animated props: frame clock, chunk grid and the welding robots' cycle.
#include "gui/factory/props/GUI_AnimatedProp.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "engine/core/GStringTokenizer.h"
#include "gui/factory/props/AnimationChunkTable.h"
#include "gui/factory/props/PropRegistry.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/FactoryViewJob.h"
#include "gui/factory/scene/FloorSlotView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/TileUnderfoot.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"
#include "gui/toolkit/effects/GUI_FlipbookParticles.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr const char* kMissingChunk = "Invalid comrpessed animation chuink requested";
} // namespace

// The weld sparks as a scene object: drawn additively where the queue puts them.
class GUI_AnimatedProp::WeldSparks : public GUI_IsometricObject
{
public:
    explicit WeldSparks(GUI_FlipbookParticles& sparks) : m_sparks(sparks) {}
    void Draw() override
    {
        const GUI_Camera& camera = GUI_Camera::Instance();
        m_sparks.Draw(SIM_Game::Instance().GetGameTime(), ParticleView{camera.GetX(), camera.GetY(), camera.GetZoom()});
    }

private:
    GUI_FlipbookParticles& m_sparks;
};

GUI_AnimatedProp::GUI_AnimatedProp(const PropPlacement& placement, const TileUnderfoot* owner, int slotFacing)
    : GUI_Prop(placement, owner, slotFacing)
{
    m_chunkVisible.fill(true);
    const SIM_Prop* type = placement.type;
    // Only these two exact words choose; anything else replays now and then.
    if (type && type->m_trigger == "DURINGWORK")
        m_trigger = TRIGGER_DURINGWORK;
    else if (type && type->m_trigger == "CONSTANT")
        m_trigger = TRIGGER_CONSTANT;
    PropRegistry::Instance().Register(this, m_listing);
}

GUI_AnimatedProp::~GUI_AnimatedProp()
{
    PropRegistry::Instance().Unregister(m_listing);
}

void GUI_AnimatedProp::StartAnimation(bool working, bool mirrored, int robot, const std::string& name)
{
    // The car-side robots' animations are shown by the cars themselves.
    if (name.find("robot2") != std::string::npos)
        return;
    if (m_playing)
    {
        if (!m_working)
            m_working = true;
        return;
    }
    GUI_CompressedAnimation* animation = GUI_AnimationManager::Instance().Find(name);
    FV_ASSERT(animation != nullptr);
    if (!animation)
        return;
    FV_ASSERT(animation->GetFrameCount() > 0);
    if (animation->GetFrameCount() <= 0)
        return;
    m_animation = animation;
    m_chunkTable = AnimationChunkTable::For(animation);
    m_frame = 0;
    m_frameClock = 0.0f;
    m_currentFrame = &animation->GetFrame(0);
    m_animMirrored = mirrored;
    m_robot = robot;
    if (robot == 1)
    {
        GStringTokenizer fields(animation->GetParticles(), ',');
        const std::string texture = fields.GetString();
        const int frames = fields.GetInt();
        const float duration = fields.GetFloat();
        m_weldPoints[0][0] = fields.GetFloat();
        m_weldPoints[0][1] = fields.GetFloat();
        m_weldPoints[1][0] = fields.GetFloat();
        m_weldPoints[1][1] = fields.GetFloat();
        m_section = animation->FindSection("Lean In");
        FV_ASSERT(m_section != nullptr);
        if (!m_weld)
        {
            m_weld = std::make_unique<GUI_FlipbookParticles>(frames, texture, duration);
            m_weldObject = std::make_unique<WeldSparks>(*m_weld);
        }
    }
    for (GUI_IsometricSprite& chunk : m_chunks)
        chunk.SetTexture(animation->GetSpriteSheetName());
    m_working = working;
    m_playing = true;
    ApplyFrameChunks();
}

void GUI_AnimatedProp::SetSection(const std::string& name)
{
    const CompressedAnimSection* section = m_animation ? m_animation->FindSection(name) : nullptr;
    if (!section)
        return;
    m_section = section;
    m_frame = section->startFrame;
    m_currentFrame = &m_animation->GetFrame(m_frame);
}

void GUI_AnimatedProp::RestartFromType()
{
    const SIM_Prop* type = GetType();
    if (!type)
        return;
    if (const SIM_PropAnimation* entry = type->GetRandomAnimation(m_facing))
        StartAnimation(false, entry->flag != 0, 0, entry->name);
}

void GUI_AnimatedProp::ReportMissingChunk() const
{
    if (!InFactoryViewJob())
    {
        FV_ERROR_BOX(kMissingChunk);
        return;
    }
    // A message box would block a worker in the middle of the frame's jobs: log it here and let
    // the main thread show it after the wait.
    GDebugLog::Instance().LogError(kMissingChunk);
    const char* source = DebugSourceName(__FILE__);
    SIM_Presentation::Instance().Post([source, line = __LINE__] { DebugErrorBox(kMissingChunk, source, line); });
}

void GUI_AnimatedProp::ApplyFrameChunks()
{
    FV_ASSERT(m_animation != nullptr);
    if (!m_animation || !m_currentFrame)
        return;
    for (int i = 0; i < kChunks; ++i)
    {
        const int row = i / 8, column = i % 8;
        const int source = m_animMirrored ? row * 8 + (7 - column) : i;
        const int32_t number = m_currentFrame->cells[static_cast<size_t>(source)];
        bool visible = number != -1;
        const CompressedAnimChunk* chunk = nullptr;
        if (visible)
        {
            chunk = m_chunkTable ? m_chunkTable->Find(number) : nullptr;
            if (!chunk)
            {
                ReportMissingChunk();
                visible = false;
            }
        }
        m_chunkVisible[static_cast<size_t>(i)] = visible;
        if (!chunk)
            continue;
        const float left = m_animMirrored ? chunk->uMax : chunk->uMin;
        const float right = m_animMirrored ? chunk->uMin : chunk->uMax;
        PVertex* v = m_chunks[static_cast<size_t>(i)].m_sprite.m_vertices;
        v[0].u = left;
        v[0].v = chunk->vMin;
        v[1].u = right;
        v[1].v = chunk->vMin;
        v[2].u = left;
        v[2].v = chunk->vMax;
        v[3].u = right;
        v[3].v = chunk->vMax;
    }
}

bool GUI_AnimatedProp::IsNearCamera() const
{
    return m_slotView && m_slotView->IsNearCamera();
}

void GUI_AnimatedProp::PlayServoSound()
{
    ++m_servos;
    if (!IsNearCamera() || !m_owner || !m_owner->GetSimTile())
        return;
    const int n = static_cast<int>(static_cast<float>(ViewRandom::Rand()) / 32768.0f * 15.0f) + 1;
    const SIM_Tile* tile = m_owner->GetSimTile();
    QueueSoundRequest(SoundRequestQueue::Instance(), 1, GUI_SoundNames::Servo(n), tile->m_worldX, tile->m_worldY, 0.5f);
}

void GUI_AnimatedProp::PlayWeldSound()
{
    if (!IsNearCamera() || !m_owner || !m_owner->GetSimTile())
        return;
    const int n = static_cast<int>(static_cast<float>(ViewRandom::Rand()) / 32768.0f * 5.0f) + 1;
    const SIM_Tile* tile = m_owner->GetSimTile();
    QueueSoundRequest(SoundRequestQueue::Instance(), 1, GUI_SoundNames::Weld(n), tile->m_worldX, tile->m_worldY, 1.0f);
}

void GUI_AnimatedProp::PlayWeldEffect(int point)
{
    // Where the sprite stood in the frame before, as the sequence steps ahead of this frame's
    // placing.
    PlaceIfAsked();
    if (!m_sprite.m_sprite.IsOnScreen())
        return;
    FV_ASSERT(m_weld != nullptr);
    if (!m_weld || !m_owner || !m_owner->GetSimTile())
        return;
    ++m_welds;
    const SIM_Tile* tile = m_owner->GetSimTile();
    const float dx = m_animMirrored ? -m_weldPoints[point][0] : m_weldPoints[point][0];
    m_weld->Play(tile->m_worldX + m_offsetX + dx, tile->m_worldY + m_offsetY + m_weldPoints[point][1], m_gameTime);
    PlayWeldSound();
}

void GUI_AnimatedProp::SwitchSequence(const char* name)
{
    const CompressedAnimSection* next = m_animation ? m_animation->FindSection(name) : nullptr;
    FV_ASSERT(next != nullptr);
    if (!next || !m_section)
        return;
    m_frame = std::min(next->startFrame - 1 + (m_frame - m_section->endFrame), next->endFrame);
    m_section = next;
    PlaceIfAsked();
    if (m_sprite.m_sprite.IsOnScreen())
        PlayServoSound();
}

void GUI_AnimatedProp::StepRobotSequence()
{
    FV_ASSERT(m_section != nullptr);
    if (!m_section || m_frame <= m_section->endFrame)
        return;
    const std::string& name = m_section->name;
    if (name == "Lean In")
    {
        SwitchSequence(ViewRandom::NextFloat() < 0.5f ? "WL1In" : "WL2In");
    }
    else if (name == "WL1In")
    {
        SwitchSequence("WL1Loop");
        PlayWeldEffect(0);
    }
    else if (name == "WL1Loop")
    {
        if (m_working && ViewRandom::NextFloat() < 0.5f)
        {
            SwitchSequence("WL1Loop");
            PlayWeldEffect(0);
        }
        else
        {
            SwitchSequence("WL1Out");
        }
    }
    else if (name == "WL1Out")
    {
        SwitchSequence(m_working ? "WL2In" : "Lean Out");
    }
    else if (name == "WL2In")
    {
        SwitchSequence("WL2Loop");
        PlayWeldEffect(1);
    }
    else if (name == "WL2Loop")
    {
        if (m_working && ViewRandom::NextFloat() < 0.5f)
        {
            // The loop plays again from its start, keeping the overshoot, without a servo.
            m_frame += m_section->startFrame - m_section->endFrame - 1;
            PlayWeldEffect(1);
        }
        else
        {
            SwitchSequence("WL2Out");
        }
    }
    else if (name == "WL2Out")
    {
        SwitchSequence(m_working ? "WL1In" : "Lean Out");
    }
    else if (name == "Lean Out")
    {
        m_frame = 0;
        if (m_working)
        {
            m_frameClock = 0.0f;
            m_currentFrame = &m_animation->GetFrame(0);
            ApplyFrameChunks();
        }
        else
        {
            m_playing = false;
            m_currentFrame = nullptr;
            m_section = nullptr;
        }
    }
}

void GUI_AnimatedProp::PreDraw(const FactoryFrameView& view)
{
    m_gameTime = view.gameTime;
    if (!m_animation)
    {
        // Never started (or its animation is missing): the prop shows its still picture.
        PlaceLater(view, true);
        return;
    }
    const int frameCount = m_animation->GetFrameCount();
    if (m_playing)
    {
        m_frameClock += view.frameTime;
        while (m_frameClock >= kFrameMs)
        {
            ++m_frame;
            m_frameClock -= kFrameMs;
        }
        if (m_robot == 1)
            StepRobotSequence();
        if (m_robot != 1 && m_frame >= frameCount)
        {
            m_frame = 0;
            if (!m_working)
            {
                m_currentFrame = nullptr;
                m_playing = false;
            }
        }
        m_frame = std::min(m_frame, frameCount - 1);
    }
    if (!m_playing)
        m_frame = 0;
    m_frame = std::clamp(m_frame, 0, frameCount - 1);
    m_currentFrame = &m_animation->GetFrame(m_frame);
    PlaceLater(view, false);
}

void GUI_AnimatedProp::QueueDraw(IsometricDrawQueue& queue)
{
    if (m_trigger == TRIGGER_CONSTANT && !m_playing)
    {
        m_idleTimer += SIM_Game::Instance().GetFrameTime();
        if (m_idleTimer >= m_idleWait)
        {
            RestartFromType();
            m_idleTimer = 0.0f;
            m_idleWait = 1000.0f + 2000.0f * GRandom::NextFloat();
        }
    }
    if (!m_animation)
    {
        GUI_Prop::QueueDraw(queue);
        return;
    }
    PlaceIfAsked();
    const CTexturedSprite& sprite = m_sprite.m_sprite;
    if (!sprite.IsOnScreen())
        return;
    ApplyFrameChunks();
    float minX = sprite.m_vertices[0].x, minY = sprite.m_vertices[0].y;
    for (const PVertex& v : sprite.m_vertices)
    {
        minX = std::min(minX, v.x);
        minY = std::min(minY, v.y);
    }
    const float left = static_cast<float>(static_cast<int>(minX));
    const float top = static_cast<float>(static_cast<int>(minY));
    const float cellW = sprite.m_width / 8.0f, cellH = sprite.m_height / 8.0f;
    for (int i = 0; i < kChunks; ++i)
    {
        if (!m_chunkVisible[static_cast<size_t>(i)])
            continue;
        GUI_IsometricSprite& chunk = m_chunks[static_cast<size_t>(i)];
        chunk.m_sprite.m_width = cellW;
        chunk.m_sprite.m_height = cellH;
        const int row = i / 8, column = i % 8;
        chunk.m_sprite.SetPosition(left + (static_cast<float>(column) + 0.5f) * cellW,
                                   top + (static_cast<float>(row) + 0.5f) * cellH);
        SnapSpriteToPixels(chunk.m_sprite);
        chunk.m_depth = m_sprite.m_depth;
        queue.Append(&chunk);
    }
    if (m_weldObject && m_weld->IsPlaying())
    {
        m_weldObject->m_depth = m_sprite.m_depth;
        queue.Append(m_weldObject.get());
    }
}
