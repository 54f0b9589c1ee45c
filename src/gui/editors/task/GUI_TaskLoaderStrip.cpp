// A row of the task editor's task list.
#include "gui/editors/task/GUI_TaskLoaderStrip.h"

#include "engine/GGameServices.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "sim/definitions/SIM_BaseTask.h"

GUI_TaskLoaderStrip::GUI_TaskLoaderStrip(SIM_BaseTask* task)
    : GUI_EditorStrip(task->GetGuiName(), task->GetIcon()), m_task(task)
{
}

bool GUI_TaskLoaderStrip::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    GGameServices::Get().PlaySound("select.ogg");
    GUI_TaskEditor::Instance().SetTask(m_task);
    return true;
}
