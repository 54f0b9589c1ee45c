// Turns the desktop's input and window events into the game's window messages.
#include "platform/video/PEventTranslator.h"

namespace
{
struct PEvtCodeByte
{
    uint16_t codePoint;
    uint8_t byte;
};

// The printable characters of 0x80-0x9F; the rest of Windows-1252 equals Latin-1.
const PEvtCodeByte kPEvtHighTable[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86}, {0x2021, 0x87},
    {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91},
    {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98},
    {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};

PWindowMessage PEvtMake(uint32_t message, uint64_t wParam, int32_t x = 0, int32_t y = 0)
{
    PWindowMessage m;
    m.message = message;
    m.wParam = wParam;
    m.x = x;
    m.y = y;
    return m;
}
} // namespace

uint8_t PEventTranslator::CodePointToWindows1252(uint32_t codePoint)
{
    if (codePoint >= 0x20 && codePoint < 0x7F)
        return static_cast<uint8_t>(codePoint);
    if (codePoint >= 0xA0 && codePoint <= 0xFF)
        return static_cast<uint8_t>(codePoint);
    for (const PEvtCodeByte& e : kPEvtHighTable)
        if (e.codePoint == codePoint)
            return e.byte;
    return 0;
}

std::string PEventTranslator::Utf8ToWindows1252(const char* text)
{
    std::string out;
    if (!text)
        return out;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p)
    {
        uint32_t cp = 0;
        int extra = 0;
        if (*p < 0x80)
        {
            cp = *p;
        }
        else if ((*p & 0xE0) == 0xC0)
        {
            cp = *p & 0x1F;
            extra = 1;
        }
        else if ((*p & 0xF0) == 0xE0)
        {
            cp = *p & 0x0F;
            extra = 2;
        }
        else if ((*p & 0xF8) == 0xF0)
        {
            cp = *p & 0x07;
            extra = 3;
        }
        else
        {
            ++p; // stray continuation or invalid lead byte
            continue;
        }
        ++p;
        bool ok = true;
        for (int i = 0; i < extra; ++i)
        {
            if ((*p & 0xC0) != 0x80)
            {
                ok = false; // truncated sequence: resume at this byte
                break;
            }
            cp = (cp << 6) | (*p & 0x3F);
            ++p;
        }
        if (!ok)
            continue;
        const uint8_t b = CodePointToWindows1252(cp);
        if (b)
            out.push_back(static_cast<char>(b));
    }
    return out;
}

