// Rules on values as they are written, each finding with its file, line and value.
#include "DataRules.h"

#include "TextFileScan.h"

#include "engine/GFontSheets.h"
#include "engine/GShaderNames.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringUtils.h"
#include "platform/video/PEffectSource.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_TableColumns.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace
{
// A tile shows this many places for props; a layout that puts many more on one tile draws them
// all on top of each other.
constexpr int kPropPlacesPerTile = 16;
// The task editor lays a footprint out on a 5 x 5 grid around the anchor.
constexpr int kLayoutReach = 2;

// The files of a folder with the extension, sorted, as the game lists them.
std::vector<std::string> RulesListFiles(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file() && entry.path().extension() == extension &&
            entry.path().filename().string()[0] != '.')
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// What the game reads from a text that is not a whole number: the leading number of at most 63
// characters (integers clamped), nothing finite reads 0.
std::string RulesReadAs(const std::string& text, bool whole)
{
    const std::string head = text.substr(0, 63);
    if (whole)
    {
        const long long v = std::strtoll(head.c_str(), nullptr, 10);
        return std::to_string(v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : v));
    }
    const float v = std::strtof(head.c_str(), nullptr);
    return FormatString("%g", std::isfinite(v) ? static_cast<double>(v) : 0.0);
}

bool RulesContains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// Sensible ranges of upgrade effects: a relative effect below -1 turns a speed or a power use
// negative, one above 10 makes a station ten times faster; absolute ones stay within an hour of
// milliseconds and a power plant's worth of power.
struct EffectRange
{
    int type;
    float least;
    bool leastExcluded;
    float most;
};
constexpr EffectRange kEffectRanges[] = {
    {SU_SPEED, -1.0f, true, 10.0f},
    {SU_POWERUSE, -1.0f, true, 10.0f},
    {SU_QUALITY, -1.0f, true, 10.0f},
    {SU_POWERPROD, -1.0f, true, 10.0f},
    {SU_ABS_SPEED, -3600000.0f, false, 3600000.0f},
    {SU_ABS_POWER, -100000.0f, false, 100000.0f},
};
} // namespace

DataRules::DataRules(std::string dataRoot, Sink sink)
    : m_root(std::move(dataRoot)), m_sim(m_root + "/simulation"), m_sink(std::move(sink))
{
}

void DataRules::Report(const char* rule, const std::string& file, int line, const std::string& what)
{
    m_sink(rule, file, line, what);
}

bool DataRules::Number(const TextFileScan& file, int line, const std::string& what, const std::string& text,
                       NumberKind kind, bool mayBeNegative, float* value, const char* rule)
{
    float v = 0.0f;
    int whole = 0;
    const bool ok = kind == WHOLE ? GNumberText::IsWholeInt(text, &whole) : GNumberText::IsWholeFloat(text, &v);
    if (kind == WHOLE)
        v = static_cast<float>(whole);
    if (!ok)
    {
        Report(rule, file.Path(), line,
               what + " '" + text + "' is not " + (kind == WHOLE ? "a whole number" : "a number") + " (read as " +
                   RulesReadAs(text, kind == WHOLE) + ")");
        return false;
    }
    if (!mayBeNegative && v < 0.0f)
        Report("negative", file.Path(), line, what + " '" + text + "' is negative");
    if (value)
        *value = v;
    return true;
}

void DataRules::CheckSimConfig()
{
    const TextFileScan file(m_root + "/simconfig.txt");
    if (!file.Exists())
    {
        Report("simconfig", file.Path(), 0, "missing: every constant takes its built-in value");
        return;
    }
    bool any = false;
    for (const TextFileScan::Pair& pair : file.Pairs())
        any |= pair.section == "config";
    if (!any)
    {
        Report("simconfig", file.Path(), 0, "empty: no constants in [config]");
        return;
    }
    for (const SIM_SimConstant& constant : SIM_SimConfig::Constants())
    {
        const TextFileScan::Pair* pair = file.Find("config", constant.key);
        const std::string problem =
            SIM_SimConfig::Problem(constant, pair ? pair->value : std::string(), pair != nullptr);
        if (!problem.empty())
            Report("simconfig", file.Path(), pair ? pair->line : 0, std::string(constant.key) + " " + problem);
    }
}

