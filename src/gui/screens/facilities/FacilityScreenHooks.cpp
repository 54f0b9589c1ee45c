// The factory view's hooks into the research, facility and expansion dialogs.
#include "gui/screens/facilities/FacilityScreenHooks.h"

#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/screens/expansion/GUI_ExpansionDialog.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/facilities/GUI_FacilityViewAnchor.h"
#include "gui/screens/research/GUI_ResearchPopup.h"

#include <memory>

void InstallFacilityScreenHooks(GUI_FactoryTools& tools)
{
    tools.showResearchPopup = [](GUI_Facility& facility) {
        GUI_ResearchPopup::Show(std::make_unique<GUI_FacilityViewAnchor>(facility));
    };
    tools.showFacilityDialog = [](GUI_Facility& facility) {
        GUI_FacilityDialog::Show(std::make_unique<GUI_FacilityViewAnchor>(facility));
    };
    tools.showExpansionDialog = [](SIM_BuildingZone& zone) { GUI_ExpansionDialog::Show(&zone); };
}
