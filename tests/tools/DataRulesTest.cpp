// The checker's rules on values as written: each breaks the shipped data in one place and must
// come back as exactly one finding that names the file, the line and the value; and a file that
// breaks one rule thousands of times shows the first fifty findings and a count.
#include "DataChecker.h"

#include "engine/core/GBufferedFileManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

class DataRulesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_root = fs::temp_directory_path() / ("fv_datarules_" + std::to_string(::getpid()));
        fs::remove_all(s_root);
        fs::copy(fs::path(FV_SOURCE_DIR) / "data", s_root, fs::copy_options::recursive);
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    static std::string Read(const std::string& relative)
    {
        std::ifstream in(s_root / relative, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const std::string& relative, const std::string& text)
    {
        std::ofstream(s_root / relative, std::ios::binary) << text;
        FreshState::Forget<GBufferedFileManager>();
    }
    static std::vector<std::string> Check()
    {
        FreshState::Forget<GBufferedFileManager>();
        DataChecker checker(s_root.string());
        checker.SetArtGroups(DataChecker::ART_UI);
        return checker.Run();
    }
    // The line of the file on which text starts.
    static int LineOf(const std::string& relative, const std::string& text)
    {
        const std::string bytes = Read(relative);
        const size_t at = bytes.find(text);
        return at == std::string::npos ? -1 : 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
    }

    static fs::path s_root;
};

fs::path DataRulesTest::s_root;

