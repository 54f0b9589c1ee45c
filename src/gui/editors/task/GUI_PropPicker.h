// The task editor's list of every prop type, sorted by name; a click picks the prop to place.
// Main thread only.
#pragma once

#include "gui/editors/task/GUI_EditorStripList.h"

class GUI_PropPicker : public GUI_EditorStripList
{
public:
    // One row per prop type, as the prop type manager holds them, then sorted.
    void RebuildRows() override;
};
