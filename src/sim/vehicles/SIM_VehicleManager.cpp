// Every car on the floor and the vehicles job that moves them.
#include "sim/vehicles/SIM_VehicleManager.h"

#include <algorithm>

#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"

namespace
{
thread_local bool t_inVehicleJob = false;
}

SIM_VehicleManager& SIM_VehicleManager::Instance()
{
    static SIM_VehicleManager instance;
    return instance;
}

SIM_VehicleManager::~SIM_VehicleManager()
{
    DeleteAll();
}

SIM_Vehicle* SIM_VehicleManager::CreateVehicle()
{
    SIM_Vehicle* car = new SIM_Vehicle();
    m_vehicles.push_back(car);
    return car;
}

void SIM_VehicleManager::RemoveVehicle(SIM_Vehicle* car)
{
    m_vehicles.erase(std::remove(m_vehicles.begin(), m_vehicles.end(), car), m_vehicles.end());
}

bool SIM_VehicleManager::Contains(const SIM_Vehicle* car) const
{
    return std::find(m_vehicles.begin(), m_vehicles.end(), car) != m_vehicles.end();
}

void SIM_VehicleManager::DeleteAll()
{
    std::vector<SIM_Vehicle*> cars;
    cars.swap(m_vehicles);
    for (SIM_Vehicle* car : cars)
    {
        if (SIM_ProductionSlot* slot = car->GetSlot())
            if (slot->GetVehicle() == car)
                slot->SetVehicle(nullptr);
        delete car;
    }
}

bool SIM_VehicleManager::InVehicleJob()
{
    return t_inVehicleJob;
}

void SIM_VehicleManager::Process()
{
    const float speed = SIM_GlobalFactoryVariables::Instance().GetMultiplier(GFV_CONVEYOR_SPEED);
    ProcessFrame(SIM_Game::Instance().GetFrameTime(), speed);
}

void SIM_VehicleManager::ProcessFrame(float frameMs, float conveyorSpeed)
{
    t_inVehicleJob = true;
    // Arrivals never add cars, so the list keeps its size while it is walked.
    for (size_t i = 0; i < m_vehicles.size(); ++i)
    {
        SIM_Vehicle* car = m_vehicles[i];
        if (car->GetState() == SIM_Vehicle::MOVING)
            car->MoveStep(frameMs, conveyorSpeed);
        else if (car->GetState() == SIM_Vehicle::LEAVING)
            car->LeaveStep(frameMs);
        if (SIM_ProductionSlot* slot = car->GetSlot())
            car->SetFacing(slot->GetFacing());
    }

    auto gone = std::stable_partition(m_vehicles.begin(), m_vehicles.end(),
                                      [](const SIM_Vehicle* car) { return car->GetState() != SIM_Vehicle::GONE; });
    std::vector<SIM_Vehicle*> leaving(gone, m_vehicles.end());
    m_vehicles.erase(gone, m_vehicles.end());
    for (SIM_Vehicle* car : leaving)
        delete car;
    t_inVehicleJob = false;
}
