// A car's place in the draw queue.
#include "gui/factory/vehicles/GUI_IsoVehicle.h"

#include "gui/factory/vehicles/GUI_Vehicle.h"

void GUI_IsoVehicle::Draw()
{
    if (m_owner)
        m_owner->DrawNow();
}
