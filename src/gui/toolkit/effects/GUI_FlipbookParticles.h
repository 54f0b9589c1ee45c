// A one-shot flip-book effect (welding flashes, sparks of a robot's tool): up to 64 frames laid out
// in an 8 x 8 grid on one texture, running down each column, played once at a world point over a
// number of milliseconds of game time and drawn additively. Animated props create and trigger them;
// the factory view sorts them with the other scene objects by their depth.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"

#include <string>

class GUI_FlipbookParticles
{
public:
    static constexpr int kMaxFrames = 64;

    // Not playing, at (0, 0). A frame count beyond the grid is held to the 64 frames it has.
    GUI_FlipbookParticles(int frameCount, const std::string& textureName, float duration);
    virtual ~GUI_FlipbookParticles() = default;

    // Starts (or restarts) the effect at a world point; gameTime is the simulation's total game
    // time in milliseconds.
    void Play(float worldX, float worldY, float gameTime);
    // Draws the frame due at gameTime; once the duration has passed the effect stops and draws
    // nothing. Main thread.
    virtual void Draw(float gameTime, const ParticleView& view);

    // The frame shown elapsed milliseconds after the start.
    int FrameAt(float elapsed) const;

    bool IsPlaying() const { return m_playing; }
    int GetFrameCount() const { return m_frameCount; }
    const CTexturedSprite& GetSprite() const { return m_sprite; }

private:
    CTexturedSprite m_sprite;
    int m_frameCount = 0;
    float m_duration = 0.0f;
    bool m_playing = false;
    float m_x = 0.0f, m_y = 0.0f;
    float m_startTime = 0.0f;
};
