// A game folder whose data a modder has damaged: an hour length of 0, no task table, no text
// table, a shader missing, a junk font width table and numbers the game reads only in part. The
// game starts, a mission runs headless, every damage is named in the error log, and the clock keeps
// a pace a player can follow instead of passing an hour every frame. A game folder without data
// stops at once with a box naming the folder it looked in.
#include "GameProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace gameprocess;

namespace
{
// The tools are built beside the tests: <build>/tests/test_app and <build>/tools/headless.
std::string HeadlessExecutable()
{
    const fs::path self = fs::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "tools" / "headless" / "fv_headless").string();
}

// A game folder of its own: the executable beside a data folder the test may damage. The game
// looks for its data beside the executable, so the executable is linked (or copied) in.
class GameFolder
{
public:
    GameFolder()
    {
        char tmpl[] = "/tmp/ferrovane_game_XXXXXX";
        m_folder = mkdtemp(tmpl);
        std::error_code ec;
        fs::create_hard_link(GameExecutable(), m_folder / "ferrovane", ec);
        if (ec)
            fs::copy_file(GameExecutable(), m_folder / "ferrovane");
    }
    ~GameFolder()
    {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;
    void CopyData() const
    {
        fs::copy(fs::path(FV_SOURCE_DIR) / "data", m_folder / "data", fs::copy_options::recursive);
    }
    fs::path Path() const { return m_folder; }
    std::string Executable() const { return (m_folder / "ferrovane").string(); }

private:
    fs::path m_folder;
};

// Runs a command in a folder; its output and exit code.
int RunIn(const fs::path& folder, const std::string& command, std::string& output)
{
    const std::string line = "cd '" + folder.string() + "' && " + command + " 2>/dev/null";
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Replace(const fs::path& file, const std::string& from, const std::string& to)
{
    std::string text = RunSlurp(file);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    RunSpit(file, text);
}
} // namespace

class DamagedData : public RealGameTest
{
protected:
    void SetUp() override
    {
        RealGameTest::SetUp();
        if (IsSkipped())
            return;
        if (!fs::exists(HeadlessExecutable()))
            GTEST_SKIP() << "headless game executable not built";
    }
};

TEST_F(DamagedData, EachDamageIsNamedAndTheGameRunsAtASanePace)
{
    GameFolder game;
    game.CopyData();
    const fs::path data = game.Path() / "data";
    Replace(data / "simconfig.txt", "HOUR_LENGTH = 30000", "HOUR_LENGTH = 0");
    fs::remove(data / "simulation" / "tasks" / "tasks.csv");
    fs::remove(data / "strings.ini");
    fs::remove(data / "shaders" / "highlight_sprite.fx");
    RunSpit(data / "fonts" / "Open Sans Semibold_24.dds.dat", "junk, not a width table\n");
    Replace(data / "missions" / "m01_first_factory.txt", "gui_id = 1", "gui_id = 1st");
    Replace(data / "simulation" / "tasks" / "task_fit_engine.ini", "guilevel = 2", "guilevel = 2.5");

    GameHome home;
    RunSetup setup;
    setup.executable = game.Executable();
    const RunResult started = home.Run({}, "800:close", setup);
    ASSERT_FALSE(started.timedOut);
    EXPECT_EQ(started.exitCode, 0);
    for (const char* named :
         {"Font width table data/fonts/Open Sans Semibold_24.dds.dat is damaged",
          "Text table not found: data/strings.ini", "Shader file missing: data/shaders/highlight_sprite.fx"})
        EXPECT_NE(home.ErrorLog().find(named), std::string::npos) << named << "\n" << home.ErrorLog();

    // Two game hours of a mission, on a clock of 16 ms frames, logging where the game does.
    std::string output;
    const int hours = 2;
    ASSERT_EQ(
        RunIn(game.Path(),
              HeadlessExecutable() + " m01_first_factory " + std::to_string(hours) + " '" + home.User().string() + "'",
              output),
        0)
        << output;
    const size_t at = output.find("hours played: ");
    ASSERT_NE(at, std::string::npos) << output;
    int played = 0;
    long long frames = 0;
    ASSERT_EQ(std::sscanf(output.c_str() + at, "hours played: %d in %lld frames", &played, &frames), 2) << output;
    EXPECT_EQ(played, hours);
    // The built-in half-minute hour: about 1875 frames of 16 ms each, not one frame per hour.
    EXPECT_GE(frames, hours * 1800);
    EXPECT_LE(frames, hours * 1900);

    const std::string errors = home.ErrorLog();
    for (const char* named : {"simconfig.txt: HOUR_LENGTH '0' is out of range", "the game uses 30000",
                              "Failed to find spreadsheet: data/simulation/tasks/tasks.csv",
                              "Font width table data/fonts/Open Sans Semibold_24.dds.dat is damaged",
                              "m01_first_factory.txt [config] gui_id '1st' is not a whole number; read as 1",
                              "task_fit_engine.ini [task] guilevel '2.5' is not a whole number; read as 2"})
        EXPECT_NE(errors.find(named), std::string::npos) << named << "\n" << errors;
}

TEST_F(DamagedData, AGameFolderWithoutDataStopsAndNamesTheFolder)
{
    GameFolder game;
    GameHome home;
    RunSetup setup;
    setup.executable = game.Executable();
    const RunResult r = home.Run({}, "800:close", setup);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(home.ErrorLog().find("The game's data folder was not found: " + (game.Path() / "data").string()),
              std::string::npos)
        << home.ErrorLog();
}
