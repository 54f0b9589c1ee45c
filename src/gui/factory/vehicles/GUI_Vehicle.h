// A car under construction as the factory view shows it: it stands on the station working on it,
// drawn in depth order from its parts' sprites, or far out from the car sprite cache's cells.
// Owned by its SIM_Vehicle; the station's view draws and updates it. Main thread unless said.
#pragma once

#include "engine/CLoadedTextureRef.h"
#include "engine/core/GRoster.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/GUI_IsometricSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "sim/views/SIM_CarView.h"

#include <memory>

class CarSpriteCell;
class GUI_FactoryCars;
class GUI_IsoVehicle;
class GUI_ZoomOutVehicle;
class IsometricDrawQueue;
class SIM_Vehicle;

class GUI_Vehicle : public GUI_WindowBase, public SIM_CarView
{
public:
    // Below this zoom a finished enough car is drawn from the sprite cache.
    static constexpr float kCachedZoom = 0.5f;
    // A car of fewer parts is still drawn from them: it changes too often to be worth a cell.
    static constexpr int kMinCachedComponents = 3;

    // cars: the factory view's part that made the view, whose frame it is drawn in.
    GUI_Vehicle(SIM_Vehicle* vehicle, GUI_FactoryCars* cars);
    ~GUI_Vehicle() override;

    // Hover shows the hand cursor.
    void Update() override;
    bool IsMouseOver() override;
    // Puts the car into the draw queue when its station is on screen: far out as a sprite of its
    // cached cell, else as its parts' layer sprites in order at the car's depth, with its parts
    // queued for the PREDRAWVEHICLES job.
    void Draw() override;
    void Draw(IsometricDrawQueue& queue, const FactoryFrameView& view);
    // Draws the whole car at once, as its proxy does: the cached cell, or every part's layers in
    // order.
    void DrawNow();
    void DrawCached();
    // The cell the car's facing shows and whether it is seen mirrored (views 1 and 3 are views 2
    // and 0 in a mirror); null until both cells are held.
    CarSpriteCell* CachedCellForFacing(bool& mirror) const;
    // Holds a cell for views 2 and 0; false for a car of too few parts or a full cache.
    bool EnsureCachedSprites();
    // The car's look changed: the cells it holds no longer show it.
    void ClearCachedSprites() override;
    // The cache gave this cell to another car: both cells are asked for again.
    void ForgetCell(const CarSpriteCell* cell);
    // Places the parts' layers for this frame (PREDRAWVEHICLES job, worker thread).
    void PreDraw(const FactoryFrameView& view);
    // The station's view, each frame: draws the car in the factory view's frame, and updates it.
    void DrawInStation(IsometricDrawQueue& queue);
    // The cars' part is going: the view draws in the camera's frame from now on.
    void ForgetCars() { m_cars = nullptr; }
    // Where the cars' part lists this view among those it made.
    GRosterPlace& MadePlace() { return m_madePlace; }

    CarSpriteCell* GetCell(int view) const { return view == 0 ? m_cellFacing0 : m_cellFacing2; }

private:
    // Seen on screen: both held cells stay for another 100 frames.
    void KeepCellsAlive();
    FactoryFrameView Frame() const;

    CarSpriteCell* m_cellFacing2 = nullptr; // cells belong to the cache, which may clear these
    CarSpriteCell* m_cellFacing0 = nullptr;
    std::unique_ptr<GUI_ZoomOutVehicle> m_zoomOutIcon;
    std::unique_ptr<GUI_IsoVehicle> m_proxy;
    SIM_Vehicle* m_vehicle; // owns this view
    GUI_FactoryCars* m_cars = nullptr;
    GRosterPlace m_madePlace;
    CLoadedTextureRef m_bodyTexture;
    // Far out the car goes into the draw queue as this plain sprite of its cell, so the queue
    // sends the cars of a whole screen to the card together instead of one draw each.
    GUI_IsometricSprite m_cachedSprite;
};
