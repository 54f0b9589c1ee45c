// One back wall of the factory hall, standing on the north-east or north-west edge of a floor tile
// that borders the outside. Its picture is drawn at random from its building zone's wall pool for
// that side; its tile owns it.
#pragma once

#include "gui/factory/scene/GUI_IsometricSprite.h"

class GUI_Tile;
class IsometricDrawQueue;
struct FactoryFrameView;
struct SpriteAtlasEntry;

class GUI_TileWall
{
public:
    GUI_TileWall(GUI_Tile* owner, int side);

    // Picks the wall's picture and depth from the owner's zone (main thread). A tile in no zone or
    // a picture without an atlas entry is reported; such a wall draws nothing.
    void Build();
    // Places the wall over its tile and appends it to the queue when it is on screen (main thread).
    void Queue(const FactoryFrameView& view, IsometricDrawQueue& queue);
    // Opaque white (the zone was bought) or white at alpha 64 (locked zone).
    void SetTint(bool locked);

    float GetDepth() const { return m_depth; }
    const GUI_IsometricSprite& GetSprite() const { return m_sprite; }

private:
    GUI_Tile* m_owner = nullptr; // owns this wall
    GUI_IsometricSprite m_sprite;
    int m_side = 0;
    const SpriteAtlasEntry* m_entry = nullptr;
    float m_depth = 0.0f;
};

// Places a square frame of a picture centred at (x, y), trimmed to the part of the frame its atlas
// image covers (an atlas image is stored without its empty border). Without an entry the whole
// frame is placed.
void PlaceTrimmedFrame(CTexturedSprite& sprite, const SpriteAtlasEntry* entry, float x, float y, float frame);
