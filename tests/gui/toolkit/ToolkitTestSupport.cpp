// Widget toolkit test set-up.
#include "ToolkitTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "tests/engine/FontTestSupport.h"

ToolkitTestInput::ToolkitTestInput()
{
    SetPointerSource([this](float& x, float& y) {
        x = m_pointerX;
        y = m_pointerY;
    });
}

void ToolkitTestInput::Update()
{
    m_takingWindow = nullptr;
    UpdateMouse();
    m_mouseTaken = false;
}

void ToolkitTestInput::MoveTo(float x, float y)
{
    m_pointerX = x;
    m_pointerY = y;
    SetMousePosition(x, y);
}

void ToolkitTestWorld::Install()
{
    CBaseInputManager::SetActive(&input);
    GGameServices::Install(&services);
    GGameMode::SetCurrent(&mode);
}

void ToolkitTestWorld::Remove()
{
    GUI_WindowManager::Instance().CloseAll();
    GUI_Cursor& cursor = GUI_Cursor::Instance();
    cursor.SetDraggedWindow(nullptr);
    cursor.SetDeleteMode(false);
    cursor.Update();
    GUI_Tooltip::ClearQueue();
    GGameServices::Install(nullptr);
    CBaseInputManager::SetActive(nullptr);
    GGameMode::SetCurrent(nullptr);
    PKeyState::SetSource({});
}

void ToolkitTestWorld::Frame()
{
    input.Update();
    GUI_WindowManager::Instance().Update();
    GUI_WindowManager::Instance().Draw();
    GUI_Tooltip::DrawQueuedTooltips();
    GUI_Cursor::Instance().Update();
}

bool ToolkitTestWorld::ClickAt(float x, float y)
{
    input.MoveTo(x, y);
    return GUI_WindowManager::Instance().OnClick();
}

bool ToolkitTestWorld::RightClickAt(float x, float y)
{
    input.MoveTo(x, y);
    return GUI_WindowManager::Instance().OnRightClick();
}

void ToolkitTest::SetUp()
{
    RecordingRenderTest::SetUp();
    ASSERT_TRUE(InitDevice());
    GScreenSize::Set(800, 600);
    m_world.Install();
}

void ToolkitTest::TearDown()
{
    m_world.Remove();
    RecordingRenderTest::TearDown();
}

void ToolkitTest::LoadFonts()
{
    LoadGameFontsForTest();
}

void ToolkitTest::UseScreen(int width, int height)
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