uint32_t PEventTranslator::KeyToVirtualKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return PVK_A + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return PVK_0 + static_cast<uint32_t>(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return PVK_F1 + static_cast<uint32_t>(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return PVK_NUMPAD0 + 1 + static_cast<uint32_t>(key - SDLK_KP_1);
    switch (key)
    {
    case SDLK_KP_0:
        return PVK_NUMPAD0;
    case SDLK_BACKSPACE:
        return PVK_BACK;
    case SDLK_TAB:
        return PVK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return PVK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return PVK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return PVK_CONTROL;
    case SDLK_PAUSE:
        return PVK_PAUSE;
    case SDLK_CAPSLOCK:
        return PVK_CAPITAL;
    case SDLK_ESCAPE:
        return PVK_ESCAPE;
    case SDLK_SPACE:
        return PVK_SPACE;
    case SDLK_PAGEUP:
        return PVK_PRIOR;
    case SDLK_PAGEDOWN:
        return PVK_NEXT;
    case SDLK_END:
        return PVK_END;
    case SDLK_HOME:
        return PVK_HOME;
    case SDLK_LEFT:
        return PVK_LEFT;
    case SDLK_UP:
        return PVK_UP;
    case SDLK_RIGHT:
        return PVK_RIGHT;
    case SDLK_DOWN:
        return PVK_DOWN;
    case SDLK_PRINTSCREEN:
        return PVK_SNAPSHOT;
    case SDLK_INSERT:
        return PVK_INSERT;
    case SDLK_DELETE:
        return PVK_DELETE;
    case SDLK_KP_MULTIPLY:
        return PVK_MULTIPLY;
    case SDLK_KP_PLUS:
        return PVK_ADD;
    case SDLK_KP_MINUS:
        return PVK_SUBTRACT;
    case SDLK_KP_PERIOD:
        return PVK_DECIMAL;
    case SDLK_KP_DIVIDE:
        return PVK_DIVIDE;
    case SDLK_SEMICOLON:
        return PVK_OEM_1;
    case SDLK_EQUALS:
        return PVK_OEM_PLUS;
    case SDLK_COMMA:
        return PVK_OEM_COMMA;
    case SDLK_MINUS:
        return PVK_OEM_MINUS;
    case SDLK_PERIOD:
        return PVK_OEM_PERIOD;
    case SDLK_SLASH:
        return PVK_OEM_2;
    case SDLK_BACKQUOTE:
        return PVK_OEM_3;
    case SDLK_LEFTBRACKET:
        return PVK_OEM_4;
    case SDLK_BACKSLASH:
        return PVK_OEM_5;
    case SDLK_RIGHTBRACKET:
        return PVK_OEM_6;
    case SDLK_QUOTE:
        return PVK_OEM_7;
    default:
        return 0;
    }
}

void PEventTranslator::Translate(const SDL_Event& event, std::vector<PWindowMessage>& out)
{
    switch (event.type)
    {
    case SDL_QUIT:
        out.push_back(PEvtMake(PMSG_DESTROY, 0));
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event)
        {
        case SDL_WINDOWEVENT_CLOSE:
            out.push_back(PEvtMake(PMSG_DESTROY, 0));
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.push_back(PEvtMake(PMSG_ACTIVATEAPP, 1));
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.push_back(PEvtMake(PMSG_ACTIVATEAPP, 0));
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN:
    {
        const SDL_Keycode sym = event.key.keysym.sym;
        // Print Screen reaches the game on release only; a press as well would take two pictures.
        if (sym == SDLK_PRINTSCREEN)
            break;
        // Keys held with Alt are system keys, not game keys.
        if (event.key.keysym.mod & KMOD_ALT)
            break;
        const uint32_t vk = KeyToVirtualKey(sym);
        if (vk)
            out.push_back(PEvtMake(PMSG_KEYDOWN, vk));
        // The control keys that also type a character, in the order keyboard translation gives them.
        switch (sym)
        {
        case SDLK_BACKSPACE:
            out.push_back(PEvtMake(PMSG_CHAR, 0x08));
            break;
        case SDLK_TAB:
            out.push_back(PEvtMake(PMSG_CHAR, 0x09));
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            out.push_back(PEvtMake(PMSG_CHAR, 0x0D));
            break;
        case SDLK_ESCAPE:
            out.push_back(PEvtMake(PMSG_CHAR, 0x1B));
            break;
        default:
            break;
        }
        break;
    }
    case SDL_KEYUP:
        if (event.key.keysym.sym == SDLK_PRINTSCREEN)
            out.push_back(PEvtMake(PMSG_KEYUP, PVK_SNAPSHOT));
        else
        {
            const uint32_t vk = KeyToVirtualKey(event.key.keysym.sym);
            if (vk)
                out.push_back(PEvtMake(PMSG_KEYUP, vk));
        }
        break;
    case SDL_TEXTINPUT:
        for (char c : Utf8ToWindows1252(event.text.text))
            out.push_back(PEvtMake(PMSG_CHAR, static_cast<uint8_t>(c)));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    {
        if (event.button.which == SDL_TOUCH_MOUSEID)
            break;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        // The desktop counts clicks in a row; every second one is a double click.
        const bool dbl = down && event.button.clicks >= 2 && (event.button.clicks % 2) == 0;
        uint32_t msg = PMSG_NONE;
        switch (event.button.button)
        {
        case SDL_BUTTON_LEFT:
            msg = down ? (dbl ? PMSG_LBUTTONDBLCLK : PMSG_LBUTTONDOWN) : PMSG_LBUTTONUP;
            break;
        case SDL_BUTTON_RIGHT:
            msg = down ? (dbl ? PMSG_RBUTTONDBLCLK : PMSG_RBUTTONDOWN) : PMSG_RBUTTONUP;
            break;
        case SDL_BUTTON_MIDDLE:
            msg = down ? (dbl ? PMSG_MBUTTONDBLCLK : PMSG_MBUTTONDOWN) : PMSG_MBUTTONUP;
            break;
        default:
            break;
        }
        if (msg != PMSG_NONE)
            out.push_back(PEvtMake(msg, 0, event.button.x, event.button.y));
        break;
    }
    case SDL_MOUSEWHEEL:
    {
        int32_t dy = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            dy = -dy;
        // Sideways scrolling is not a wheel turn for the game.
        if (dy == 0)
            break;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        // One notch is 120 units, carried in the upper word as a signed value.
        const int32_t delta = dy > 0 ? 120 : -120;
        const uint32_t word = static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16;
        out.push_back(PEvtMake(PMSG_MOUSEWHEEL, word, x, y));
        break;
    }
    // Pointer movement carries no message: the game polls the pointer once per frame.
    default:
        break;
    }
}
