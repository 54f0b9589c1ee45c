// The build menu.
#include "gui/screens/build/GUI_TaskPicker.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"
#include "gui/factory/placement/GUI_BulldozerTask.h"
#include "gui/screens/build/GUI_Task.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"

#include <algorithm>

namespace
{
// Stand-in tasks, so the check of every window sees a menu as a game shows it (a scroll bar
// needs a few rows of height for its two arrows).
const std::vector<const SIM_BaseTask*>& StandInTasks()
{
    static const std::vector<std::unique_ptr<SIM_ProductionTask>> tasks = [] {
        std::vector<std::unique_ptr<SIM_ProductionTask>> made;
        made.reserve(5);
        const char* const names[] = {"Import Bay", "Overhead Conveyor", "Car Conveyor", "Chassis Jig", "Export"};
        float index = 0.0f;
        for (const char* name : names)
        {
            auto task = std::make_unique<SIM_ProductionTask>();
            task->m_name = name;
            task->m_guiName = name;
            task->m_icon = "menu_slots.dds";
            task->m_guiLevel = 1;
            task->m_guiIndex = index;
            index += 1.0f;
            made.push_back(std::move(task));
        }
        return made;
    }();
    static const std::vector<const SIM_BaseTask*> pointers = [] {
        std::vector<const SIM_BaseTask*> list;
        list.reserve(tasks.size());
        for (const auto& task : tasks)
            list.push_back(task.get());
        return list;
    }();
    return pointers;
}

const GUI_WindowRegistration kTaskPickerRegistration{
    "task_picker", [] { return std::make_unique<GUI_TaskPicker>(StandInTasks()); }, false};
} // namespace

GUI_TaskPicker* GUI_TaskPicker::Open()
{
    CloseOpen();
    return GUI_WindowManager::Create<GUI_TaskPicker>();
}

void GUI_TaskPicker::Toggle()
{
    if (s_single.Get())
        CloseOpen();
    else
        Open();
}

void GUI_TaskPicker::CloseOpen()
{
    // The picker may only be marked for deletion now (a click is being handled); forgetting it at
    // once keeps a second toggle in the same frame from closing it twice or reaching its rows.
    s_single.CloseOpen();
}

void GUI_TaskPicker::RebuildOpen()
{
    if (!s_single.Get())
        return;
    s_single.Get()->Rebuild();
    s_single.Get()->FitToScreen();
}

std::vector<const SIM_BaseTask*> GUI_TaskPicker::AllTasks()
{
    std::vector<const SIM_BaseTask*> tasks;
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        tasks.push_back(task);
    for (const SIM_FacilityTask* task : SIM_FacilityManager::Instance().GetTasks())
        tasks.push_back(task);
    return tasks;
}

GUI_TaskPicker::GUI_TaskPicker() : GUI_TaskPicker(AllTasks())
{
}

GUI_TaskPicker::GUI_TaskPicker(const std::vector<const SIM_BaseTask*>& tasks) : GUI_Dialog(false)
{
    s_single.Claim(this);
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    SetMargins(static_cast<float>(kSideMargin), static_cast<float>(kTopMargin), static_cast<float>(kBottomMargin));
    // Provisional place; FitToScreen sizes it for its rows.
    const int height = 2 * kBottomMargin + 760;
    const float top = static_cast<float>(GScreenSize::Height() - height - 20);
    SetBounds(0.0f, top, static_cast<float>(kWidth - 16), top + static_cast<float>(height));
    CollectTasks(tasks);
    FitToScreen();
}

GUI_TaskPicker::~GUI_TaskPicker()
{
    // The rows are shown as sub-windows but owned here: they leave the window before they go, so
    // the window's own clean-up never reaches them.
    DetachRows();
    m_listed.clear();
    m_sprites.clear();
    s_single.Release(this);
}

void GUI_TaskPicker::DetachRows()
{
    for (GUI_WindowBase* row : m_listed)
        if (row->GetParent() == this)
            (void)RemoveSubWindow(row);
}

