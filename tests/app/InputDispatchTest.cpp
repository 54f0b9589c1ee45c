// Desktop input events travel through the window procedure and the input manager to the
// current game mode, with exactly the calls each event should make.
#include "AppEntry.h"
#include "CInput.h"
#include "Game.h"
#include "engine/GGameMode.h"
#include "platform/video/PEventTranslator.h"
#include "tests/platform/video/SdlTestEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
class IdRecordingMode : public GGameMode
{
public:
    std::vector<std::string> calls;
    void OnLeftDown() override
    {
        calls.push_back(CInput::Instance().IsDoubleClick() ? "LeftDown(double)" : "LeftDown");
    }
    void OnLeftUp() override { calls.push_back("LeftUp"); }
    void OnRightDown() override { calls.push_back("RightDown"); }
    void OnMiddleDown() override { calls.push_back("MiddleDown"); }
    void OnWheelUp() override { calls.push_back("WheelUp"); }
    void OnWheelDown() override { calls.push_back("WheelDown"); }
    void OnKeyDown(uint32_t k) override { calls.push_back("KeyDown " + std::to_string(k)); }
    void OnChar(uint32_t c) override { calls.push_back("Char " + std::to_string(c)); }
};

// Clicks land at one place so double clicks pair up.
SDL_Event IdButton(Uint32 type, Uint8 button, Uint8 clicks)
{
    return sdltest::ButtonEvent(type, button, clicks, 40, 60);
}

void IdFeed(const std::vector<SDL_Event>& events)
{
    std::vector<PWindowMessage> messages;
    for (const SDL_Event& e : events)
        PEventTranslator::Translate(e, messages);
    for (const PWindowMessage& m : messages)
        WndProc(m);
}

IdRecordingMode& Recorder()
{
    static IdRecordingMode* mode = [] {
        IdRecordingMode* m = new IdRecordingMode();
        m->Register("input_recorder");
        return m;
    }();
    return *mode;
}

} // namespace

class InputRouting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("FERROVANE_HEADLESS", "1", 1);
        Recorder().calls.clear();
        Game::Instance().SetGameMode("input_recorder");
    }
};

TEST_F(InputRouting, EachInputGivesExactlyItsModeCalls)
{
    struct Case
    {
        const char* what;
        std::vector<SDL_Event> events;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"left click",
         {IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1)},
         {"LeftDown", "LeftUp"}},
        {"double click",
         {IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1),
          IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2)},
         {"LeftDown", "LeftUp", "LeftDown(double)", "LeftUp"}},
        {"right double click gives only its first press",
         {IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1),
          IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 2)},
         {"RightDown"}},
        {"middle double click gives only its first press",
         {IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1),
          IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 2)},
         {"MiddleDown"}},
        {"wheel",
         {sdltest::WheelEvent(1), sdltest::WheelEvent(-1), sdltest::WheelEvent(3)},
         {"WheelUp", "WheelDown", "WheelUp"}},
        {"key repeats each arrive",
         {sdltest::KeyEvent(SDL_KEYDOWN, SDLK_a), sdltest::KeyEvent(SDL_KEYDOWN, SDLK_a),
          sdltest::KeyEvent(SDL_KEYUP, SDLK_a)},
         {"KeyDown 65", "KeyDown 65"}},
        {"escape is a key and a character", {sdltest::KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE)}, {"KeyDown 27", "Char 27"}},
        {"typed text", {sdltest::TextEvent("h\xC3\xA9")}, {"Char 104", "Char 233"}},
        {"print screen never reaches the mode",
         {sdltest::KeyEvent(SDL_KEYDOWN, SDLK_PRINTSCREEN), sdltest::KeyEvent(SDL_KEYUP, SDLK_PRINTSCREEN)},
         {}},
    };
    for (const Case& c : cases)
    {
        Recorder().calls.clear();
        IdFeed(c.events);
        EXPECT_EQ(Recorder().calls, c.calls) << c.what;
    }
}

