// The view of an import bay: the bay's wall door is the site marker and its label lists the queue,
// so the bay itself only has to exist for the simulation to own. Owned by the bay.
#pragma once

#include "sim/views/SIM_ImportBayView.h"

class SIM_ResourceImportBay;

class GUI_ResourceImportBay : public SIM_ImportBayView
{
public:
    explicit GUI_ResourceImportBay(SIM_ResourceImportBay& bay) : m_bay(bay) {}

private:
    SIM_ResourceImportBay& m_bay; // owns this view
};
