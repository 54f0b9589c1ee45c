// A prop that plays a compiled animation: every frame is shown as an 8 x 8 grid of chunk sprites
// cut from the animation's sprite sheet. A CONSTANT prop replays a random animation of its type
// after a pause of one to three seconds; a DURINGWORK prop plays while its slot works, and a
// welding robot among them runs its weld cycle (lean in, weld at one of two points with sparks and
// sounds, lean out) until the slot stops.
//
// Threads: PreDraw (with the weld cycle) runs in a PREDRAWPROPS job; its sounds go through the
// sound request queue and a missing chunk is reported from the main thread. Everything else runs
// on the main thread.
#pragma once

#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/props/PropRegistry.h"

#include <array>
#include <memory>
#include <string>

class AnimationChunkTable;
class GUI_CompressedAnimation;
class GUI_FlipbookParticles;
class FloorSlotView;
struct CompressedAnimFrame;
struct CompressedAnimSection;

class GUI_AnimatedProp : public GUI_Prop
{
public:
    static constexpr int kChunks = 64;
    static constexpr float kFrameMs = 16.666666f;
    enum Trigger
    {
        TRIGGER_DURINGWORK = 0,
        TRIGGER_CONSTANT = 1,
    };

    GUI_AnimatedProp(const PropPlacement& placement, const TileUnderfoot* owner, int slotFacing);
    ~GUI_AnimatedProp() override;

    // Steps the frame clock and the weld cycle, then places the sprite (PREDRAWPROPS job).
    void PreDraw(const FactoryFrameView& view) override;
    // Restarts an idle CONSTANT prop when its pause is over, then queues the visible chunks of the
    // current frame and the weld sparks (main thread).
    void QueueDraw(IsometricDrawQueue& queue) override;

    // Starts an animation by name (main thread). working: the slot works, so the animation
    // loops; robot 1 runs the weld cycle. A name containing "robot2" never starts; a prop already
    // playing only takes up work again.
    void StartAnimation(bool working, bool mirrored, int robot, const std::string& name);
    // A random animation of the prop's type for its facing, not working (main thread).
    void RestartFromType();
    // Shows the current frame's chunks (any thread).
    void ApplyFrameChunks();
    // The weld cycle's step once the frame has passed the current section (PREDRAWPROPS job).
    void StepRobotSequence();

    // The view of the slot whose work drives the prop and which says whether it is near the
    // camera; cleared when the slot leaves the floor (main thread).
    void SetSlot(FloorSlotView* view) { m_slotView = view; }
    void SetPlaying(bool playing) { m_playing = playing; }
    // Puts a running weld cycle at the start of one of its sections (a robot shown mid-cycle).
    void SetSection(const std::string& name);
    void SetWorking(bool working) { m_working = working; }

    bool IsPlaying() const { return m_playing; }
    bool IsWorking() const { return m_working; }
    int GetTrigger() const { return m_trigger; }
    int GetFrame() const { return m_frame; }
    void SetFrame(int frame) { m_frame = frame; }
    const GUI_CompressedAnimation* GetAnimation() const { return m_animation; }
    const CompressedAnimSection* GetSection() const { return m_section; }
    bool IsChunkVisible(int i) const { return m_chunkVisible[static_cast<size_t>(i)]; }
    const GUI_IsometricSprite& GetChunk(int i) const { return m_chunks[static_cast<size_t>(i)]; }
    GUI_FlipbookParticles* GetWeldParticles() const { return m_weld.get(); }
    // Sounds and sparks this prop asked for (tests count them).
    int GetServoCount() const { return m_servos; }
    int GetWeldCount() const { return m_welds; }

private:
    class WeldSparks;
    // A chunk is a plain sprite. Of a type nothing derives from, the 64 chunks go with the prop
    // without a call each: an array of the sprite type itself is destroyed by calling every
    // element's destructor through its table, reading all of the prop's eleven kilobytes, which
    // for the thousands of robots of a large floor held a game's end for milliseconds.
    class ChunkSprite final : public GUI_IsometricSprite
    {
    };

    void SwitchSequence(const char* name);
    void PlayWeldEffect(int point);
    void PlayServoSound();
    void PlayWeldSound();
    bool IsNearCamera() const;
    // A chunk the animation lacks: reported through the error box, from the main thread.
    void ReportMissingChunk() const;

    std::array<ChunkSprite, kChunks> m_chunks;
    std::array<bool, kChunks> m_chunkVisible;
    const CompressedAnimFrame* m_currentFrame = nullptr;
    GUI_CompressedAnimation* m_animation = nullptr; // owned by the animation store
    const AnimationChunkTable* m_chunkTable = nullptr;
    bool m_animMirrored = false;
    int m_frame = 0;
    float m_frameClock = 0.0f;
    bool m_playing = false;
    bool m_working = false;
    int m_trigger = TRIGGER_CONSTANT;
    int m_robot = 0;
    float m_idleTimer = 0.0f;
    float m_idleWait = 0.0f;
    const CompressedAnimSection* m_section = nullptr;
    std::unique_ptr<GUI_FlipbookParticles> m_weld;
    std::unique_ptr<WeldSparks> m_weldObject;
    float m_weldPoints[2][2] = {{0.0f, 0.0f}, {0.0f, 0.0f}};
    FloorSlotView* m_slotView = nullptr; // not owned: the slot's view
    PropListing m_listing;               // on one of the registry's lists
    // The frame's clocks as the job saw them (the weld sparks start at this game time).
    float m_gameTime = 0.0f;
    int m_servos = 0;
    int m_welds = 0;
};
