// Owns every slot upgrade definition, in the order of the upgrade folder, and finds them by name.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_SlotUpgrade;

class SIM_SlotUpgradeManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_SlotUpgradeManager& Instance();
    virtual ~SIM_SlotUpgradeManager();

    // Deletes every upgrade, then loads every <root>/upgrades/*.txt (root is "data/simulation" in
    // the game).
    void Load(const std::string& root = "data/simulation");
    void Clear();
    SIM_SlotUpgrade* GetUpgrade(const std::string& name) const;

    const std::vector<SIM_SlotUpgrade*>& GetUpgrades() const { return m_upgrades.Items(); }

private:
    SIM_Registry<SIM_SlotUpgrade> m_upgrades;
};
