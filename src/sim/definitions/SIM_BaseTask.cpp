// Task definitions: the common keys, the footprint, staff and upgrade loaders shared by production tasks and
// facilities.
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DataNames.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"

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
    long v = std::strtol(buffer, nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

static int BaseTaskTileType(const std::string& text, bool conveyorFile)
{
    if (text == "TT_NORMAL")
        return TT_NORMAL;
    if (text == "TT_CONVEYOR")
        return TT_CONVEYOR;
    if (text == "TT_STOCKPILE")
        return TT_STOCKPILE;
    if (text == "TT_EXPORT")
        return TT_EXPORT;
    return conveyorFile ? TT_CONVEYOR : TT_NORMAL;
}

void SIM_BaseTask::LoadCommonKeys(const IniLoader& task)
{
    m_name = task.GetValue("name");
    m_guiName = task.GetValue("guiname");
    m_description = task.GetValue("description");
    m_tileLable = task.GetValue("tilelable");
    m_parent = task.GetValue("parent");
    m_guiLevel = task.GetInt("guilevel");
    m_guiIndex = task.GetFloat("guiindex");
    if (task.HasKey("locked"))
        m_locked = task.GetInt("locked") != 0;
    if (task.HasKey("placement_sound"))
        m_placementSound = task.GetValue("placement_sound");
}

void SIM_BaseTask::LoadTiles(const std::string& path)
{
    IniLoader names;
    names.LoadSectionNames(path);

    IniLoader taskSection;
    taskSection.Load("task", path);
    const bool conveyorFile = ParseInt(taskSection.GetValue("is_conveyor")) == 1;

    IniLoader section;
    for (const std::string& sectionName : names.GetSectionNames())
    {
        if (sectionName.find("tile") == std::string::npos)
            continue;
        section.Load(sectionName, path);

        TaskTileDef tile;
        if (sectionName != "tile")
        {
            tile.XOffset = section.GetInt("XOffset");
            tile.YOffset = section.GetInt("YOffset");
        }
        tile.texture = section.HasKey("texture") ? section.GetValue("texture") : std::string("floor_plain_01.dds");
        tile.type = BaseTaskTileType(section.GetValue("type"), conveyorFile);

        // Props are numbered from 0 without gaps; the first gap or unknown prop type ends the list.
        for (int i = 0;; ++i)
        {
            const std::string key = "prop" + std::to_string(i);
            if (!section.HasKey(key))
                break;
            GStringTokenizer fields(section.GetValue(key), ',');
            std::string where = path;
            where += " [";
            where += sectionName;
            where += "] ";
            where += key;
            int position = GNumberText::ReadInt(fields.GetString(), where + " place");
            const std::string typeName = fields.GetString();
            const int facing = GNumberText::ReadInt(fields.GetString(), where + " facing");
            SIM_Prop* propType = SIM_PropTypeManager::Instance().GetPropType(typeName);
            if (!propType)
            {
                GDebugLog::Instance().LogError(
                    FormatString("Missing Prop Type:[%s] in %s", typeName.c_str(), path.c_str()));
                break;
            }
            position = position < 0 ? 0 : (position > 15 ? 15 : position);
            auto prop = std::make_unique<TaskPropDef>();
            prop->position = position;
            prop->propType = propType;
            // Kept within 0..3 so that adding the slot's facing modulo 4 never goes negative.
            prop->facing = ((facing % 4) + 4) % 4;
            tile.props.push_back(std::move(prop));
        }

        if (tile.XOffset == 0 && tile.YOffset == 0 && m_kind == TASK_VEHICLE && m_hasRobots)
            AddRobotProps(tile);
        m_tiles.push_back(std::move(tile));
    }
}

void SIM_BaseTask::LoadStaff(const std::string& path)
{
    (void)path;
    for (TaskTileDef& tile : m_tiles)
        for (const std::unique_ptr<TaskPropDef>& prop : tile.props)
        {
            const std::string& name = prop->propType->m_name;
            if (name == SIM_DataNames::kPropEmployee || name == SIM_DataNames::kPropScientist ||
                name == SIM_DataNames::kPropBusinessman)
                m_staff.push_back(prop.get());
        }
}

void SIM_BaseTask::LoadUpgrades(const std::string& path)
{
    IniLoader section;
    section.Load("upgrades", path);
    for (const IniPair& pair : section.GetPairs())
    {
        // The value names the upgrade; a bare line is a key without a value and names nothing.
        if (pair.value.empty())
            continue;
        if (SIM_SlotUpgrade* upgrade = SIM_SlotUpgradeManager::Instance().GetUpgrade(pair.value))
            m_upgrades.push_back(upgrade);
        else
            GDebugLog::Instance().LogError("Missing Upgrade:[" + pair.value + "] in " + path);
    }
}

void SIM_BaseTask::AddRobotProps(TaskTileDef& tile)
{
    SIM_Prop* robot = SIM_PropTypeManager::Instance().GetPropType(SIM_DataNames::kPropRobot);
    if (!robot)
        return;
    static const int places[2][2] = {{1, 1}, {13, 3}};
    for (const auto& place : places)
    {
        auto prop = std::make_unique<TaskPropDef>();
        prop->position = place[0];
        prop->propType = robot;
        prop->facing = place[1];
        tile.props.push_back(std::move(prop));
    }
}

bool SIM_BaseTask::HasUpgrade(const std::string& name) const
{
    for (const SIM_SlotUpgrade* upgrade : m_upgrades)
        if (upgrade && upgrade->GetName() == name)
            return true;
    return false;
}
