// The engine side of the application object: the current game mode, switching modes by name,
// one frame (device check, mode update, drawing, present). Input reaches the mode through the game's input object.
#pragma once
#include "engine/GFrameDevice.h"
#include "engine/GGameMode.h"

#include <cstdint>
#include <string>

class GGame
{
public:
    // The program has one application object; screens reach it through Active() to switch
    // modes and to quit.
    GGame() { s_active = this; }
    virtual ~GGame()
    {
        if (s_active == this)
            s_active = nullptr;
    }
    GGame(const GGame&) = delete;
    GGame& operator=(const GGame&) = delete;

    virtual bool Init() = 0;
    virtual void Update() = 0;
    virtual void Shutdown() = 0;
    virtual void Quit() = 0;

    // Leaves the current mode (unless it has this very name) and enters the named one.
    // An unknown name leaves no mode current and reports "Game mode [<name>] Not found".
    void SetGameMode(const std::string& name);
    GGameMode* GetGameMode() const { return m_currentMode; }

    // One frame: nothing while the device is lost (50 ms pause); the mode's Process, then,
    // unless it asked to quit, its Draw between begin and end of the scene, then present.
    void Frame();

    // The device the frame draws with; without one the frame only runs the mode.
    void SetFrameDevice(GFrameDevice* device) { m_device = device; }

    // True while the application is active and frames are to run.
    static bool IsRunning() { return s_running; }
    // The application object, or null before it exists. Main thread.
    static GGame* Active() { return s_active; }
    static void SetRunning(bool running) { s_running = running; }
    // When set after the message loop ends, the program starts a new copy of itself with
    // "-silent" (settings that need a restart).
    static bool IsRestartRequested() { return s_restart; }
    static void SetRestartRequested(bool restart) { s_restart = restart; }

protected:
    GGameMode* m_currentMode = nullptr;
    GFrameDevice* m_device = nullptr;

private:
    static inline GGame* s_active = nullptr;
    static inline bool s_running = false;
    static inline bool s_restart = false;
};
