// The data checker: every finding is one line "where: what".
#include "DataChecker.h"

#include "DataRules.h"
#include "InterfaceTextures.h"
#include "WorldArt.h"

#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GRandom.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GTextKeys.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "engine/core/Spreadsheet.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "platform/audio/PSoundFileInfo.h"
#include "platform/video/PImageCodec.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_DefinitionTree.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace datacheck
{
std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SectionList(const std::string& file, const std::string& section)
{
    std::vector<std::string> out;
    IniLoader ini;
    ini.ReadSectionAsList(out, section, file);
    return out;
}

std::vector<std::pair<std::string, std::string>> SectionPairs(const std::string& file, const std::string& section)
{
    std::vector<std::pair<std::string, std::string>> out;
    IniLoader ini;
    if (!ini.Load(section, file))
        return out;
    std::string key, value;
    while (ini.NextPair(key, value))
        out.emplace_back(key, value);
    return out;
}

std::vector<std::string> SectionNames(const std::string& file)
{
    IniLoader ini;
    ini.LoadSectionNames(file);
    return ini.GetSectionNames();
}

// Cells of a table row, split the way the loaders split them (quotes group commas).
std::vector<std::string> Cells(const std::string& row)
{
    std::vector<std::string> cells;
    GStringTokenizer tokens(row, ',');
    while (!tokens.AtEnd())
        cells.push_back(tokens.GetString());
    return cells;
}

// The raw cells of a row, quotes kept, to see whether a cell was written in quotes.
std::vector<std::string> RawCells(const std::string& row)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char c : row)
    {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted)
            cells.emplace_back();
        else if (c != '\r' && c != '\n')
            cells.back() += c;
    }
    return cells;
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> out;
    GStringTokenizer tokens(text, ',');
    while (!tokens.AtEnd())
    {
        std::string piece = tokens.GetString();
        if (!piece.empty())
            out.push_back(piece);
    }
    return out;
}

bool SafeName(const std::string& name)
{
    if (name.empty())
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; });
}

// The three car-creating station names carry a blank; every other internal name is plain.
bool NamedWithBlank(const std::string& name)
{
    return name == SIM_DataNames::kTaskFitChassis || name == SIM_DataNames::kTaskFitAxles;
}

std::string BaseName(const std::string& path)
{
    return fs::path(path).filename().string();
}

std::vector<std::string> ListFiles(const std::string& pattern)
{
    GFileList list;
    list.Find(pattern);
    return list.GetFiles();
}

// Characters the bitmap fonts can draw.
bool Drawable(unsigned char c)
{
    if (c >= 0x80)
        return true; // the extra cells of the glyph sheet
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    return std::string(" !\"#$'()*+,-./:;<=>?[\\]^_{}%").find(static_cast<char>(c)) != std::string::npos;
}
} // namespace datacheck

using namespace datacheck;

DataChecker::DataChecker(std::string dataRoot) : m_root(std::move(dataRoot)), m_sim(m_root + "/simulation")
{
}

void DataChecker::Report(const std::string& where, const std::string& what)
{
    // A finding's rule is its text without the names and numbers it quotes.
    std::string rule;
    bool quoted = false;
    for (char c : what)
    {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && !(c >= '0' && c <= '9'))
            rule += c;
    }
    ReportCapped(rule, where + ": " + what);
}

void DataChecker::ReportAt(const std::string& rule, const std::string& file, int line, const std::string& what)
{
    ReportCapped(rule, file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + what);
}

void DataChecker::ReportCapped(const std::string& rule, const std::string& finding)
{
    if (++m_ruleCounts[rule] <= kMaxFindingsPerRule)
        m_findings.push_back(finding);
}

void DataChecker::ReportOverflow()
{
    for (const auto& [rule, count] : m_ruleCounts)
        if (count > kMaxFindingsPerRule)
        {
            std::string line = "(";
            line += std::to_string(count - kMaxFindingsPerRule);
            line += " more findings of the rule '" + rule + "' not shown)";
            m_findings.push_back(line);
        }
}

const std::vector<std::string>& DataChecker::Run()
{
    m_findings.clear();
    m_ruleCounts.clear();
    if (!fs::is_directory(m_sim))
    {
        Report(m_sim, "folder missing");
        return m_findings;
    }
    LoadEverything();
    CheckLoaderErrors();
    CheckFiles();
    CheckTaskFiles();
    CheckTaskTable();
    CheckTaskSemantics();
    CheckConveyorPieces();
    CheckFacilities();
    CheckUpgrades();
    CheckGlobalUpgrades();
    CheckResearch();
    CheckDefinitionsMisc();
    CheckMissions();
    CheckTexts();
    if (m_artGroups & (ART_UI | ART_WORLD))
        CheckArt();
    if (m_artGroups & ART_SOUNDS)
        CheckSounds();
    if (m_artGroups & ART_WORLD)
        CheckWorldArt();
    DataRules rules(m_root, [this](const char* rule, const std::string& file, int line, const std::string& what) {
        ReportAt(rule, file, line, what);
    });
    rules.CheckSimConfig();
    rules.CheckBinaryContent();
    rules.CheckValues();
    rules.CheckTableHeaders();
    if (ChecksArt(ART_UI))
    {
        rules.CheckShaders();
        rules.CheckFontWidths();
    }
    ReportOverflow();
    return m_findings;
}

