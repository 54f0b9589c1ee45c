// A row of the task editor's task list: a production task or facility by its icon and display
// name; a click loads its layout into the editor. Main thread only.
#pragma once

#include "gui/editors/task/GUI_EditorStrip.h"

class SIM_BaseTask;

class GUI_TaskLoaderStrip : public GUI_EditorStrip
{
public:
    // task: not owned; the editor's definitions, which outlive the list.
    explicit GUI_TaskLoaderStrip(SIM_BaseTask* task);

    bool OnClick(float x, float y) override;

    SIM_BaseTask* GetTask() const { return m_task; }

private:
    SIM_BaseTask* m_task;
};
