// What a placed slot is doing or waiting for; drives its notice, its tooltip and the efficiency
// figures. Stored as a 32-bit signed integer in the slot and in savegames.
#pragma once
#include <cstdint>
#include <string>

enum SlotState : int32_t
{
    UNKNOWN = 0,
    RUNNING = 1,
    NOROUTE_TO_RESOURCES = 2,
    INSUFFICIENT_VEHICLE = 3,
    INSUFFICIENT_RESOURCES = 4,
    NO_EXPORT_ROOM = 5,
    WAITING_FOR_EXPORT = 6,
    NUM_SLOT_STATES = 7
};

// The player's text for a state (its name is also its text key); any other value gives "".
std::string GetSlotStateName(int state);
