// The factory view's cars.
#include "gui/factory/vehicles/GUI_FactoryCars.h"

#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_Vehicle.h"
#include "gui/factory/vehicles/GUI_VehicleComponent.h"
#include "sim/vehicles/SIM_Vehicle.h"

#include <algorithm>

GUI_FactoryCars::~GUI_FactoryCars()
{
    for (GUI_Vehicle* car : m_made.Members())
        car->ForgetCars();
}

SIM_CarView* GUI_FactoryCars::CreateCarView(SIM_Vehicle* car)
{
    auto* view = new GUI_Vehicle(car, this);
    m_made.Join(view, view->MadePlace());
    // A new car starts unpainted; its parts hear of it as they are fitted.
    car->SetColor(255, 255, 255, 255);
    return view;
}

SIM_CarNotice* GUI_FactoryCars::CreateCarNotice(SIM_Vehicle* car)
{
    (void)car;
    return nullptr;
}

SIM_CarComponentView* GUI_FactoryCars::CreateCarComponentView(SIM_VehicleComponent* component)
{
    return new GUI_VehicleComponent(component);
}

void GUI_FactoryCars::InitCarSpriteCache()
{
    m_preDraw.clear();
    GUI_CarSpriteCache::Instance().Init();
}

void GUI_FactoryCars::PreDrawQueued(const FactoryFrameView& view)
{
    for (GUI_Vehicle* car : m_preDraw)
        car->PreDraw(view);
    m_preDraw.clear();
}

void GUI_FactoryCars::Forget(GUI_Vehicle* car, GRosterPlace& madePlace)
{
    // The queue holds at most the cars of one frame's screen.
    m_preDraw.erase(std::remove(m_preDraw.begin(), m_preDraw.end(), car), m_preDraw.end());
    m_made.Leave(madePlace);
}
