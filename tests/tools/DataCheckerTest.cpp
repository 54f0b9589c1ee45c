// The data checker finds what a modder would break: it runs on a copy of the shipped data with
// one fault put in at a time.
#include "DataChecker.h"

#include "engine/core/GBufferedFileManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

class DataCheckerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("fv_datacheck_test_" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
        for (const char* part : {"simulation", "missions"})
            fs::copy(fs::path(FV_SOURCE_DIR) / "data" / part, m_root / part, fs::copy_options::recursive);
        for (const char* file : {"strings.ini", "simconfig.txt"})
            fs::copy(fs::path(FV_SOURCE_DIR) / "data" / file, m_root / file);
        FreshState::Forget<GBufferedFileManager>();
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string Read(const std::string& relative)
    {
        std::ifstream in(m_root / relative, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& relative, const std::string& text)
    {
        std::ofstream(m_root / relative, std::ios::binary) << text;
    }
    void Replace(const std::string& relative, const std::string& from, const std::string& to)
    {
        std::string text = Read(relative);
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from << " not in " << relative;
        text.replace(at, from.size(), to);
        Write(relative, text);
    }
    std::vector<std::string> Check()
    {
        DataChecker checker(m_root.string());
        return checker.Run();
    }
    static bool Mentions(const std::vector<std::string>& findings, const std::string& text)
    {
        for (const auto& f : findings)
            if (f.find(text) != std::string::npos)
                return true;
        return false;
    }

    fs::path m_root;
};

TEST_F(DataCheckerTest, ShippedDataIsClean)
{
    const auto findings = Check();
    EXPECT_TRUE(findings.empty()) << findings.front();
}

TEST_F(DataCheckerTest, EachBrokenRuleIsReported)
{
    struct Case
    {
        const char* file;
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"simulation/tasks/task_fit_engine.ini", "engine_block = 1", "engine_blok = 1",
         "unknown resource 'engine_blok'"},
        {"simulation/tasks/task_fit_engine.ini", "[subtasksapplied]\ntask_fit_engine", "[subtasksapplied]\n",
         "does not list itself"},
        {"simulation/tasks/task_fit_engine.ini", "feat_engine", "feat_engin", "unknown feature 'feat_engin'"},
        {"simulation/tasks/task_fit_engine.ini", "u0 = upg_fast_tools", "upg_fast_tools", "bare line"},
        {"simulation/tasks/task_fit_engine.ini", "prop1 = 15,tool_cart,1", "prop2 = 15,tool_cart,1",
         "gap in the prop list"},
        {"simulation/tasks/task_fit_engine.ini", "prop0 = 10,machine_press,1", "prop0 = 10,machine_pres,1",
         "unknown prop type"},
        {"simulation/tasks/task_mount_axles.ini", "task_fit chassis\n\n[subtasksapplied]",
         "task_fit_wheels\n\n[subtasksapplied]", "form a circle"},
        {"simulation/tasks/task_conveyor_merge_left.ini", "inputdirectionoffsets = 2,3", "inputdirectionoffsets = 2",
         "no conveyor task is a merge from the left"},
        {"simulation/tasks/task_conveyor_split_right.ini", "exitdirectionoffsets = 0,1", "exitdirectionoffsets = 0,3",
         "which chains build instead"},
        {"simulation/tasks/tasks.csv", "\"220,140,30\"", "220,140,30", "colour must be one quoted"},
        {"simulation/tasks/tasks.csv", "#,task_fit_engine,7000", "#,task_fit_engine,0", "no positive process time"},
        {"simulation/research/research.csv", "task_make_engine", "task_make_engines",
         "unlocks unknown 'task_make_engines'"},
        {"simulation/research/research.csv", "research_expansion,", "research_expanse,", "research_expansion missing"},
        {"simulation/research/research.csv", "upg_turbine_tuning", "", "unlocked by 0 research items"},
        {"simulation/facilities/fac_supply_stockpile.ini", "prop11 = 11,pallet,1", "prop11 = 11,shelf,1",
         "needs exactly 36"},
        {"simulation/facilities/fac_power_plant.ini", "class = SIM_PowerplantSlot", "class = PowerPlant",
         "class must be"},
        {"simulation/global_upgrades/gfv_belts_1.txt", "GFV_CONVEYOR_SPEED", "GFV_BELT_SPEED", "unknown VariableName"},
        {"simulation/upgrades/upg_fast_tools.txt", "SU_SPEED", "SU_FASTER", "unknown effect type"},
        {"missions/m01_first_factory.txt", "0 = 20,10", "0 = 19,10", "no neighbour outside"},
        {"missions/m01_first_factory.txt", "right = 30\nbottom = 30", "right = 32\nbottom = 32",
         "reaches past the grid"},
        {"missions/m01_first_factory.txt", "left = 21\ntop = 1\nright = 30", "left = 30\ntop = 1\nright = 21",
         "[zone1]: zone sides are swapped"},
        {"missions/m02_riverside_works.txt", "type = UNLOCKED", "type = OPEN", "neither LOCKED nor UNLOCKED"},
        {"strings.ini", "GAME_OVER_TITLE=Bankrupt\n", "", "missing key GAME_OVER_TITLE"},
        {"strings.ini", "CONFIRM_YES=Yes", "CONFIRM_YES=Yes & no", "cannot draw"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.file) + ": " + c.expected);
        const std::string original = Read(c.file);
        Replace(c.file, c.from, c.to);
        FreshState::Forget<GBufferedFileManager>();
        EXPECT_TRUE(Mentions(Check(), c.expected));
        Write(c.file, original);
        FreshState::Forget<GBufferedFileManager>();
    }
}

TEST_F(DataCheckerTest, StrayFilesAndCarriageReturnsAreReported)
{
    Write("missions/README.txt.bak", "notes");
    Write("simulation/components/notes.md", "notes");
    Replace("simulation/car_colors.txt", "c1 =", "\r\nc1 =");
    const auto findings = Check();
    EXPECT_TRUE(Mentions(findings, "notes.md: stray file"));
    EXPECT_TRUE(Mentions(findings, "README.txt.bak: stray file"));
    EXPECT_TRUE(Mentions(findings, "car_colors.txt: carriage return"));
}
