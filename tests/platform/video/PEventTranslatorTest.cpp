// Desktop events become exactly the window messages the game's window procedure expects.
#include "platform/video/PEventTranslator.h"
#include "tests/platform/video/SdlTestEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
using sdltest::ButtonEvent;
using sdltest::KeyEvent;
using sdltest::TextEvent;
using sdltest::WheelEvent;
using sdltest::WindowEvent;

std::vector<std::pair<uint32_t, uint64_t>> TranslateOne(const SDL_Event& e)
{
    std::vector<PWindowMessage> out;
    PEventTranslator::Translate(e, out);
    std::vector<std::pair<uint32_t, uint64_t>> pairs;
    for (const PWindowMessage& m : out)
        pairs.emplace_back(m.message, m.wParam);
    return pairs;
}

using Msgs = std::vector<std::pair<uint32_t, uint64_t>>;
} // namespace

TEST(EventTranslation, EachEventGivesTheExpectedMessages)
{
    struct Case
    {
        const char* what;
        SDL_Event event;
        Msgs expected;
    };
    const Case cases[] = {
        {"close button", WindowEvent(SDL_WINDOWEVENT_CLOSE), {{PMSG_DESTROY, 0}}},
        {"quit request",
         [] {
             SDL_Event e;
             std::memset(&e, 0, sizeof e);
             e.type = SDL_QUIT;
             return e;
         }(),
         {{PMSG_DESTROY, 0}}},
        {"focus gained", WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {{PMSG_ACTIVATEAPP, 1}}},
        {"focus lost", WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), {{PMSG_ACTIVATEAPP, 0}}},
        {"window moved", WindowEvent(SDL_WINDOWEVENT_MOVED), {}},
        {"letter key", KeyEvent(SDL_KEYDOWN, SDLK_q), {{PMSG_KEYDOWN, 0x51}}},
        {"digit key", KeyEvent(SDL_KEYDOWN, SDLK_5), {{PMSG_KEYDOWN, 0x35}}},
        {"F2 key", KeyEvent(SDL_KEYDOWN, SDLK_F2), {{PMSG_KEYDOWN, 0x71}}},
        {"F3 key", KeyEvent(SDL_KEYDOWN, SDLK_F3), {{PMSG_KEYDOWN, 0x72}}},
        {"arrow key", KeyEvent(SDL_KEYDOWN, SDLK_LEFT), {{PMSG_KEYDOWN, 0x25}}},
        {"delete key", KeyEvent(SDL_KEYDOWN, SDLK_DELETE), {{PMSG_KEYDOWN, 0x2E}}},
        {"escape types its character", KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE), {{PMSG_KEYDOWN, 0x1B}, {PMSG_CHAR, 0x1B}}},
        {"return types its character", KeyEvent(SDL_KEYDOWN, SDLK_RETURN), {{PMSG_KEYDOWN, 0x0D}, {PMSG_CHAR, 0x0D}}},
        {"backspace types its character",
         KeyEvent(SDL_KEYDOWN, SDLK_BACKSPACE),
         {{PMSG_KEYDOWN, 0x08}, {PMSG_CHAR, 0x08}}},
        {"tab types its character", KeyEvent(SDL_KEYDOWN, SDLK_TAB), {{PMSG_KEYDOWN, 0x09}, {PMSG_CHAR, 0x09}}},
        {"print screen press is silent", KeyEvent(SDL_KEYDOWN, SDLK_PRINTSCREEN), {}},
        {"print screen release", KeyEvent(SDL_KEYUP, SDLK_PRINTSCREEN), {{PMSG_KEYUP, 0x2C}}},
        {"key with Alt is a system key", KeyEvent(SDL_KEYDOWN, SDLK_q, KMOD_LALT), {}},
        {"unmapped key", KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY), {}},
        {"left press", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1), {{PMSG_LBUTTONDOWN, 0}}},
        {"left second press is a double click",
         ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2),
         {{PMSG_LBUTTONDBLCLK, 0}}},
        {"left third press starts over", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3), {{PMSG_LBUTTONDOWN, 0}}},
        {"left release", ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2), {{PMSG_LBUTTONUP, 0}}},
        {"right press", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1), {{PMSG_RBUTTONDOWN, 0}}},
        {"right double click", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2), {{PMSG_RBUTTONDBLCLK, 0}}},
        {"middle press", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1), {{PMSG_MBUTTONDOWN, 0}}},
        {"middle release", ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1), {{PMSG_MBUTTONUP, 0}}},
        {"side button", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1), {}},
        {"wheel forward", WheelEvent(1), {{PMSG_MOUSEWHEEL, 0x00780000u}}},
        {"wheel back", WheelEvent(-2), {{PMSG_MOUSEWHEEL, 0xFF880000u}}},
        {"flipped wheel forward", WheelEvent(1, 0, SDL_MOUSEWHEEL_FLIPPED), {{PMSG_MOUSEWHEEL, 0xFF880000u}}},
        {"sideways wheel", WheelEvent(0, 3), {}},
        {"typed letters", TextEvent("ab"), {{PMSG_CHAR, 'a'}, {PMSG_CHAR, 'b'}}},
        {"typed accented and euro", TextEvent("\xC3\xA9\xE2\x82\xAC"), {{PMSG_CHAR, 0xE9}, {PMSG_CHAR, 0x80}}},
        {"typed character outside the code page",
         TextEvent("\xE4\xB8\xAD"
                   "x"),
         {{PMSG_CHAR, 'x'}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateOne(c.event), c.expected) << c.what;
}

TEST(EventTranslation, MouseMessagesCarryTheWindowPosition)
{
    std::vector<PWindowMessage> out;
    PEventTranslator::Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 321, 654), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].x, 321);
    EXPECT_EQ(out[0].y, 654);
}

TEST(EventTranslation, Utf8ToWindows1252DropsWhatItCannotShow)
{
    struct Case
    {
        const char* in;
        std::string out;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"\xC3\xBC"
         "ber",
         "\xFC"
         "ber"}, // u umlaut
        {"\xE2\x80\x9C"
         "q"
         "\xE2\x80\x9D",
         "\x93q\x94"},            // curly quotes
        {"\xC5\xA0", "\x8A"},     // S caron
        {"\xC2\x85", ""},         // C1 control has no character
        {"\xF0\x9F\x98\x80", ""}, // emoji
        {"\xC3", ""},             // cut-off sequence
        {"\xC3"
         "a",
         "a"}, // broken sequence followed by a letter
        {"\x80\xBF"
         "z",
         "z"},            // stray continuation bytes
        {"\x01\x7F", ""}, // control characters
    };
    for (const Case& c : cases)
        EXPECT_EQ(PEventTranslator::Utf8ToWindows1252(c.in), c.out) << c.in;
    EXPECT_EQ(PEventTranslator::Utf8ToWindows1252(nullptr), "");
}
