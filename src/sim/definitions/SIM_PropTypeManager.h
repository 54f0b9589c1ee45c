// Owns every prop type of the game, in the order of props.csv, and finds them by name.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_Prop;

class SIM_PropTypeManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_PropTypeManager& Instance();
    virtual ~SIM_PropTypeManager();

    // Clears, then reads <root>/props/props.csv (root is "data/simulation" in the game).
    void Load(const std::string& root = "data/simulation");
    void Clear();
    // First prop type with exactly this name, or null (no message).
    SIM_Prop* GetPropType(const std::string& name) const;

    const std::vector<SIM_Prop*>& GetPropTypes() const { return m_props.Items(); }

private:
    SIM_Registry<SIM_Prop> m_props;
};
