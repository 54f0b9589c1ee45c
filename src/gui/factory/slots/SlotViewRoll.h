// The slot views and stockpile floors of the factory floor, listed by the view that creates them,
// in the order they were made. Each one leaves the roll by itself, without a search, when its
// owner (the simulation's slot or stockpile) deletes it, so the lists never name a view that is
// gone; a view made outside the floor (a dialog's stand in, a test's) is on no roll. When the roll
// goes first, its views forget it. The views also queue here the name labels they want shown this
// frame without hover. The roll hands its slot views the tools of the view that keeps it (what a
// click on a slot opens). Main thread.
#pragma once

#include "engine/core/GRoster.h"

#include <vector>

struct GUI_FactoryTools;
class GUI_SlotBase;
class GUI_SlotExport;
class GUI_SlotStockpile;
class SlotTextLabel;

class SlotViewRoll
{
public:
    SlotViewRoll() = default;
    // A roll whose views open what these tools say (the factory view's own).
    explicit SlotViewRoll(GUI_FactoryTools& tools) : m_tools(&tools) {}
    ~SlotViewRoll();
    SlotViewRoll(const SlotViewRoll&) = delete;
    SlotViewRoll& operator=(const SlotViewRoll&) = delete;

    void Enter(GUI_SlotBase& view);
    void Enter(GUI_SlotStockpile& floor);
    void Enter(GUI_SlotExport& floor);
    // Called by the views as they go.
    void Leave(GUI_SlotBase& view);
    void Leave(GUI_SlotStockpile& floor);
    void Leave(GUI_SlotExport& floor);

    const std::vector<GUI_SlotBase*>& SlotViews() const { return m_slotViews.Members(); }
    const std::vector<GUI_SlotStockpile*>& StockpileFloors() const { return m_stockpileFloors.Members(); }
    const std::vector<GUI_SlotExport*>& ExportFloors() const { return m_exportFloors.Members(); }
    // The slot views marked near the camera this frame (a view that goes leaves this list too).
    std::vector<GUI_SlotBase*>& NearCamera() { return m_nearCamera; }
    // Marks a view of this roll near the camera; a view on no roll is passed over, as nothing
    // would take it off the list when it goes.
    void MarkNearCamera(GUI_SlotBase& view);
    // A slot's name label to draw this frame (a research office without research); the factory
    // view draws and empties the queue.
    void QueueLabel(SlotTextLabel* label) { m_queuedLabels.push_back(label); }
    std::vector<SlotTextLabel*>& QueuedLabels() { return m_queuedLabels; }

private:
    GUI_FactoryTools* m_tools = nullptr;          // not owned: the factory view's
    GRoster<GUI_SlotBase> m_slotViews;            // not owned: the slots own their views
    std::vector<GUI_SlotBase*> m_nearCamera;      // not owned
    std::vector<SlotTextLabel*> m_queuedLabels;   // not owned: the slot views own their labels
    GRoster<GUI_SlotStockpile> m_stockpileFloors; // not owned: the stockpiles own them
    GRoster<GUI_SlotExport> m_exportFloors;       // not owned
};
