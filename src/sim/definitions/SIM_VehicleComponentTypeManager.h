// Owns every vehicle component type, one per file of the components folder, in file order.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_VehicleComponentType;

class SIM_VehicleComponentTypeManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_VehicleComponentTypeManager& Instance();
    virtual ~SIM_VehicleComponentTypeManager();

    // Replaces the types with every <root>/components/*.txt (root is "data/simulation" in the
    // game), in file order.
    void Load(const std::string& root = "data/simulation");
    void Clear();
    SIM_VehicleComponentType* GetComponentType(const std::string& name) const;

    const std::vector<SIM_VehicleComponentType*>& GetComponentTypes() const { return m_types.Items(); }

private:
    SIM_Registry<SIM_VehicleComponentType> m_types;
};
