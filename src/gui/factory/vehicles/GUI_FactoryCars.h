// The cars' part of the factory view: makes the views the simulation asks for cars and their
// parts, keeps the frame's queue of cars whose parts the PREDRAWVEHICLES job places, and draws
// and updates the car standing in a station. The factory view forwards the simulation's calls for
// cars here.
#pragma once

#include <cstddef>
#include <vector>

class GUI_ProductionSlot;
class GUI_Vehicle;
class IsometricDrawQueue;
class SIM_CarComponentView;
class SIM_CarNotice;
class SIM_CarView;
class SIM_Vehicle;
class SIM_VehicleComponent;
struct FactoryFrameView;

class GUI_FactoryCars
{
public:
    static GUI_FactoryCars& Instance();

    // The simulation's calls for cars (main thread).
    SIM_CarView* CreateCarView(SIM_Vehicle* car);
    // Car notices are not drawn by the floor view.
    SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car);
    SIM_CarComponentView* CreateCarComponentView(SIM_VehicleComponent* component);
    void InitCarSpriteCache();
    // The PREDRAWVEHICLES job: prepares the cars queued this frame (worker thread).
    void PreDrawQueued(const FactoryFrameView& view);
    // A production slot on screen draws the car standing in it (main thread).
    void DrawOnSlot(GUI_ProductionSlot& slot, IsometricDrawQueue& queue);
    // The per-frame update of the car standing in a production slot (main thread).
    void UpdateOnSlot(GUI_ProductionSlot& slot);

    // Main thread, while no PREDRAWVEHICLES job runs.
    void QueuePreDraw(GUI_Vehicle* car) { m_preDraw.push_back(car); }
    // A car view going away leaves the queue.
    void Forget(GUI_Vehicle* car);
    size_t GetQueuedCount() const { return m_preDraw.size(); }

private:
    GUI_FactoryCars() = default;
    std::vector<GUI_Vehicle*> m_preDraw; // not owned: the cars own their views
};
