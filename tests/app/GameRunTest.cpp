// The real game executable, started with a fresh home folder: user folders, logs, prefs and
// settings files, the crash marker, screenshots, closing the window, the relaunch flag, bad
// input files, and the daily update check against a server on loopback.
#include "GameProcess.h"
#include "ScreenCompare.h"
#include "support/LoopbackHttpServer.h"

#include "platform/video/PImage.h"
#include "platform/video/PImageCodec.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace gameprocess;

namespace
{
// The size the game takes from the desktop it found, with the minimum height applied.
bool DesktopFromLog(const std::string& log, int& width, int& height)
{
    const size_t at = log.find("Desktop resolution is ");
    if (at == std::string::npos)
        return false;
    if (std::sscanf(log.c_str() + at, "Desktop resolution is %d x %d", &width, &height) != 2)
        return false;
    if (height < 768)
        height = 768;
    return true;
}

} // namespace

class GameRun : public RealGameTest
{
};

TEST_F(GameRun, FirstStartMakesFoldersLogsAndSettingsAndClosesCleanly)
{
    GameHome home;
    const RunResult r = home.Run({}, "1500:printscreen,3000:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);

    for (const char* sub : {"savegames", "debug", "screenshots", "webdebug"})
        EXPECT_TRUE(fs::is_directory(home.User() / sub)) << sub;

    const std::vector<std::string> log = RunLines(home.DebugLog());
    ASSERT_GE(log.size(), 3u);
    EXPECT_NE(log[0].find("]- ----DEBUG FILE----"), std::string::npos) << log[0];
    EXPECT_NE(log[1].find("]- Ferrovane Debug File version: alpha 1.07"), std::string::npos) << log[1];
    EXPECT_EQ(log.back(), "END DEBUG---");
    EXPECT_NE(home.DebugLog().find("Game mode: mainmenu"), std::string::npos);

    int w = 0, h = 0;
    ASSERT_TRUE(DesktopFromLog(home.DebugLog(), w, h));
    EXPECT_EQ(RunSlurp(home.User() / "prefs.ini"), PrefsText(w, h, 1, 1));
    EXPECT_FALSE(fs::exists(home.User() / "firstruncrash.txt"));

    const std::string config = RunSlurp(home.User() / "config.txt");
    EXPECT_EQ(config.rfind("[floats]\n", 0), 0u) << config;
    EXPECT_NE(config.find("OPTIONS_SFX = 1.00\n"), std::string::npos);
    EXPECT_NE(config.find("[strings]"), std::string::npos);

    // Print Screen pressed and released once: one picture of the next frame.
    int shots = 0;
    for (const auto& entry : fs::directory_iterator(home.User() / "screenshots"))
    {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.rfind("screenshot_", 0), 0u) << name;
        EXPECT_EQ(entry.path().extension(), ".jpg") << name;
        // A JPEG starts with its start-of-image marker.
        EXPECT_EQ(RunSlurp(entry.path()).substr(0, 2), "\xFF\xD8") << name;
        ++shots;
    }
    EXPECT_EQ(shots, 1);
}

TEST_F(GameRun, TheEndOfARunMakesNoObject)
{
    // What the end tears down was all made before it began; anything made later goes out of
    // order. The game names any such object on its standard error. On the 1280 x 1024 screen:
    // Quit is the last button under the logo, New Game the first, Play the first mission's; the
    // in-game menu sits at the top left and its question's Yes under the middle.
    const struct
    {
        const char* what;
        const char* events;
        const char* reached;
    } cases[] = {
        {"Quit in the main menu", "2500:click:1151:821", "Game mode: mainmenu"},
        {"the window closed in a game", "2000:click:120:824,4000:click:820:427,7000:close", "Game mode: game"},
        {"a game left for the main menu, then Quit",
         "2000:click:120:824,4000:click:820:427,7000:click:23:23,8500:click:545:557,10500:click:1151:821",
         "Game mode: game"},
    };
    for (const auto& c : cases)
    {
        GameHome home;
        RunSetup setup;
        setup.keepOutput = true;
        const RunResult r = home.Run({}, c.events, setup);
        ASSERT_FALSE(r.timedOut) << c.what;
        EXPECT_EQ(r.exitCode, 0) << c.what;
        EXPECT_NE(home.DebugLog().find(c.reached), std::string::npos) << c.what;
        EXPECT_EQ(home.Output().find("Created while the run ended"), std::string::npos) << c.what << "\n"
                                                                                        << home.Output();
    }
}

