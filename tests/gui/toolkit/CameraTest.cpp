// The camera over the factory: world-to-screen mapping, scrolling by keys, screen edge and drag,
// what stops scrolling, the factory limits and the zoom range.
#include "ToolkitTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PWindowMessage.h"

#include <set>

class CameraTest : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        GUI_Camera& camera = GUI_Camera::Instance();
        camera.ClearLimits();
        camera.SetZoom(0.5f);
        camera.SetPosition(0.0f, 0.0f);
        PKeyState::SetSource([this](uint32_t vk) { return m_held.count(vk) != 0; });
        m_input.MoveTo(400, 300);
        m_input.Update();
    }
    std::set<uint32_t> m_held;
};

TEST_F(CameraTest, TheCameraPositionMapsToTheScreenCentreAtEveryZoom)
{
    GUI_Camera& camera = GUI_Camera::Instance();
    camera.SetPosition(1234.0f, -567.0f);
    for (float zoom : {0.01f, 0.125f, 0.5f, 1.0f})
    {
        camera.SetZoom(zoom);
        EXPECT_FLOAT_EQ(camera.WorldToScreenX(1234.0f), 400.0f) << zoom;
        EXPECT_FLOAT_EQ(camera.WorldToScreenY(-567.0f), 300.0f) << zoom;
        EXPECT_FLOAT_EQ(camera.WorldToScreenX(1234.0f + 100.0f), 400.0f + 100.0f * zoom) << zoom;
    }
    EXPECT_TRUE(camera.IsPointOnScreen(800.0f, 600.0f));
    EXPECT_FALSE(camera.IsPointOnScreen(-0.5f, 10.0f));
    EXPECT_TRUE(camera.IsRectOnScreen(-50, -50, 0, 0));
    EXPECT_FALSE(camera.IsRectOnScreen(801, 0, 900, 10));
}

TEST_F(CameraTest, KeysScrollEightScreenPixelsPerFrameUnlessTypingOrModal)
{
    GUI_Camera& camera = GUI_Camera::Instance();
    const struct
    {
        uint32_t key;
        float dx, dy;
    } cases[] = {
        {PVK_RIGHT, 16, 0}, {PVK_LEFT, -16, 0},  {PVK_UP, 0, -16},     {PVK_DOWN, 0, 16},
        {PVK_A + 3, 16, 0}, {PVK_A + 0, -16, 0}, {PVK_A + 22, 0, -16}, {PVK_A + 18, 0, 16},
    };
    for (const auto& c : cases)
    {
        camera.SetPosition(0.0f, 0.0f);
        m_held = {c.key};
        camera.Update(1.0f);
        EXPECT_FLOAT_EQ(camera.GetX(), c.dx) << c.key;
        EXPECT_FLOAT_EQ(camera.GetY(), c.dy) << c.key;
    }
    // Opposite keys cancel.
    camera.SetPosition(0.0f, 0.0f);
    m_held = {PVK_LEFT, PVK_RIGHT};
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetX(), 0.0f);

    // Typing W into a focused text field does not scroll.
    GKeyboardHandler field;
    m_mode.SetKeyboardHandler(&field);
    m_held = {PVK_A + 22};
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetY(), 0.0f);
    m_mode.SetKeyboardHandler(nullptr);

    // A modal dialog stops every scrolling, the screen edge included.
    GUI_Dialog* dialog = GUI_WindowManager::Create<GUI_Dialog>(false);
    dialog->SetRect(300, 200, 500, 400);
    dialog->ShowModal();
    m_input.MoveTo(0, 0);
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetY(), 0.0f);
    EXPECT_FLOAT_EQ(camera.GetX(), 0.0f);
}

