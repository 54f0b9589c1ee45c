// One visible part fitted to a car (chassis, wheels, doors...), with its colours and sprites.
#pragma once
#include <memory>

class SIM_CarComponentView;
class SIM_Vehicle;
class SIM_VehicleComponentType;

class SIM_VehicleComponent
{
public:
    SIM_VehicleComponent(SIM_Vehicle* car, const SIM_VehicleComponentType* type);
    ~SIM_VehicleComponent();
    SIM_VehicleComponent(const SIM_VehicleComponent&) = delete;
    SIM_VehicleComponent& operator=(const SIM_VehicleComponent&) = delete;

    // Stores the colour in both colours and hands it to the view.
    void SetColor(int r, int g, int b, int a);

    SIM_Vehicle* GetVehicle() const { return m_vehicle; }
    const SIM_VehicleComponentType* GetType() const { return m_type; }
    const int* GetColor() const { return m_color1; }
    const int* GetSecondColor() const { return m_color2; }
    SIM_CarComponentView* GetView() const { return m_view.get(); }

private:
    SIM_Vehicle* m_vehicle;
    const SIM_VehicleComponentType* m_type;
    int m_color1[4] = {255, 255, 255, 255};
    int m_color2[4] = {255, 255, 255, 255};
    std::unique_ptr<SIM_CarComponentView> m_view; // null headless
};
