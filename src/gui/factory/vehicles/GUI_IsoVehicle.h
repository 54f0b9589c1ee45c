// A car's place in the depth-sorted draw queue: when the queue reaches it, the car draws.
#pragma once

#include "gui/factory/scene/GUI_IsometricObject.h"

class GUI_Vehicle;

class GUI_IsoVehicle : public GUI_IsometricObject
{
public:
    explicit GUI_IsoVehicle(GUI_Vehicle* owner) : m_owner(owner)
    {
        m_depth = 0.0f;
        m_type = kTypeCustom; // the car draws itself, it is never batched as one sprite
    }
    void Draw() override;

    GUI_Vehicle* m_owner; // owns this proxy
};
