// Told when a started sound has ended, whether it played out or was stopped. The audio thread
// only notes the end; the notification itself is made on the main thread, from the device's
// update, exactly once per sound.
#pragma once
#include "platform/audio/PSoundHandle.h"

class PSoundStopListener
{
public:
    virtual ~PSoundStopListener() = default;
    // Main thread.
    virtual void OnSoundStopped(PSoundHandle sound) = 0;
};