TEST_F(GameRun, WebLinksWithoutAProgramToShowThemGiveTheirAddressInABox)
{
    GameHome home;
    RunSetup setup;
    setup.keepOutput = true;
    // A search path without the desktop's opener: nothing can show a web page. Headless, the
    // game's boxes are written to its standard error.
    setup.extraEnv = {"PATH=" + home.Home().string()};
    // Community and Videos are the fifth and sixth buttons under the logo on the 1280 x 1024 screen.
    const RunResult r = home.Run({}, "2000:click:809:824,3000:click:981:824,4000:close", setup);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    const std::string output = home.Output();
    for (const char* box : {"[Community] No program could be started to show this page. Its address is:\n"
                            "https://ferrovane.net/community\n",
                            "[Videos] No program could be started to show this page. Its address is:\n"
                            "https://ferrovane.net/videos\n"})
        EXPECT_NE(output.find(box), std::string::npos) << box << "\n" << output;
}

TEST_F(GameRun, DeviceThatFailsEndsStartUpAndTheNextStartIsWindowed)
{
    GameHome home;
    RunSpit(home.User() / "prefs.ini", PrefsText(1024, 768, 0, 0));
    // An OpenGL version below what the device needs makes it fail to start on Mesa.
    const RunResult failed = home.Run({}, "800:close", {"MESA_GL_VERSION_OVERRIDE=2.1"});
    ASSERT_FALSE(failed.timedOut);
    if (failed.exitCode == 0)
        GTEST_SKIP() << "the graphics driver here cannot be made to fail";
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(home.ErrorLog().find("The graphics device could not be started"), std::string::npos);
    // The marker stays, so the next start knows set-up died and falls back to a window.
    EXPECT_TRUE(fs::exists(home.User() / "firstruncrash.txt"));

    const RunResult next = home.Run({}, "800:close");
    ASSERT_FALSE(next.timedOut);
    EXPECT_EQ(next.exitCode, 0);
    EXPECT_EQ(RunSlurp(home.User() / "prefs.ini"), PrefsText(1024, 768, 1, 0));
    EXPECT_FALSE(fs::exists(home.User() / "firstruncrash.txt"));
}

