// What a placed slot or facility does and looks like: names, build-menu place, cost, time and
// power, the footprint with its props, the staff and the upgrades it can take. Production tasks
// and facilities share it; the loaders here read the parts of a definition file common to both.
#pragma once

#include "sim/definitions/TaskTileDef.h"

#include <string>
#include <vector>

class IniLoader;
class SIM_SlotUpgrade;

enum TaskKind
{
    TASK_COMPONENT = 0,  // "COMPONENT": turns resources into exports
    TASK_VEHICLE = 1,    // works on a car body standing in the slot
    TASK_STANDALONE = 2, // "STANDALONE"; every facility
};

struct TaskIconColour
{
    int r = 255;
    int g = 0;
    int b = 0;
    int a = 255;
};

class SIM_BaseTask
{
public:
    SIM_BaseTask() = default;
    SIM_BaseTask(const SIM_BaseTask&) = delete;
    SIM_BaseTask& operator=(const SIM_BaseTask&) = delete;
    virtual ~SIM_BaseTask() = default;

    // Reads the definition file. The base reads nothing.
    virtual void Load(const std::string& path) { (void)path; }
    virtual bool IsConveyor() const { return false; }

    // Reads the keys of the "task" section every definition has: names, description, tile label,
    // parent, build-menu level and place, and the lock and placement sound when they are given.
    void LoadCommonKeys(const IniLoader& task);
    // Appends the footprint: every section whose name contains "tile".
    void LoadTiles(const std::string& path);
    // Appends the staff entries of the footprint already loaded (the path is not read).
    void LoadStaff(const std::string& path);
    // Appends the upgrades named by the values of section "upgrades".
    void LoadUpgrades(const std::string& path);
    // Appends the two robot props ("robot2" at positions 1 and 13) when that prop type exists.
    void AddRobotProps(TaskTileDef& tile);
    bool HasUpgrade(const std::string& name) const;

    std::string GetName() const { return m_name; }
    std::string GetGuiName() const { return m_guiName; }
    std::string GetIcon() const { return m_icon; }

    // Integer of a data value: first 63 characters, leading blanks, optional sign, digits up to
    // the first other character; no digits gives 0, out of range is clamped.
    static int ParseInt(const std::string& value);

    std::vector<SIM_SlotUpgrade*> m_upgrades; // not owned
    std::vector<TaskTileDef> m_tiles;
    std::vector<TaskPropDef*> m_staff; // point into the tiles' prop lists
    float m_processTime = 0.0f;
    int m_guiLevel = 0;
    float m_guiIndex = 0.0f;
    float m_constructionCost = 0.0f;
    float m_powerDemand = 0.0f;
    bool m_locked = false;
    bool m_optional = false;
    bool m_hasRobots = false;
    int m_kind = TASK_COMPONENT;
    bool m_hasChildren = false;
    std::string m_parent;
    std::string m_icon;
    std::string m_name;
    std::string m_guiName;
    std::string m_tileLable;
    std::string m_description;
    std::string m_placementSound;
    std::string m_file;
    TaskIconColour m_iconColour;
};