void DataChecker::LoadEverything()
{
    // The loaders report into the error log; give them a private one and read it afterwards.
    m_logFolder = (fs::temp_directory_path() / ("fv_datacheck_" + std::to_string(::getpid()))).string();
    std::error_code ignored;
    fs::remove_all(m_logFolder, ignored);
    GDebugLog::Instance().Open(m_logFolder);
    GBufferedFileManager::Instance().Clear();
    GRandom::Init();

    GTextTable::Instance().SetFileName(m_root + "/strings.ini");
    GTextTable::Instance().Unload();
    SIM_SimConfig::UseFile(m_root + "/simconfig.txt");
    // A new game keeps the component types of the last one; a new check starts without them.
    SIM_VehicleComponentTypeManager::Instance().Clear();
    LoadDefinitionTree(m_sim);
    LoadVehicleColors(m_sim + "/car_colors.txt");
    SIM_MissionManager::Instance().Unload();
    const std::string missions = m_root + "/missions/*.txt";
    SIM_MissionManager::Instance().Load(missions.c_str());
}

void DataChecker::CheckLoaderErrors()
{
    std::istringstream lines(ReadAll(GDebugLog::Instance().GetErrorPath()));
    std::string line;
    // The game's own lines about the constants and about numbers it only half read are found
    // again, with their line, by the rules on values.
    const std::string constants = m_root + "/simconfig.txt";
    while (std::getline(lines, line))
        if (!line.empty() && line.find(constants) == std::string::npos && !GNumberText::IsNumberReport(line))
            Report("loader", line);
    std::error_code ignored;
    fs::remove_all(m_logFolder, ignored);
}

void DataChecker::CheckFiles()
{
    // Every file in a listed folder is loaded as data, so nothing else may live there.
    const std::vector<std::pair<std::string, std::string>> folders = {
        {m_root + "/missions", ".txt"}, {m_sim + "/tasks", ".ini"},           {m_sim + "/facilities", ".ini"},
        {m_sim + "/upgrades", ".txt"},  {m_sim + "/global_upgrades", ".txt"}, {m_sim + "/components", ".txt"},
    };
    for (const auto& [folder, extension] : folders)
    {
        if (!fs::is_directory(folder))
        {
            Report(folder, "folder missing");
            continue;
        }
        for (const auto& entry : fs::directory_iterator(folder))
        {
            const std::string name = entry.path().filename().string();
            if (name.empty() || name[0] == '.')
                continue;
            if (entry.is_directory())
                Report(entry.path().string(), "sub-folder in a data folder is never read");
            else if (entry.path().extension() != extension && !(folder == m_sim + "/tasks" && name == "tasks.csv"))
                Report(entry.path().string(), "stray file in a data folder");
        }
    }
    // Line ends: every text file is written with LF only.
    for (const auto& entry : fs::recursive_directory_iterator(m_root))
    {
        if (!entry.is_regular_file())
            continue;
        const std::string ext = entry.path().extension().string();
        if (ext != ".txt" && ext != ".ini" && ext != ".csv" && ext != ".atl" && ext != ".fx")
            continue;
        if (ReadAll(entry.path().string()).find('\r') != std::string::npos)
            Report(entry.path().string(), "carriage return in a text file (use LF line ends)");
    }
}

void DataChecker::CheckLayoutSections(const std::string& file, bool facility)
{
    auto& props = SIM_PropTypeManager::Instance();
    for (const std::string& section : SectionNames(file))
    {
        if (section.find("tile") == std::string::npos)
            continue;
        IniLoader tile;
        tile.Load(section, file);
        // Props are read from prop0 upwards and stop at the first gap or unknown type.
        int count = 0;
        while (tile.HasKey("prop" + std::to_string(count)))
            ++count;
        for (const auto& pair : tile.GetPairs())
        {
            if (pair.key.rfind("prop", 0) != 0)
                continue;
            const int index = std::atoi(pair.key.c_str() + 4);
            if (index >= count)
                Report(file, "[" + section + "] " + pair.key + " is never read (gap in the prop list)");
        }
        for (int i = 0; i < count; ++i)
        {
            const auto fields = Cells(tile.GetValue("prop" + std::to_string(i)));
            if (fields.size() < 3)
                Report(file, "[" + section + "] prop" + std::to_string(i) + " needs position,type,facing");
            else if (!props.GetPropType(fields[1]))
                Report(file, "[" + section + "] unknown prop type '" + fields[1] + "'");
            else if (fields[1] == "robot2" && !facility)
                Report(file, "[" + section + "] robot2 props are added by the game, not written");
        }
        const std::string texture = tile.GetValue("texture");
        if (!texture.empty())
            m_namedTextures.push_back(texture);
    }
    for (const auto& [key, value] : SectionPairs(file, "upgrades"))
    {
        if (value.empty())
            Report(file, "[upgrades] bare line '" + key + "' names no upgrade (write key = name)");
        else if (!SIM_SlotUpgradeManager::Instance().GetUpgrade(value))
            Report(file, "[upgrades] unknown upgrade '" + value + "'");
    }
}

