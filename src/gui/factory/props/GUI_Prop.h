// A prop: one sprite standing at a sub-tile position of a floor tile, turned with its slot (a
// machine, a worker, a pallet, a stored resource). Its tile owns it. Typed props come from a task
// layout or an upgrade and carry their prop type; plain props name a texture directly.
//
// Threads: PreDraw runs in the frame's jobs (TRANSFORMTILES for plain props of visible tiles,
// PREDRAWPROPS for animated ones), each prop in exactly one job; everything else on the main thread.
#pragma once

#include "gui/factory/props/PropPlacement.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/GUI_IsometricSprite.h"
#include "gui/factory/scene/IsometricDrawQueue.h"

#include <cstdint>
#include <string>
#include <vector>

class TileUnderfoot;
struct FactoryFrameView;
struct SpriteAtlasEntry;

class GUI_Prop
{
public:
    enum Kind
    {
        KIND_PLAIN = 0,
        KIND_ANIMATED = 1,
        KIND_SIMPLE_ANIMATED = 2,
    };

    // A typed prop on the owner tile, placed for the slot's facing. A placement without a prop
    // type is reported and leaves an empty prop that draws nothing.
    GUI_Prop(const PropPlacement& placement, const TileUnderfoot* owner, int slotFacing);
    // A plain prop: a texture (atlas entry or plain file) of height x width pixels at zoom 1,
    // at a world offset from the tile centre.
    GUI_Prop(const TileUnderfoot* owner, bool mirrored, const std::string& texture, float height, float width,
             float offsetX, float offsetY);
    virtual ~GUI_Prop();
    GUI_Prop(const GUI_Prop&) = delete;
    GUI_Prop& operator=(const GUI_Prop&) = delete;

    // Positions the sprite for the frame (a job, or the main thread for a ghost).
    virtual void PreDraw(const FactoryFrameView& view);
    // The same for a still prop whose tile's screen position the caller has at hand (the tile
    // job): nothing of the simulation's tile is read.
    void PreDrawAt(const FactoryFrameView& view, float tileX, float tileY);
    // Appends the on-screen sprite to the draw queue (main thread).
    virtual void QueueDraw(IsometricDrawQueue& queue);
    // The same for a plain prop placed by a tile job, in that job: the on-screen sprite is made
    // ready for the queue, which the main thread appends in the floor's order.
    void StageDraw(std::vector<IsometricDrawQueue::Staged>& out);
    // Draws the prepared sprite at once in one colour (placement ghosts), then restores its colour.
    void DrawNow(uint8_t r, uint8_t g, uint8_t b, uint8_t a);

    // The texture of that name: an atlas image with its trim, or a plain file.
    void SetTexture(const std::string& name);
    // Starts the drop into place: the prop is drawn lifted by the timer (pixels at zoom 1), the
    // timer falling by 5 each frame at normal speed.
    void SetDropTimer(float pixels);
    float GetDropTimer() const;

    Kind GetKind() const { return m_kind; }
    float GetDepth() const { return m_sprite.m_depth; }
    int GetFacing() const { return m_facing; }
    float GetOffsetX() const { return m_offsetX; }
    float GetOffsetY() const { return m_offsetY; }
    const SIM_Prop* GetType() const { return m_placement.type; }
    bool IsMirrored() const { return m_mirrored; }
    bool IsSkipped() const { return m_skip; }
    // Stockpile pallets: the removal of stored objects at the same offset passes over them.
    void SetSkip(bool skip) { m_skip = skip; }
    const GUI_IsometricSprite& GetSprite() const { return m_sprite; }
    GUI_IsometricSprite& GetSprite() { return m_sprite; }
    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }
    // The atlas image the prop shows, whose trim it is drawn with; null for a plain picture.
    const SpriteAtlasEntry* GetAtlasEntry() const { return m_atlasEntry; }

    // The frames' drop clock: 5 x frame factor per drawn frame, advanced by the factory view after
    // the frame's jobs (main thread).
    static void AdvanceDropClock(float frameFactor);
    static void ResetDropClock();

protected:
    // Screen position of the prop's point this frame (steps 1 to 4 of positioning), before trim.
    void PlaceSprite(const FactoryFrameView& view);
    void PlaceSpriteAt(float zoom, float tileX, float tileY);
    void ApplyTrim();
    // The props stepped every frame by their jobs are, zoomed out or off screen, seldom looked at:
    // their jobs keep the frame's view and the sprite is placed (trimmed or not) the first time
    // something reads it, drawing or an on-screen test. Everything that reads the sprite's corners
    // of such a prop calls PlaceIfAsked first.
    void PlaceLater(const FactoryFrameView& view, bool trim)
    {
        m_placeView = view;
        m_placeTrim = trim;
        m_placeAsked = true;
    }
    void PlaceIfAsked();
    void PlaceOnTile(int slotFacing);
    void MirrorTexture();

    float m_height = 0.0f;
    float m_width = 0.0f;
    float m_offsetX = 0.0f;
    float m_offsetY = 0.0f;
    GUI_IsometricSprite m_sprite;
    const TileUnderfoot* m_owner = nullptr; // owns this prop
    bool m_mirrored = false;
    float m_baseHeight = 1.0f;
    float m_baseWidth = 1.0f;
    int m_placementMode = 0;
    int m_footprint = 1;
    const SpriteAtlasEntry* m_atlasEntry = nullptr;
    float m_trimWidth = 1.0f;
    float m_trimHeight = 1.0f;
    int m_facing = 0;
    bool m_skip = false;
    // The drop clock reading at which the prop stands in place; the lift is what is left of it.
    double m_dropEnd = 0.0;
    PropPlacement m_placement;
    Kind m_kind = KIND_PLAIN;
    bool m_placeAsked = false;
    bool m_placeTrim = false;
    FactoryFrameView m_placeView;
};

// Prop order within a tile: farther first.
inline bool PropDepthLess(const GUI_Prop* a, const GUI_Prop* b)
{
    return a->GetDepth() < b->GetDepth();
}
