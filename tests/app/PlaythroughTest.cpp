// The whole game played as a player plays it: the real executable on a virtual display, driven
// only by mouse and keyboard through its window, judged only by what the window shows and by the
// debug log. Every step's picture, and the game's logs at the end, are kept under <build>/playthrough.
#include "PlayedGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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
constexpr Spot kResearchButton{167, 23};
constexpr Spot kFourTimes{925, 23};
// In the research tree: the item "Power Tools" and its card's button.
constexpr Spot kPowerTools{605, 298};
constexpr Spot kResearchThis{640, 639};
constexpr Spot kBuildButton{215, 23};
constexpr Spot kCashButton{1190, 23};
// The build menu, its "Chassis Line Head" group closed, and then open.
constexpr Spot kMenuImportBay{136, 609};
constexpr Spot kMenuOverheadConveyor{144, 648};
constexpr Spot kMenuCarConveyor{124, 686};
constexpr Spot kMenuOpenChassisGroup{27, 712};
constexpr Spot kMenuPowerPlant{120, 799};
constexpr Spot kMenuResearchOffice{130, 837};
constexpr Spot kMenuCarExporter{120, 913};
constexpr Spot kMenuChassisLineHead{140, 268};
constexpr Spot kMenuFitBodyShell{150, 458};
constexpr Spot kMenuPrimerBooth{150, 648};
constexpr Spot kMenuCloseChassisGroup{27, 255};
// The new-design dialog: the name field, the price slider's knob and the save button.
constexpr Spot kDesignName{473, 343};
constexpr Spot kDesignPriceKnob{766, 407};
constexpr Spot kSaveDesign{640, 723};

// The top bar's clock and cash, as drawn.
struct Area
{
    int left, top, right, bottom;
};
constexpr Area kClock{660, 4, 752, 44};
constexpr Area kCash{1130, 4, 1280, 44};
// The new-design dialog's picture of the car, painted in a colour of its own for each design.
constexpr Area kDesignPreview{300, 365, 640, 700};

// The picture with an area painted over, for a comparison that must not look there.
WindowPicture Blanked(WindowPicture p, const Area& area)
{
    for (int y = area.top; y < area.bottom && y < p.height; ++y)
        for (int x = area.left; x < area.right && x < p.width; ++x)
            for (int c = 0; c < 3; ++c)
                p.rgba[static_cast<size_t>((y * p.width + x) * 4 + c)] = 0;
    return p;
}

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

// The white bubble by the car button that counts the cars in stock.
bool StockBubble(const WindowPicture& p)
{
    int white = 0;
    for (int y = 30; y < 56; ++y)
        for (int x = 266; x < 298; ++x)
            white += Red(p.At(x, y)) >= 245 && Blue(p.At(x, y)) >= 245 ? 1 : 0;
    return white > 20;
}

// Reads the cash shown at the right of the top bar: the digits of the top bar's small type, as
// drawn by this game (tests/app/reference/cash_digits.png holds 0 to 9, nine pixels apart), are
// told apart by how they look. Returns -1 when the text cannot be read.
class CashReader
{
public:
    CashReader()
    {
        std::vector<uint8_t> bytes;
        const std::string path = std::string(FV_TEST_DIR) + "/app/reference/cash_digits.png";
        if (PImageCodec::ReadFile(path, bytes))
            PImageCodec::Decode(bytes.data(), bytes.size(), m_digits);
    }

    long long Read(const WindowPicture& p) const
    {
        if (m_digits.Width() != 10 * kCell || m_digits.Height() != kRows)
            return -1;
        long long value = 0;
        int digits = 0;
        int x = kLeft;
        while (x < p.width)
        {
            while (x < p.width && !DarkColumn(p, x, kTop, kTop + kRows + 1))
                ++x;
            int end = x;
            while (end < p.width && DarkColumn(p, end, kTop, kTop + kRows + 1))
                ++end;
            if (end == x)
                break;
            // The dollar sign stands a row above the digits, the comma's tail a row below them.
            bool tall = false, low = false;
            for (int cx = x; cx < end; ++cx)
            {
                tall = tall || DarkColumn(p, cx, kTop, kTop + 1);
                low = low || DarkColumn(p, cx, kTop + kRows, kTop + kRows + 1);
            }
            if (!tall && !(low && end - x <= 3))
            {
                // A digit, perhaps with the thousands comma touching it.
                const int right = low ? end - 2 : end;
                for (int at = x; at < right;)
                {
                    int width = 0;
                    const int digit = Match(p, at, right - at, width);
                    if (digit < 0)
                        return -1;
                    value = value * 10 + digit;
                    ++digits;
                    at += width + 1;
                }
            }
            x = end;
        }
        return digits > 0 ? value : -1;
    }

private:
    static constexpr int kCell = 9, kRows = 14, kTop = 21, kLeft = 1170;