void DataChecker::CheckTaskFiles()
{
    auto& tasks = SIM_ProductionTaskManager::Instance();
    auto& resources = SIM_ResourceManager::Instance();
    std::set<std::string> names;
    for (const std::string& file : ListFiles(m_sim + "/tasks/*.ini"))
    {
        IniLoader task;
        task.Load("task", file);
        const std::string name = task.GetValue("name");
        if (name.empty())
            Report(file, "task without a name");
        else if (!names.insert(name).second)
            Report(file, "duplicate task name '" + name + "'");
        else if (!SafeName(name) && !NamedWithBlank(name) && name != SIM_DataNames::kTaskFitFrontAxle)
            Report(file, "task name '" + name + "' is not plain lower case, digits and underscores");
        for (const char* section : {"resources", "exports"})
            for (const auto& [key, value] : SectionPairs(file, section))
            {
                if (!resources.FindResource(key))
                    Report(file, std::string("[") + section + "] unknown resource '" + key + "'");
                if (std::atoi(value.c_str()) <= 0)
                    Report(file, std::string("[") + section + "] count of '" + key + "' is not positive");
            }
        for (const char* section : {"subtasksrequired", "subtasksapplied"})
            for (const std::string& sub : SectionList(file, section))
                if (!tasks.GetTask(sub))
                    Report(file, std::string("[") + section + "] unknown task '" + sub + "'");
        for (const std::string& component : SectionList(file, "components"))
            if (!SIM_VehicleComponentTypeManager::Instance().GetComponentType(component))
                Report(file, "[components] unknown component type '" + component + "'");
        for (const std::string& feature : SectionList(file, "features"))
            if (!SIM_VehicleFeatureManager::Instance().GetFeature(feature))
                Report(file, "[features] unknown feature '" + feature + "'");
        CheckLayoutSections(file, false);
        for (const char* key : {"SpriteNE", "SpriteSE", "SpriteSW", "SpriteNW"})
            if (!task.GetValue(key).empty())
                m_namedTextures.push_back(task.GetValue(key));
        if (task.HasKey("placement_sound") && !task.GetValue("placement_sound").empty())
            m_namedSounds.push_back(task.GetValue("placement_sound"));
    }
    for (const char* required : SIM_DataNames::kRequiredTasks)
        if (!tasks.GetTask(required))
            Report(m_sim + "/tasks", std::string("required task '") + required + "' missing");
}

void DataChecker::CheckTaskTable()
{
    const std::string path = m_sim + "/tasks/tasks.csv";
    if (!fs::exists(path))
    {
        Report(path, "missing");
        return;
    }
    std::map<std::string, int> rows;
    Spreadsheet table(path);
    for (const std::string& row : table.GetRows())
    {
        const auto cells = Cells(row);
        const auto raw = RawCells(row);
        const std::string name = cells.size() > 1 ? cells[1] : "";
        if (cells.size() < 8 || raw.size() < 8)
        {
            Report(path, "row '" + row + "' has fewer than 8 cells (is the colour quoted?)");
            continue;
        }
        ++rows[name];
        if (!SIM_ProductionTaskManager::Instance().GetTask(name))
            Report(path, "row names no task: '" + name + "'");
        if (std::atoi(cells[2].c_str()) <= 0)
            Report(path, "'" + name + "' has no positive process time");
        if (std::atoi(cells[4].c_str()) < 0)
            Report(path, "'" + name + "' has a negative cost");
        if (raw.size() != 8 || raw[7].size() < 2 || raw[7].front() != '"' || raw[7].back() != '"' ||
            Split(cells[7]).size() != 3)
            Report(path, "'" + name + "' colour must be one quoted \"r,g,b\" cell");
        if (!cells[3].empty())
            m_namedIcons.push_back(cells[3]);
        if (!cells[6].empty())
            m_namedTextures.push_back(cells[6]);
    }
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
    {
        const int count = rows.count(task->m_name) ? rows[task->m_name] : 0;
        if (count != 1)
            Report(path, "task '" + task->m_name + "' has " + std::to_string(count) + " rows (needs exactly one)");
    }
}

void DataChecker::CheckTaskSemantics()
{
    auto& tasks = SIM_ProductionTaskManager::Instance();
    auto& facilities = SIM_FacilityManager::Instance();
    std::map<std::string, int> levels;
    for (const SIM_ProductionTask* task : tasks.GetTasks())
        levels.emplace(task->m_name, task->m_guiLevel);
    for (const SIM_FacilityTask* facility : facilities.GetTasks())
        levels.emplace(facility->m_name, facility->m_guiLevel);

    for (const SIM_ProductionTask* task : tasks.GetTasks())
    {
        const std::string where = task->m_file;
        // The build menu indents a child one level under its parent.
        if (!task->m_parent.empty())
        {
            auto parent = levels.find(task->m_parent);
            if (parent == levels.end())
                Report(where, "parent '" + task->m_parent + "' names no task or facility");
            else if (parent->second != task->m_guiLevel - 1)
                Report(where, "parent '" + task->m_parent + "' is not one build-menu level above");
        }
        // A station that does not list itself is never recorded on the car, so nothing that
        // requires it can ever pass, and an empty list means the station always has work.
        const bool station = task->m_kind == 1 && !task->m_isConveyor && task->m_name != SIM_DataNames::kTaskExport &&
                             task->m_name != SIM_DataNames::kTaskResourceImporter;
        int others = 0;
        for (const std::string& sub : task->m_subTasksApplied)
            others += sub != task->m_name;
        const bool lists_itself = std::find(task->m_subTasksApplied.begin(), task->m_subTasksApplied.end(),
                                            task->m_name) != task->m_subTasksApplied.end();
        if (station && !lists_itself && others < 2)
            Report(where, "vehicle station does not list itself in [subtasksapplied]");
        if (task->m_kind == 1 && !task->m_isConveyor && task->m_exitDirections.empty() &&
            task->m_name != SIM_DataNames::kTaskResourceImporter)
            Report(where, "vehicle station without exitdirectionoffsets: cars can never leave it");
        for (int d : task->m_exitDirections)
            if (d < 0 || d > 3)
                Report(where, "exit offset out of 0..3");
        for (int d : task->m_inputDirections)
            if (d < 0 || d > 3)
                Report(where, "input offset out of 0..3");
        if (task->m_kind == 0)
        {
            bool stockpile = false, output = false;
            for (const auto& tile : task->m_tiles)
            {
                stockpile |= tile.type == TT_STOCKPILE;
                output |= tile.type == TT_EXPORT;
            }
            if (task->m_exports.empty() || !output)
                Report(where, "component task without [exports] or a TT_EXPORT tile");
            if (!task->m_resources.empty() && !stockpile)
                Report(where, "component task needs resources but has no TT_STOCKPILE tile");
        }
        if (!task->m_resources.empty() && task->m_kind == 1)
        {
            bool stockpile = false;
            for (const auto& tile : task->m_tiles)
                stockpile |= tile.type == TT_STOCKPILE;
            if (!stockpile)
                Report(where, "station needs resources but has no TT_STOCKPILE tile");
        }
    }

    // Required stations may not require each other in a circle.
    std::map<std::string, int> state; // 0 new, 1 on the path, 2 done
    std::function<bool(const std::string&)> cyclic = [&](const std::string& name) {
        int& s = state[name];
        if (s == 1)
            return true;
        if (s == 2)
            return false;
        s = 1;
        const SIM_ProductionTask* task = tasks.GetTask(name);
        if (task)
            for (const std::string& required : task->m_subTasksRequired)
                if (cyclic(required))
                    return true;
        state[name] = 2;
        return false;
    };
    for (const SIM_ProductionTask* task : tasks.GetTasks())
        if (cyclic(task->m_name))
        {
            Report(task->m_file, "required stations form a circle");
            break;
        }
}