void GUI_TaskPicker::CollectTasks(const std::vector<const SIM_BaseTask*>& tasks)
{
    for (std::vector<GUI_Task*>& level : m_levels)
        level.clear();
    m_tasks.clear();
    for (const SIM_BaseTask* task : tasks)
    {
        // Tasks outside the menu's four levels are never listed, so they get no row at all.
        if (!task || task->m_guiLevel < 1 || task->m_guiLevel > kLevels)
            continue;
        m_tasks.push_back(std::make_unique<GUI_Task>(task));
        m_levels[static_cast<size_t>(task->m_guiLevel - 1)].push_back(m_tasks.back().get());
    }
    // Stable, so tasks of the same place keep the data's order from one opening to the next.
    for (std::vector<GUI_Task*>& level : m_levels)
        std::stable_sort(level.begin(), level.end(), [](const GUI_Task* a, const GUI_Task* b) {
            return a->GetTask()->m_guiIndex < b->GetTask()->m_guiIndex;
        });
    Rebuild();
}

void GUI_TaskPicker::Rebuild()
{
    DetachRows();
    m_listed.clear();
    CollectRows(0, nullptr);
    // One delete row for the picker's life: a rebuild runs inside a row's click, while the
    // window's click loop still holds the rows it was shown.
    if (!m_deleteRow)
        m_deleteRow = std::make_unique<GUI_BulldozerTask>();
    m_listed.push_back(m_deleteRow.get());
    LayoutRows();
}

void GUI_TaskPicker::CollectRows(int level, const GUI_Task* parent)
{
    for (GUI_Task* row : m_levels[static_cast<size_t>(level)])
    {
        const SIM_BaseTask* task = row->GetTask();
        if (row == parent || task->m_guiLevel != level + 1)
            continue;
        if (parent && task->m_parent != parent->GetTask()->m_name)
            continue;
        m_listed.push_back(row);
        if (level < kLevels - 1 && row->IsExpanded())
            CollectRows(level + 1, row);
    }
}

GUI_Task* GUI_TaskPicker::FindRow(const SIM_BaseTask* task) const
{
    for (const std::unique_ptr<GUI_Task>& row : m_tasks)
        if (row->GetTask() == task)
            return row.get();
    return nullptr;
}

void GUI_TaskPicker::LayoutRows()
{
    DetachRows();
    const PRect& client = GetClientRect();
    const int first = m_bar ? std::max(0, m_bar->GetFirstRow()) : 0;
    const int rows = static_cast<int>(m_listed.size());
    int y = client.top;
    int shown = 0;
    for (int i = first; i < rows && y + kRowHeight <= client.bottom; ++i)
    {
        GUI_WindowBase* row = m_listed[static_cast<size_t>(i)];
        AttachSubWindow(row);
        row->SetRect(static_cast<float>(client.left), static_cast<float>(y), static_cast<float>(client.right - 25),
                     static_cast<float>(y + kRowHeight));
        y += kRowHeight;
        ++shown;
    }
    if (m_bar)
        m_bar->SetRows(static_cast<float>(rows), static_cast<float>(shown), std::max(0, rows - shown));
}

void GUI_TaskPicker::FitToScreen()
{
    float height = static_cast<float>(kTopMargin + kBottomMargin + kRowHeight * static_cast<int>(m_listed.size()));
    const int limit = GScreenSize::Height() - 80;
    while (static_cast<int>(height) > limit && height > static_cast<float>(kTopMargin + kBottomMargin))
        height -= static_cast<float>(kRowHeight);
    const float top = static_cast<float>(GScreenSize::Height()) - height - 40.0f;
    SetBounds(0.0f, top, static_cast<float>(kWidth), top + height);
    UpdateClientRect();
    Layout();
}

void GUI_TaskPicker::Layout()
{
    const PRect& client = GetClientRect();
    if (m_bar)
        m_bar->SetRect(static_cast<float>(client.right - kScrollBarWidth), static_cast<float>(client.top),
                       static_cast<float>(client.right), static_cast<float>(client.bottom));
    LayoutRows();
}

void GUI_TaskPicker::Update()
{
    GUI_Dialog::Update();
    FollowScrollBar();
}

void GUI_TaskPicker::Draw()
{
    if (m_bar && m_bar->IsChanged())
    {
        m_bar->ClearChanged();
        LayoutRows();
    }
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
    DrawSpriteListBatched(m_sprites);
    m_sprites.clear();
}

void GUI_TaskPicker::OnWheelUp()
{
    if (m_bar)
        m_bar->StepUp();
}

void GUI_TaskPicker::OnWheelDown()
{
    if (m_bar)
        m_bar->StepDown();
}
