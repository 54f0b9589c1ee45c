// A prop that cycles the whole pictures of a simple animation (a blinking lamp, a small machine),
// each for its stored number of milliseconds of game time, while its slot works.
//
// Threads: PreDraw (the frame step) runs in a PREDRAWPROPS job; the frames' textures are looked up
// on the main thread when the animation starts, so the job only switches between them.
#pragma once

#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/props/PropRegistry.h"

#include <string>
#include <vector>

class CLoadedTexture;

class GUI_SimpleAnimProp : public GUI_Prop
{
public:
    GUI_SimpleAnimProp(const PropPlacement& placement, const TileUnderfoot* owner, int slotFacing);
    ~GUI_SimpleAnimProp() override;

    // Steps the frame while playing, then places the sprite (PREDRAWPROPS job).
    void PreDraw(const FactoryFrameView& view) override;

    // Starts the named animation at its first frame (main thread). An unknown name is reported
    // and leaves the prop as it was.
    void StartAnimation(const std::string& name);
    // Shows the current frame (any thread).
    void ShowFrame();
    // Back to the first frame, not playing (main thread).
    void Stop();

    void SetPlaying(bool playing) { m_playing = playing; }

private:
    // One frame's picture as found on the main thread.
    struct ResolvedFrame
    {
        CLoadedTexture* texture = nullptr;
        const SpriteAtlasEntry* entry = nullptr;
        float u[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
        float duration = 0.0f;
    };

    int m_frame = 0;
    float m_elapsed = 0.0f;
    std::vector<ResolvedFrame> m_frames;
    bool m_playing = false;
    PropListing m_listing; // on one of the registry's lists
};
