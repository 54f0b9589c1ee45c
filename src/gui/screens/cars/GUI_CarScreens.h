// The screens' answer to what the simulation says about cars and the stock: a new design opens the
// new-design dialog, stock changes rebuild the open car stock (once per frame however many came),
// new features rebuild a car's details window, a car that goes closes its windows, and every car
// gets its notice. Every call arrives on the main thread: the simulation hands what its worker
// jobs report to the main thread's queue, applied after the jobs and before anything draws. The
// game's one screens listener answers these calls through this object. Main thread.
#pragma once

#include "sim/SIM_PresentationListener.h"

struct GUI_FactoryTools;

class GUI_CarScreens : public SIM_PresentationListener
{
public:
    // A click on a car in the factory view whose tools these are opens (or raises) the car's
    // details from now on.
    static void ConnectFactoryView(GUI_FactoryTools& tools);

    void ShowNewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car) override;
    void RefreshCarStock() override;
    void RefreshVehicleDetails(SIM_Vehicle* car) override;
    void VehicleGone(SIM_Vehicle* car) override;
    SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car) override;
    // The stock and the new design hold simulation objects a save would have to describe.
    bool IsAutosaveBlocked() override;
    // A savegame replaces the game: every car window closes first.
    void PrepareForLoad() override;
};
