// Owns every resource kind, sorted by name, and finds them for the task, upgrade and savegame loaders.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_Resource;

class SIM_ResourceManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_ResourceManager& Instance();
    virtual ~SIM_ResourceManager();

    // Clears, reads <root>/resources/resources.csv (root is "data/simulation" in the game) and
    // sorts by name, equal names keeping file order.
    void Load(const std::string& root = "data/simulation");
    void Clear();
    // First resource of that name; otherwise "Missing Resource:[%s]" is reported and null returned.
    SIM_Resource* GetResource(const std::string& name) const;
    // The same lookup without the report, for callers that only ask.
    SIM_Resource* FindResource(const std::string& name) const;

    const std::vector<SIM_Resource*>& GetResources() const { return m_resources.Items(); }

private:
    SIM_Registry<SIM_Resource> m_resources;
};
