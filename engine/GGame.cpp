// Game modes switched by name, and the frame that runs and draws the current one.
#include "engine/GGame.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PMessageBox.h"

#include <chrono>
#include <cstdio>
#include <thread>

void GGame::SetGameMode(const std::string& name)
{
    if (m_currentMode && m_currentMode->GetName() != name)
        m_currentMode->Exit();
    m_currentMode = GGameMode::Find(name);
    GGameMode::SetCurrent(m_currentMode);
    if (m_currentMode)
    {
        GDebugLog::Instance().Log("Game mode: " + name);
        m_currentMode->Enter();
        return;
    }
    char text[1024];
    std::snprintf(text, sizeof text, "Game mode [%s] Not found", name.c_str());
    DebugErrorBox(text, "GGame", 51);
}

void GGame::Frame()
{
    // Boxes asked for on worker threads wait for the main thread; they are shown between frames.
    PMessageBox::ShowPending();
    if (m_device && m_device->IsLost())
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return;
    }
    if (m_currentMode)
        m_currentMode->Process();
    if (!s_running)
    {
        // The mode asked to end the program while it ran.
        Shutdown();
        return;
    }
    if (m_device)
        m_device->BeginFrame();
    if (m_currentMode)
        m_currentMode->Draw();
    if (m_device)
    {
        m_device->EndFrame();
        m_device->Present();
    }
}