void DataChecker::CheckConveyorPieces()
{
    // A dragged chain finds its pieces by their sides, as the game does: a piece that another one
    // with the same sides hides is never built, and a missing one leaves a line that a second line
    // cannot join or a branch leave.
    static const struct
    {
        std::vector<int> inputs, exits;
        const char* what;
    } kPieces[] = {
        {{2}, {0}, "a straight run"},
        {{2}, {1}, "a right turn"},
        {{2}, {3}, "a left turn"},
        {{2, 3}, {0}, "a merge from the left"},
        {{1, 2}, {0}, "a merge from the right"},
        {{2}, {0, 3}, "a split to the left"},
        {{2}, {0, 1}, "a split to the right"},
    };
    const SIM_ProductionTask* found = nullptr;
    int facing = 0;
    for (const auto& piece : kPieces)
        if (!SIM_PlacementQueries::FindConveyorTask(piece.inputs, piece.exits, found, facing))
            Report(m_sim + "/tasks", std::string("no conveyor task is ") + piece.what);
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        if (task->IsConveyor() &&
            SIM_PlacementQueries::FindConveyorTask(task->m_inputDirections, task->m_exitDirections, found, facing) &&
            found != task)
            Report(task->m_file, "conveyor task has the sides of '" + found->m_name + "', which chains build instead");
}

void DataChecker::CheckFacilities()
{
    auto& facilities = SIM_FacilityManager::Instance();
    std::set<std::string> names;
    for (const std::string& file : ListFiles(m_sim + "/facilities/*.ini"))
    {
        IniLoader task;
        task.Load("task", file);
        const std::string name = task.GetValue("name");
        if (!SafeName(name))
            Report(file, "facility name '" + name + "' is not plain lower case, digits and underscores");
        if (!names.insert(name).second)
            Report(file, "duplicate facility name '" + name + "'");
        if (SIM_ProductionTaskManager::Instance().GetTask(name))
            Report(file, "a production task has the same name '" + name + "'");
        CheckLayoutSections(file, true);
        if (!task.GetValue("icon").empty())
            m_namedIcons.push_back(task.GetValue("icon"));
        if (!task.GetValue("placement_sound").empty())
            m_namedSounds.push_back(task.GetValue("placement_sound"));
    }
    for (const auto& [requiredName, requiredClass] : SIM_DataNames::kRequiredFacilities)
    {
        const std::string name = requiredName;
        const std::string cls = requiredClass;
        const SIM_FacilityTask* facility = facilities.GetTask(name);
        if (!facility)
        {
            Report(m_sim + "/facilities", "required facility '" + name + "' missing");
            continue;
        }
        if (facility->m_class != cls)
            Report(facility->m_file, "class must be '" + cls + "' for " + name);
    }
    for (const SIM_FacilityTask* facility : facilities.GetTasks())
    {
        const bool powerPlant = facility->m_class == SIM_DataNames::kClassPowerplantSlot;
        const bool supply = facility->m_class == SIM_DataNames::kClassSupplyStockpile;
        // Saved games rebuild facilities by name, the placer by class: both must agree.
        if ((powerPlant && facility->m_name != SIM_DataNames::kFacPowerPlant) ||
            (supply && facility->m_name != SIM_DataNames::kFacSupplyStockpile))
            Report(facility->m_file,
                   "class '" + facility->m_class + "' is only kept by saved games for its own facility name");
        if (facility->m_tiles.empty())
            Report(facility->m_file, "facility without tiles");
        if (facility->m_processTime <= 0.0f)
            Report(facility->m_file, "facility without a positive processtime");
        if (facility->m_name == SIM_DataNames::kFacPowerPlant &&
            facility->GetTaskSection().GetValue(SIM_DataNames::kKeyPowerSupply).empty())
            Report(facility->m_file, "power plant without power_supply");
        if (facility->m_name == SIM_DataNames::kFacResearchOffice &&
            facility->GetTaskSection().GetValue(SIM_DataNames::kKeyResearchPoints).empty())
            Report(facility->m_file, "research office without research_points_earned");
    }
    if (const SIM_FacilityTask* supply = facilities.GetTask(SIM_DataNames::kFacSupplyStockpile))
    {
        int pallets = 0;
        for (const auto& tile : supply->m_tiles)
        {
            std::set<int> places;
            int onTile = 0;
            for (const auto& prop : tile.props)
                if (prop->propType && prop->propType->m_name.find("pallet") != std::string::npos)
                {
                    ++onTile;
                    if (!places.insert(prop->position).second)
                        Report(supply->m_file, "two pallets share a sub-tile place");
                }
            if (onTile > 16)
                Report(supply->m_file, "more than 16 pallets on one tile");
            pallets += onTile;
        }
        if (pallets != 36)
            Report(supply->m_file, "supply stockpile has " + std::to_string(pallets) + " pallets (needs exactly 36)");
    }
}