    static bool DarkColumn(const WindowPicture& p, int x, int top, int bottom)
    {
        for (int y = top; y < bottom; ++y)
            if (Red(p.At(x, y)) < 40)
                return true;
        return false;
    }

    int DigitPixel(int digit, int x, int y) const
    {
        return m_digits.levels[0].rgba[static_cast<size_t>((y * m_digits.Width() + digit * kCell + x) * 4)];
    }

    int DigitWidth(int digit) const
    {
        int width = 0;
        for (int x = 0; x < kCell; ++x)
            for (int y = 0; y < kRows; ++y)
                if (DigitPixel(digit, x, y) < 40)
                    width = x + 1;
        return width;
    }

    // The digit that looks most like the window from column x on, of at most `room` columns.
    int Match(const WindowPicture& p, int x, int room, int& width) const
    {
        int best = -1;
        double bestDifference = 40.0;
        for (int digit = 0; digit < 10; ++digit)
        {
            const int w = DigitWidth(digit);
            if (w == 0 || w > room + 1)
                continue;
            double difference = 0.0;
            for (int y = 0; y < kRows; ++y)
                for (int cx = 0; cx < w; ++cx)
                    difference += std::abs(Red(p.At(x + cx, kTop + y)) - DigitPixel(digit, cx, y));
            difference /= w * kRows;
            if (difference < bestDifference)
            {
                bestDifference = difference;
                best = digit;
                width = w;
            }
        }
        return best;
    }

    PImage m_digits;
};

// Pixels of the bright green the finance dialog draws its income in.
int GreenPixels(const WindowPicture& p)
{
    int green = 0;
    for (int y = 300; y < 760; y += 2)
        for (int x = 150; x < 1130; x += 2)
        {
            const uint32_t c = p.At(x, y);
            green += Green(c) > 180 && Red(c) < 140 && Blue(c) < 140 ? 1 : 0;
        }
    return green;
}

// The light grey of the toolkit's dialogs over a point.
bool DialogAt(const WindowPicture& p, int x, int y)
{
    const uint32_t c = p.At(x, y);
    return Red(c) >= 0xD0 && Red(c) <= 0xE8 && Red(c) == Green(c) && Green(c) == Blue(c);
}
// Where the hall's tiles are on the window, found from the floor as drawn: the lowest point of
// the concrete is the far corner of tile (20, 20), its leftmost and rightmost points the corners
// of the hall's sides (the walls' tops would spoil the top corner). Tiles are counted from 1.
struct FloorGrid
{
    double topX = 0.0, topY = 0.0;   // the hall's top corner
    double stepX = 0.0, stepY = 0.0; // half a tile's width and height on the screen

    static constexpr int kHall = 20;

    bool Found() const { return stepX > 4.0; }

