// Production task definitions: the task file, the floor default from tasks.csv and composite tasks.
#include "sim/definitions/SIM_ProductionTask.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"

static void ProductionTaskReadDirections(const IniLoader& section, const char* key, const std::string& path,
                                         std::vector<int>& out)
{
    const std::string& value = section.GetValue(key);
    if (value.empty())
        return;
    GStringTokenizer fields(value, ',');
    while (!fields.AtEnd())
    {
        const int offset = GNumberText::ReadInt(StripTrailingWhitespace(fields.NextToken()), path + " [task] " + key);
        // A side offset outside 0..3 would send the neighbour search off in no direction at all.
        if (offset < 0 || offset > 3)
        {
            GDebugLog::Instance().LogError("Bad direction offset " + std::to_string(offset) + " in " + path);
            continue;
        }
        out.push_back(offset);
    }
}

static void ProductionTaskReadResources(const std::string& sectionName, const std::string& path,
                                        std::vector<TaskResourceAmount>& out)
{
    IniLoader section;
    section.Load(sectionName, path);
    for (const IniPair& pair : section.GetPairs())
    {
        // An entry without a resource would reach the stockpiles as a null; it is dropped
        // after the lookup has reported the missing name.
        SIM_Resource* resource = SIM_ResourceManager::Instance().GetResource(pair.key);
        if (!resource)
            continue;
        std::string where = path;
        where += " [";
        where += sectionName;
        where += "] ";
        where += pair.key;
        out.push_back(TaskResourceAmount{resource, GNumberText::ReadInt(pair.value, where)});
    }
}

void SIM_ProductionTask::Load(const std::string& path)
{
    m_file = path;

    IniLoader task;
    task.Load("task", path);
    LoadCommonKeys(task);
    m_optional = task.GetInt("optional") != 0;
    m_sprites[0] = task.GetValue("SpriteNE");
    m_sprites[1] = task.GetValue("SpriteSE");
    m_sprites[2] = task.GetValue("SpriteSW");
    m_sprites[3] = task.GetValue("SpriteNW");

    m_hasRobots = true;
    if (task.HasKey("is_conveyor"))
    {
        m_isConveyor = task.GetInt("is_conveyor") != 0;
        if (m_isConveyor)
            m_hasRobots = false;
    }
    if (task.HasKey("has_robots"))
        m_hasRobots = task.GetInt("has_robots") != 0;

    m_kind = TASK_VEHICLE;
    if (task.HasKey("type"))
    {
        const std::string& type = task.GetValue("type");
        if (type == "COMPONENT")
            m_kind = TASK_COMPONENT;
        else if (type == "STANDALONE")
            m_kind = TASK_STANDALONE;
    }

    ProductionTaskReadDirections(task, "exitdirectionoffsets", path, m_exitDirections);
    ProductionTaskReadDirections(task, "inputdirectionoffsets", path, m_inputDirections);

    ProductionTaskReadResources("resources", path, m_resources);
    ProductionTaskReadResources("exports", path, m_exports);

    LoadTiles(path);
    LoadStaff(path);
    LoadUpgrades(path);

    IniLoader lists;
    lists.ReadSectionAsList(m_subTasksRequired, "subtasksrequired", path);
    lists.ReadSectionAsList(m_subTasksApplied, "subtasksapplied", path);
    lists.ReadSectionAsList(m_components, "components", path);
    lists.ReadSectionAsList(m_features, "features", path);
}

void SIM_ProductionTask::SetDefaultFloorTexture(const std::string& texture)
{
    for (TaskTileDef& tile : m_tiles)
        if (tile.type == TT_NORMAL && tile.texture.empty())
        {
            tile.texture = texture;
            tile.defaultTexture = texture;
        }
}

void SIM_ProductionTask::CombineSubTasks()
{
    const size_t steps = m_subTasksApplied.size();
    const float tierMultiplier = SIM_SimConfig::GetFloat("CONSTRUCTION_COST_MULT_PER_TIER");
    if (steps > 1)
    {
        m_processTime = 0.0f;
        m_constructionCost = 0.0f;
        m_powerDemand = 0.0f;
    }
    for (const std::string& stepName : m_subTasksApplied)
    {
        if (stepName == m_name)
            continue;
        const SIM_ProductionTask* step = SIM_ProductionTaskManager::Instance().GetTask(stepName);
        if (!step)
        {
            GDebugLog::Instance().LogError("Missing Sub Task:[" + stepName + "] in " + m_name);
            continue;
        }
        for (const TaskResourceAmount& amount : step->m_resources)
        {
            bool merged = false;
            for (TaskResourceAmount& own : m_resources)
                if (own.resource == amount.resource)
                {
                    own.count += amount.count;
                    merged = true;
                    break;
                }
            if (!merged)
                m_resources.push_back(amount);
        }
        if (steps > 1)
        {
            m_constructionCost += tierMultiplier * step->m_constructionCost;
            m_processTime += step->m_processTime;
            m_powerDemand += step->m_powerDemand;
        }
    }
}
