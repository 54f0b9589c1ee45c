// The whole game played as a player plays it: the real executable on a virtual display, driven
// only by mouse and keyboard through its window, judged only by what the window shows and by the
// debug log. Every step's picture is kept under <build>/playthrough.
#include "PlayedGame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace gameprocess;

namespace
{
// Where a player clicks on the 1280 x 1024 window.
struct Spot
{
    int x;
    int y;
};
constexpr Spot kNewGame{120, 824};
constexpr Spot kLoadGame{295, 824};
constexpr Spot kQuit{1151, 821};
constexpr Spot kFirstMissionPlay{820, 427};
constexpr Spot kMenuButton{23, 23};
constexpr Spot kSaveButton{119, 23};
constexpr Spot kSaveNameField{601, 726};
constexpr Spot kSaveGameButton{880, 729};
constexpr Spot kConfirmYes{545, 557};
constexpr Spot kFirstSaveLoad{927, 349};

// The top bar's clock and cash, as drawn.
struct Area
{
    int left, top, right, bottom;
};
constexpr Area kClock{660, 4, 752, 44};
constexpr Area kCash{1130, 4, 1280, 44};

bool SameArea(const WindowPicture& a, const WindowPicture& b, const Area& area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

int Red(uint32_t c)
{
    return static_cast<int>(c >> 16);
}
int Green(uint32_t c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(uint32_t c)
{
    return static_cast<int>(c & 0xFF);
}

// Share of the upper middle of the window covered by the grey concrete of the factory floor.
double FloorShare(const WindowPicture& p)
{
    int floor = 0, all = 0;
    for (int y = 100; y < 700; y += 4)
        for (int x = 200; x < 1080; x += 4, ++all)
        {
            const uint32_t c = p.At(x, y);
            if (std::abs(Red(c) - Green(c)) < 12 && std::abs(Green(c) - Blue(c)) < 12 && Red(c) >= 110 && Red(c) <= 200)
                ++floor;
        }
    return static_cast<double>(floor) / all;
}

// Pixels of the lower half in the warm brown of the brick outer walls (every second one counted).
int WallPixels(const WindowPicture& p)
{
    int wall = 0;
    for (int y = p.height / 2; y < p.height; y += 2)
        for (int x = 0; x < p.width; x += 2)
        {
            const uint32_t c = p.At(x, y);
            if (Red(c) - Blue(c) >= 14 && Red(c) - Green(c) >= 8 && Red(c) >= 35 && Red(c) <= 220)
                ++wall;
        }
    return wall;
}

// The pause button of the top bar lights red while the game is held.
bool PauseLit(const WindowPicture& p)
{
    const uint32_t c = p.At(778, 12);
    return Red(c) > 150 && Green(c) < 90 && Blue(c) < 90;
}

// The main menu: its logo band under a white sky.
bool MainMenuShown(const WindowPicture& p)
{
    const uint32_t sky = p.At(20, 20), band = p.At(100, 400);
    return Red(sky) > 0xF0 && Green(sky) > 0xF0 && Red(band) < 100 && Blue(band) < 120;
}

// The light grey of the toolkit's dialogs over a point.
bool DialogAt(const WindowPicture& p, int x, int y)
{
    const uint32_t c = p.At(x, y);
    return Red(c) >= 0xD0 && Red(c) <= 0xE8 && Red(c) == Green(c) && Green(c) == Blue(c);
}
} // namespace

class Playthrough : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!DisplayAvailable())
            GTEST_SKIP() << "no virtual display server";
        if (!fs::exists(GameExecutable()))
            GTEST_SKIP() << "game executable not built";
    }
};

