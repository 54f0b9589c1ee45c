// A window message as the game's window procedure receives it: the message number, its
// word parameter and the pointer position (window coordinates) at the moment it was made.
#pragma once
#include <cstdint>

// Message numbers. The values are the ones the game's input code was written against;
// keeping them lets the dispatch tables stay numeric.
enum PMessageId : uint32_t
{
    PMSG_NONE = 0x0000,
    PMSG_DESTROY = 0x0002,
    PMSG_ACTIVATEAPP = 0x001C,
    PMSG_KEYDOWN = 0x0100,
    PMSG_KEYUP = 0x0101,
    PMSG_CHAR = 0x0102,
    PMSG_MOUSEMOVE = 0x0200,
    PMSG_LBUTTONDOWN = 0x0201,
    PMSG_LBUTTONUP = 0x0202,
    PMSG_LBUTTONDBLCLK = 0x0203,
    PMSG_RBUTTONDOWN = 0x0204,
    PMSG_RBUTTONUP = 0x0205,
    PMSG_RBUTTONDBLCLK = 0x0206,
    PMSG_MBUTTONDOWN = 0x0207,
    PMSG_MBUTTONUP = 0x0208,
    PMSG_MBUTTONDBLCLK = 0x0209,
    PMSG_MOUSEWHEEL = 0x020A,
    PMSG_QUIT = 0x0012,
};

// Virtual-key codes handed to key handlers. Shortcut letters and digits are their upper-case
// ASCII values, so text taken from the string table compares directly with a key.
enum PVirtualKey : uint32_t
{
    PVK_BACK = 0x08,
    PVK_TAB = 0x09,
    PVK_RETURN = 0x0D,
    PVK_SHIFT = 0x10,
    PVK_CONTROL = 0x11,
    PVK_PAUSE = 0x13,
    PVK_CAPITAL = 0x14,
    PVK_ESCAPE = 0x1B,
    PVK_SPACE = 0x20,
    PVK_PRIOR = 0x21,
    PVK_NEXT = 0x22,
    PVK_END = 0x23,
    PVK_HOME = 0x24,
    PVK_LEFT = 0x25,
    PVK_UP = 0x26,
    PVK_RIGHT = 0x27,
    PVK_DOWN = 0x28,
    PVK_SNAPSHOT = 0x2C,
    PVK_INSERT = 0x2D,
    PVK_DELETE = 0x2E,
    PVK_0 = 0x30,
    PVK_A = 0x41,
    PVK_NUMPAD0 = 0x60,
    PVK_MULTIPLY = 0x6A,
    PVK_ADD = 0x6B,
    PVK_SUBTRACT = 0x6D,
    PVK_DECIMAL = 0x6E,
    PVK_DIVIDE = 0x6F,
    PVK_F1 = 0x70,
    PVK_F2 = 0x71,
    PVK_F3 = 0x72,
    PVK_F12 = 0x7B,
    PVK_OEM_1 = 0xBA,      // ;
    PVK_OEM_PLUS = 0xBB,   // =
    PVK_OEM_COMMA = 0xBC,  // ,
    PVK_OEM_MINUS = 0xBD,  // -
    PVK_OEM_PERIOD = 0xBE, // .
    PVK_OEM_2 = 0xBF,      // /
    PVK_OEM_3 = 0xC0,      // `
    PVK_OEM_4 = 0xDB,      // [
    PVK_OEM_5 = 0xDC,      // backslash
    PVK_OEM_6 = 0xDD,      // ]
    PVK_OEM_7 = 0xDE,      // '
};

struct PWindowMessage
{
    uint32_t message = PMSG_NONE;
    // Key code, character byte, activation state (1 active, 0 inactive) or, for the wheel,
    // the signed wheel delta in the upper 16 bits of a 32-bit value.
    uint64_t wParam = 0;
    int32_t x = 0;
    int32_t y = 0;
};
