// Every car on the floor and the vehicles job that moves them.
#include "sim/vehicles/SIM_VehicleManager.h"

#include "engine/core/GLifetime.h"

#include <algorithm>

#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleHolder.h"

namespace
{
thread_local bool t_inVehicleJob = false;
}

SIM_VehicleManager& SIM_VehicleManager::Instance()
{
    return GLifetime::Get<SIM_VehicleManager>();
}

SIM_VehicleManager::~SIM_VehicleManager()
{
    DeleteAll();
}

SIM_Vehicle* SIM_VehicleManager::CreateVehicle()
{
    m_owned.push_back(std::make_unique<SIM_Vehicle>());
    m_vehicles.push_back(m_owned.back().get());
    return m_vehicles.back();
}

void SIM_VehicleManager::DestroyVehicle(SIM_Vehicle* car)
{
    m_lookedAt += m_vehicles.size();
    m_vehicles.erase(std::remove(m_vehicles.begin(), m_vehicles.end(), car), m_vehicles.end());
    auto it = std::find_if(m_owned.begin(), m_owned.end(),
                           [car](const std::unique_ptr<SIM_Vehicle>& owned) { return owned.get() == car; });
    m_lookedAt += static_cast<uint64_t>(it - m_owned.begin());
    if (it != m_owned.end())
        m_owned.erase(it);
}

void SIM_VehicleManager::DeleteAll()
{
    m_lookedAt += m_vehicles.size();
    for (SIM_Vehicle* car : m_vehicles)
        if (SIM_VehicleHolder* slot = car->GetHolder())
            if (slot->GetVehicle() == car)
                slot->SetVehicle(nullptr);
    m_vehicles.clear();
    m_owned.clear();
    m_holds.clear();
    m_heldOffFloor.clear();
}

void SIM_VehicleManager::HoldForDesign(SIM_Vehicle* car)
{
    if (car && !IsHeld(car))
        m_holds.push_back(car);
}

void SIM_VehicleManager::ReleaseHeld(SIM_Vehicle* car)
{
    m_holds.erase(std::remove(m_holds.begin(), m_holds.end(), car), m_holds.end());
    auto it = std::find_if(m_heldOffFloor.begin(), m_heldOffFloor.end(),
                           [car](const std::unique_ptr<SIM_Vehicle>& held) { return held.get() == car; });
    if (it != m_heldOffFloor.end())
        m_heldOffFloor.erase(it);
}

bool SIM_VehicleManager::IsHeld(const SIM_Vehicle* car) const
{
    return std::find(m_holds.begin(), m_holds.end(), car) != m_holds.end();
}

bool SIM_VehicleManager::InVehicleJob()
{
    return t_inVehicleJob;
}

void SIM_VehicleManager::ProcessFrame(float frameMs, float conveyorSpeed, const SIM_Factory* floor)
{
    t_inVehicleJob = true;
    // Arrivals never add cars, so the list keeps its size while it is walked.
    for (size_t i = 0; i < m_vehicles.size(); ++i)
    {
        SIM_Vehicle* car = m_vehicles[i];
        if (car->GetState() == SIM_Vehicle::MOVING)
            car->MoveStep(frameMs, conveyorSpeed, floor);
        else if (car->GetState() == SIM_Vehicle::LEAVING)
            car->LeaveStep(frameMs);
        if (SIM_VehicleHolder* slot = car->GetHolder())
            car->SetFacing(slot->GetHolderFacing());
    }

    auto gone = std::stable_partition(m_vehicles.begin(), m_vehicles.end(),
                                      [](const SIM_Vehicle* car) { return car->GetState() != SIM_Vehicle::GONE; });
    if (gone != m_vehicles.end())
    {
        m_vehicles.erase(gone, m_vehicles.end());
        // A car held for its design leaves the floor but stays alive for the dialog.
        for (std::unique_ptr<SIM_Vehicle>& car : m_owned)
            if (car->GetState() == SIM_Vehicle::GONE && IsHeld(car.get()))
                m_heldOffFloor.push_back(std::move(car));
        m_owned.erase(std::remove_if(m_owned.begin(), m_owned.end(),
                                     [](const std::unique_ptr<SIM_Vehicle>& car) {
                                         return !car || car->GetState() == SIM_Vehicle::GONE;
                                     }),
                      m_owned.end());
    }
    t_inVehicleJob = false;
}
