// The player's names of the slot states.
#include "sim/slots/SlotState.h"

#include "engine/core/GTextTable.h"

std::string GetSlotStateName(int state)
{
    static const char* const kNames[] = {"UNKNOWN",
                                         "RUNNING",
                                         "NOROUTE_TO_RESOURCES",
                                         "INSUFFICIENT_VEHICLE",
                                         "INSUFFICIENT_RESOURCES",
                                         "NO_EXPORT_ROOM",
                                         "WAITING_FOR_EXPORT",
                                         "NUM_SLOT_STATES"};
    if (state < 0 || state > NUM_SLOT_STATES)
        return std::string();
    return GTextTable::Instance().GetText(kNames[state]);
}
