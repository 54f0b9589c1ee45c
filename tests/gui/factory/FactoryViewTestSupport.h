// Set-up shared by the factory view tests: a game of a small test mission (or a shipped one) with
// the factory view attached as the simulation's presentation, the game's data, atlases, fonts and
// animations, a mouse the test moves, and the frame as the in-game mode runs it. On the recording
// graphics device for the unit tests, on OpenGL for the pictures.
#pragma once

#include "tests/engine/RenderTestSupport.h"
#include "tests/gui/toolkit/ToolkitTestSupport.h"

#include <string>

class SIM_FacilitySlot;
class SIM_ProductionSlot;
class SIM_Tile;
class GUI_Tile;

// A mouse under the test's control, read as the toolkit's windows read it.
using FactoryTestInput = ToolkitTestInput;

// The game, the data and the view a factory view test runs with.
struct FactoryWorld
{
    // The simulation's threads and clocks, the presentation and the data the view reads.
    void Install();
    // Ends the game and puts every shared store of the view back.
    void Remove();
    // A new game of a mission: the test missions of tests/gui/factory/data, or a shipped one.
    bool StartGame(const std::string& mission);

    SIM_Tile* Tile(int x, int y) const;
    GUI_Tile* View(int x, int y) const;
    SIM_ProductionSlot* Place(const char* task, int x, int y, int facing = 1);
    SIM_FacilitySlot* PlaceFacility(const char* task, int x, int y, int facing = 1);
    bool LayConveyor(int x, int y);
    // Camera on the world point at the screen centre, at a zoom.
    static void LookAt(const SIM_Tile* tile, float zoom);
    // The in-game mode's frame: input, view update, simulation step, scene, zoom-out icons,
    // labels, floating values and notices.
    void Frame(bool stepSimulation = false);
    // Game time passes: the simulation's clock steps by that many milliseconds (its frame time).
    static void AdvanceClock(float milliseconds);

    FactoryTestInput input;
};

class FactoryViewTest : public RecordingRenderTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The screen (and the recording device's back buffer) the test plays on.
    virtual int ScreenWidth() const { return 800; }
    virtual int ScreenHeight() const { return 600; }

    FactoryWorld m_world;
};

// The same on OpenGL in a hidden window, for pictures compared with tests/gui/factory/reference.
// With FV_WRITE_REFERENCES=1 in the environment the pictures are written instead.
class FactoryPictureTest : public GLRenderTest
{
protected:
    void SetUp() override;
    int ViewWidth() const override { return 640; }
    int ViewHeight() const override { return 480; }
    void TearDown() override;
    // Clears, draws one frame and compares it with the reference of that name.
    void CompareFrame(const std::string& name);
    // Two drawings of one frame that should look the same: the rasterizer may round a texel's
    // filtering by one step where the coordinates are scaled, and nothing more.
    static void ExpectSamePicture(const PImage& first, const PImage& second);

    FactoryWorld m_world;
};

// Loads what the view draws with: texture folders, fonts, atlases, the shared batch.
void LoadFactoryGraphicsForTest();
// Puts the view's picture handles and card buffers back before the device goes.
void ReleaseFactoryGraphicsForTest();
