// Screen test set-up.
#include "ScreensTestSupport.h"

#include "gui/factory/scene/IsometricDrawQueue.h"
#include "tests/support/FreshState.h"

void ScreensTest::SetUp()
{
    ToolkitTest::SetUp();
    GGameServices::Install(&m_screenServices);
    m_game = std::make_unique<ScreensTestGame>();
    UseScreen(1280, 768);
}

void ScreensTest::TearDown()
{
    // The screen's own exit closes its dialogs; a screen the test made itself may be gone already.
    if (GGameMode* mode = GGameMode::Current())
        mode->Exit();
    m_game.reset();
    // The scene's pages name picture handles that the teardown deletes with the textures.
    FreshState::Forget<IsometricDrawQueue>();
    ToolkitTest::TearDown();
}

std::string ScreensTest::CurrentMode() const
{
    const GGameMode* mode = m_game ? m_game->GetGameMode() : nullptr;
    return mode ? mode->GetName() : std::string();
}
