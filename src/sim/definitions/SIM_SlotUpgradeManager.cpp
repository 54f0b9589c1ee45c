// The slot upgrade registry.
#include "sim/definitions/SIM_SlotUpgradeManager.h"

#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_SlotUpgrade.h"

SIM_SlotUpgradeManager& SIM_SlotUpgradeManager::Instance()
{
    return GLifetime::Get<SIM_SlotUpgradeManager>();
}

SIM_SlotUpgradeManager::~SIM_SlotUpgradeManager()
{
    Clear();
}

void SIM_SlotUpgradeManager::Clear()
{
    m_upgrades.Clear();
}

void SIM_SlotUpgradeManager::Load(const std::string& root)
{
    Clear();
    GFileList files;
    files.m_keepFolder = true;
    files.Find(root + "/upgrades/*.txt");
    for (const std::string& path : files.GetFiles())
    {
        auto upgrade = std::make_unique<SIM_SlotUpgrade>();
        upgrade->Load(path);
        m_upgrades.Add(std::move(upgrade));
    }
}

SIM_SlotUpgrade* SIM_SlotUpgradeManager::GetUpgrade(const std::string& name) const
{
    return m_upgrades.Find(name);
}
