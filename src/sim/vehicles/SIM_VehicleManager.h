// Owns every car on the factory floor and moves them all once per frame (the vehicles job).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class SIM_Factory;
class SIM_Vehicle;

class SIM_VehicleManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_VehicleManager& Instance();
    virtual ~SIM_VehicleManager();

    // A new car, appended to the list. The manager owns every car; a slot only refers to the car
    // standing in it.
    SIM_Vehicle* CreateVehicle();
    // Takes a car off the list and deletes it (a slot removed with its car).
    void DestroyVehicle(SIM_Vehicle* car);
    // Deletes every car (game reset, also those on their way out).
    void DeleteAll();

    // The vehicles job, for a step of frameMs game ms on the floor: moves, arrivals, exports;
    // deletes the cars that have gone.
    void ProcessFrame(float frameMs, float conveyorSpeed, const SIM_Factory* floor);

    // The first car of a new design is kept alive after it left the floor, until the new-design
    // dialog has put it into stock or given it up (ReleaseHeld). Marked by the car exporter, in the
    // vehicles job or on the main thread; the car still drives off and leaves GetVehicles() as usual.
    void HoldForDesign(SIM_Vehicle* car);
    // Main thread, outside the vehicles job: ends the hold; a car that has left the floor is
    // deleted now, one still driving off when it has gone.
    void ReleaseHeld(SIM_Vehicle* car);
    bool IsHeld(const SIM_Vehicle* car) const;
    // Cars that left the floor and wait for their dialog.
    size_t GetHeldOffFloorCount() const { return m_heldOffFloor.size(); }

    const std::vector<SIM_Vehicle*>& GetVehicles() const { return m_vehicles; }
    // Entries of the car lists looked at since the start, by taking cars off one by one or all
    // at once: tests check that a game's end looks at each car once.
    uint64_t EntriesLookedAt() const { return m_lookedAt; }
    // True on the thread that runs the vehicles job, while it runs.
    static bool InVehicleJob();

private:
    SIM_VehicleManager() = default;
    std::vector<SIM_Vehicle*> m_vehicles;              // in order of creation
    std::vector<std::unique_ptr<SIM_Vehicle>> m_owned; // the same cars
    std::vector<SIM_Vehicle*> m_holds;                 // cars held for their design, on or off the floor
    std::vector<std::unique_ptr<SIM_Vehicle>> m_heldOffFloor;
    uint64_t m_lookedAt = 0;
};
