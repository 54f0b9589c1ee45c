// One 256 x 256 cell of the car sprite cache: a whole car pre-rendered for one view, with the key
// (view, paint colour, component types) that tells which cars may share it.
#pragma once

#include "engine/CTexturedSprite.h"

#include <memory>
#include <vector>

class SIM_VehicleComponent;
class SIM_VehicleComponentType;

class CarSpriteCell
{
public:
    static constexpr int kSize = 256;
    static constexpr int kLifeFrames = 100;

    CarSpriteCell();

    // Draws the cell's car centred at (x, y), 400 x zoom square, its left and right swapped when
    // mirrored; false when off screen. Drawing keeps the cell alive for another 100 frames.
    bool Draw(bool mirror, float x, float y);
    // Makes sprite show the cell as Draw would at that zoom; false when it is off screen.
    bool Place(bool mirror, float x, float y, float zoom, BaseSprite& sprite) const;
    // Every component's type is among the cell's ids.
    bool ContainsAll(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components) const;
    // The cell shows this view of a car of exactly these components and this paint.
    bool Matches(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components, int view,
                 const int colour[4]) const;

    std::vector<const SIM_VehicleComponentType*> m_componentIds;
    int m_view = 0;
    CTexturedSprite m_sprite; // its texture is the cache's render target
    int m_gridX = -1;
    int m_gridY = -1;
    int m_colour[4] = {255, 255, 255, 255};
    int m_countdown = 0;
    bool m_inUse = false;
};
