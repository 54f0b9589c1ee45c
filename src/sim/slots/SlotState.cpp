// The player's names of the slot states.
#include "sim/slots/SlotState.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GTextTable.h"

std::string GetSlotStateName(int state)
{
    if (state < 0 || state > NUM_SLOT_STATES)
        return std::string();
    return GTextTable::Instance().GetText(GTextKeys::kSlotStates[state]);
}
