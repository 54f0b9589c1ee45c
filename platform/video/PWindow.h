// The game's one window: created on the desktop's video system, source of every input
// message, and the surface the graphics device draws into.
#pragma once
#include "platform/video/PWindowMessage.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct SDL_Window;

class PWindow
{
public:
    static PWindow& Instance();

    // Starts the desktop video system; needed before the desktop size can be asked.
    // Safe to call more than once. False when no display can be opened.
    bool StartVideo();
    // Destroys the window and stops the video system (the desktop's mode is restored).
    void StopVideo();

    // Size of the primary desktop in pixels; false (and 0 x 0) without a display.
    bool GetDesktopSize(int& width, int& height) const;

    // Creates the window with a drawable (client) area of width x height at the desktop's
    // top-left corner. Windowed and not borderless: a fixed-size window with a caption;
    // otherwise a borderless window (full screen is entered later by the graphics device).
    // The window carries an OpenGL surface. False when it cannot be created.
    bool Create(int width, int height, bool windowed, bool borderless, const char* title);
    void Show();
    void Destroy();
    SDL_Window* Handle() const { return m_window; }
    // Sets the window's icon from a BMP file; a missing file is harmless.
    void SetIconFromFile(const char* path);

    // Drawable size of the window; 0 x 0 without a window.
    void GetClientSize(int& width, int& height) const;
    // The pointer in window coordinates.
    void GetPointer(float& x, float& y) const;

    // Message queue. Peek reports whether a message waits (reading the desktop's events
    // first); Get takes the next one and returns false for the quit message.
    bool PeekMessage();
    bool GetMessage(PWindowMessage& message);
    void PostQuit(int exitCode);
    // Waits up to one millisecond for desktop events (the inactive loop's sleep).
    void WaitBriefly();

    // Test hook: the environment variable FERROVANE_TEST_EVENTS holds a comma-separated list
    // of "<milliseconds>:<action>" items, played into the event queue once that long has
    // passed since the message loop first looked at the queue (start-up is over by then), one at
    // a time with at least one frame between two.
    // Actions: "printscreen" (press and release of the Print Screen key), "close" (the window's
    // close button), "click:<x>:<y>" (a left click there), "key:<name>" (press and release of the
    // key of that SDL name), "text:<characters>" (typed text). Unset, nothing is injected.
    void LoadTestEvents(const char* script);

private:
    PWindow() = default;
    void PumpDesktopEvents();
    void PlayDueTestEvents();

    struct TestEvent
    {
        uint32_t dueMs;
        std::string action;
    };

    SDL_Window* m_window = nullptr;
    bool m_videoStarted = false;
    std::deque<PWindowMessage> m_queue;
    bool m_quitPosted = false;
    int m_quitCode = 0;
    std::vector<TestEvent> m_testEvents;
    bool m_testClockStarted = false;
    uint32_t m_testClockStartMs = 0;
    bool m_idleSinceTestEvent = true;
};