TEST_F(InputRouting, PrintScreenTakesOneScreenshotOnRelease)
{
    const std::string before = Game::Instance().GetLastScreenshotPath();
    IdFeed({sdltest::KeyEvent(SDL_KEYDOWN, SDLK_PRINTSCREEN)});
    EXPECT_EQ(Game::Instance().GetLastScreenshotPath(), before);
    IdFeed({sdltest::KeyEvent(SDL_KEYUP, SDLK_PRINTSCREEN)});
    const std::string& path = Game::Instance().GetLastScreenshotPath();
    EXPECT_NE(path.find("/screenshot_"), std::string::npos);
    EXPECT_EQ(path.substr(path.size() - 4), ".jpg");
}

TEST_F(InputRouting, ButtonStateAndPositionFollowTheMessages)
{
    CInput& input = CInput::Instance();
    IdFeed({IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1)});
    EXPECT_TRUE(input.IsLeftHeld());
    EXPECT_FLOAT_EQ(input.GetMouseX(), 40.0f);
    EXPECT_FLOAT_EQ(input.GetMouseY(), 60.0f);
    IdFeed({IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1), IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1)});
    EXPECT_TRUE(input.IsLeftHeld()); // right and middle releases change nothing
    IdFeed({IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1)});
    EXPECT_FALSE(input.IsLeftHeld());

    // With no mode current the input goes nowhere but the button state is still kept.
    Game::Instance().SetGameMode("input_no_such_mode");
    Recorder().calls.clear();
    IdFeed({IdButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1), sdltest::KeyEvent(SDL_KEYDOWN, SDLK_b),
            sdltest::WheelEvent(1)});
    EXPECT_TRUE(input.IsLeftHeld());
    EXPECT_TRUE(Recorder().calls.empty());
    IdFeed({IdButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1)});
}

TEST(InputState, StillCounterCountsRestingUpdates)
{
    // A fresh manager, so the singleton's state does not matter.
    struct Manager : CBaseInputManager
    {
    } input;
    EXPECT_FLOAT_EQ(input.GetMouseX(), 100.0f);
    EXPECT_FLOAT_EQ(input.GetMouseY(), 100.0f);
    float px = 100.0f, py = 100.0f;
    input.SetPointerSource([&](float& x, float& y) {
        x = px;
        y = py;
    });
    struct Step
    {
        float x, y;
        int counter; // after the update that follows moving there
    };
    // The counter judges the position of the previous update against where the pointer rested.
    const Step steps[] = {
        {100, 100, 0},                               // first update: reference moves from (0,0) to (100,100)
        {100, 100, 1}, {111, 111, 2}, {111, 111, 3}, // 11 pixels diagonally still counts as resting
        {112, 100, 4},                               // compared is (111,111): still within the box
        {112, 100, 0},                               // now (112,100) is 12 away on x: restart
        {112, 100, 1},
    };
    for (const Step& s : steps)
    {
        px = s.x;
        py = s.y;
        input.Update();
        EXPECT_EQ(input.GetStillCounter(), s.counter) << s.x << "," << s.y;
    }
}

TEST(InputState, UpdateClearsTheMouseTakenFlags)
{
    CInput& input = CInput::Instance();
    int window = 0;
    input.SetMouseTaken(&window);
    EXPECT_TRUE(input.IsMouseTaken());
    EXPECT_EQ(input.GetTakingWindow(), &window);
    input.Update();
    EXPECT_FALSE(input.IsMouseTaken());
    EXPECT_EQ(input.GetTakingWindow(), nullptr);
}

TEST(InputState, ShortcutCharactersMapToKeys)
{
    struct Case
    {
        int character;
        int key;
    };
    const Case cases[] = {{'q', 0x51}, {'a', 0x41}, {'z', 0x5A}, {'0', 0x30}, {'5', 0x35}, {'9', 0x39},
                          {'-', -1},   {'Q', -1},   {' ', -1},   {0, -1},     {0xE9, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(CharToVirtualKey(c.character), c.key) << c.character;
}