TEST_F(DataRulesTest, EachRuleBrokenOnceIsExactlyOneFindingWithFileLineAndValue)
{
    const std::vector<std::string> clean = Check();
    ASSERT_TRUE(clean.empty()) << clean.front();

    struct Case
    {
        const char* rule;
        const char* file;
        const char* from; // replaced once; an empty `from` with `to` "DELETE" removes the file
        const char* to;
        const char* finding; // after "<root>/<file>:<line of `to`>: ", or after "<root>/<file>: " when line is 0
        bool whole = false;  // the finding is about the whole file: no line
    };
    // Seventeen props on the anchor tile of a task, one more than a tile has places for.
    std::string crowded;
    for (int i = 1; i < 17; ++i)
        crowded += "prop" + std::to_string(i) + " = " + std::to_string(i % 16) + ",employee,1\n";
    crowded += "prop0 = 3,employee,1";
    const Case cases[] = {
        {"simconfig out of range", "simconfig.txt", "HOUR_LENGTH = 30000", "HOUR_LENGTH = 0",
         "HOUR_LENGTH '0' is out of range (must be at least 1000 and at most 86400000)"},
        {"simconfig not a number", "simconfig.txt", "HOURLY_WAGE = 50", "HOURLY_WAGE = fifty",
         "HOURLY_WAGE 'fifty' is not a number"},
        {"simconfig constant missing", "simconfig.txt", "CONVEYOR_IMPORT_BAY_DELAY = 400\n", "",
         "CONVEYOR_IMPORT_BAY_DELAY is missing", true},
        {"simconfig empty", "simconfig.txt", "", "", "empty: no constants in [config]", true},
        {"simconfig missing", "simconfig.txt", "", "DELETE", "missing: every constant takes its built-in value", true},
        {"number read as 1", "simulation/tasks/tasks.csv", "#,task_fit_engine,7000,icon_task_fit_engine.dds,7000",
         "#,task_fit_engine,7000,icon_task_fit_engine.dds,1e39",
         "'task_fit_engine' cost '1e39' is not a whole number (read as 1)"},
        {"number clamped", "simulation/research/research.csv", "res_icon_expand.dds,120,",
         "res_icon_expand.dds,99999999999999999999,",
         "'research_expansion' cost '99999999999999999999' is not a whole number (read as 2147483647)"},
        {"number in a mission", "missions/m01_first_factory.txt", "gui_id = 1", "gui_id = 1st",
         "[config] gui_id '1st' is not a whole number (read as 1)"},
        {"negative cost", "simulation/facilities/fac_power_plant.ini", "constructioncost = 15000",
         "constructioncost = -15000", "[task] constructioncost '-15000' is negative"},
        {"upgrade effect", "simulation/upgrades/upg_fast_tools.txt", "value = 0.25", "value = 25",
         "[effect1] value '25' is out of range for its effect (must be above -1 and at most 10)"},
        {"binary content", "simulation/tasks/task_fit_engine.ini", "Lowers the engine", "Lowers the\x01 engine",
         "byte 0x01 in a text file (binary content)"},
        // The first row of the prop table is the employee.
        {"prop kind", "simulation/props/props.csv", "\",STATIC,", "\",STATICK,",
         "'employee' kind 'STATICK' is not STATIC, ANIMATED, SIMPLEANIMATED or ROBOT"},
        {"prop size", "simulation/props/props.csv", "\",STATIC,", "\",STATIC,wide", "'employee' width 'wide"},
        {"tile offset", "simulation/tasks/task_fit_engine.ini", "XOffset = 0\nYOffset = 1\ntype = TT_STOCKPILE",
         "XOffset = 0\nYOffset = 3\ntype = TT_STOCKPILE",
         "[tiles1] YOffset '3' cannot lie on the 5x5 layout grid (-2 to 2 from the anchor)"},
        {"props on one tile", "simulation/tasks/task_fit_engine.ini", "prop0 = 3,employee,1", crowded.c_str(),
         "[tile] stands 17 props on one tile, which shows 16"},
        {"duplicate site", "missions/m01_first_factory.txt", "[exports]\n0 = 20,10\n",
         "[exports]\n0 = 20,10\n1 = 20,10\n", "[exports] 1 site '20,10' is already listed in [exports]"},
        {"table header", "simulation/tasks/tasks.csv", "Token,name,time,icon", "Token,name,icon,time",
         "header 'Token,name,icon,time,cost,power,floor,colour' does not name the columns the game reads, in its "
         "order: 'Token,name,time,icon,cost,power,floor,colour'"},
        {"shader", "shaders/overlay.fx", "technique", "technic", "does not parse: line "},
        {"font width table", "fonts/Open Sans Semibold_16.dds.dat", "", "0123456",
         "7 bytes where the 10x10 grid takes 400 (one 32-bit width per cell)", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.rule);
        const std::string original = Read(c.file);
        std::string broken;
        if (std::string(c.to) == "DELETE")
            fs::remove(s_root / c.file);
        else
        {
            broken = original;
            if (std::string(c.from).empty())
                broken = c.to;
            else
            {
                const size_t at = broken.find(c.from);
                ASSERT_NE(at, std::string::npos) << c.from;
                broken.replace(at, std::strlen(c.from), c.to);
            }
            Write(c.file, broken);
        }
        std::string expected = (s_root / c.file).string();
        if (!c.whole)
        {
            // The finding stands on the line of the first changed character.
            size_t first = 0;
            while (first < broken.size() && first < original.size() && broken[first] == original[first])
                ++first;
            expected += ":" + std::to_string(1 + std::count(broken.begin(), broken.begin() + first, '\n'));
        }
        expected += ": " + std::string(c.finding);
        const std::vector<std::string> findings = Check();
        ASSERT_EQ(findings.size(), 1u) << (findings.empty() ? "no finding" : findings[0] + "\n" + findings.back());
        EXPECT_EQ(findings[0].substr(0, expected.size()), expected);
        Write(c.file, original);
    }
    EXPECT_TRUE(Check().empty());
}

TEST_F(DataRulesTest, ARuleShowsItsFirstFiftyFindingsAndCountsTheRest)
{
    // A mission with three hundred sites whose y is no number: read as y = 0, each one a finding.
    const std::string file = "missions/m01_first_factory.txt";
    const std::string original = Read(file);
    std::string sites = "[imports]\n";
    for (int i = 0; i < 300; ++i)
        sites += std::to_string(100 + i) + " = 1,row" + std::to_string(i) + "\n";
    std::string broken = original;
    broken.replace(broken.find("[imports]\n"), 10, sites);
    Write(file, broken);
    const std::vector<std::string> findings = Check();
    Write(file, original);
    int numbers = 0;
    for (const std::string& f : findings)
        numbers += f.find("is not a whole number") != std::string::npos;
    EXPECT_EQ(numbers, DataChecker::kMaxFindingsPerRule);
    EXPECT_NE(std::find(findings.begin(), findings.end(), "(250 more findings of the rule 'number' not shown)"),
              findings.end());
    EXPECT_LE(findings.size(), 4u * DataChecker::kMaxFindingsPerRule);
}
