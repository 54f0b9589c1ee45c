// An option a car carries (air conditioning, alloy wheels...) and the value it adds to the car.
#pragma once

#include <string>

class SIM_VehicleFeature
{
public:
    std::string GetName() const { return m_name; }
    std::string GetGUIName() const { return m_guiName; }
    float GetValue() const { return m_value; }

    std::string m_name;
    std::string m_guiName;
    float m_value = 0.0f;
};