TEST_F(Playthrough, ANewGameIsDrawnSavedFromTheMenuAndLoadedBackWhereItWas)
{
    PlayedGame game("new_game_save_load");
    XPlayer& player = game.Player();
    ASSERT_TRUE(game.Started());
    game.KeepAndCompare(game.WaitForPicture("the main menu", MainMenuShown), "mainmenu");

    player.Click(kNewGame.x, kNewGame.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: choosemission"));
    game.KeepAndCompare(
        game.WaitForPicture("the mission list", [](const WindowPicture& p) { return DialogAt(p, 310, 680); }),
        "missions");

    player.Click(kFirstMissionPlay.x, kFirstMissionPlay.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: game"));
    // Held still, the pictures of the factory do not depend on how fast this machine plays it.
    XPlayer::Pause(1000);
    player.Key("space");
    // Stepped out far enough to see the outer walls beyond the floor.
    for (int i = 0; i < 3; ++i)
        player.Key("Next");
    const WindowPicture factory = game.WaitForPicture("the factory floor and its walls", [](const WindowPicture& p) {
        return FloorShare(p) > 0.5 && WallPixels(p) > 400;
    });
    XPlayer::Pause(1500);
    const WindowPicture held = player.Grab();
    EXPECT_GT(FloorShare(held), 0.5);
    EXPECT_GT(WallPixels(held), 400);
    EXPECT_TRUE(SameArea(factory, held, kClock)) << "the clock ran on while the game was held";
    EXPECT_TRUE(PauseLit(held));
    game.KeepAndCompare(held, "factory");

    // The save dialog, a name typed into it and its button.
    player.Click(kSaveButton.x, kSaveButton.y);
    game.WaitForPicture("the save dialog",
                        [](const WindowPicture& p) { return DialogAt(p, 400, 400) && DialogAt(p, 800, 400); });
    player.Click(kSaveNameField.x, kSaveNameField.y);
    player.Type("Player One");
    XPlayer::Pause(500);
    game.KeepAndCompare(player.Grab(), "savedialog");
    player.Click(kSaveGameButton.x, kSaveGameButton.y);
    ASSERT_TRUE(game.WaitForLog("Saving game: [Player One]"));
    ASSERT_TRUE(game.WaitForLog("Game Save complete"));
    EXPECT_TRUE(fs::exists(game.Home().User() / "savegames" / "Player One.xml"));

    // Back to the main menu through the in-game menu and its question.
    player.Click(kMenuButton.x, kMenuButton.y);
    game.WaitForPicture("the question before leaving", [](const WindowPicture& p) { return DialogAt(p, 640, 560); });
    player.Click(kConfirmYes.x, kConfirmYes.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: mainmenu"));
    game.WaitForPicture("the main menu", MainMenuShown);

    // The load dialog lists the save; its load button brings the game back as it was saved.
    player.Click(kLoadGame.x, kLoadGame.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: loadgame"));
    game.KeepAndCompare(
        game.WaitForPicture("the load dialog with the save's picture",
                            [](const WindowPicture& p) { return DialogAt(p, 310, 730) && !DialogAt(p, 340, 367); }),
        "loaddialog");
    player.Click(kFirstSaveLoad.x, kFirstSaveLoad.y);
    ASSERT_TRUE(game.WaitForLog("About to load game: [Player One]"));
    ASSERT_TRUE(game.WaitForLog("Game Load complete"));
    const WindowPicture loaded = game.WaitForPicture(
        "the loaded factory", [](const WindowPicture& p) { return FloorShare(p) > 0.5 && WallPixels(p) > 400; });
    // The same cash to the dollar, long before the first hour's bills.
    EXPECT_TRUE(SameArea(held, loaded, kCash)) << "the cash is not what was saved";
    game.KeepAndCompare(loaded, "factory_loaded");
    // A save keeps no speed: the loaded factory runs on at once, and the pause button says so.
    game.WaitForPicture("the clock running on", [&](const WindowPicture& p) { return !SameArea(p, loaded, kClock); });
    EXPECT_FALSE(PauseLit(player.Grab())) << "the pause button shows a running game as held";
    player.Key("space");
    game.WaitForPicture("the pause button lit", PauseLit);

    // Left through the menu's question and the main menu's Quit.
    player.Click(kMenuButton.x, kMenuButton.y);
    game.WaitForPicture("the question before leaving", [](const WindowPicture& p) { return DialogAt(p, 640, 560); });
    player.Click(kConfirmYes.x, kConfirmYes.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: mainmenu"));
    game.WaitForPicture("the main menu", MainMenuShown);
    player.Click(kQuit.x, kQuit.y);
    const RunResult end = game.Ended();
    EXPECT_FALSE(end.timedOut);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(game.Home().ErrorLog().find("ERROR"), std::string::npos) << game.Home().ErrorLog();
}
