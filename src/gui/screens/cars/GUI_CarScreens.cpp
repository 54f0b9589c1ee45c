// The car screens' side of the simulation's presentation calls.
#include "gui/screens/cars/GUI_CarScreens.h"

#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/screens/cars/GUI_CarStock.h"
#include "gui/screens/cars/GUI_NewDesign.h"
#include "gui/screens/cars/GUI_VehicleDetails.h"
#include "gui/screens/cars/GUI_VehicleNotice.h"

void GUI_CarScreens::ConnectFactoryView(GUI_FactoryTools& tools)
{
    tools.showVehicleDetails = [](SIM_Vehicle& car) { GUI_VehicleDetails::Show(&car); };
}

void GUI_CarScreens::ShowNewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car)
{
    GUI_NewDesign::Show(design, car);
}

void GUI_CarScreens::RefreshCarStock()
{
    // A burst of arrivals and sales in one frame makes one rebuild, in the stock's next draw.
    if (GUI_CarStock* stock = GUI_CarStock::GetOpen())
        stock->RequestRebuild();
}

void GUI_CarScreens::RefreshVehicleDetails(SIM_Vehicle* car)
{
    GUI_VehicleDetails::Rebuild(car);
}

void GUI_CarScreens::VehicleGone(SIM_Vehicle* car)
{
    GUI_VehicleDetails::CloseFor(car);
    if (GUI_NewDesign* dialog = GUI_NewDesign::GetOpen())
        dialog->ForgetVehicle(car);
}

SIM_CarNotice* GUI_CarScreens::CreateCarNotice(SIM_Vehicle* car)
{
    return new GUI_VehicleNotice(car);
}

bool GUI_CarScreens::IsAutosaveBlocked()
{
    return GUI_CarStock::GetOpen() != nullptr || GUI_NewDesign::GetOpen() != nullptr;
}

void GUI_CarScreens::PrepareForLoad()
{
    if (GUI_NewDesign* dialog = GUI_NewDesign::GetOpen())
        dialog->Close();
    if (GUI_CarStock* stock = GUI_CarStock::GetOpen())
        stock->Close();
    while (!GUI_VehicleDetails::GetOpenWindows().empty())
        GUI_VehicleDetails::CloseFor(GUI_VehicleDetails::GetOpenWindows().front()->GetVehicle());
}
