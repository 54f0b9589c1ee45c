// The sprites of one part fitted to a car: for each of the four facings a base layer and a second
// layer, placed on a worker before the car draws and tinted with the car's paint where the part
// takes it. Owned by its SIM_VehicleComponent.
#pragma once

#include "gui/factory/vehicles/GUI_ComponentSprite.h"
#include "sim/views/SIM_CarComponentView.h"

#include <cstdint>

class GShaderEffect;
class IsometricDrawQueue;
class SIM_VehicleComponent;
struct FactoryFrameView;

class GUI_VehicleComponent : public SIM_CarComponentView
{
public:
    explicit GUI_VehicleComponent(SIM_VehicleComponent* component);

    // The car was painted: the layers that take the paint get the colour and the paint effect.
    void SetColor(int r, int g, int b, int a) override;
    void SetColour(int a, int r, int g, int b);
    // Places every facing's layers around the car's screen position (PREDRAWVEHICLES job).
    void PreDraw(const FactoryFrameView& view);
    // Places the layers of the car's facing and puts them into the draw queue at the car's depth,
    // bottom first, the painted ones drawn through paint (null: plainly). Queued one after the
    // other at one depth, the car's layers stay together and in order among the scene, and the
    // queue sends the same layers of many cars to the card together (main thread).
    void Queue(IsometricDrawQueue& queue, const FactoryFrameView& view, float depth, GShaderEffect* paint);
    // True when a layer of the car's facing takes the paint.
    bool IsPainted() const;
    // The layers of the car's facing, bottom first: plain ones into the shared batch, painted ones
    // on their own through the paint effect (main thread).
    void Draw();

    // The layer sprite of a facing (layer 0 base, 1 second).
    GUI_ComponentSprite& GetSprite(int facing, int layer) { return m_sprites[facing & 3][layer & 1]; }
    bool HasLayer(int facing, int layer) const { return m_present[facing & 3][layer & 1]; }

private:
    void PlaceFacing(const FactoryFrameView& view, int facing);

    GUI_ComponentSprite m_sprites[4][2];
    bool m_present[4][2] = {};
    uint32_t m_colour = 0xFFFFFFFFu;
    SIM_VehicleComponent* m_component; // owns this view
};
