// Error boxes of the resource flow: logged at once, shown on the main thread once per game.
#include "sim/flow/SIM_FlowErrorBox.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"

#include <cstdio>

std::mutex& SIM_FlowErrorBox::Lock()
{
    static std::mutex lock;
    return lock;
}

std::set<std::string>& SIM_FlowErrorBox::Shown()
{
    static std::set<std::string> shown;
    return shown;
}

void SIM_FlowErrorBox::Raise(const std::string& message, const char* sourceFile, int line)
{
    {
        std::lock_guard<std::mutex> guard(Lock());
        if (!Shown().insert(message).second)
            return;
    }
    char text[512];
    std::snprintf(text, sizeof text, "%s:%s %d", message.c_str(), sourceFile ? sourceFile : "", line);
    GDebugLog::Instance().LogError(text);
    std::string boxText(text);
    SIM_Presentation::Instance().Post([boxText]() { SIM_Presentation::Instance().Listener().ShowErrorBox(boxText); });
}

void SIM_FlowErrorBox::ResetForNewGame()
{
    std::lock_guard<std::mutex> guard(Lock());
    Shown().clear();
}

size_t SIM_FlowErrorBox::ShownCount()
{
    std::lock_guard<std::mutex> guard(Lock());
    return Shown().size();
}
