// A part fitted to a car.
#include "sim/vehicles/SIM_VehicleComponent.h"

#include "sim/SIM_Presentation.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/views/SIM_CarComponentView.h"

SIM_VehicleComponent::SIM_VehicleComponent(SIM_Vehicle* car, const SIM_VehicleComponentType* type)
    : m_vehicle(car), m_type(type)
{
    m_view.reset(SIM_Presentation::Instance().Listener().CreateCarComponentView(this));
}

SIM_VehicleComponent::~SIM_VehicleComponent()
{
    // Views belong to the main thread: a component that goes with its car inside the vehicles
    // job hands its view over to be deleted after the wait.
    SIM_Presentation::Instance().DeleteOnMainThread(std::move(m_view), SIM_VehicleManager::InVehicleJob());
}

void SIM_VehicleComponent::SetColor(int r, int g, int b, int a)
{
    const int color[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
    {
        m_color1[i] = color[i];
        m_color2[i] = color[i];
    }
    if (m_view)
        m_view->SetColor(r, g, b, a);
}
