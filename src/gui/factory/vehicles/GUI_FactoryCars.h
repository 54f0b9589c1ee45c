// The cars' part of the factory view: makes the views the simulation asks for cars and their
// parts, keeps the frame's queue of cars whose parts the PREDRAWVEHICLES job places, and draws
// and updates the car standing in a station. Plugged into GUI_Factory (SetVehicles).
#pragma once

#include "gui/factory/view/GUI_Factory.h"

#include <vector>

class GUI_Vehicle;

class GUI_FactoryCars : public GUI_FactoryVehicles
{
public:
    static GUI_FactoryCars& Instance();

    SIM_CarView* CreateCarView(SIM_Vehicle* car) override;
    // Car notices are not drawn by the floor view.
    SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car) override;
    SIM_CarComponentView* CreateCarComponentView(SIM_VehicleComponent* component) override;
    void InitCarSpriteCache() override;
    void PreDrawQueued(const FactoryFrameView& view) override;
    void DrawOnSlot(GUI_ProductionSlot& slot, IsometricDrawQueue& queue) override;
    void UpdateOnSlot(GUI_ProductionSlot& slot) override;

    // Main thread, while no PREDRAWVEHICLES job runs.
    void QueuePreDraw(GUI_Vehicle* car) { m_preDraw.push_back(car); }
    // A car view going away leaves the queue.
    void Forget(GUI_Vehicle* car);
    size_t GetQueuedCount() const { return m_preDraw.size(); }

private:
    GUI_FactoryCars() = default;
    std::vector<GUI_Vehicle*> m_preDraw; // not owned: the cars own their views
};
