// Task definitions: the footprint, staff and upgrade loaders shared by production tasks and facilities.
#include "sim/SIM_BaseTask.h"

#include "sim/SIM_SlotUpgrade.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

int SIM_BaseTask::ParseInt(const std::string& value)
{
    // Only the first 63 characters count, as the game always read them; strtol with clamping
    // instead of atoi so that an over-long number cannot overflow.
    char buffer[64];
    std::strncpy(buffer, value.c_str(), 63);
    buffer[63] = '\0';
    errno = 0;
    long v = std::strtol(buffer, nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

float SIM_BaseTask::ParseFloat(const std::string& value)
{
    char buffer[64];
    std::strncpy(buffer, value.c_str(), 63);
    buffer[63] = '\0';
    return std::strtof(buffer, nullptr);
}

void SIM_BaseTask::LoadTiles(const std::string& path)
{
    (void)path;
}

void SIM_BaseTask::LoadStaff(const std::string& path)
{
    (void)path;
}

void SIM_BaseTask::LoadUpgrades(const std::string& path)
{
    (void)path;
}

void SIM_BaseTask::AddRobotProps(TaskTileDef& tile)
{
    (void)tile;
}

bool SIM_BaseTask::HasUpgrade(const std::string& name) const
{
    for (const SIM_SlotUpgrade* upgrade : m_upgrades)
        if (upgrade && upgrade->GetName() == name)
            return true;
    return false;
}