    static FloorGrid Measure(const WindowPicture& p)
    {
        int left = p.width, right = -1, bottom = -1, bottomX = 0;
        for (int y = 50; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
            {
                const uint32_t c = p.At(x, y);
                if (std::abs(Red(c) - Green(c)) >= 14 || std::abs(Green(c) - Blue(c)) >= 14 || Red(c) < 110 ||
                    Red(c) > 215)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                if (y >= bottom)
                {
                    bottom = y;
                    bottomX = x;
                }
            }
        FloorGrid grid;
        if (right <= left)
            return grid;
        grid.stepX = (right - left) / (2.0 * kHall);
        grid.stepY = grid.stepX / 2.0;
        grid.topX = bottomX;
        grid.topY = bottom - 2.0 * kHall * grid.stepY;
        return grid;
    }

    // The same floor after a zoom step about the middle of the window, given where the bottom
    // corner went.
    FloorGrid Zoomed(const WindowPicture& p, int newBottomY) const
    {
        const double cx = p.width / 2.0, cy = p.height / 2.0;
        const double bottomY = topY + 2.0 * kHall * stepY;
        const double ratio = (newBottomY - cy) / (bottomY - cy);
        FloorGrid grid;
        grid.topX = cx + (topX - cx) * ratio;
        grid.topY = cy + (topY - cy) * ratio;
        grid.stepX = stepX * ratio;
        grid.stepY = stepY * ratio;
        return grid;
    }

    Spot Tile(int x, int y) const
    {
        return Spot{static_cast<int>(topX + (x - y) * stepX + 0.5), static_cast<int>(topY + (x + y - 1) * stepY + 0.5)};
    }
};

// The lowest row of the floor's concrete.
int FloorBottom(const WindowPicture& p)
{
    for (int y = p.height - 1; y >= 50; --y)
        for (int x = 0; x < p.width; ++x)
        {
            const uint32_t c = p.At(x, y);
            if (std::abs(Red(c) - Green(c)) < 14 && std::abs(Green(c) - Blue(c)) < 14 && Red(c) >= 110 && Red(c) <= 215)
                return y;
        }
    return -1;
}
// Leaves the game through the in-game menu and its question, back to the main menu.
bool LeaveToMainMenu(PlayedGame& game, PlayedGame::Seconds timeout = PlayedGame::Seconds(30))
{
    XPlayer& player = game.Player();
    player.Click(kMenuButton.x, kMenuButton.y);
    game.WaitForPicture(
        "the question before leaving", [](const WindowPicture& p) { return DialogAt(p, 640, 560); }, timeout);
    player.Click(kConfirmYes.x, kConfirmYes.y);
    if (!game.WaitForLog("Game mode: mainmenu", 2 * timeout))
        return false;
    game.WaitForPicture("the main menu", MainMenuShown, timeout);
    return true;
}

// From the main menu into the load dialog, which lists the save with its picture (or, for a save
// that has none, lists it); `shown` is the dialog as it came up.
bool OpenLoadDialog(PlayedGame& game, WindowPicture& shown, bool withPicture = true,
                    PlayedGame::Seconds timeout = PlayedGame::Seconds(60))
{
    game.Player().Click(kLoadGame.x, kLoadGame.y);
    if (!game.WaitForLog("Game mode: loadgame", timeout))
        return false;
    shown = game.WaitForPicture(
        "the load dialog with the save's picture",
        [withPicture](const WindowPicture& p) {
            return DialogAt(p, 310, 730) && !(withPicture && DialogAt(p, 340, 367));
        },
        timeout);
    return true;
}

// From the game back to the main menu and on into the load dialog.
bool LeaveAndOpenLoadDialog(PlayedGame& game, WindowPicture& shown, bool withPicture = true,
                            PlayedGame::Seconds timeout = PlayedGame::Seconds(60))
{
    return LeaveToMainMenu(game, timeout / 2) && OpenLoadDialog(game, shown, withPicture, timeout);
}

// Leaves for the main menu and quits there: the game ends by itself, with no error logged and no
// call on the graphics device refused on the way.
void LeaveAndQuitCleanly(PlayedGame& game, PlayedGame::Seconds timeout = PlayedGame::Seconds(30))
{
    ASSERT_TRUE(LeaveToMainMenu(game, timeout));
    game.Player().Click(kQuit.x, kQuit.y);
    const RunResult end = game.Ended(2 * timeout);
    EXPECT_FALSE(end.timedOut);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(game.Home().ErrorLog().find("ERROR"), std::string::npos) << game.Home().ErrorLog();
    EXPECT_EQ(game.Home().DebugLog().find("D3DERR"), std::string::npos) << game.Home().DebugLog();
}

// The load dialog's first save loaded by its button.
bool LoadFirstSave(PlayedGame& game, const std::string& name, PlayedGame::Seconds timeout = PlayedGame::Seconds(60))
{
    game.Player().Click(kFirstSaveLoad.x, kFirstSaveLoad.y);
    return game.WaitForLog("About to load game: [" + name + "]", timeout) &&
           game.WaitForLog("Game Load complete", timeout);
}
} // namespace

class Playthrough : public RealGameTest
{
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

