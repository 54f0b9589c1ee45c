// Screen test set-up.
#include "ScreensTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"

void ScreensTest::SetUp()
{
    ToolkitTest::SetUp();
    GGameServices::Install(&m_screenServices);
    m_game = std::make_unique<ScreensTestGame>();
    UseScreen(1280, 768);
}

void ScreensTest::TearDown()
{
    if (m_game && m_game->GetGameMode())
        m_game->GetGameMode()->Exit();
    m_game.reset();
    ToolkitTest::TearDown();
}

void ScreensTest::UseScreen(int width, int height)
{
    GUI_WindowManager::Instance().CloseAll();
    RenderResetAll();
    PRecordingGraphicsSystem::Install(m_rec);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    m_rec->windowWidth = width;
    m_rec->windowHeight = height;
    ASSERT_TRUE(GD3DDevice::Instance().Init(width, height, true));
    GScreenSize::Set(width, height);
    LoadFonts();
}

std::string ScreensTest::CurrentMode() const
{
    const GGameMode* mode = m_game ? m_game->GetGameMode() : nullptr;
    return mode ? mode->GetName() : std::string();
}