TEST_F(CameraTest, TheScreenEdgeScrollsOnlyWhenNoWindowHasTheMouse)
{
    GUI_Camera& camera = GUI_Camera::Instance();
    m_held.clear();
    const struct
    {
        float mx, my;
        float dx, dy;
    } cases[] = {
        {0, 300, -16, 0},  {799, 300, 16, 0}, {400, 5, 0, -16},
        {400, 599, 0, 16}, {0, 0, -16, -16},  {-5, 300, 0, 0}, // a mouse outside the window does not scroll
        {400, 300, 0, 0},
    };
    for (const auto& c : cases)
    {
        camera.SetPosition(0.0f, 0.0f);
        m_input.MoveTo(c.mx, c.my);
        camera.Update(1.0f);
        EXPECT_FLOAT_EQ(camera.GetX(), c.dx) << c.mx << "," << c.my;
        EXPECT_FLOAT_EQ(camera.GetY(), c.dy) << c.mx << "," << c.my;
    }
    camera.SetPosition(0.0f, 0.0f);
    m_input.MoveTo(0, 300);
    m_input.SetMouseTaken(&camera);
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetX(), 0.0f);
}

TEST_F(CameraTest, ADragKeepsTheGrabbedPointUnderTheMouseWithinTheFactory)
{
    GUI_Camera& camera = GUI_Camera::Instance();
    camera.SetLimits(20, 20);
    camera.SetPosition(100.0f, 200.0f);
    m_input.MoveTo(300, 250);
    m_input.SetLeftHeld(true);
    camera.BeginDrag();
    const float grabbedX = (300.0f - 400.0f) / 0.5f + 100.0f;
    const float grabbedY = (250.0f - 300.0f) / 0.5f + 200.0f;
    m_input.MoveTo(350, 320);
    camera.Update(1.0f);
    EXPECT_NEAR(camera.WorldToScreenX(grabbedX), 350.0f, 1e-3);
    EXPECT_NEAR(camera.WorldToScreenY(grabbedY), 320.0f, 1e-3);
    // Dragged far beyond the factory: held at its edge, here its northern corner tile.
    m_input.MoveTo(390, 599);
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetX(), 0.0f);
    EXPECT_FLOAT_EQ(camera.GetY(), 0.0f);
    // The floor is a diamond: a corner of the rectangle around it is pulled back onto the floor's
    // north-eastern edge, not left over empty ground.
    m_input.SetLeftHeld(false);
    m_input.MoveTo(400, 300);
    camera.Update(1.0f);
    camera.SetPosition(256.0f * 19.0f, 0.0f);
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetX(), 256.0f * 9.5f);
    EXPECT_FLOAT_EQ(camera.GetY(), 128.0f * 9.5f);
    EXPECT_FALSE(camera.IsDragging());
}

TEST_F(CameraTest, MinimumZoomFitsTheFactoryAndNeverReachesZero)
{
    GUI_Camera& camera = GUI_Camera::Instance();
    GScreenSize::Set(1920, 1080);
    const struct
    {
        int w, h;
        float expected;
    } cases[] = {
        {30, 20, 0.12f}, // 1920 / 15360 = 0.125, cut to 0.12
        {20, 30, 0.12f},
        {2, 2, 1.0f},      // never above the maximum zoom
        {999, 999, 0.01f}, // cut to 0.00 it would divide by zero when scrolling
    };
    for (const auto& c : cases)
    {
        camera.ComputeMinZoom(c.w, c.h);
        EXPECT_FLOAT_EQ(camera.GetMinZoom(), c.expected) << c.w << "x" << c.h;
    }
    // No factory: reported, and the minimum stays.
    camera.ComputeMinZoom(0, 0);
    EXPECT_FLOAT_EQ(camera.GetMinZoom(), 0.01f);
    EXPECT_NE(ErrorLog().find("Assertion failure:filename:GUI_Camera,linenum:63"), std::string::npos);

    // Zoom steps stay within the range; scrolling at the smallest zoom stays finite.
    camera.ComputeMinZoom(30, 20);
    camera.SetZoom(0.2f);
    for (int i = 0; i < 10; ++i)
        camera.StepZoom(false);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 0.12f);
    for (int i = 0; i < 30; ++i)
        camera.StepZoom(true);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 1.0f);
    camera.ComputeMinZoom(999, 999);
    camera.SetZoom(0.0f);
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetScrollStep(), 800.0f);
}