void DataChecker::CheckUpgrades()
{
    auto& research = SIM_ResearchManager::Instance();
    std::set<std::string> names;
    for (const std::string& file : ListFiles(m_sim + "/upgrades/*.txt"))
    {
        IniLoader config;
        config.Load("config", file);
        const std::string name = config.GetValue("name");
        if (!SafeName(name))
            Report(file, "upgrade name '" + name + "' is not plain lower case, digits and underscores");
        if (!names.insert(name).second)
            Report(file, "duplicate upgrade name '" + name + "'");
        if (!config.GetValue("texture").empty())
            m_namedIcons.push_back(config.GetValue("texture"));
        int unlockedBy = 0;
        for (const SIM_Researchable* item : research.GetItems())
            unlockedBy += static_cast<int>(std::count(item->m_unlocks.begin(), item->m_unlocks.end(), name));
        if (unlockedBy != 1)
            Report(file, "upgrade '" + name + "' is unlocked by " + std::to_string(unlockedBy) +
                             " research items (needs one)");
        for (const std::string& section : SectionNames(file))
        {
            if (section == "config")
                continue;
            if (section == "resources")
            {
                for (const auto& [key, value] : SectionPairs(file, section))
                    if (!SIM_ResourceManager::Instance().FindResource(key))
                        Report(file, "[resources] unknown resource '" + key + "'");
            }
            else if (section == "components")
            {
                for (const std::string& line : SectionList(file, section))
                {
                    const auto fields = Cells(line);
                    if (fields.size() != 2 || (fields[1] != "1" && fields[1] != "-1"))
                        Report(file, "[components] line '" + line + "' must be type,1 or type,-1");
                    else if (!SIM_VehicleComponentTypeManager::Instance().GetComponentType(fields[0]))
                        Report(file, "[components] unknown component type '" + fields[0] + "'");
                }
            }
            else if (section.find("prop") != std::string::npos)
            {
                IniLoader prop;
                prop.Load(section, file);
                if (!SIM_PropTypeManager::Instance().GetPropType(prop.GetValue("type")))
                    Report(file, "[" + section + "] unknown prop type '" + prop.GetValue("type") + "'");
            }
            else if (section.find("feature") != std::string::npos)
            {
                IniLoader feature;
                feature.Load(section, file);
                if (!SIM_VehicleFeatureManager::Instance().GetFeature(feature.GetValue("name")))
                    Report(file, "[" + section + "] unknown feature '" + feature.GetValue("name") + "'");
            }
            else
            {
                IniLoader effect;
                effect.Load(section, file);
                if (ParseUpgradeEffectType(effect.GetValue("type")) == SU_NONE)
                    Report(file, "[" + section + "] unknown effect type '" + effect.GetValue("type") + "'");
            }
        }
    }
}

void DataChecker::CheckGlobalUpgrades()
{
    for (const std::string& file : ListFiles(m_sim + "/global_upgrades/*.txt"))
    {
        IniLoader config;
        config.Load("config", file);
        const std::string variable = config.GetValue("VariableName");
        if (std::none_of(std::begin(SIM_DataNames::kFactoryVariables), std::end(SIM_DataNames::kFactoryVariables),
                         [&variable](const char* known) { return variable == known; }))
            Report(file, "unknown VariableName '" + variable + "'");
        if (!SIM_ResearchManager::Instance().GetResearchable(config.GetValue("ResearchName")))
            Report(file, "ResearchName '" + config.GetValue("ResearchName") + "' names no research");
        if (1.0f + std::atof(config.GetValue("Value").c_str()) <= 0.0)
            Report(file, "Value takes the multiplier to zero or below");
    }
}

