// The registry of the player's car designs.
#pragma once

#include <string>
#include <vector>

class SIM_VehicleDesign;

class SIM_VehicleDesignManager
{
public:
    static SIM_VehicleDesignManager& Instance();
    virtual ~SIM_VehicleDesignManager();

    void Register(SIM_VehicleDesign* design);
    void Unregister(SIM_VehicleDesign* design);
    // Deletes every registered design.
    void Clear();

    // First design with this name, or null.
    SIM_VehicleDesign* GetDesign(const std::string& name) const;
    // "DEFAULT_DESIGN_NAME" text followed by the lowest number from 1 up that no design uses.
    std::string MakeUniqueDefaultName() const;

    const std::vector<SIM_VehicleDesign*>& GetDesigns() const { return m_designs; }

private:
    std::vector<SIM_VehicleDesign*> m_designs;
};
