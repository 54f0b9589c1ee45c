// Forwards sound ends to the manager.
#include "gui/toolkit/sound/MySoundEndReceiver.h"

#include "gui/toolkit/sound/GUI_Sounds.h"

void MySoundEndReceiver::OnSoundStopped(PSoundHandle sound)
{
    m_sounds.OnSoundStopped(sound);
}
