// Game modes: the registry by name, switching, and the frame around the current mode.
#include "engine/GGameMode.h"
#include "engine/GGame.h"

#include <gtest/gtest.h>

#include "platform/core/PMessageBox.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{
std::vector<std::string> g_gmModeCalls;

class GmCountingMode : public GGameMode
{
public:
    explicit GmCountingMode(std::string tag) : m_tag(std::move(tag)) {}
    void Enter() override { g_gmModeCalls.push_back(m_tag + ".Enter"); }
    void Exit() override { g_gmModeCalls.push_back(m_tag + ".Exit"); }
    void Process() override
    {
        g_gmModeCalls.push_back(m_tag + ".Process");
        if (quitInProcess)
            GGame::SetRunning(false);
    }
    void Draw() override { g_gmModeCalls.push_back(m_tag + ".Draw"); }
    bool quitInProcess = false;

private:
    std::string m_tag;
};

class GmFakeDevice : public GFrameDevice
{
public:
    bool IsLost() override
    {
        g_gmModeCalls.push_back("device.Test");
        return lost;
    }
    void BeginFrame() override { g_gmModeCalls.push_back("device.Begin"); }
    void EndFrame() override { g_gmModeCalls.push_back("device.End"); }
    void Present() override { g_gmModeCalls.push_back("device.Present"); }
    bool lost = false;
};

class GmTestGame : public GGame
{
public:
    bool Init() override { return true; }
    void Update() override { Frame(); }
    void Shutdown() override
    {
        g_gmModeCalls.push_back("game.Shutdown");
        SetRunning(false);
    }
    void Quit() override { Shutdown(); }
};

} // namespace

class GameModes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("FERROVANE_HEADLESS", "1", 1);
        g_gmModeCalls.clear();
        GGame::SetRunning(true);
    }
    void TearDown() override { GGame::SetRunning(false); }
};

TEST_F(GameModes, LookupIsExactAndFindsTheFirstRegistered)
{
    GmCountingMode first("first"), second("second"), other("other");
    first.Register("gm_lookup");
    second.Register("gm_lookup");
    other.Register("gm_Lookup_other");
    first.Register("gm_lookup"); // the same mode twice stands once in the list
    int count = 0;
    for (GGameMode* m : GGameMode::Registered())
        count += m == &first;
    EXPECT_EQ(count, 1);

    struct Case
    {
        const char* name;
        GGameMode* expected;
    };
    const Case cases[] = {
        {"gm_lookup", &first}, {"GM_LOOKUP", nullptr},      {"gm_lookup ", nullptr},
        {"gm_looku", nullptr}, {"gm_Lookup_other", &other}, {"", nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GGameMode::Find(c.name), c.expected) << c.name;
}

TEST_F(GameModes, AModeThatGoesAwayLeavesTheRegistry)
{
    {
        GmCountingMode brief("brief");
        brief.Register("gm_brief");
        EXPECT_EQ(GGameMode::Find("gm_brief"), &brief);
    }
    EXPECT_EQ(GGameMode::Find("gm_brief"), nullptr);
}

TEST_F(GameModes, SwitchingCallsExitAndEnterByTheRules)
{
    GmCountingMode a("a"), b("b");
    a.Register("gm_a");
    b.Register("gm_b");
    GmTestGame game;

    struct Step
    {
        const char* target;
        std::vector<std::string> calls;
        GGameMode* current;
    };
    const Step steps[] = {
        {"gm_a", {"a.Enter"}, &a},        {"gm_b", {"a.Exit", "b.Enter"}, &b},
        {"gm_b", {"b.Enter"}, &b},        // re-entering runs Enter again, no Exit
        {"gm_none", {"b.Exit"}, nullptr}, // unknown: old mode left, none current
        {"gm_none", {}, nullptr},         {"gm_a", {"a.Enter"}, &a},
    };
    for (const Step& s : steps)
    {
        g_gmModeCalls.clear();
        game.SetGameMode(s.target);
        EXPECT_EQ(g_gmModeCalls, s.calls) << s.target;
        EXPECT_EQ(game.GetGameMode(), s.current) << s.target;
    }
}

TEST_F(GameModes, FrameRunsProcessThenDrawsInsideTheScene)
{
    GmCountingMode a("a");
    a.Register("gm_frame");
    GmTestGame game;
    GmFakeDevice device;
    game.SetFrameDevice(&device);
    game.SetGameMode("gm_frame");

    struct Case
    {
        const char* what;
        bool lost;
        bool quit;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"normal frame",
         false,
         false,
         {"device.Test", "a.Process", "device.Begin", "a.Draw", "device.End", "device.Present"}},
        {"lost device skips the frame", true, false, {"device.Test"}},
        {"quit in Process shuts down without drawing", false, true, {"device.Test", "a.Process", "game.Shutdown"}},
    };
    for (const Case& c : cases)
    {
        GGame::SetRunning(true);
        device.lost = c.lost;
        a.quitInProcess = c.quit;
        g_gmModeCalls.clear();
        game.Frame();
        EXPECT_EQ(g_gmModeCalls, c.calls) << c.what;
    }
}

TEST_F(GameModes, FrameWithoutModeOnlyDrivesTheDevice)
{
    GmTestGame game;
    GmFakeDevice device;
    game.SetFrameDevice(&device);
    game.SetGameMode("gm_missing_mode");
    g_gmModeCalls.clear();
    game.Frame();
    const std::vector<std::string> expected = {"device.Test", "device.Begin", "device.End", "device.Present"};
    EXPECT_EQ(g_gmModeCalls, expected);
}

TEST_F(GameModes, BoxesQueuedByWorkersAreHandedOverAtTheNextFrame)
{
    GmTestGame game;
    GmFakeDevice device;
    game.SetFrameDevice(&device);
    unsetenv("FERROVANE_HEADLESS");
    std::thread worker([] { PMessageBox::Show("ERROR", "raised on a worker"); });
    worker.join();
    EXPECT_EQ(PMessageBox::PendingCount(), 1);
    // Headless again before the frame takes the queue, so no box blocks the test.
    setenv("FERROVANE_HEADLESS", "1", 1);
    game.Frame();
    EXPECT_EQ(PMessageBox::PendingCount(), 0);
}

TEST_F(GameModes, KeysAndCharactersReachTheFocusedHandlerByDefault)
{
    struct Handler : GKeyboardHandler
    {
        std::vector<std::string> got;
        void OnKeyDown(uint32_t k) override { got.push_back("key " + std::to_string(k)); }
        void OnChar(uint32_t c) override { got.push_back("char " + std::to_string(c)); }
    } handler;
    GGameMode mode;
    mode.OnKeyDown(0x41); // no handler: nothing happens
    mode.SetKeyboardHandler(&handler);
    mode.OnKeyDown(0x41);
    mode.OnChar('a');
    const std::vector<std::string> expected = {"key 65", "char 97"};
    EXPECT_EQ(handler.got, expected);
}
