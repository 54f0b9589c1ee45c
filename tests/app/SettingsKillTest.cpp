// A settings save killed at any one of its write system calls never costs the player the
// settings: the file holds either what was there before or what the save wrote, and the next
// start finds the player's values. config.txt is rewritten at every start, prefs.ini after a
// crash during set-up. The game runs under strace, which kills it at the chosen call.
#include "GameProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace gameprocess;

namespace
{
// The system calls through which a save changes the disk, each counted on its own.
const char* const kWriteCalls[] = {"openat", "write", "fsync", "close", "rename"};

struct KillRun
{
    std::string call;
    int invocation = 0;
    bool killed = false;
};

// Runs the game once per invocation of every write call on file (or its temporary file),
// killed at that invocation, until a run gets through all invocations of the call; `prepare`
// sets the player's files up before each run, `check` looks at them after it.
RunResult RunKilledAt(const GameHome& home, const fs::path& file, const std::string& call, int invocation)
{
    RunSetup setup;
    setup.wrapper = {
        "strace", "-qq",           "-o", "/dev/null",
        "-P",     file.string(),   "-P", file.string() + ".tmp",
        "-e",     "trace=" + call, "-e", "inject=" + call + ":signal=SIGKILL:when=" + std::to_string(invocation)};
    return home.Run({}, "800:close", setup);
}

template <class Prepare, class Check>
std::vector<KillRun> KillAtEveryWrite(const GameHome& home, const fs::path& file, Prepare prepare, Check check)
{
    std::vector<KillRun> runs;
    for (const char* call : kWriteCalls)
    {
        for (int n = 1; n < 64; ++n)
        {
            prepare();
            const RunResult r = RunKilledAt(home, file, call, n);
            EXPECT_FALSE(r.timedOut) << call << " #" << n;
            KillRun run{call, n, r.exitCode == 128 + SIGKILL};
            runs.push_back(run);
            check(run);
            if (!run.killed)
            {
                EXPECT_EQ(r.exitCode, 0) << "a run past the last " << call << " ends normally";
                break;
            }
        }
    }
    return runs;
}

int KillCount(const std::vector<KillRun>& runs, const std::string& call)
{
    int kills = 0;
    for (const KillRun& run : runs)
        kills += run.killed && run.call == call;
    return kills;
}
} // namespace

class SettingsKill : public RealGameTest
{
protected:
    void SetUp() override
    {
        RealGameTest::SetUp();
        if (IsSkipped())
            return;
        // The tracer is a test dependency; a machine where it cannot trace cannot run this test.
        ASSERT_EQ(std::system("strace -qq -o /dev/null true"), 0) << "strace cannot trace processes here";
    }
};

TEST_F(SettingsKill, ConfigRewrittenAtStartSurvivesAKillAtEveryWrite)
{
    GameHome home;
    const fs::path config = home.User() / "config.txt";
    // The player's own settings, not in the canonical form, so the start really rewrites them.
    const std::string before = "[floats]\nOPTIONS_MUSIC = 0.25\nOPTIONS_SFX=0.5\n[strings]\nPLAYER_NOTE = keep me\n";
    auto prepare = [&] {
        RunSpit(config, before);
        fs::remove(home.User() / "config.txt.tmp");
    };
    prepare();
    ASSERT_EQ(home.Run({}, "800:close").exitCode, 0);
    const std::string after = RunSlurp(config);
    ASSERT_NE(after, before);
    for (const char* value : {"OPTIONS_MUSIC = 0.25\n", "OPTIONS_SFX = 0.50\n", "PLAYER_NOTE = keep me\n"})
        ASSERT_NE(after.find(value), std::string::npos) << value;

    const auto runs = KillAtEveryWrite(home, config, prepare, [&](const KillRun& run) {
        const std::string now = RunSlurp(config);
        EXPECT_TRUE(now == before || now == after) << "killed at " << run.call << " #" << run.invocation << ":\n"
                                                   << now;
    });
    // The kills did land inside the save: on its data, its sync and its rename.
    for (const char* call : {"write", "fsync", "rename"})
        EXPECT_GE(KillCount(runs, call), 1) << call;

    // Killed while writing the data, then started again: the player's values are there.
    prepare();
    ASSERT_EQ(RunKilledAt(home, config, "write", 1).exitCode, 128 + SIGKILL);
    ASSERT_EQ(home.Run({}, "800:close").exitCode, 0);
    EXPECT_EQ(RunSlurp(config), after);
    EXPECT_FALSE(fs::exists(home.User() / "config.txt.tmp"));
}

TEST_F(SettingsKill, PrefsRewrittenAfterACrashSurviveAKillAtEveryWrite)
{
    GameHome home;
    const fs::path prefs = home.User() / "prefs.ini";
    const std::string before = PrefsText(1024, 768, 0, 0);
    const std::string after = PrefsText(1024, 768, 1, 0);
    // The last start died while setting the window up; this one switches to a window.
    auto prepare = [&] {
        RunSpit(prefs, before);
        RunSpit(home.User() / "firstruncrash.txt", "");
        fs::remove(home.User() / "prefs.ini.tmp");
    };
    const auto runs = KillAtEveryWrite(home, prefs, prepare, [&](const KillRun& run) {
        const std::string now = RunSlurp(prefs);
        EXPECT_TRUE(now == before || now == after) << "killed at " << run.call << " #" << run.invocation << ":\n"
                                                   << now;
        if (!run.killed)
        {
            EXPECT_EQ(now, after);
        }
    });
    for (const char* call : {"write", "fsync", "rename"})
        EXPECT_GE(KillCount(runs, call), 1) << call;

    // Killed while writing the data, then started again: the window has the player's size.
    prepare();
    ASSERT_EQ(RunKilledAt(home, prefs, "write", 1).exitCode, 128 + SIGKILL);
    ASSERT_EQ(home.Run({}, "800:close").exitCode, 0);
    EXPECT_EQ(RunSlurp(prefs), after);
    EXPECT_FALSE(fs::exists(home.User() / "prefs.ini.tmp"));
}
