// A player's hands and eyes on a virtual display: moves the pointer, clicks and types through the
// X server's test extension, as a real mouse and keyboard would, and reads back what the game's
// window shows. Nothing here reaches into the game.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace gameprocess
{
// One picture of the window, 8-bit RGBA rows from the top.
struct WindowPicture
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    bool Empty() const { return width <= 0 || height <= 0; }
    // The colour at a point as 0xRRGGBB (0 outside the picture).
    uint32_t At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        const size_t i = static_cast<size_t>((y * width + x) * 4);
        return (uint32_t{rgba[i]} << 16) | (uint32_t{rgba[i + 1]} << 8) | rgba[i + 2];
    }
};

class XPlayer
{
public:
    explicit XPlayer(const std::string& display) : m_display(XOpenDisplay(display.c_str()))
    {
        // Xlib's own handler ends the process on any error, and a window that goes between
        // listing and looking (the game makes and drops windows while it starts) gives one. An
        // ended test process would also leave its display and game running. A call that fails
        // tells so by its result, which the calls here check.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~XPlayer()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    XPlayer(const XPlayer&) = delete;
    XPlayer& operator=(const XPlayer&) = delete;

    bool Connected() const
    {
        int event = 0, error = 0, major = 0, minor = 0;
        return m_display && XTestQueryExtension(m_display, &event, &error, &major, &minor);
    }

    // Waits for the game's window to be shown and gives it the keyboard, as a window manager
    // would when the player brings it to the front.
    bool FindWindow(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline)
        {
            if ((m_window = ShownTopWindow()) != 0)
            {
                XRaiseWindow(m_display, m_window);
                XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
                XSync(m_display, False);
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Moves the pointer to a point of the window, in its own pixels.
    void Move(int x, int y)
    {
        int rx = x, ry = y;
        Window child = 0;
        XTranslateCoordinates(m_display, m_window, DefaultRootWindow(m_display), x, y, &rx, &ry, &child);
        XTestFakeMotionEvent(m_display, -1, rx, ry, CurrentTime);
        XSync(m_display, False);
        Pause(60);
    }

    // A left click (or another button) with the short hold of a real press.
    void Click(int x, int y, unsigned button = 1)
    {
        Move(x, y);
        XTestFakeButtonEvent(m_display, button, True, CurrentTime);
        XSync(m_display, False);
        Pause(80);
        XTestFakeButtonEvent(m_display, button, False, CurrentTime);
        XSync(m_display, False);
        Pause(120);
    }

    // Holds the left button from one point of the window to another, passing through the points
    // between in steps of about a dozen pixels, as a hand drags.
    void Drag(int x0, int y0, int x1, int y1)
    {
        Move(x0, y0);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XSync(m_display, False);
        Pause(120);
        const int steps = std::max(1, std::max(std::abs(x1 - x0), std::abs(y1 - y0)) / 12);
        for (int i = 1; i <= steps; ++i)
            Move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        // A tool follows the pointer once a frame and takes the tile it saw last when the button
        // comes up: the hand rests long enough for a slow frame to see where it stopped.
        Pause(600);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XSync(m_display, False);
        Pause(150);
    }

    // Presses and releases one key by its X name ("F2", "Escape", "Return", "3", "Print").
    void Key(const std::string& name)
    {
        const KeySym sym = XStringToKeysym(name.c_str());
        Press(sym, false);
    }

    // Types letters, digits and spaces as a player would, shifting for capitals.
    void Type(const std::string& text)
    {
        for (const char c : text)
        {
            if (c == ' ')
                Press(XK_space, false);
            else if (c >= 'A' && c <= 'Z')
                Press(static_cast<KeySym>(c - 'A' + 'a'), true);
            else
                Press(static_cast<KeySym>(static_cast<unsigned char>(c)), false);
        }
    }

    // What the window shows now.
    WindowPicture Grab()
    {
        WindowPicture picture;
        XWindowAttributes attributes;
        if (!m_window || !XGetWindowAttributes(m_display, m_window, &attributes))
            return picture;
        XImage* image = XGetImage(m_display, m_window, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (!image)
            return picture;
        picture.width = attributes.width;
        picture.height = attributes.height;
        picture.rgba.resize(static_cast<size_t>(picture.width * picture.height * 4));
        const bool plain = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                           image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
            {
                // The usual 24-bit layout is read straight; any other through Xlib's per-pixel call.
                const unsigned long pixel =
                    plain ? *reinterpret_cast<const uint32_t*>(image->data + y * image->bytes_per_line + x * 4)
                          : XGetPixel(image, x, y);
                uint8_t* out = &picture.rgba[static_cast<size_t>((y * picture.width + x) * 4)];
                out[0] = static_cast<uint8_t>((pixel & image->red_mask) >> Shift(image->red_mask));
                out[1] = static_cast<uint8_t>((pixel & image->green_mask) >> Shift(image->green_mask));
                out[2] = static_cast<uint8_t>((pixel & image->blue_mask) >> Shift(image->blue_mask));
                out[3] = 255;
            }
        XDestroyImage(image);
        return picture;
    }

    // Asks the window to close, as the close box of a window manager would.
    void CloseWindow()
    {
        const Atom protocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
        const Atom remove = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = m_window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(remove);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, m_window, False, NoEventMask, &event);
        XSync(m_display, False);
    }

    static void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

private:
    static int Shift(unsigned long mask)
    {
        int shift = 0;
        while (mask && !(mask & 1))
        {
            mask >>= 1;
            ++shift;
        }
        return shift;
    }

    void Press(KeySym sym, bool shifted)
    {
        const KeyCode code = XKeysymToKeycode(m_display, sym);
        const KeyCode shift = XKeysymToKeycode(m_display, XK_Shift_L);
        if (code == 0)
            return;
        if (shifted)
            XTestFakeKeyEvent(m_display, shift, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XSync(m_display, False);
        Pause(50);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        if (shifted)
            XTestFakeKeyEvent(m_display, shift, False, CurrentTime);
        XSync(m_display, False);
        Pause(70);
    }

    // The largest shown window straight under the root: the game's, on a display of its own.
    Window ShownTopWindow()
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
            return 0;
        Window best = 0;
        long bestArea = 0;
        for (unsigned i = 0; i < count; ++i)
        {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            const long area = static_cast<long>(attributes.width) * attributes.height;
            if (area > bestArea)
            {
                bestArea = area;
                best = children[i];
            }
        }
        if (children)
            XFree(children);
        return best;
    }

    Display* m_display = nullptr;
    Window m_window = 0;
};
} // namespace gameprocess
