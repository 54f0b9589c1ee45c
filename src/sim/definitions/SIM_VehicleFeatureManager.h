// Owns every vehicle feature of features.csv, in file order, and finds them by name.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_VehicleFeature;

class SIM_VehicleFeatureManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_VehicleFeatureManager& Instance();
    virtual ~SIM_VehicleFeatureManager();

    // Clears, then reads <root>/features/features.csv (root is "data/simulation" in the game).
    void Load(const std::string& root = "data/simulation");
    void Clear();
    // The feature, or null after reporting "Missing Feature:[%s]".
    SIM_VehicleFeature* GetFeature(const std::string& name) const;
    // The feature, or null without a word: for readers that list what they miss themselves.
    SIM_VehicleFeature* FindFeature(const std::string& name) const;

    const std::vector<SIM_VehicleFeature*>& GetFeatures() const { return m_features.Items(); }

private:
    SIM_Registry<SIM_VehicleFeature> m_features;
};
