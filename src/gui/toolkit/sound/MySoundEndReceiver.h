// Hears from the sound engine that a sound has ended and hands it to the sound manager.
#pragma once
#include "platform/audio/PSoundStopListener.h"

class GUI_Sounds;

class MySoundEndReceiver : public PSoundStopListener
{
public:
    // sounds: the manager told of every end; it owns this receiver.
    explicit MySoundEndReceiver(GUI_Sounds& sounds) : m_sounds(sounds) {}
    // Main thread: the engine delivers ends from its per-frame update.
    void OnSoundStopped(PSoundHandle sound) override;

private:
    GUI_Sounds& m_sounds;
};
