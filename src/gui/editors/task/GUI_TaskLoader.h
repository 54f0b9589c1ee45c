// The task editor's list of every production task and facility, sorted by display name; a click
// on one loads it for editing. Main thread only.
#pragma once

#include "gui/editors/task/GUI_EditorStripList.h"

class GUI_TaskLoader : public GUI_EditorStripList
{
public:
    // The production tasks, then the facilities, as the managers hold them, then sorted.
    void RebuildRows() override;
};
