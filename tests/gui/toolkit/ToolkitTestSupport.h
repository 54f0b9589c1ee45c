// Set-up shared by the widget toolkit tests: the recording graphics device at 800 x 600, a mouse
// the test moves and presses, a stand-in for the game's services that records the sounds asked
// for, a current game mode for keyboard focus, and a clean window manager after every test.
#pragma once

#include "tests/engine/RenderTestSupport.h"

#include "engine/CBaseInputManager.h"
#include "engine/GGameMode.h"
#include "engine/GGameServices.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <functional>
#include <string>
#include <vector>

// A mouse under the test's control.
class ToolkitTestInput : public CBaseInputManager
{
public:
    ToolkitTestInput();
    // As the game's input: a new frame clears who took the mouse and counts the rest.
    void Update() override;
    void MoveTo(float x, float y);
    void SetLeftHeld(bool held) { m_leftHeld = held; }

private:
    float m_pointerX = 0.0f;
    float m_pointerY = 0.0f;
};

// Records what the toolkit asks of the sound system.
class ToolkitTestServices : public GGameServices
{
public:
    void PlaySound(const std::string& name) override { sounds.push_back(name); }
    std::vector<std::string> sounds;
};

class ToolkitTestMode : public GGameMode
{
};

// A plain window that draws its sub-windows after itself (a panel holding widgets).
class ToolkitTestPanel : public GUI_WindowBase
{
public:
    void Draw() override
    {
        GUI_WindowBase::Draw();
        DrawSubWindows();
    }
};

// The mouse, the services and the game mode a toolkit test runs with, installed for one test.
struct ToolkitTestWorld
{
    void Install();
    // Closes every window and puts everything the toolkit keeps between frames back.
    void Remove();
    // One frame as a screen runs it: input update, window update, window draw, tooltips, cursor.
    void Frame();
    // Moves the mouse there and clicks through the window manager; true when a window took it.
    bool ClickAt(float x, float y);
    bool RightClickAt(float x, float y);

    ToolkitTestInput input;
    ToolkitTestServices services;
    ToolkitTestMode mode;
};

// What the registry test loads before it opens the windows: a suite that links the simulation sets
// it to load the game's shipped definitions, so the windows show the game's own (longest) names;
// empty in the toolkit's own suite.
std::function<void()>& ShippedDefinitionsLoader();

// "<name or class> (left,top)-(right,bottom)", for messages about an element's place.
std::string DescribeElement(const GUI_BaseElement& element);
// The layout rules every window keeps, gathered as messages: each visible control and sub-window
// stays inside its window and has an area, and siblings do not overlap (unless marked as
// overlapping by design); sub-windows are checked in turn. A child its parent draws clipped (the
// boxes of a scrolled tree) is held to neither rule. Without `deep` only the window's own children.
void CheckWindowLayout(const GUI_WindowBase& window, std::vector<std::string>& problems, bool deep = true);

class ToolkitTest : public RecordingRenderTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    void Frame() { m_world.Frame(); }
    bool ClickAt(float x, float y) { return m_world.ClickAt(x, y); }
    bool RightClickAt(float x, float y) { return m_world.RightClickAt(x, y); }
    // The game's fonts, for tests that measure or wrap text.
    void LoadFonts();
    // The recording device, the screen size and the fonts at width x height (every window closed).
    void UseScreen(int width, int height);

    ToolkitTestWorld m_world;
    ToolkitTestInput& m_input = m_world.input;
    ToolkitTestServices& m_services = m_world.services;
    ToolkitTestMode& m_mode = m_world.mode;
};
