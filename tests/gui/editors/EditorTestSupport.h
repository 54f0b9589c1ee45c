// Set-up shared by the mission editor tests: the toolkit's recording world at the smallest screen
// the game supports, game services that run the windows and switch modes as the game does, and
// missions copied into a scratch folder so saving never touches the shipped files.
#pragma once

#include "tests/gui/toolkit/ToolkitTestSupport.h"

#include "engine/GGame.h"
#include "sim/world/SIM_Mission.h"

#include <memory>
#include <string>
#include <vector>

class GUI_MissionEditorDialog;
class GUI_MissionEditorMap;

// The windows as the game's services run them.
class EditorTestServices : public ToolkitTestServices
{
public:
    void UpdateWindows() override;
    void DrawWindows() override;
    bool WindowsLeftDown() override;
    bool WindowsRightDown() override;
    void WindowsKeyDown(uint32_t virtualKey) override;
    // As the game does it: the editor on the mission list's mission of that name.
    void OpenMissionEditor(const std::string& missionName) override;
};

// The application object screens switch modes through; it runs no frames of its own.
class EditorTestGame : public GGame
{
public:
    bool Init() override { return true; }
    void Update() override {}
    void Shutdown() override {}
    void Quit() override {}
};

class MissionEditorTest : public ToolkitTest
{
protected:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 768;

    void SetUp() override;
    void TearDown() override;

    // Copies a shipped mission (by file name) into the scratch folder and loads it from there.
    std::unique_ptr<SIM_Mission> LoadCopy(const std::string& fileName);
    // Writes a mission file of that floor size with no zones and loads it.
    std::unique_ptr<SIM_Mission> MakeEmptyMission(const std::string& name, int worldX, int worldY);
    // Opens the editor dialog on the mission, as the edit button does.
    GUI_MissionEditorDialog* OpenEditor(SIM_Mission& mission);

    // The middle of tile (a, b) of the open editor's map.
    float TileX(int a) const;
    float TileY(int b) const;
    // A left drag from one point to another as the player makes it.
    void Drag(float x0, float y0, float x1, float y1);
    void DragTiles(int a0, int b0, int a1, int b1) { Drag(TileX(a0), TileY(b0), TileX(a1), TileY(b1)); }
    bool ClickTile(int a, int b) { return ClickAt(TileX(a), TileY(b)); }
    bool RightClickTile(int a, int b) { return RightClickAt(TileX(a), TileY(b)); }
    // Types into a text field: clicks it, clears it with backspaces and enters the characters.
    void Type(class GUI_TextEditWindow* field, const std::string& text);
    // Chooses a value of a drop-down list as the player does.
    void Choose(class GUI_DropDownList* list, const std::string& value);

    GUI_MissionEditorMap* Map() const;

    EditorTestGame m_game;
    EditorTestServices m_editorServices;
    EngineTestFiles m_scratch;
};
