// The registry of the player's car designs.
#pragma once
#include "sim/SIM_Registry.h"
#include "sim/vehicles/SIM_VehicleDesign.h"

#include <string>
#include <vector>

class SIM_VehicleDesign;

class SIM_VehicleDesignManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_VehicleDesignManager& Instance();
    virtual ~SIM_VehicleDesignManager();

    // Appends a design the manager owns from now on; returns it.
    SIM_VehicleDesign* Add(std::unique_ptr<SIM_VehicleDesign> design);
    // Deletes one design (nothing when the manager does not hold it).
    void Remove(SIM_VehicleDesign* design);
    // Deletes every design.
    void Clear();

    // First design with this name, or null.
    SIM_VehicleDesign* GetDesign(const std::string& name) const;
    // "DEFAULT_DESIGN_NAME" text followed by the lowest number from 1 up that no design uses.
    std::string MakeUniqueDefaultName() const;

    const std::vector<SIM_VehicleDesign*>& GetDesigns() const { return m_designs.Items(); }

private:
    SIM_Registry<SIM_VehicleDesign> m_designs;
};
