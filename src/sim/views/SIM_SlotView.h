// What the simulation asks of a placed slot's object in the factory view (production slots and
// facilities). The view creates it and hands it to the slot, which owns it; headless there is none.
#pragma once

class SIM_SlotView
{
public:
    virtual ~SIM_SlotView() = default;

    // Start / stop the animated props while the slot works.
    virtual void StartAnimations() {}
    virtual void StopAnimations() {}
    // Refill the lists of animated props from the props of the slot's tiles.
    virtual void RebuildAnimatedProps() {}
    // Rebuild floor tiles and props for the slot's task and facing (facing changed).
    virtual void BuildTiles() {}
    // Re-read the slot after its task was set (facility views).
    virtual void Refresh() {}
    // The slot leaves the floor: drop every prop's link to it.
    virtual void ClearPropLinks() {}
    // Whether the view holds its main tile yet; only such slots count in the efficiency figures.
    virtual bool HasMainTile() const { return false; }
};
