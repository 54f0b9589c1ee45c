// The cars' part of the factory view, owned by it: makes the views the simulation asks for cars
// and their parts, and keeps the frame's queue of cars whose parts the PREDRAWVEHICLES job places.
// The car views it made read the view's frame through it; when it goes first they forget it. The
// factory view forwards the simulation's calls for cars here.
#pragma once

#include "engine/core/GRoster.h"

#include <cstddef>
#include <vector>

class GUI_Vehicle;
class SIM_CarComponentView;
class SIM_CarNotice;
class SIM_CarView;
class SIM_Vehicle;
class SIM_VehicleComponent;
struct FactoryFrameView;

class GUI_FactoryCars
{
public:
    // frame: the factory view's frame, which outlives this part.
    explicit GUI_FactoryCars(const FactoryFrameView& frame) : m_frame(frame) {}
    ~GUI_FactoryCars();
    GUI_FactoryCars(const GUI_FactoryCars&) = delete;
    GUI_FactoryCars& operator=(const GUI_FactoryCars&) = delete;

    // The simulation's calls for cars (main thread).
    SIM_CarView* CreateCarView(SIM_Vehicle* car);
    // Car notices are not drawn by the floor view.
    SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car);
    SIM_CarComponentView* CreateCarComponentView(SIM_VehicleComponent* component);
    void InitCarSpriteCache();
    // The PREDRAWVEHICLES job: prepares the cars queued this frame (worker thread).
    void PreDrawQueued(const FactoryFrameView& view);
    // The frame the factory view draws (main thread between its frames, any job during one).
    const FactoryFrameView& Frame() const { return m_frame; }

    // Main thread, while no PREDRAWVEHICLES job runs.
    void QueuePreDraw(GUI_Vehicle* car) { m_preDraw.push_back(car); }
    // A car view going away leaves the queue and the list of views made (at its place there).
    void Forget(GUI_Vehicle* car, GRosterPlace& madePlace);
    size_t GetQueuedCount() const { return m_preDraw.size(); }

private:
    const FactoryFrameView& m_frame;
    GRoster<GUI_Vehicle, false> m_made;  // not owned: the cars own their views
    std::vector<GUI_Vehicle*> m_preDraw; // not owned
};