    // Back to the main menu through the in-game menu and its question. The load dialog lists the
    // save; its load button brings the game back as it was saved.
    WindowPicture loadDialog;
    ASSERT_TRUE(LeaveAndOpenLoadDialog(game, loadDialog));
    game.KeepAndCompare(loadDialog, "loaddialog");
    ASSERT_TRUE(LoadFirstSave(game, "Player One"));
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
    LeaveAndQuitCleanly(game);
}

TEST_F(Playthrough, FullScreenAtASizeTheDisplayDoesNotTakeIsLaidOutForTheSizeItGot)
{
    // The virtual display keeps its 1280 x 1024 when the stored 1280 x 720 is asked for: the menu
    // fills the window it really got, and the Quit drawn is the Quit a click finds.
    PlayedGame game("fullscreen_other_size", PrefsText(1280, 720, 0, 0));
    ASSERT_TRUE(game.Started());
    const WindowPicture menu = game.WaitForPicture("the main menu", MainMenuShown);
    EXPECT_EQ(menu.width, 1280);
    EXPECT_EQ(menu.height, 1024);
    game.KeepAndCompare(menu, "mainmenu");
    game.Player().Click(kQuit.x, kQuit.y);
    const RunResult end = game.Ended(PlayedGame::Seconds(20));
    EXPECT_FALSE(end.timedOut) << "a click on the drawn Quit did not quit";
    EXPECT_EQ(end.exitCode, 0);
    // The size the player chose stays stored for a display that can show it.
    EXPECT_EQ(RunSlurp(game.Home().User() / "prefs.ini"), PrefsText(1280, 720, 0, 0));
}

// A window that goes between the player's look at the display and its look at the window (the
// game makes and drops windows while it starts) is passed over: it neither ends the test's
// process, which would leave the game running with nobody to close it, nor is it taken.
TEST_F(Playthrough, WindowsThatComeAndGoWhileThePlayerLooksForTheGameArePassedOver)
{
    const PrivateDisplay display;
    XPlayer player(display.Name());
    ASSERT_TRUE(player.Connected());
    Display* game = XOpenDisplay(display.Name().c_str());
    ASSERT_NE(game, nullptr);
    const Window root = DefaultRootWindow(game);
    const Window main = XCreateSimpleWindow(game, root, 0, 0, 800, 600, 0, 0, 0);
    XMapWindow(game, main);
    XSync(game, False);
    std::atomic<bool> looking{true};
    std::thread churn([&] {
        while (looking)
        {
            const Window brief = XCreateSimpleWindow(game, root, 0, 0, 64, 64, 0, 0, 0);
            XMapWindow(game, brief);
            XDestroyWindow(game, brief);
            XFlush(game);
        }
        XSync(game, False);
    });
    int found = 0;
    for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
         std::chrono::steady_clock::now() < end;)
        found += player.FindWindow(std::chrono::milliseconds(100)) ? 1 : 0;
    looking = false;
    churn.join();
    EXPECT_GT(found, 0);
    EXPECT_EQ(player.Grab().width, 800) << "a passing window was taken for the game's";
    XCloseDisplay(game);
}