void DataRules::CheckBinaryContent()
{
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(m_root, ec))
    {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() &&
            (ext == ".txt" || ext == ".ini" || ext == ".csv" || ext == ".atl" || ext == ".fx" || ext == ".anim"))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    for (const std::string& path : files)
    {
        const TextFileScan file(path);
        const std::string& bytes = file.Bytes();
        for (size_t i = 0; i < bytes.size(); ++i)
        {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if ((b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F)
            {
                Report("binary", path, file.LineOf(i), FormatString("byte 0x%02X in a text file (binary content)", b));
                break;
            }
        }
    }
}

void DataRules::CheckValues()
{
    for (const std::string& path : RulesListFiles(m_root + "/missions", ".txt"))
        CheckMission(path);
    for (const std::string& path : RulesListFiles(m_sim + "/tasks", ".ini"))
        CheckTaskOrFacility(path, false);
    for (const std::string& path : RulesListFiles(m_sim + "/facilities", ".ini"))
        CheckTaskOrFacility(path, true);
    for (const std::string& path : RulesListFiles(m_sim + "/upgrades", ".txt"))
        CheckUpgrade(path);
    for (const std::string& path : RulesListFiles(m_sim + "/global_upgrades", ".txt"))
    {
        const TextFileScan file(path);
        if (const TextFileScan::Pair* value = file.Find("config", "Value"))
            Number(file, value->line, "[config] Value", value->value, DECIMAL);
    }
    for (const std::string& path : RulesListFiles(m_sim + "/components", ".txt"))
    {
        const TextFileScan file(path);
        for (const TextFileScan::Pair& pair : file.Pairs())
        {
            if (pair.section != "config")
                continue;
            if (pair.key == "z_order")
                Number(file, pair.line, "[config] z_order", pair.value, WHOLE);
            else if (pair.key.rfind("texture_", 0) == 0)
            {
                // "sprite,flag[,sprite2,flag2]": every second cell is a mirror flag.
                const std::vector<std::string> cells = TextFileScan::Split(pair.value);
                for (size_t i = 1; i < cells.size(); i += 2)
                    Number(file, pair.line, "[config] " + pair.key + " flag", cells[i], WHOLE);
            }
        }
    }
    const TextFileScan colours(m_sim + "/car_colors.txt");
    for (const TextFileScan::Pair& pair : colours.Pairs())
        if (pair.section == "colors")
            for (const std::string& cell : TextFileScan::Split(pair.value))
                Number(colours, pair.line, "[colors] " + pair.key, cell, WHOLE, false);
    CheckTables();
}

void DataRules::CheckMission(const std::string& path)
{
    const TextFileScan file(path);
    std::map<std::pair<int, int>, std::string> sites; // site -> the section that listed it first
    for (const TextFileScan::Pair& pair : file.Pairs())
    {
        const std::string where = "[" + pair.section + "] " + pair.key;
        if (pair.section == "config")
        {
            if (pair.key == "worldx" || pair.key == "worldy" || pair.key == "starting_cash" || pair.key == "gui_id")
                Number(file, pair.line, where, pair.value, WHOLE);
        }
        else if (RulesContains(pair.section, "zone"))
        {
            if (pair.key == "left" || pair.key == "top" || pair.key == "right" || pair.key == "bottom" ||
                pair.key == "wallid")
                Number(file, pair.line, where, pair.value, WHOLE);
            else if (pair.key == "rent")
                Number(file, pair.line, where, pair.value, DECIMAL, false);
        }
        else if (pair.section == "imports" || pair.section == "exports")
        {
            const std::vector<std::string> cells = TextFileScan::Split(pair.value);
            if (cells.size() != 2)
            {
                Report("number", path, pair.line, where + " '" + pair.value + "' is not one site x,y");
                continue;
            }
            float x = 0.0f, y = 0.0f;
            if (!Number(file, pair.line, where + " x", cells[0], WHOLE, true, &x) ||
                !Number(file, pair.line, where + " y", cells[1], WHOLE, true, &y))
                continue;
            const auto site = std::make_pair(static_cast<int>(x), static_cast<int>(y));
            const auto [at, fresh] = sites.emplace(site, pair.section);
            if (!fresh)
                Report("duplicate-site", path, pair.line,
                       where + " site '" + pair.value + "' is already listed in [" + at->second + "]");
        }
    }
}

