// What the floor shows when the player zooms far out: from zoom 0.25 down, every slot is covered
// by flat tiles of its task's colour with its task icon, and every car by a two-part dot whose
// colour tells whether it is working, waiting or stuck. The overlay fades in between zoom 0.25 and
// 0.125. Every slot and car icon registers here; the in-game mode draws them right after the
// factory scene and its particles. Main thread.
#pragma once

#include "engine/core/GRoster.h"
#include "platform/video/PGraphicsTypes.h"

#include <vector>

class CLoadedTexture;
class GUI_ZoomOutSlot;
class GUI_ZoomOutVehicle;

class GUI_ZoomOutIcons
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_ZoomOutIcons& Instance();

    void Draw();
    // 0 above zoom 0.25, 0.5 at 0.25, 1 at 0.125 and below.
    static float FadeFor(float zoom);

    // Each icon joins the list drawn in the order they came and leaves it without a search.
    void Add(GUI_ZoomOutSlot* slot);
    void Remove(GUI_ZoomOutSlot* slot);
    void Add(GUI_ZoomOutVehicle* vehicle);
    void Remove(GUI_ZoomOutVehicle* vehicle);
    // Forgets the picture handles (the texture store was emptied).
    void ReleaseGraphics();

private:
    GUI_ZoomOutIcons() = default;

    float m_fade = 0.0f;
    GRoster<GUI_ZoomOutSlot> m_slots;       // not owned: the slot views own them
    GRoster<GUI_ZoomOutVehicle> m_vehicles; // not owned: the car views own them
    CLoadedTexture* m_tileTexture = nullptr;
    std::vector<PVertex> m_tileQuads; // kept between frames
    CLoadedTexture* m_vehicleTexture = nullptr;
};
