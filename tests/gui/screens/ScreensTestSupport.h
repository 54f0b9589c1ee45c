// Set-up of the screen tests: the toolkit's recording device, mouse and services at a chosen
// screen size with the game's fonts, an application object that switches modes by name, and a
// main menu to return to.
#pragma once

#include "gui/toolkit/ToolkitTestSupport.h"

#include "engine/GGame.h"

#include <memory>
#include <string>
#include <vector>

class GUI_MainMenu;

// Switches modes and records the quit; draws nothing itself.
class ScreensTestGame : public GGame
{
public:
    bool Init() override { return true; }
    void Update() override {}
    void Shutdown() override { ++shutdowns; }
    void Quit() override
    {
        SetRunning(false);
        Shutdown();
    }
    int shutdowns = 0;
};

// The services a screen asks for, with a newer-version answer the test sets.
class ScreensTestServices : public ToolkitTestServices
{
public:
    bool TakeUpdateAvailable() override
    {
        const bool was = updateAvailable;
        updateAvailable = false;
        return was;
    }
    bool WritePrefs(int width, int height, int windowed, int borderless) override
    {
        prefs.push_back({width, height, windowed, borderless});
        return true;
    }
    bool updateAvailable = false;
    std::vector<std::vector<int>> prefs;
};

class ScreensTest : public ToolkitTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The name of the current mode ("" when none).
    std::string CurrentMode() const;
    // How many open windows of the manager are of type T.
    template <class T>
    int CountWindows() const;

    std::unique_ptr<ScreensTestGame> m_game;
    ScreensTestServices m_screenServices;
};

#include "gui/toolkit/windows/GUI_WindowManager.h"

template <class T>
int ScreensTest::CountWindows() const
{
    int count = 0;
    for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
        if (dynamic_cast<T*>(window) && !window->IsClosing())
            ++count;
    return count;
}
