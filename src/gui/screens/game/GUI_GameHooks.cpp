// The game screen's doors to other screens.
#include "gui/screens/game/GUI_GameHooks.h"

#include "engine/core/GDebugLog.h"

GUI_GameHooks& GUI_GameHooks::Instance()
{
    static GUI_GameHooks hooks;
    return hooks;
}

void GUI_GameHooks::Run(const std::function<void()>& hook, const std::string& what)
{
    if (hook)
        hook();
    else
        GDebugLog::Instance().Log("The " + what + " is not available in this build");
}
