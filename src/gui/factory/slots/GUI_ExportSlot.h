// The view of the export slot, where finished cars leave the factory: a production slot view by
// another name, so the tools and the savegame can tell it apart.
#pragma once

#include "gui/factory/slots/GUI_ProductionSlot.h"

class GUI_ExportSlot : public GUI_ProductionSlot
{
public:
    using GUI_ProductionSlot::GUI_ProductionSlot;
};