void DataChecker::CheckResearch()
{
    auto& research = SIM_ResearchManager::Instance();
    const std::string path = m_sim + "/research/research.csv";
    if (!research.GetResearchable("research_expansion"))
        Report(path, "research_expansion missing (zones can never be bought)");
    std::set<std::string> names;
    for (const SIM_Researchable* item : research.GetItems())
    {
        if (!names.insert(item->m_name).second)
            Report(path, "duplicate research '" + item->m_name + "'");
        if (!SafeName(item->m_name))
            Report(path, "research name '" + item->m_name + "' is not plain lower case, digits and underscores");
        if (!item->m_prerequisiteName.empty() && !research.GetResearchable(item->m_prerequisiteName))
            Report(path, "'" + item->m_name + "' needs unknown research '" + item->m_prerequisiteName + "'");
        // Walk up the prerequisites: a circle would make the whole branch unreachable.
        const SIM_Researchable* up = item->m_prerequisite;
        for (size_t steps = 0; up; ++steps, up = up->m_prerequisite)
            if (up == item || steps > research.GetItems().size())
            {
                Report(path, "'" + item->m_name + "' is its own prerequisite");
                break;
            }
        for (const std::string& unlock : item->m_unlocks)
            if (!SIM_ProductionTaskManager::Instance().GetTask(unlock) &&
                !SIM_FacilityManager::Instance().GetTask(unlock) &&
                !SIM_SlotUpgradeManager::Instance().GetUpgrade(unlock))
                Report(path, "'" + item->m_name + "' unlocks unknown '" + unlock + "'");
        if (!item->m_icon.empty())
            m_namedIcons.push_back(item->m_icon);
    }
    auto unlocked = [&](const std::string& name) { return research.FindUnlockingResearch(name) != nullptr; };
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        if (task->m_locked && !unlocked(task->m_name))
            Report(task->m_file, "locked, but no research unlocks it");
    for (const SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        if (facility->m_locked && !unlocked(facility->m_name))
            Report(facility->m_file, "locked, but no research unlocks it");
}

void DataChecker::CheckDefinitionsMisc()
{
    for (const char* required : SIM_DataNames::kRequiredProps)
        if (!SIM_PropTypeManager::Instance().GetPropType(required))
            Report(m_sim + "/props/props.csv", std::string("required prop type '") + required + "' missing");
    std::set<std::string> names;
    for (const SIM_Prop* prop : SIM_PropTypeManager::Instance().GetPropTypes())
    {
        if (!names.insert(prop->m_name).second)
            Report(m_sim + "/props/props.csv", "duplicate prop type '" + prop->m_name + "'");
        if (prop->m_kind == PROP_ANIMATED || prop->m_kind == PROP_SIMPLEANIMATED)
            for (int facing = 0; facing < 4; ++facing)
                if (prop->m_animations[facing].empty())
                    Report(m_sim + "/props/props.csv", "animated prop '" + prop->m_name +
                                                           "' has no animation for facing " + std::to_string(facing));
        for (const auto& sprite : prop->m_sprites)
            if (!sprite.empty())
                m_namedTextures.push_back(sprite);
    }
    names.clear();
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
    {
        if (!names.insert(resource->m_name).second)
            Report(m_sim + "/resources/resources.csv", "duplicate resource '" + resource->m_name + "'");
        if (!SafeName(resource->m_name))
            Report(m_sim + "/resources/resources.csv", "resource name '" + resource->m_name + "' is not plain");
        if (resource->m_basePrice <= 0.0f)
            Report(m_sim + "/resources/resources.csv", "resource '" + resource->m_name + "' has no price");
        m_namedIcons.push_back(resource->m_icon);
    }
    names.clear();
    for (const SIM_VehicleFeature* feature : SIM_VehicleFeatureManager::Instance().GetFeatures())
    {
        if (!names.insert(feature->m_name).second)
            Report(m_sim + "/features/features.csv", "duplicate feature '" + feature->m_name + "'");
        if (!SafeName(feature->m_name))
            Report(m_sim + "/features/features.csv", "feature name '" + feature->m_name + "' is not plain");
    }
    names.clear();
    for (const SIM_VehicleComponentType* type : SIM_VehicleComponentTypeManager::Instance().GetComponentTypes())
        if (!names.insert(type->m_name).second)
            Report(m_sim + "/components", "duplicate component type '" + type->m_name + "'");
    if (GetVehicleColors().empty())
        Report(m_sim + "/car_colors.txt", "no car colours");
}

void DataChecker::CheckMissions()
{
    const auto& missions = SIM_MissionManager::Instance().GetMissions();
    if (missions.empty())
        Report(m_root + "/missions", "no missions");
    std::set<std::string> names;
    for (const SIM_Mission* mission : missions)
    {
        const std::string where = mission->m_file;
        if (!names.insert(mission->m_name).second)
            Report(where, "duplicate mission name '" + mission->m_name + "'");
        if (!SafeName(mission->m_name))
            Report(where, "mission name '" + mission->m_name + "' is not plain");
        if (mission->m_worldX < 1 || mission->m_worldX > 999 || mission->m_worldY < 1 || mission->m_worldY > 999)
            Report(where, "grid size out of 1..999");
        if (mission->m_startingCash <= 0)
            Report(where, "no starting cash");
        if (!mission->m_icon.empty())
            m_namedIcons.push_back(mission->m_icon);
        int unlocked = 0;
        std::set<std::string> zoneNames;
        for (const auto& zone : mission->m_zones)
        {
            const std::string z = where + " zone '" + zone->m_guiName + "'";
            if (zone->m_state == SIM_BuildingZone::STATE_UNREAD)
                Report(z, "type is neither LOCKED nor UNLOCKED");
            if (zone->m_state == SIM_BuildingZone::STATE_UNLOCKED)
            {
                ++unlocked;
                if (zone->m_floorTextures.empty())
                    Report(z, "unlocked zone without floortextures");
            }
            if (zone->m_guiName.empty() || zone->m_guiName.find(',') != std::string::npos ||
                !zoneNames.insert(zone->m_guiName).second)
                Report(z, "GUIName must be set, unique and without commas");
            if (zone->m_wallId < 1 || zone->m_wallId > 3)
                Report(z, "wallid must be 1, 2 or 3");
            for (const auto& floor : zone->m_floorTextures)
                m_namedTextures.push_back(floor);
        }
        if (unlocked == 0)
            Report(where, "no UNLOCKED zone to start in");
        // The game clips zones to the grid, so look at the bounds as written.
        // Top and bottom bound grid x, left and right bound grid y.
        for (const std::string& section : SectionNames(where))
        {
            if (section.find("zone") == std::string::npos)
                continue;
            IniLoader zone;
            zone.Load(section, where);
            const int left = std::atoi(zone.GetValue("left").c_str()),
                      right = std::atoi(zone.GetValue("right").c_str());
            const int top = std::atoi(zone.GetValue("top").c_str()),
                      bottom = std::atoi(zone.GetValue("bottom").c_str());
            if (top > bottom || left > right)
                Report(where + " [" + section + "]", "zone sides are swapped (left past right or top past bottom)");
            else if (top < 0 || bottom > mission->m_worldX - 1 || left < 0 || right > mission->m_worldY - 1)
                Report(where + " [" + section + "]", "zone reaches past the grid");
        }
        for (size_t i = 0; i < mission->m_zones.size(); ++i)
            for (size_t j = i + 1; j < mission->m_zones.size(); ++j)
            {
                const SIM_BuildingZone* a = mission->m_zones[i].get();
                const SIM_BuildingZone* b = mission->m_zones[j].get();
                if (a->m_top <= b->m_bottom && b->m_top <= a->m_bottom && a->m_left <= b->m_right &&
                    b->m_left <= a->m_right)
                    Report(where, "zones '" + a->m_guiName + "' and '" + b->m_guiName + "' overlap");
            }
        auto inGrid = [&](int x, int y) { return x >= 0 && y >= 0 && x < mission->m_worldX && y < mission->m_worldY; };
        auto check_site = [&](const SIM_GridPos& site, bool exportSite) {
            const std::string s = where + " site " + std::to_string(site.x) + "," + std::to_string(site.y);
            if (!inGrid(site.x, site.y) || !mission->GetZoneAt(site.x, site.y))
            {
                Report(s, "site is not inside a zone");
                return;
            }
            static const int dx[4] = {0, 1, 0, -1};
            static const int dy[4] = {-1, 0, 1, 0};
            bool outside = false, outsideInGrid = false;
            for (int f = 0; f < 4; ++f)
            {
                const int nx = site.x + dx[f], ny = site.y + dy[f];
                if (!inGrid(nx, ny))
                    outside = true;
                else if (!mission->GetZoneAt(nx, ny))
                    outside = outsideInGrid = true;
            }
            if (!outside)
                Report(s, "site has no neighbour outside every zone");
            else if (exportSite && !outsideInGrid)
                Report(s, "export site needs an in-grid outside neighbour for cars to leave by");
        };
        for (const auto& site : mission->m_imports)
            check_site(site, false);
        for (const auto& site : mission->m_exports)
            check_site(site, true);
        if (mission->m_imports.empty())
            Report(where, "no import site");
        if (mission->m_exports.empty())
            Report(where, "no export site");
    }
}

void DataChecker::CheckTexts()
{
    const std::string path = m_root + "/strings.ini";
    std::istringstream lines(ReadAll(path));
    std::string line;
    std::set<std::string> keys;
    bool inStrings = false;
    while (std::getline(lines, line))
    {
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[')
        {
            inStrings = line.rfind("[strings]", 0) == 0;
            continue;
        }
        const size_t eq = line.find('=');
        if (!inStrings || eq == std::string::npos)
            continue;
        std::string key;
        for (char c : line.substr(0, eq))
            if (c != ' ' && c != '\t')
                key += c;
        const std::string value = line.substr(eq + 1);
        if (!keys.insert(key).second)
            Report(path, "duplicate key " + key);
        if (value.empty())
            Report(path, "key " + key + " has no text");
        for (unsigned char c : value)
            if (!Drawable(c))
            {
                Report(path, "key " + key + " uses a character the fonts cannot draw");
                break;
            }
        if (value.size() >= 2048)
            Report(path, "key " + key + " is longer than 2047 characters");
    }
    for (const std::string& key : RequiredTextKeys())
        if (!keys.count(key))
            Report(path, "missing key " + key);
}

bool DataChecker::TextureExists(const std::string& name) const
{
    return m_bitmapPaths.count(name) > 0;
}

void DataChecker::CheckArt()
{
    const std::string bitmaps = m_root + "/bitmaps";
    if (fs::is_directory(bitmaps))
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(bitmaps))
            if (entry.is_regular_file())
                files.push_back(entry.path().string());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files)
            if (!m_bitmapPaths.emplace(BaseName(file), file).second)
                Report(file, "texture name used twice under bitmaps");
    }
    CheckAtlases();
    // Props, resources and car layers name atlas entries; the code falls back to a plain file.
    std::set<std::string> reported;
    if (ChecksArt(ART_WORLD))
        for (const std::string& name : m_namedTextures)
            if (!TextureExists(name) && !m_atlasSprites.count(name) && reported.insert(name).second)
                Report(bitmaps, "texture '" + name + "' named by the data does not exist");
    if (ChecksArt(ART_UI))
        CheckInterfaceArt();
}