void DataRules::CheckTaskOrFacility(const std::string& path, bool facility)
{
    const TextFileScan file(path);
    for (const TextFileScan::Pair& pair : file.Pairs())
    {
        const std::string where = "[" + pair.section + "] " + pair.key;
        if (pair.section == "task")
        {
            const std::string& k = pair.key;
            if (k == "guilevel" || k == "optional" || k == "is_conveyor" || k == "has_robots" || k == "locked")
                Number(file, pair.line, where, pair.value, WHOLE);
            else if (k == "guiindex" || k == "processtime")
                Number(file, pair.line, where, pair.value, DECIMAL);
            else if (facility && k == "constructioncost")
                Number(file, pair.line, where, pair.value, WHOLE, false);
            else if (facility && (k == "power_demand" || k == "power_supply" || k == "research_points_earned"))
                Number(file, pair.line, where, pair.value, DECIMAL, false);
            else if (!facility && (k == "exitdirectionoffsets" || k == "inputdirectionoffsets"))
                for (const std::string& cell : TextFileScan::Split(pair.value))
                    Number(file, pair.line, where, cell, WHOLE);
        }
        else if (pair.section == "resources" || pair.section == "exports")
            Number(file, pair.line, where, pair.value, WHOLE);
    }
    CheckLayout(file);
}

void DataRules::CheckLayout(const TextFileScan& file)
{
    std::map<std::string, std::pair<int, int>> propsOnTile; // section -> (props, line of the first)
    for (const TextFileScan::Pair& pair : file.Pairs())
    {
        if (!RulesContains(pair.section, "tile"))
            continue;
        const std::string where = "[" + pair.section + "] " + pair.key;
        if (pair.key == "XOffset" || pair.key == "YOffset")
        {
            float offset = 0.0f;
            // The anchor's own offsets are never read: it always stands at (0, 0).
            if (Number(file, pair.line, where, pair.value, WHOLE, true, &offset) && pair.section != "tile" &&
                std::fabs(offset) > static_cast<float>(kLayoutReach))
                Report("tile-offset", file.Path(), pair.line,
                       where + " '" + pair.value + "' cannot lie on the 5x5 layout grid (-2 to 2 from the anchor)");
        }
        else if (pair.key.rfind("prop", 0) == 0 && pair.key.size() > 4 &&
                 std::all_of(pair.key.begin() + 4, pair.key.end(), [](char c) { return c >= '0' && c <= '9'; }))
        {
            const std::vector<std::string> cells = TextFileScan::Split(pair.value);
            if (cells.size() >= 3)
            {
                Number(file, pair.line, where + " place", cells[0], WHOLE);
                Number(file, pair.line, where + " facing", cells[2], WHOLE);
            }
            auto& count = propsOnTile[pair.section];
            if (count.first++ == 0)
                count.second = pair.line;
        }
    }
    for (const auto& [section, count] : propsOnTile)
        if (count.first > kPropPlacesPerTile)
            Report("props-per-tile", file.Path(), count.second,
                   "[" + section + "] stands " + std::to_string(count.first) + " props on one tile, which shows " +
                       std::to_string(kPropPlacesPerTile));
}

