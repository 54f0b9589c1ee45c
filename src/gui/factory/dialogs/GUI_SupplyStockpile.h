// The supply stockpile dialog: one row per resource the stockpile keeps in stock, with its amount
// on a slider (all amounts together at most the 36 pallet places), and a button that opens the
// resource picker to add another. It edits only the list; the stockpile buys what is missing.
// At most one is open. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_ButtonText;
class GUI_SlotBase;
class SIM_SupplyStockpile;
struct SupplyStockItem;

class GUI_SupplyStockpile : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    static constexpr int kWidth = 500;
    static constexpr int kRowHeight = 60;
    static constexpr int kVisibleRows = 6;

    explicit GUI_SupplyStockpile(SIM_SupplyStockpile* stockpile);
    ~GUI_SupplyStockpile() override;

    // Closes the open dialog and opens one for the stockpile; the window manager owns it.
    static GUI_SupplyStockpile* Open(SIM_SupplyStockpile& stockpile);
    static GUI_SupplyStockpile* GetOpen() { return s_single.Get(); }
    // Closes the open dialog when it shows that stockpile (its view is going).
    static void CloseFor(const SIM_SupplyStockpile& stockpile);

    // Height from the number of rows, beside the facility on the side towards the screen centre.
    void Reposition();
    // The scroll bar and the button from the client rectangle.
    void Layout() override;
    void RebuildRows() override;
    void LayoutRows() override;
    void Update() override;
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

    // "Add item": the resource picker beside this dialog.
    void OnAddItem();
    // Takes the item out of the stockpile's list (which frees it) and rebuilds the rows once the
    // current click or update is over.
    void RemoveItem(SupplyStockItem* item);

    SIM_SupplyStockpile* GetStockpile() const { return m_stockpile; }
    GUI_ButtonText* GetAddButton() const { return m_add; }
    // The centre x of a dialog beside a facility at screen x, on the side towards the screen centre.
    static float CentreXBeside(float facilityX, float screenCentreX);

private:
    void ApplyPendingRebuild();
    GUI_SlotBase* FacilityView() const;

    GUI_ButtonText* m_add = nullptr;  // owned by the button list
    SIM_SupplyStockpile* m_stockpile; // not owned: the simulation's
    bool m_rebuildPending = false;

    static inline GUI_SingleWindow<GUI_SupplyStockpile> s_single;
};