void DataChecker::CheckInterfaceArt()
{
    auto decode = [](const std::string& path, PImage& image) {
        std::vector<uint8_t> bytes;
        return PImageCodec::ReadFile(path, bytes) && PImageCodec::Decode(bytes.data(), bytes.size(), image);
    };
    for (const InterfaceTexture& rule : InterfaceTextures::All())
    {
        const auto at = m_bitmapPaths.find(rule.name);
        if (at == m_bitmapPaths.end())
        {
            Report(m_root + "/bitmaps", "interface picture '" + rule.name + "' does not exist");
            continue;
        }
        PImage image;
        if (!decode(at->second, image))
        {
            Report(at->second, "cannot be read as a picture");
            continue;
        }
        for (const std::string& problem : InterfaceTextures::Problems(rule, image))
            Report(at->second, problem);
    }
    const std::string cursor = m_root + "/bitmaps/gui/delete_cursor.cur";
    std::vector<uint8_t> bytes;
    if (!PImageCodec::ReadFile(cursor, bytes))
        Report(cursor, "the delete cursor does not exist");
    else
        for (const std::string& problem : InterfaceTextures::CursorProblems(bytes))
            Report(cursor, problem);
    // Icons are drawn as squares and, through the atlas, by the shape of their frame: square and
    // untrimmed, whether plain files or atlas entries.
    std::set<std::string> seen;
    for (const std::string& name : m_namedIcons)
    {
        if (!seen.insert(name).second)
            continue;
        const auto at = m_bitmapPaths.find(name);
        if (at == m_bitmapPaths.end())
        {
            if (!m_atlasSprites.count(name))
                Report(m_root + "/bitmaps", "icon '" + name + "' named by the data does not exist");
            continue;
        }
        PImage image;
        if (!decode(at->second, image))
            Report(at->second, "cannot be read as a picture");
        else if (image.Width() != image.Height())
            Report(at->second,
                   "icon is " + std::to_string(image.Width()) + "x" + std::to_string(image.Height()) + ", not square");
    }
}