void DataRules::CheckUpgrade(const std::string& path)
{
    const TextFileScan file(path);
    std::map<std::string, const TextFileScan::Pair*> effectValues;
    std::map<std::string, int> effectTypes;
    for (const TextFileScan::Pair& pair : file.Pairs())
    {
        const std::string where = "[" + pair.section + "] " + pair.key;
        if (pair.section == "config")
        {
            if (pair.key == "cost")
                Number(file, pair.line, where, pair.value, DECIMAL, false);
        }
        else if (RulesContains(pair.section, "prop"))
        {
            if (pair.key == "offset" || pair.key == "facing" || pair.key == "XOffset" || pair.key == "YOffset")
                Number(file, pair.line, where, pair.value, WHOLE);
        }
        else if (pair.section == "resources")
            Number(file, pair.line, where, pair.value, WHOLE);
        else if (pair.section != "components" && !RulesContains(pair.section, "feature"))
        {
            if (pair.key == "value" && !effectValues.count(pair.section))
                effectValues[pair.section] = &pair;
            else if (pair.key == "type" && !effectTypes.count(pair.section))
                effectTypes[pair.section] = ParseUpgradeEffectType(pair.value);
        }
    }
    for (const auto& [section, pair] : effectValues)
    {
        const std::string where = "[" + section + "] value";
        float value = 0.0f;
        if (!Number(file, pair->line, where, pair->value, DECIMAL, true, &value))
            continue;
        const auto type = effectTypes.find(section);
        if (type == effectTypes.end())
            continue;
        for (const EffectRange& range : kEffectRanges)
        {
            if (range.type != type->second)
                continue;
            const bool low = range.leastExcluded ? !(value > range.least) : !(value >= range.least);
            if (low || value > range.most)
                Report("upgrade-effect", path, pair->line,
                       where + " '" + pair->value + "' is out of range for its effect (must be " +
                           (range.leastExcluded ? "above " : "at least ") +
                           FormatString("%.10g and at most %.10g)", static_cast<double>(range.least),
                                        static_cast<double>(range.most)));
        }
    }
}

void DataRules::CheckTables()
{
    const TextFileScan tasks(m_sim + "/tasks/tasks.csv");
    for (const TextFileScan::Row& row : tasks.Rows())
    {
        const auto& c = row.cells;
        if (c.size() < 8)
            continue;
        const std::string who = "'" + c[1] + "' ";
        Number(tasks, row.line, who + "time", c[2], WHOLE);
        Number(tasks, row.line, who + "cost", c[4], WHOLE, false);
        Number(tasks, row.line, who + "power", c[5], WHOLE, false);
        for (const std::string& part : TextFileScan::Split(c[7]))
            Number(tasks, row.line, who + "colour", part, WHOLE, false);
    }
    const TextFileScan resources(m_sim + "/resources/resources.csv");
    for (const TextFileScan::Row& row : resources.Rows())
    {
        const auto& c = row.cells;
        if (c.size() < 7)
            continue;
        Number(resources, row.line, "'" + c[1] + "' price", c[5], DECIMAL, false);
        Number(resources, row.line, "'" + c[1] + "' scale", c[6], DECIMAL);
    }
    const TextFileScan features(m_sim + "/features/features.csv");
    for (const TextFileScan::Row& row : features.Rows())
        if (row.cells.size() >= 4)
            Number(features, row.line, "'" + row.cells[1] + "' value", row.cells[3], DECIMAL, false);
    const TextFileScan research(m_sim + "/research/research.csv");
    for (const TextFileScan::Row& row : research.Rows())
        if (row.cells.size() >= 7)
            Number(research, row.line, "'" + row.cells[1] + "' cost", row.cells[6], WHOLE, false);

    const TextFileScan props(m_sim + "/props/props.csv");
    static const char* const kKinds[] = {"STATIC", "ANIMATED", "SIMPLEANIMATED", "ROBOT"};
    for (const TextFileScan::Row& row : props.Rows())
    {
        const auto& c = row.cells;
        if (c.size() < 17)
            continue;
        const std::string who = "'" + c[15] + "' ";
        for (size_t i = 2; i <= 5; ++i)
        {
            const std::vector<std::string> sprite = TextFileScan::Split(c[i]);
            if (sprite.size() >= 2)
                Number(props, row.line, who + "sprite flag", sprite[1], WHOLE);
        }
        if (std::find(std::begin(kKinds), std::end(kKinds), c[6]) == std::end(kKinds))
            Report("prop-cell", props.Path(), row.line,
                   who + "kind '" + c[6] + "' is not STATIC, ANIMATED, SIMPLEANIMATED or ROBOT");
        Number(props, row.line, who + "width", c[7], DECIMAL, true, nullptr, "prop-cell");
        Number(props, row.line, who + "height", c[8], DECIMAL, true, nullptr, "prop-cell");
        Number(props, row.line, who + "footprint", c[9], WHOLE, true, nullptr, "prop-cell");
        Number(props, row.line, who + "placement", c[10], WHOLE, true, nullptr, "prop-cell");
        for (size_t i = 11; i <= 14; ++i)
        {
            const std::vector<std::string> list = TextFileScan::Split(c[i]);
            for (size_t j = 1; j < list.size(); j += 2)
                Number(props, row.line, who + "animation flag", list[j], WHOLE);
        }
        Number(props, row.line, who + "depth", c[16], DECIMAL);
    }
}

