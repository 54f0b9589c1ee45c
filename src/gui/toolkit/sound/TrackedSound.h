// One effect the sound manager keeps track of from its start until the engine reports its end,
// so the game can ask whether a file is still sounding and stop what it kept.
#pragma once
#include "platform/audio/PSoundHandle.h"

#include <string>

struct TrackedSound
{
    PSoundHandle sound;
    std::string name; // the file name as the caller gave it, without the folder
};
