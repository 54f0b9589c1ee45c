// The slots and facilities of the factory floor: each with its anchor tile, facing and task, a
// production slot also with its state, current sub-task and options, and every slot with its
// upgrades and state history. A load puts them back through the simulation's own placement, in
// its loading mode (nothing paid, no sound, no sparkle), so tiles, props and staff come out as
// when the player placed them.
#pragma once

class SaveReader;
class SaveWriter;
class SIM_PlaceableSlot;

class SlotsSection
{
public:
    static void WriteSlots(SaveWriter& out);
    static void WriteFacilities(SaveWriter& out);
    static void ReadSlots(SaveReader& in);
    static void ReadFacilities(SaveReader& in);

    // Whether the slot stands on the floor for good. A placer's pending slot (the ghost under the
    // mouse, not paid for) is no part of the factory and is never saved.
    static bool IsPlaced(const SIM_PlaceableSlot* slot);
};
