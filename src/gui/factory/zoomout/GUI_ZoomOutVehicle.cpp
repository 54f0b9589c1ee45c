// A car's far-zoom dot.
#include "gui/factory/zoomout/GUI_ZoomOutVehicle.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotState.h"
#include "sim/vehicles/SIM_Vehicle.h"

namespace
{
void SetUV(CTexturedSprite& sprite, float u0, float u1)
{
    const float u[4] = {u0, u1, u0, u1};
    const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (int i = 0; i < 4; ++i)
    {
        sprite.m_vertices[i].u = u[i];
        sprite.m_vertices[i].v = v[i];
    }
}
} // namespace

GUI_ZoomOutVehicle::GUI_ZoomOutVehicle(const SIM_Vehicle* vehicle) : m_vehicle(vehicle)
{
    SetUV(m_left, 0.0f, 0.5f);
    SetUV(m_right, 0.5f, 1.0f);
    GUI_ZoomOutIcons::Instance().Add(this);
}

GUI_ZoomOutVehicle::~GUI_ZoomOutVehicle()
{
    GUI_ZoomOutIcons::Instance().Remove(this);
}

void GUI_ZoomOutVehicle::UpdateColour(float fade)
{
    FV_ASSERT(m_vehicle != nullptr);
    if (!m_vehicle)
        return;
    const int a = static_cast<int>(fade * 255.0f);
    switch (m_vehicle->GetState())
    {
    case SIM_Vehicle::STANDING:
    {
        const SIM_ProductionSlot* slot = m_vehicle->GetSlot();
        const SIM_BaseTask* task = slot ? slot->GetTask() : nullptr;
        if (slot && slot->GetState() == RUNNING && !(task && task->IsConveyor()))
            m_right.SetColour(20, 220, 20, a);
        else if (slot && slot->GetState() == WAITING_FOR_EXPORT)
            m_right.SetColour(220, 220, 20, a);
        else
            m_right.SetColour(220, 20, 20, a);
        break;
    }
    case SIM_Vehicle::MOVING:
    case SIM_Vehicle::LEAVING:
        if (m_vehicle->IsMoving())
            m_right.SetColour(20, 220, 20, a);
        else
            m_right.SetColour(220, 220, 20, a);
        break;
    case SIM_Vehicle::GONE:
        for (PVertex& v : m_right.m_vertices)
            v.colour = 0;
        break;
    default:
        break;
    }
}

void GUI_ZoomOutVehicle::Draw(const FactoryFrameView& view, float fade)
{
    if (!m_vehicle)
        return;
    UpdateColour(fade);
    const float size = 256.0f * view.zoom;
    m_right.m_width = m_right.m_height = size;
    m_right.SetPosition(view.ToScreenX(m_vehicle->GetX()), view.ToScreenY(m_vehicle->GetY()));
    for (int i = 0; i < 4; ++i)
    {
        m_left.m_vertices[i].x = m_right.m_vertices[i].x;
        m_left.m_vertices[i].y = m_right.m_vertices[i].y;
    }
    m_left.m_width = m_left.m_height = size;
    if (!m_right.IsOnScreen())
        return;
    m_left.AddToBatch();
    m_right.AddToBatch();
}
