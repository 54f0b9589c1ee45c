// Widget toolkit test set-up.
#include "ToolkitTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GDrawGroup.h"
#include "engine/GScreenSize.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/support/FreshState.h"

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

namespace
{
PRect ElementRect(const GUI_BaseElement& e)
{
    return PRect{e.GetLeft(), e.GetTop(), e.GetRight(), e.GetBottom()};
}

// The children the player sees: visible controls and visible sub-windows.
struct ShownChild
{
    const GUI_BaseElement* element;
    bool mayOverlap;
};
} // namespace

std::string DescribeElement(const GUI_BaseElement& e)
{
    return GDrawGroup::NameOf(e) + " (" + std::to_string(e.GetLeft()) + "," + std::to_string(e.GetTop()) + ")-(" +
           std::to_string(e.GetRight()) + "," + std::to_string(e.GetBottom()) + ")";
}

void CheckWindowLayout(const GUI_WindowBase& window, std::vector<std::string>& problems, bool deep)
{
    std::vector<ShownChild> shown;
    for (const auto& button : window.GetButtons())
        if (button->IsVisible())
            shown.push_back({button.get(), false});
    for (const GUI_WindowBase* sub : window.GetSubWindows())
        if (sub->IsVisible() && !sub->IsClippedByParent())
            shown.push_back({sub, sub->MayOverlapSiblings()});
    const PRect outer = ElementRect(window);
    for (size_t i = 0; i < shown.size(); ++i)
    {
        const PRect r = ElementRect(*shown[i].element);
        if (!GUI_Layout::Contains(outer, r))
            problems.push_back(DescribeElement(*shown[i].element) + " leaves " + DescribeElement(window));
        if (GUI_Layout::Width(r) <= 0 || GUI_Layout::Height(r) <= 0)
            problems.push_back(DescribeElement(*shown[i].element) + " has no area");
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (!shown[i].mayOverlap && !shown[j].mayOverlap && GUI_Layout::Overlap(r, ElementRect(*shown[j].element)))
                problems.push_back(DescribeElement(*shown[i].element) + " overlaps " +
                                   DescribeElement(*shown[j].element));
    }
    if (!deep)
        return;
    for (const GUI_WindowBase* sub : window.GetSubWindows())
        if (sub->IsVisible())
            CheckWindowLayout(*sub, problems);
}

std::function<void()>& ShippedDefinitionsLoader()
{
    static std::function<void()> loader;
    return loader;
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
    // Keys and the pointer at a screen edge move the camera even with no game: a later test's
    // new game would start at that zoom.
    FreshState::Forget<GUI_Camera>();
    // A test that muted the sounds, or stopped before it let them speak again, would leave a
    // later test's sounds unheard.
    if (GLifetime::Exists<GUI_Sounds>())
        GUI_Sounds::Instance().SetMuted(false);
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
