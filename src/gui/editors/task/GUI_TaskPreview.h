// The task editor's isometric view of the task being edited: one editor tile per tile of the
// task's layout, floors first and props over them, the task's name at the top; its save writes
// the layout back into the task's definition file. One preview exists at a time, and the other
// editor parts find it through Get(). Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <vector>

class GUI_TaskEditorTile;
class SIM_BaseTask;

class GUI_TaskPreview : public GUI_WindowBase
{
public:
    static constexpr const char* kDefaultTask = "task_fuel_tank";
    static constexpr uint32_t kBackground = 0xFF202020u;

    GUI_TaskPreview();
    ~GUI_TaskPreview() override;
    GUI_TaskPreview(const GUI_TaskPreview&) = delete;
    GUI_TaskPreview& operator=(const GUI_TaskPreview&) = delete;

    // The preview the editor shows now, or null.
    static GUI_TaskPreview* Get();

    // Shows the default task; without it the preview stays empty (and the error log says so).
    void LoadDefaultTask();
    // Makes the task current (null: none) and builds its editor tiles afresh.
    void BuildTaskTiles(SIM_BaseTask* task);
    // The current preview's editor tile at these offsets, or null.
    static GUI_TaskEditorTile* FindTile(int xOffset, int yOffset);
    void Draw() override;
    // Writes the layout into the task's file, reloads the tasks and facilities and asks the
    // editor to rebuild itself. A save that is refused or fails keeps the edits on screen and in
    // memory (the error log says why) and returns false.
    bool SaveTaskLayout();

    SIM_BaseTask* GetTask() const { return m_task; }
    const std::vector<GUI_TaskEditorTile*>& GetTiles() const { return m_tiles; }

private:
    void DeleteTiles();

    std::vector<GUI_TaskEditorTile*> m_tiles; // sub-windows of the preview, which owns them
    SIM_BaseTask* m_task = nullptr;           // not owned
};
