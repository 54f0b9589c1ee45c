// The build menu: every task and facility the player may place, as a tree of rows by menu level
// and place, greyed while locked or too dear, with the delete row last. It stands at the lower
// left of the screen; a row's click arms the placement tool that builds it. The in-game menu's
// build button toggles it (Toggle), leaving the game closes it (CloseOpen), and a finished
// research re-collects its rows (RebuildOpen). Main thread only.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <array>
#include <list>
#include <memory>
#include <vector>

class CTexturedSprite;
class GUI_BulldozerTask;
class GUI_Task;
class SIM_BaseTask;

class GUI_TaskPicker : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 38;
    static constexpr int kWidth = 360;
    static constexpr int kSideMargin = 8;
    static constexpr int kTopMargin = 16;
    static constexpr int kBottomMargin = 16;
    static constexpr int kScrollBarWidth = 20;
    static constexpr int kLevels = 4;

    // --- the in-game mode's doors ---
    // The open picker, or null.
    static GUI_TaskPicker* GetOpen() { return s_single.Get(); }
    // Closes the open picker, if any, and opens a new one (every row collapsed).
    static GUI_TaskPicker* Open();
    // The build button: opens the picker when none is open, otherwise closes it.
    static void Toggle();
    // Leaving the game: the picker goes.
    static void CloseOpen();
    // A research finished: the open picker re-collects its rows and fits itself to the screen.
    static void RebuildOpen();

    // Every production task, then every facility, in their managers' order.
    static std::vector<const SIM_BaseTask*> AllTasks();

    // The menu of every task the game knows.
    GUI_TaskPicker();
    // The menu of these tasks (in this order before sorting).
    explicit GUI_TaskPicker(const std::vector<const SIM_BaseTask*>& tasks);
    ~GUI_TaskPicker() override;

    // The rows shown, from the level lists (expanded rows bring their children), then the delete
    // row; then the rows are laid out.
    void Rebuild();
    // Height for the rows shown, in steps of one row until it fits 80 pixels short of the screen
    // height; 40 pixels above the screen's bottom at the left edge.
    void FitToScreen();
    void LayoutRows() override;
    void Layout() override;
    void Draw() override;
    void Update() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

    // Icons of the rows drawn this frame; the picker draws them after every row's text.
    void QueueIcon(CTexturedSprite* sprite) { m_sprites.push_back(sprite); }

    // The rows in display order (task rows, the delete row last).
    const std::vector<GUI_WindowBase*>& GetListedRows() const { return m_listed; }
    const std::vector<GUI_Task*>& GetLevel(int level) const { return m_levels[static_cast<size_t>(level)]; }
    GUI_Task* FindRow(const SIM_BaseTask* task) const;
    GUI_BulldozerTask* GetDeleteRow() const { return m_deleteRow.get(); }

private:
    // One row per task of a menu level 1 to 4, each level sorted by menu place.
    void CollectTasks(const std::vector<const SIM_BaseTask*>& tasks);
    // Depth-first: the rows of a level (under a parent, only its children), each followed by its
    // own children while it is expanded.
    void CollectRows(int level, const GUI_Task* parent);
    // Takes every listed row out of the sub-windows, leaving the row alive.
    void DetachRows();

    static inline GUI_SingleWindow<GUI_TaskPicker> s_single;

    std::list<CTexturedSprite*> m_sprites;                // not owned: icons of the rows
    std::vector<std::unique_ptr<GUI_Task>> m_tasks;       // every task row
    std::array<std::vector<GUI_Task*>, kLevels> m_levels; // owned by m_tasks
    std::vector<GUI_WindowBase*> m_listed;                // owned by m_tasks or m_deleteRow
    std::unique_ptr<GUI_BulldozerTask> m_deleteRow;
};