void DataRules::CheckTableHeaders()
{
    for (const SIM_TableColumns& table : kDefinitionTables)
    {
        const TextFileScan file(m_sim + "/" + table.file);
        if (!file.Exists())
            continue;
        std::string expected;
        for (int i = 0; i < table.count; ++i)
            expected += std::string(i ? "," : "") + table.names[i];
        if (file.HeaderLine() == 0)
        {
            Report("table-header", file.Path(), 0, "no header row; the game reads the columns '" + expected + "'");
            continue;
        }
        std::string found;
        for (size_t i = 0; i < file.HeaderCells().size(); ++i)
            found += std::string(i ? "," : "") + file.HeaderCells()[i];
        if (found != expected)
            Report("table-header", file.Path(), file.HeaderLine(),
                   "header '" + found + "' does not name the columns the game reads, in its order: '" + expected + "'");
    }
}

void DataRules::CheckShaders()
{
    const std::string folder = m_root + "/shaders";
    for (const char* name : kGameShaderNames)
        if (!fs::exists(folder + "/" + name))
            Report("shader", folder + "/" + name, 0, "missing: the views draw without this effect");
    for (const std::string& path : RulesListFiles(folder, ".fx"))
    {
        const TextFileScan file(path);
        PEffectSource source;
        std::string error;
        if (PEffectSource::Parse(file.Bytes(), source, error))
            continue;
        int line = 0;
        if (error.rfind("line ", 0) == 0)
            line = std::atoi(error.c_str() + 5);
        Report("shader", path, line, "does not parse: " + error);
    }
}

void DataRules::CheckFontWidths()
{
    for (const GFontSheet& sheet : kGameFontSheets)
    {
        const std::string path = m_root + "/fonts/" + sheet.texture + ".dat";
        const TextFileScan file(path);
        const size_t cells = static_cast<size_t>(sheet.rows) * static_cast<size_t>(sheet.perRow);
        if (!file.Exists())
        {
            Report("font-width", path, 0, "missing: the game measures the widths from the sheet at every start");
            continue;
        }
        const std::string& bytes = file.Bytes();
        if (bytes.size() != cells * 4)
        {
            Report("font-width", path, 0,
                   std::to_string(bytes.size()) + " bytes where the " + std::to_string(sheet.rows) + "x" +
                       std::to_string(sheet.perRow) + " grid takes " + std::to_string(cells * 4) +
                       " (one 32-bit width per cell)");
            continue;
        }
        for (size_t i = 0; i < cells; ++i)
        {
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + i * 4);
            const auto width =
                static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                     static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
            if (width < 0 || width > sheet.cell)
            {
                Report("font-width", path, 0,
                       "cell " + std::to_string(i) + " is " + std::to_string(width) + " pixels wide in a " +
                           std::to_string(sheet.cell) + "-pixel cell");
                break;
            }
        }
    }
}