// A display server that does not end when asked (one that lost the request while it started)
// is ended all the same: the test goes on instead of waiting for it for good.
TEST_F(Playthrough, ADisplayServerThatDoesNotEndWhenAskedIsEndedAllTheSame)
{
    const auto start = std::chrono::steady_clock::now();
    {
        const PrivateDisplay display;
        ASSERT_GT(display.Server(), 0);
        // Stopped, it cannot act on the request to end.
        kill(display.Server(), SIGSTOP);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST_F(Playthrough, AFirstFactoryIsBuiltRunSoldResearchedQuickSavedAndLoadedBack)
{
    PlayedGame game("first_factory");
    XPlayer& player = game.Player();
    ASSERT_TRUE(game.Started());
    game.WaitForPicture("the main menu", MainMenuShown);
    player.Click(kNewGame.x, kNewGame.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: choosemission"));
    game.WaitForPicture("the mission list", [](const WindowPicture& p) { return DialogAt(p, 310, 680); });
    player.Click(kFirstMissionPlay.x, kFirstMissionPlay.y);
    ASSERT_TRUE(game.WaitForLog("Game mode: game"));
    game.WaitForPicture("the factory floor", [](const WindowPicture& p) { return FloorShare(p) > 0.5; });

    // The mission list promised $250k to start with, and the top bar says so.
    const CashReader cash;
    EXPECT_EQ(cash.Read(player.Grab()), 250000);

    // Held while building. The hall is measured with all of it in sight, then built on one step
    // closer, where its tiles are large enough to hit surely.
    player.Key("space");
    for (int i = 0; i < 7; ++i)
        player.Key("Next");
    XPlayer::Pause(1500);
    const FloorGrid far = FloorGrid::Measure(player.Grab());
    ASSERT_TRUE(far.Found());
    player.Key("Prior");
    XPlayer::Pause(1500);
    const WindowPicture near = player.Grab();
    const FloorGrid grid = far.Zoomed(near, FloorBottom(near));
    ASSERT_TRUE(grid.Found());
    auto click = [&](Spot spot) { player.Click(spot.x, spot.y); };
    auto tile = [&](int x, int y) {
        const Spot spot = grid.Tile(x, y);
        player.Click(spot.x, spot.y);
    };
    auto drag = [&](int x0, int y0, int x1, int y1) {
        const Spot from = grid.Tile(x0, y0), to = grid.Tile(x1, y1);
        player.Drag(from.x, from.y, to.x, to.y);
    };

    // The build menu: an import bay at the hall's import door, a line of three stations with a
    // car conveyor to the car exporter at the far wall, overhead conveyors dragged from the bay
    // along the wall and across to each station's stockpile, a power plant and a research office.
    // The car conveyor is laid in two drags; between them the right button over a station only
    // drops the armed tool: the station stays and the cash does not move.
    click(kBuildButton);
    game.WaitForPicture("the build menu", [](const WindowPicture& p) { return DialogAt(p, 5, 960); });
    click(kMenuImportBay);
    tile(1, 5);
    click(kMenuOpenChassisGroup);
    XPlayer::Pause(300);
    click(kMenuChassisLineHead);
    tile(8, 10);
    click(kMenuFitBodyShell);
    tile(9, 10);
    click(kMenuPrimerBooth);
    tile(10, 10);
    click(kMenuCloseChassisGroup);
    XPlayer::Pause(300);
    click(kMenuCarExporter);
    tile(20, 10);
    click(kMenuCarConveyor);
    drag(11, 10, 15, 10);
    // The drag's pieces are paid for in a frame after the button comes up, later still on a busy
    // machine: the cash is read once two readings a moment apart agree.
    long long cashBeforeRightClick = cash.Read(player.Grab());
    for (int tries = 0; tries < 20; ++tries)
    {
        XPlayer::Pause(300);
        const long long again = cash.Read(player.Grab());
        if (again == cashBeforeRightClick)
            break;
        cashBeforeRightClick = again;
    }
    const Spot station = grid.Tile(10, 10);
    player.Click(station.x, station.y, 3);
    XPlayer::Pause(500);
    EXPECT_EQ(cash.Read(player.Grab()), cashBeforeRightClick) << "the right button sold the station under it";
    click(kMenuCarConveyor);
    drag(16, 10, 19, 10);
    click(kMenuOverheadConveyor);
    drag(1, 5, 1, 12);
    click(kMenuOverheadConveyor);
    drag(1, 12, 10, 12);
    for (int x = 8; x <= 10; ++x)
    {
        click(kMenuOverheadConveyor);
        drag(x, 12, x, 11);
    }
    click(kMenuPowerPlant);
    tile(15, 4);
    click(kMenuResearchOffice);
    tile(15, 16);
    player.Key("Escape");
    player.Move(900, 700);
    XPlayer::Pause(800);
    game.KeepAndCompare(player.Grab(), "first_line");

    // Four times the speed until the first car reaches the exporter: the new-design dialog asks
    // for its name and price.
    player.Click(kFourTimes.x, kFourTimes.y);
    ASSERT_TRUE(game.WaitForLog("Game speed: 4"));
    player.Move(900, 700);
    game.WaitForPicture(
        "the new-design dialog", [](const WindowPicture& p) { return DialogAt(p, 300, 700) && DialogAt(p, 975, 700); },
        PlayedGame::Seconds(240));
    player.Click(kDesignName.x, kDesignName.y);
    player.Type("Roadster");
    player.Drag(kDesignPriceKnob.x, kDesignPriceKnob.y, kDesignPriceKnob.x + 74, kDesignPriceKnob.y);
    XPlayer::Pause(500);
    game.KeepAndCompare(Blanked(player.Grab(), kDesignPreview), "new_design");
    player.Click(kSaveDesign.x, kSaveDesign.y);
    player.Move(900, 700);
    // Read once the dialog and its shade have gone.
    const long long cashBeforeSales = cash.Read(
        game.WaitForPicture("the cash readable again", [&](const WindowPicture& p) { return cash.Read(p) > 0; }));
    ASSERT_GT(cashBeforeSales, 0);
    // Cars come into stock and the market buys them: nothing else brings money in, so the cash
    // rising above what it was when the design was saved is the sales. (The scene is kept, not
    // compared: the cars move on regardless.)
    game.WaitForPicture("cars in stock", StockBubble, PlayedGame::Seconds(120));
    game.Keep(game.WaitForPicture(
                  "the cash rising", [&](const WindowPicture& p) { return cash.Read(p) > cashBeforeSales; },
                  PlayedGame::Seconds(180)),
              "cars_sold");

    // Research: the tree, an item's card and its button; the current research panel shows it.
    player.Click(kResearchButton.x, kResearchButton.y);
    game.WaitForPicture("the research tree", [](const WindowPicture& p) { return DialogAt(p, 640, 700); });
    player.Click(kPowerTools.x, kPowerTools.y);
    game.WaitForPicture("the research card", [](const WindowPicture& p) { return DialogAt(p, 640, 380); });
    player.Click(kResearchThis.x, kResearchThis.y);
    game.KeepAndCompare(
        game.WaitForPicture("the chosen research under way",
                            [](const WindowPicture& p) { return DialogAt(p, 640, 700) && !DialogAt(p, 57, 128); }),
        "research_chosen");
    player.Key("Escape");
    game.WaitForPicture("the factory again", [](const WindowPicture& p) { return !DialogAt(p, 640, 700); });

    // The finance dialog, opened by a click on the cash: the income line is there in green.
    player.Click(kCashButton.x, kCashButton.y);
    game.Keep(game.WaitForPicture("the finance dialog with income",
                                  [](const WindowPicture& p) {
                                      return DialogAt(p, 400, 265) && DialogAt(p, 1000, 265) && GreenPixels(p) > 20;
                                  }),
              "finances");
    player.Key("Escape");
    game.WaitForPicture("the finance dialog gone", [](const WindowPicture& p) { return !DialogAt(p, 400, 265); });

    // The quick save key.
    player.Move(900, 700);
    player.Key("F2");
    ASSERT_TRUE(game.WaitForLog("Saving game: [autosave]"));
    ASSERT_TRUE(game.WaitForLog("Game Save complete"));
    EXPECT_TRUE(fs::exists(game.Home().User() / "savegames" / "autosave.xml"));

    // Back to the main menu and the quick save loaded from the load dialog: the factory runs on.
    WindowPicture loadDialog;
    ASSERT_TRUE(LeaveAndOpenLoadDialog(game, loadDialog));
    ASSERT_TRUE(LoadFirstSave(game, "autosave"));
    player.Move(900, 700);
    const WindowPicture loaded =
        game.WaitForPicture("the loaded factory", [](const WindowPicture& p) { return FloorShare(p) > 0.3; });
    game.WaitForPicture("the clock running on", [&](const WindowPicture& p) { return !SameArea(p, loaded, kClock); });
    // The line makes cars again.
    game.WaitForPicture("cars in stock after loading", StockBubble, PlayedGame::Seconds(180));

    LeaveAndQuitCleanly(game);
}

// A large, busy save loaded again and again, as a player quick-loads with F3 every few seconds (at
// times pressing it twice) and now and then leaves to the main menu and loads it from the load
// dialog: the game stays up through every load. Runs only when asked for, by scripts/soak-loads.sh, which makes the
// save:
//   FV_SOAK_SAVE         the save, loaded as the quick save (and the only save in the list)
//   FV_SOAK_GAME         the game to start (a folder whose missions include the save's)
//   FV_SOAK_QUICK_LOADS  how many loads by F3, FV_SOAK_LEAVES how many by the load dialog
//   FV_SOAK_SEED         the pauses' and the order's random seed; FV_SOAK_RUN the artefacts' folder
//   FV_SOAK_WRAPPER      a command the game runs under (a memory checker), words split at spaces;
//                        the waits are then twenty times as long
TEST_F(Playthrough, ABusySaveLoadedAgainAndAgainKeepsTheGameUp)
{
    const auto count = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::max(0, std::atoi(value)) : 0;
    };
    int quickLoads = count("FV_SOAK_QUICK_LOADS");
    int leaves = count("FV_SOAK_LEAVES");
    const char* save = std::getenv("FV_SOAK_SAVE");
    if (quickLoads + leaves == 0 || !save)
        GTEST_SKIP() << "a soak runs only when scripts/soak-loads.sh asks for one";
    RunSetup setup;
    if (const char* executable = std::getenv("FV_SOAK_GAME"))
        setup.executable = executable;
    // Sanitizer reports go to standard error, which is kept with the logs.
    setup.keepOutput = true;
    int slow = 1;
    if (const char* wrapper = std::getenv("FV_SOAK_WRAPPER"))
    {
        std::istringstream words(wrapper);
        for (std::string word; words >> word;)
            setup.wrapper.push_back(word);
        slow = setup.wrapper.empty() ? 1 : 20;
    }
    const PlayedGame::Seconds wait(60 * slow);
    const char* run = std::getenv("FV_SOAK_RUN");
    PlayedGame game(run ? run : "soak", "", setup, [save](const fs::path& user) {
        fs::create_directories(user / "savegames");
        fs::copy_file(save, user / "savegames" / "autosave.xml");
    });
    ASSERT_TRUE(game.Started(wait));
    XPlayer& player = game.Player();
    game.WaitForPicture("the main menu", MainMenuShown, wait);
    std::mt19937 random(static_cast<uint32_t>(count("FV_SOAK_SEED")));
    const auto pause = [&random] {
        return std::chrono::milliseconds(std::uniform_int_distribution(3000, 6000)(random));
    };
    int quickDone = 0, leavesDone = 0;
    const auto report = [&](const char* what) {
        std::printf("soak: %s; %d quick loads and %d loads from the dialog done\n", what, quickDone, leavesDone);
        std::fflush(stdout);
    };

    // The first load from the main menu's dialog, as a player who comes back to a save does.
    WindowPicture dialog;
    ASSERT_TRUE(OpenLoadDialog(game, dialog, false, wait));
    ASSERT_TRUE(LoadFirstSave(game, "autosave", wait));
    std::this_thread::sleep_for(pause());
    while (quickLoads + leaves > 0)
    {
        // The leaves fall among the quick loads at random.
        const bool leave = std::uniform_int_distribution(1, quickLoads + leaves)(random) <= leaves;
        const auto next = std::chrono::steady_clock::now() + pause();
        if (leave)
        {
            if (!LeaveAndOpenLoadDialog(game, dialog, false, wait) || !LoadFirstSave(game, "autosave", wait))
                break;
            --leaves;
            ++leavesDone;
        }
        else
        {
            // Now and then the key goes down twice, the second time while the first load runs:
            // the second load follows the first with no frame between.
            const int presses = quickLoads > 1 && std::uniform_int_distribution(1, 10)(random) == 1 ? 2 : 1;
            for (int press = 0; press < presses; ++press)
                player.Key("F3");
            bool loaded = true;
            for (int press = 0; press < presses && loaded; ++press)
                loaded = game.WaitForLog("About to load game: [autosave]", wait) &&
                         game.WaitForLog("Game Load complete", 5 * wait);
            if (!loaded)
                break;
            quickLoads -= presses;
            quickDone += presses;
        }
        // The next key comes 3 to 6 s after this one, or at once after a load that took longer.
        std::this_thread::sleep_until(next);
        report("on");
    }
    report(game.Running() ? "done" : "the game ended");
    EXPECT_EQ(quickLoads + leaves, 0) << "loads were left undone";
    RecordProperty("quick_loads", quickDone);
    RecordProperty("dialog_loads", leavesDone);
    if (game.Running())
        LeaveAndQuitCleanly(game, wait / 2);
    else
        ADD_FAILURE() << "the game ended with status " << game.Ended().exitCode;
}
