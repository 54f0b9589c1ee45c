// The dialog in which the player buys an upgrade for one slot or facility: every upgrade its task
// offers, one row each, marked when already installed or not yet researched. It stands beside
// the slot's information dialog, goes with the dialog it was opened from or with the slot, and
// closes once something is bought. Not modal. One at a time. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_PickerDialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_UpgradePickerSlot;
class SIM_PlaceableSlot;

class GUI_UpgradePicker : public GUI_PickerDialog
{
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 400;
    static constexpr int kRowHeight = 48;
    // The picker stays below the top bar's buttons.
    static constexpr int kMinTop = 32;
    // Gap between the picker and the information dialog it stands beside.
    static constexpr int kGap = 20;

    explicit GUI_UpgradePicker(SIM_PlaceableSlot* slot);
    ~GUI_UpgradePicker() override;

    // Closes an open picker and opens one for the slot; the window manager owns it.
    static GUI_UpgradePicker* Open(SIM_PlaceableSlot* slot);
    static GUI_UpgradePicker* GetOpen() { return s_single.Get(); }
    // Closes the open picker when it is for that slot: the slot or its information dialog goes.
    static void CloseFor(const SIM_PlaceableSlot* slot);
    // Lets the slot dialog's upgrades panel open and close pickers (once, at start-up).
    static void ConnectSlotDialog();
    // The row's buy button: the purchase goes to the simulation without a cash test (running out
    // of cash ends the game there), the picker closes and the slot's or facility's dialog shows
    // the upgrade.
    static void Buy(GUI_UpgradePickerSlot* row);

    void RebuildRows() override;

    SIM_PlaceableSlot* GetSlot() const { return m_slot; }

private:
    SIM_PlaceableSlot* m_slot; // not owned: the simulation's; the picker goes before the slot does

    static inline GUI_SingleWindow<GUI_UpgradePicker> s_single;
};
