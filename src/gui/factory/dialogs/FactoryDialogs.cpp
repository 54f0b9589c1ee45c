// Connects the factory view's clicks to the slot and supply stockpile dialogs.
#include "gui/factory/dialogs/FactoryDialogs.h"

#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/dialogs/GUI_SupplyStockpile.h"
#include "gui/factory/scene/GUI_FactoryTools.h"

namespace FactoryDialogs
{
void Install(GUI_FactoryTools& tools)
{
    tools.openSlotTooltip = [](GUI_ProductionSlot& view) { GUI_SlotTooltip::Show(view); };
    tools.closeSlotTooltipOf = [](GUI_ProductionSlot& view) { GUI_SlotTooltip::CloseFor(view); };
    tools.refreshSlotTooltip = [](SIM_PlaceableSlot* slot) { GUI_SlotTooltip::RefreshOpen(slot); };
    tools.openSupplyStockpile = [](SIM_SupplyStockpile& stockpile) { GUI_SupplyStockpile::Open(stockpile); };
    tools.closeSupplyStockpileOf = [](SIM_SupplyStockpile& stockpile) { GUI_SupplyStockpile::CloseFor(stockpile); };
}
} // namespace FactoryDialogs
