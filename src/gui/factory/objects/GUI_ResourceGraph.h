// While a slot's information dialog is open, every resource on its way to that slot is marked on
// the floor: a red bubble round the item and a red L-shaped line from it to the slot. This is the
// one overlay that keeps those marks; the game screen draws it every frame over the notices.
// Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <vector>

class GUI_ResourceGraphEntry;
class SIM_ResourceObject;
class SIM_ResourceStockpile;
class SIM_Tile;

class GUI_ResourceGraph : public GUI_WindowBase
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // Drawn frames between two rebuilds while a slot is watched.
    static constexpr int kRebuildFrames = 10;

    // Made on first use and kept for the whole program.
    static GUI_ResourceGraph& Instance();

    GUI_ResourceGraph();
    ~GUI_ResourceGraph() override;

    // The slot dialog shows a slot: its requests are marked from now on.
    void Watch(SIM_ResourceStockpile* stockpile, SIM_Tile* slotTile);
    // The slot dialog went: nothing is drawn and the countdown rests; the marks stay until their
    // items arrive.
    void Unwatch() { m_active = false; }
    // Every mark goes and nothing is watched: the factory the marks point into is going.
    void Clear();

    // Drops the marks whose items are no longer travelling, then marks every requested item
    // that travels and has no mark yet.
    virtual void Rebuild();
    // Nothing unless a slot is watched; otherwise counts down to the next rebuild and draws
    // every mark.
    void Draw() override;

    // Travelling: in use and in transit.
    static bool IsOnItsWay(const SIM_ResourceObject* item);

    bool IsActive() const { return m_active; }
    int GetCountdown() const { return m_countdown; }
    const std::vector<GUI_ResourceGraphEntry*>& GetEntries() const { return m_entries; }
    SIM_ResourceStockpile* GetStockpile() const { return m_stockpile; }
    SIM_Tile* GetSlotTile() const { return m_slotTile; }

private:
    int m_countdown = 0;
    std::vector<GUI_ResourceGraphEntry*> m_entries; // owned as sub-windows
    SIM_ResourceStockpile* m_stockpile = nullptr;   // not owned: the watched slot's
    SIM_Tile* m_slotTile = nullptr;                 // not owned: the factory's
    bool m_active = false;
};