void DataChecker::CheckAtlases()
{
    const std::string folder = m_root + "/bitmaps/atlases";
    if (!fs::is_directory(folder))
        return;
    std::vector<std::string> tables;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".atl")
            tables.push_back(entry.path().string());
    std::sort(tables.begin(), tables.end());
    for (const std::string& table : tables)
    {
        std::set<std::string> keys;
        for (const auto& [key, value] : SectionPairs(table, "atlasdata"))
        {
            if (key.empty() || key[0] == '/')
                continue;
            const std::string where = table + " " + key;
            if (!keys.insert(key).second)
                Report(where, "key used twice");
            const std::vector<std::string> cells = Cells(value);
            if (cells.size() != 10)
            {
                Report(where, "needs 10 values: sprite, 4 texture coordinates, atlas texture, 4 frame fractions");
                continue;
            }
            float v[8];
            bool numbers = true;
            for (int i = 0; i < 8; ++i)
            {
                const std::string& text = cells[static_cast<size_t>(i < 4 ? i + 1 : i + 2)];
                char* end = nullptr;
                v[i] = std::strtof(text.c_str(), &end);
                numbers = numbers && !text.empty() && *end == '\0';
            }
            if (!numbers)
            {
                Report(where, "texture coordinates and fractions must be numbers");
                continue;
            }
            auto range = [](float a, float b) { return a >= 0.0f && b <= 1.0f && a < b; };
            if (!range(v[0], v[2]) || !range(v[1], v[3]))
                Report(where, "texture coordinates must lie in 0..1, left above right and top above bottom");
            if (!range(v[4], v[6]) || !range(v[5], v[7]))
                Report(where, "frame fractions must lie in 0..1, left above right and top above bottom");
            if (!TextureExists(cells[5]))
                Report(where, "atlas texture '" + cells[5] + "' does not exist");
            m_atlasSprites.insert(cells[0]);
        }
    }
}

bool DataChecker::ParseArtGroups(const std::string& text, unsigned& groups)
{
    groups = text.empty() ? ART_ALL : 0u;
    size_t start = 0;
    while (start < text.size())
    {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string name = text.substr(start, comma - start);
        if (name == "sounds")
            groups |= ART_SOUNDS;
        else if (name == "ui")
            groups |= ART_UI;
        else if (name == "world")
            groups |= ART_WORLD;
        else
            return false;
        start = comma + 1;
    }
    return true;
}

void DataChecker::CheckWorldArt()
{
    WorldArt(m_root, [this](const std::string& where, const std::string& what) { Report(where, what); }).Run();
}

void DataChecker::CheckSounds()
{
    // Every sound must be a file the game can play: a missing one only traces, and a broken
    // one silently plays nothing.
    auto check = [this](const std::string& path, const std::string& what) {
        double ms = 0.0;
        if (!fs::exists(path))
            Report(path, what + " does not exist");
        else if (!PSoundFileInfo::LengthOfFile(path, ms) || ms <= 0.0)
            Report(path, what + " is no playable sound");
    };
    std::set<std::string> checked;
    for (const std::string& name : GUI_SoundNames::AllEffects())
        if (checked.insert(name).second)
            check(m_root + "/sounds/" + name, "sound '" + name + "' played by the game");
    for (const std::string& name : m_namedSounds)
        if (checked.insert(name).second)
            check(m_root + "/sounds/" + name, "sound '" + name + "' named by the data");
    check(m_root + "/sounds/music/" + GUI_SoundNames::kMusic, std::string("music '") + GUI_SoundNames::kMusic + "'");
}

const std::vector<std::string>& DataChecker::RequiredTextKeys()
{
    return GTextKeys::All();
}
