// The resource picker of the supply stockpile dialog: beside it, modal, every resource the
// stockpile does not yet keep; picking one adds it with amount 0 and reopens the dialog.
// At most one is open. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_PickerDialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_SupplyStockpile;
class SIM_Resource;
class SIM_SupplyStockpile;

class GUI_StockpilePicker : public GUI_PickerDialog
{
public:
    static constexpr int kWidth = 500;
    static constexpr int kListHeight = 576;
    static constexpr int kRowHeight = 48;

    explicit GUI_StockpilePicker(GUI_SupplyStockpile* owner);
    ~GUI_StockpilePicker() override;

    static GUI_StockpilePicker* GetOpen() { return s_single.Get(); }

    void RebuildRows() override;

    // Appends the resource to the stockpile's list with amount 0, reopens the stockpile dialog
    // with the new row and closes the picker once the click is over.
    void AddResource(const SIM_Resource* resource);

    SIM_SupplyStockpile* GetStockpile() const { return m_stockpile; }

protected:
    // A picker for the stockpile placed as if beside the owner (none: at the screen's left).
    GUI_StockpilePicker(GUI_SupplyStockpile* owner, SIM_SupplyStockpile* stockpile);

private:
    GUI_SupplyStockpile* m_owner;     // not owned: the window manager's; may close before the picker
    SIM_SupplyStockpile* m_stockpile; // not owned: the simulation's

    static inline GUI_SingleWindow<GUI_StockpilePicker> s_single;
};