TEST_F(GameRun, SilentStartOpensTheSettingsScreen)
{
    GameHome home;
    const RunResult r = home.Run({"-silent"}, "1000:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    const std::string log = home.DebugLog();
    EXPECT_NE(log.find("Game mode: options"), std::string::npos);
    EXPECT_EQ(log.find("Game mode: mainmenu"), std::string::npos);
    EXPECT_EQ(log.find("Not found"), std::string::npos);
}

TEST_F(GameRun, CrashMarkerSwitchesToWindowedAndIsRemoved)
{
    GameHome home;
    RunSpit(home.User() / "prefs.ini", PrefsText(1024, 768, 0, 0));
    RunSpit(home.User() / "firstruncrash.txt", "");
    const RunResult r = home.Run({}, "800:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(RunSlurp(home.User() / "prefs.ini"), PrefsText(1024, 768, 1, 0));
    EXPECT_FALSE(fs::exists(home.User() / "firstruncrash.txt"));
    EXPECT_NE(home.ErrorLog().find("First run crash detected, switching to windowed mode automagically"),
              std::string::npos);
}

TEST_F(GameRun, ALowDesktopStartsAtTheMinimumHeight)
{
    GameHome home;
    const RunResult r = home.Run({}, "800:close", {}, "1366x700x24");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(RunSlurp(home.User() / "prefs.ini"), PrefsText(1366, 768, 1, 1));
    EXPECT_NE(home.ErrorLog().find("WARNING: Desktop Screen Resolution is below MinScreenHeight"), std::string::npos);
}

TEST_F(GameRun, StoredPrefsAreKeptWithoutTheMinimumHeight)
{
    GameHome home;
    RunSpit(home.User() / "prefs.ini", PrefsText(800, 600, 1, 0));
    const RunResult r = home.Run({}, "800:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(RunSlurp(home.User() / "prefs.ini"), PrefsText(800, 600, 1, 0));
    EXPECT_FALSE(fs::exists(home.User() / "firstruncrash.txt"));
}

TEST_F(GameRun, BadPrefsAndSettingsFilesDoNotStopTheGame)
{
    struct Case
    {
        const char* what;
        std::string prefs;
        bool configIsFolder;
    };
    const Case cases[] = {
        {"zero size", "[prefs]\nwidth = 0\nheight = 0\nwindowed = 1\n", false},
        {"negative size", "[prefs]\nwidth = -640\nheight = -480\nwindowed = 1\n", false},
        {"junk size", "[prefs]\nwidth = wide\nheight = \x01\x02\xff\nwindowed = maybe\n", false},
        {"huge size", "[prefs]\nwidth = 99999999\nheight = 768\nwindowed = 1\n", false},
        {"no section", "width = 800\nheight = 600\n", false},
        {"binary junk", std::string("\0\xff[\n=\n", 7), false},
        {"unreadable settings file", PrefsText(800, 600, 1, 0), true},
    };
    for (const Case& c : cases)
    {
        GameHome home;
        RunSpit(home.User() / "prefs.ini", c.prefs);
        if (c.configIsFolder)
            fs::create_directories(home.User() / "config.txt");
        const RunResult r = home.Run({}, "800:close");
        ASSERT_FALSE(r.timedOut) << c.what;
        EXPECT_EQ(r.exitCode, 0) << c.what;
        if (c.configIsFolder)
            continue;
        int w = 0, h = 0;
        ASSERT_TRUE(DesktopFromLog(home.DebugLog(), w, h)) << c.what;
        // An unusable file is replaced by the desktop defaults.
        EXPECT_EQ(RunSlurp(home.User() / "prefs.ini"), PrefsText(w, h, 1, 1)) << c.what;
    }
}

TEST_F(GameRun, DocumentsThatCannotBeCreatedFallBackToTheGameFolder)
{
    GameHome home;
    const fs::path userdir = fs::path(GameExecutable()).parent_path() / "userdir";
    const bool existed = fs::exists(userdir);
    // A Documents folder inside a regular file can never be made.
    RunSpit(home.Home() / "blocker", "x");
    const RunResult r = home.Run({}, "800:close", {"XDG_DOCUMENTS_DIR=" + (home.Home() / "blocker" / "docs").string()});
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(fs::exists(userdir / "ferrovane" / "prefs.ini"));
    EXPECT_NE(RunSlurp(userdir / "ferrovane" / "debug" / "errors.txt").find("using userdir"), std::string::npos);
    if (!existed)
    {
        std::error_code ec;
        fs::remove_all(userdir, ec);
    }
}

TEST_F(GameRun, DailyUpdateCheckAsksOnceAndSetsTheFlagOnlyForANewVersion)
{
    const std::time_t now = std::time(nullptr);
    std::tm utc;
    gmtime_r(&now, &utc);
    const std::string today = "[config]\nday = " + std::to_string(utc.tm_mday) +
                              "\nmonth = " + std::to_string(utc.tm_mon + 1) +
                              "\nyear = " + std::to_string(utc.tm_year + 1900) + "\n\n";
    struct Case
    {
        const char* what;
        LoopbackHttpServer::Reply reply;
        bool refused;
        bool update;
        const char* lastCheck = nullptr; // lst_chk.ini before the start
        const char* timeZone = nullptr;
    };
    const Case cases[] = {
        {"up to date", {200, "message,up-to-date", 0, 0}, false, false},
        {"checked on an earlier day",
         {200, "message,up-to-date", 0, 0},
         false,
         false,
         "[config]\nday = 1\nmonth = 1\nyear = 2001\n\n"},
        {"far east of UTC the date is still UTC's",
         {200, "message,up-to-date", 0, 0},
         false,
         false,
         nullptr,
         "TZ=Pacific/Kiritimati"},
        {"far west of UTC the date is still UTC's",
         {200, "message,up-to-date", 0, 0},
         false,
         false,
         nullptr,
         "TZ=Pacific/Pago_Pago"},
        {"up to date with a line end", {200, "message,up-to-date\n", 0, 0}, false, false},
        {"up to date with CR LF", {200, "[update]\r\nmessage,up-to-date\r\n", 0, 0}, false, false},
        {"newer version", {200, "message,1.08", 0, 0}, false, true},
        {"newer version among other lines",
         {200, "[update]\ntitle=New\nmessage,\"1.08, faster\"\n", 0, 0},
         false,
         true},
        {"error page", {404, "message,1.08", 0, 0}, false, false},
        {"server error", {500, "oops", 0, 0}, false, false},
        {"cut-off reply", {200, "message,1.08\n", 100, 0}, false, false},
        {"reply without a message", {200, "hello", 0, 0}, false, false},
        {"oversized reply", {200, "message,1.08\n" + std::string(2 * 1024 * 1024, 'x'), 0, 0}, false, false},
        {"connection refused", {}, true, false},
    };
    for (const Case& c : cases)
    {
        LoopbackHttpServer server;
        ASSERT_TRUE(server.Ok());
        server.SetReply(c.reply);
        const std::string host =
            c.refused ? "127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort()) : server.Host();
        GameHome home;
        RunSpit(home.User() / "config.txt", "[floats]\n[strings]\nOPT_UPDATE_SERVER = " + host + "\n");
        if (c.lastCheck)
            RunSpit(home.User() / "lst_chk.ini", c.lastCheck);
        std::vector<std::string> env;
        if (c.timeZone)
            env.push_back(c.timeZone);
        const RunResult r = home.Run({}, "2000:close", env);
        ASSERT_FALSE(r.timedOut) << c.what;
        EXPECT_EQ(r.exitCode, 0) << c.what;
        const std::string log = home.DebugLog();
        EXPECT_NE(log.find(c.update ? "Update check: newer version available" : "Update check: no update"),
                  std::string::npos)
            << c.what << "\n"
            << log;
        EXPECT_EQ(RunSlurp(home.User() / "lst_chk.ini"), today) << c.what;
        if (c.refused)
            continue;
        ASSERT_EQ(server.Requests(), 1) << c.what;
        EXPECT_EQ(server.RequestLines()[0],
                  "GET /ferrovane/server/check_update.php?&current_version=1.070000&platform=windows HTTP/1.1");
        if (std::string(c.what) == "up to date")
        {
            // A second start on the same day asks nothing.
            const RunResult again = home.Run({}, "800:close");
            EXPECT_EQ(again.exitCode, 0);
            EXPECT_EQ(server.Requests(), 1);
        }
    }
}

TEST_F(GameRun, NoUpdateServerMeansNoCheck)
{
    GameHome home;
    const RunResult r = home.Run({}, "800:close");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(fs::exists(home.User() / "lst_chk.ini"));
    EXPECT_NE(home.DebugLog().find("Update check: no update server set"), std::string::npos);
}

namespace
{
std::vector<fs::path> RunScreenshots(const GameHome& home)
{
    std::vector<fs::path> shots;
    for (const auto& entry : fs::directory_iterator(home.User() / "screenshots"))
        shots.push_back(entry.path());
    // The names carry the date and time, so they sort in the order they were taken.
    std::sort(shots.begin(), shots.end());
    return shots;
}
} // namespace

TEST_F(GameRun, ClicksLeadFromTheMainMenuThroughTheMissionListIntoANewGame)
{
    GameHome home;
    // On the 1280 x 1024 screen: "New Game" is the first button under the logo, "Play" the big
    // button of the first mission ("First Factory").
    const RunResult r =
        home.Run({}, "1500:printscreen,3000:click:120:824,4500:printscreen,6000:click:820:427,8000:printscreen,"
                     "10000:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    const std::string log = home.DebugLog();
    const size_t menu = log.find("Game mode: mainmenu");
    const size_t list = log.find("Game mode: choosemission");
    const size_t game = log.find("Game mode: game");
    ASSERT_NE(menu, std::string::npos) << log;
    ASSERT_NE(list, std::string::npos) << log;
    ASSERT_NE(game, std::string::npos) << log;
    EXPECT_LT(menu, list);
    EXPECT_LT(list, game);
    EXPECT_EQ(log.find("Not found"), std::string::npos) << log;
    EXPECT_EQ(home.ErrorLog().find("could not be set up"), std::string::npos);

    const std::vector<fs::path> shots = RunScreenshots(home);
    ASSERT_EQ(shots.size(), 3u);
    CompareScreenshotFile(shots[0], "front_mainmenu");
    CompareScreenshotFile(shots[1], "front_choosemission");
}

TEST_F(GameRun, ASaveIsLoadedByClicksFromTheLoadScreen)
{
    GameHome home;
    const fs::path corpus = fs::path(FV_TEST_DIR) / "fuzz" / "corpus" / "savegame_run" / "busy_factory.xml";
    fs::create_directories(home.User() / "savegames");
    fs::copy_file(corpus, home.User() / "savegames" / "busy factory.xml");
    // "Load Game" is the second button under the logo; the first save's load button is at the
    // right of the first strip of the centred load dialog.
    const RunResult r =
        home.Run({}, "1500:click:295:824,3000:printscreen,4500:click:927:349,7000:printscreen,9000:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    const std::string log = home.DebugLog();
    const size_t load = log.find("Game mode: loadgame");
    const size_t game = log.find("Game mode: game");
    ASSERT_NE(load, std::string::npos) << log;
    ASSERT_NE(game, std::string::npos) << log;
    EXPECT_LT(load, game);
    EXPECT_NE(log.find("Game Load complete", game), std::string::npos) << log;
    // The save came in whole: no second trip to the menu and nothing reported.
    EXPECT_EQ(log.find("Game mode: mainmenu", game), std::string::npos) << log;
    EXPECT_EQ(home.ErrorLog().find("save"), std::string::npos) << home.ErrorLog();
    const std::vector<fs::path> shots = RunScreenshots(home);
    ASSERT_EQ(shots.size(), 2u);
    CompareScreenshotFile(shots[0], "front_loadgame");
}

TEST_F(GameRun, ANewGameRunsAtFourfoldSpeedAndF2SavesItWithItsThumbnail)
{
    GameHome home;
    // New Game, then Play on the first mission as the mission list does; "3" is the 4x hot key.
    const RunResult r = home.Run({}, "2000:click:120:824,4000:click:820:427,6500:text:3,9500:key:F2,11500:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    const std::string log = home.DebugLog();
    const size_t game = log.find("Game mode: game");
    ASSERT_NE(game, std::string::npos) << log;
    const size_t fast = log.find("Game speed: 4", game);
    ASSERT_NE(fast, std::string::npos) << log;
    const size_t saved = log.find("Game Save complete", fast);
    ASSERT_NE(saved, std::string::npos) << log;
    EXPECT_NE(log.find("Saving game: [autosave]", fast), std::string::npos) << log;
    const fs::path saves = home.User() / "savegames";
    EXPECT_TRUE(fs::exists(saves / "autosave.xml"));
    ASSERT_TRUE(fs::exists(saves / "autosave.jpg"));
    EXPECT_GT(fs::file_size(saves / "autosave.jpg"), 1000u);
    const std::string save = RunSlurp(saves / "autosave.xml");
    EXPECT_NE(save.find("m01_first_factory"), std::string::npos);
}

TEST_F(GameRun, TheMainMenuOpensTheTaskEditorAndItsQuitButtonLeadsBack)
{
    GameHome home;
    // On the 1280 x 1024 screen: "Task Editor" is the fourth button under the logo; the editor's
    // "Quit" is the left one of the two buttons at the top middle.
    const RunResult r = home.Run({}, "1500:click:640:824,4000:printscreen,5000:click:540:15,7000:close");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    const std::string log = home.DebugLog();
    const size_t menu = log.find("Game mode: mainmenu");
    const size_t editor = log.find("Game mode: taskeditor");
    ASSERT_NE(menu, std::string::npos) << log;
    ASSERT_NE(editor, std::string::npos) << log;
    EXPECT_LT(menu, editor);
    EXPECT_NE(log.find("Game mode: mainmenu", editor), std::string::npos) << log;
    EXPECT_EQ(log.find("Headless, skipped"), std::string::npos) << log;
    EXPECT_EQ(home.ErrorLog().find("Task editor"), std::string::npos) << home.ErrorLog();
    EXPECT_EQ(RunScreenshots(home).size(), 1u);
}
