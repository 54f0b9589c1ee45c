// The task editor screen (mode "taskeditor"): edits which tiles a task occupies, each tile's type
// and floor, and the props standing on them, shown in an isometric preview; lists every task and
// facility to load and every prop type to place, and writes the layout back into the task's
// file. Edits change the loaded definitions at once and reach the file only through the save;
// entering the editor again reads the definitions afresh. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/GGameMode.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <array>
#include <cstdint>
#include <string>

class GUI_EditorProp;
class GUI_PropPicker;
class GUI_TaskEditorTile;
class GUI_TaskGrid;
class GUI_TaskLoader;
class GUI_TaskPreview;
class SIM_BaseTask;
class SIM_Prop;

class GUI_TaskEditor : public GGameMode, public GUI_WindowBase
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* kModeName = "taskeditor";
    static constexpr uint32_t kClearColour = 0xFF000000u;
    static constexpr uint32_t kGhostColour = 0x80FFFFFFu;
    // Until a task is shown the preview draws a tile 500 pixels wide.
    static constexpr float kStartScale = 500.0f / 512.0f;

    enum ButtonId
    {
        TASKEDITOR_QUIT = 0,
        TASKEDITOR_SAVE = 1,
    };

    // The one editor, made and registered as "taskeditor" on first use; it lives for the run.
    static GUI_TaskEditor& Instance();

    // Builds the editor afresh: reads the definitions again (unsaved edits go), lays out the
    // prop list, the task list, the preview and the grid for the screen, and shows the default task.
    void Init();
    // Shows the task (null: nothing changes): grid, preview scale and editor tiles.
    void SetTask(SIM_BaseTask* task);
    // The prop the next click in the preview places; null drops it.
    void SetHeldPropType(SIM_Prop* type);
    // The sub-tile point nearest the mouse over every tile but stockpiles (their pallets fill
    // them); of two at the same distance the earlier one. False when no such tile exists.
    bool FindNearestSubTile(GUI_TaskEditorTile*& tile, int& index) const;
    void OnButton(int id);

    // The preview scale that lets a layout reaching `extent` tiles from the grid's diagonal fill
    // the preview's width (pixels per unit of the 512-unit tile).
    static float ScaleForLayout(const std::array<bool, 25>& occupied, float previewWidth);

    void Draw() override;
    void Process() override;
    void OnLeftDown() override;
    void OnRightDown() override;
    void Enter() override;
    void Exit() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    void OnKeyDown(uint32_t virtualKey) override { GGameMode::OnKeyDown(virtualKey); }
    void OnChar(uint32_t character) override { GGameMode::OnChar(character); }

    // Called by the parts of the editor.
    void RequestRebuild() { m_rebuild = true; }
    void ClearHoveredProp() { m_hoveredProp = nullptr; }
    // The layout's props changed: the task's staff list follows (it points into them).
    void OnLayoutPropsChanged();
    // The definitions are about to be read again: nothing may point into them.
    void OnDefinitionsReloading();
    // Drops the screen's windows and every pointer into the definitions: once the editor is
    // left, a new game reads them again. The next visit builds everything anew.
    void Release();

    float GetScale() const { return m_scale; }
    SIM_BaseTask* GetCurrentTask() const { return m_task; }
    SIM_Prop* GetHeldPropType() const { return m_heldPropType; }
    GUI_EditorProp* GetHoveredProp() const { return m_hoveredProp; }
    bool IsRebuildRequested() const { return m_rebuild; }
    GUI_TaskGrid* GetGrid() const { return m_grid; }
    GUI_TaskLoader* GetLoader() const { return m_loader; }
    GUI_PropPicker* GetPropPicker() const { return m_picker; }
    GUI_TaskPreview* GetPreview() const { return m_preview; }

    // The folder the definitions are read from and saved to ("data/simulation" in the game).
    const std::string& GetDataRoot() const { return m_dataRoot; }
    void SetDataRoot(const std::string& root) { m_dataRoot = root; }

private:
    GUI_TaskEditor();
    void UpdateHover();
    bool IsMouseOverPreview() const;
    void DrawHeldProp();
    static void MousePosition(float& x, float& y);

    GUI_TaskEditorTile* m_hoveredTile = nullptr;
    int m_hoveredSubTile = -1;
    GUI_EditorProp* m_hoveredProp = nullptr;
    bool m_rebuild = false;
    // Sub-windows of the editor, which owns them.
    GUI_TaskGrid* m_grid = nullptr;
    GUI_TaskLoader* m_loader = nullptr;
    GUI_PropPicker* m_picker = nullptr;
    GUI_TaskPreview* m_preview = nullptr;
    SIM_BaseTask* m_task = nullptr; // not owned: the loaded definitions
    SIM_Prop* m_heldPropType = nullptr;
    CTexturedSprite m_mouseGhost;
    CTexturedSprite m_snappedGhost;
    float m_scale = kStartScale;
    std::string m_dataRoot = "data/simulation";
};
