// The information dialog of a production slot: opened by a click on the slot, it stands beside the
// slot joined to it by a red line and shows, top to bottom, its status and progress, what it needs,
// its stockpile, its staff, its upgrades and a pie of its states over the last 30 seconds.
// At most one is open. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_ProductionSlot;
class GUI_SlotEfficiency;
class GUI_SlotEmployees;
class GUI_SlotRequirements;
class GUI_SlotStatus;
class GUI_SlotUpgrades;
class GUI_Stockpile;
class SIM_PlaceableSlot;
class SIM_ProductionSlot;

class GUI_SlotTooltip : public GUI_Dialog
{
public:
    static constexpr int kWidth = 550;
    static constexpr int kStatusHeight = 126;
    static constexpr int kEmployeesHeight = 24;
    static constexpr int kEfficiencyHeight = 120;

    explicit GUI_SlotTooltip(GUI_ProductionSlot& view);
    ~GUI_SlotTooltip() override;

    // Closes the open dialog and opens one for the slot; the window manager owns it.
    static GUI_SlotTooltip* Show(GUI_ProductionSlot& view);
    static GUI_SlotTooltip* GetOpen() { return s_single.Get(); }
    // Closes the open dialog when it shows that slot (its view is going).
    static void CloseFor(const GUI_ProductionSlot& view);
    // The open dialog reads its slot again when it shows that slot (any slot for null).
    static void RefreshOpen(const SIM_PlaceableSlot* slot);

    // Sizes, places and fills every panel from the slot as it stands.
    void Refresh();
    // The slot has upgrades, or its task offers one that can be bought now.
    bool HasUpgradesToShow() const;
    void Draw() override;

    SIM_ProductionSlot* GetSlot() const;
    GUI_SlotStatus* GetStatus() const { return m_status; }
    GUI_SlotRequirements* GetRequirements() const { return m_requirements; }
    GUI_SlotUpgrades* GetUpgrades() const { return m_upgrades; }
    GUI_SlotEfficiency* GetEfficiency() const { return m_efficiency; }
    GUI_Stockpile* GetStockpile() const { return m_stockpile; }

    // The dialog's height for r needed resources, k stocked kinds (-1: no stockpile panel) and u
    // installed upgrades (-1: upgrades panel hidden), without the margins.
    static int ContentHeight(int required, int stockKinds, int upgrades);
    // The dialog's centre x for a slot at screen x, on the side towards the screen centre.
    static float CentreXBeside(float slotX, float screenCentreX);

private:
    void DrawConnector();

    GUI_ProductionSlot& m_view;
    GUI_SlotStatus* m_status = nullptr; // owned as sub-windows, as are the others
    GUI_SlotRequirements* m_requirements = nullptr;
    GUI_SlotUpgrades* m_upgrades = nullptr;
    GUI_SlotEfficiency* m_efficiency = nullptr;
    GUI_SlotEmployees* m_employees = nullptr;
    GUI_Stockpile* m_stockpile = nullptr; // null when the slot keeps no resources

    static inline GUI_SingleWindow<GUI_SlotTooltip> s_single;
};
