// Window dispatch, sub-window ownership, dragging and destruction order.
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include "engine/CBaseInputManager.h"
#include "engine/GDrawGroup.h"
#include "engine/GGameMode.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <algorithm>

namespace
{
void WindowMouse(float& x, float& y)
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    x = input ? input->GetMouseX() : 0.0f;
    y = input ? input->GetMouseY() : 0.0f;
}
} // namespace

GUI_WindowBase::GUI_WindowBase() = default;

GUI_WindowBase::~GUI_WindowBase()
{
    // At the end of the run the cursor and the window manager may be gone before a window that
    // outlives them; they are not made again for it.
    GUI_Cursor* cursor = GLifetime::Find<GUI_Cursor>();
    if (cursor && cursor->GetDraggedWindow() == this)
        cursor->SetDraggedWindow(nullptr);
    if (GUI_WindowManager* manager = GLifetime::Find<GUI_WindowManager>())
        manager->Forget(this);
    // A parent that still owned this window would delete it again; it gives it up here.
    LeaveParentKeepingOwner();
    // Own sub-windows first (each leaves this list in its own destructor), then the ones shown
    // here but owned elsewhere are only let go.
    while (!m_ownedSubWindows.empty())
    {
        std::unique_ptr<GUI_WindowBase> child = std::move(m_ownedSubWindows.back());
        m_ownedSubWindows.pop_back();
        child.reset();
    }
    for (GUI_WindowBase* child : m_subWindows)
        child->m_parent = nullptr;
    m_subWindows.clear();
    // A focused text field that goes must not stay the mode's keyboard handler.
    if (GGameMode* mode = GGameMode::Current())
        if (mode->GetKeyboardHandler() == static_cast<GKeyboardHandler*>(this))
            mode->SetKeyboardHandler(nullptr);
    DeleteChildRecords();
}

void GUI_WindowBase::AddOwnedChild(std::unique_ptr<GUI_ButtonBase> control)
{
    GUI_ButtonBase* raw = control.get();
    GUIButtonList::AddOwnedChild(std::move(control));
    if (raw)
        raw->SetOwner(this);
}

bool GUI_WindowBase::OnClick(float x, float y)
{
    if (!m_visible)
        return false;
    if (IsInside(x, y) && m_raiseOnClick)
        BringToFront();
    if (m_draggable && !m_dragging && IsMouseOver() && !GUI_Cursor::Instance().GetDraggedWindow())
        BeginDrag();
    // A snapshot: a click may add or remove sub-windows (a list rebuilding its rows).
    const std::vector<GUI_WindowBase*> subWindows = m_subWindows;
    for (GUI_WindowBase* sub : subWindows)
        if (sub->m_visible && sub->OnClick(x, y))
            return true;
    if (ClickChildren())
        return true;
    if (!m_consumesClicks && !m_raiseOnClick)
        return false;
    return IsInside(x, y);
}

bool GUI_WindowBase::OnRightClick(float x, float y)
{
    if (!m_visible)
        return false;
    const std::vector<GUI_WindowBase*> subWindows = m_subWindows;
    for (GUI_WindowBase* sub : subWindows)
        if (!sub->m_closing && sub->OnRightClick(x, y))
            return true;
    if (!m_consumesClicks && !m_raiseOnClick)
        return false;
    return IsInside(x, y);
}

void GUI_WindowBase::Draw()
{
    if (m_visible)
        DrawChildren();
}

void GUI_WindowBase::DrawSubWindows()
{
    for (GUI_WindowBase* sub : m_subWindows)
        if (sub->m_visible)
        {
            const GDrawGroup group(*sub);
            sub->Draw();
        }
}

void GUI_WindowBase::Update()
{
    CBaseInputManager* input = CBaseInputManager::Active();
    if (!m_visible || (input && input->IsMouseTaken()))
        return;
    if (m_draggable)
        Drag();
    for (size_t i = 0; i < m_subWindows.size(); ++i)
        m_subWindows[i]->Update();
    GUIButtonList::Update();
    if (m_takesMouse && input && IsMouseOver())
        input->SetMouseTaken(this);
}

bool GUI_WindowBase::IsMouseOver()
{
    float x = 0.0f, y = 0.0f;
    WindowMouse(x, y);
    return IsInside(x, y);
}

void GUI_WindowBase::OnWheelUp()
{
    const std::vector<GUI_WindowBase*> subWindows = m_subWindows;
    for (GUI_WindowBase* sub : subWindows)
        if (sub->m_visible)
            sub->OnWheelUp();
}

void GUI_WindowBase::OnWheelDown()
{
    const std::vector<GUI_WindowBase*> subWindows = m_subWindows;
    for (GUI_WindowBase* sub : subWindows)
        if (sub->m_visible)
            sub->OnWheelDown();
}

void GUI_WindowBase::OnKeyDown(uint32_t virtualKey)
{
    const std::vector<GUI_WindowBase*> subWindows = m_subWindows;
    for (GUI_WindowBase* sub : subWindows)
        if (!sub->m_closing)
            sub->OnKeyDown(virtualKey);
}

void GUI_WindowBase::BringToFront()
{
    GUI_WindowManager::Instance().BringToFront(this);
}

void GUI_WindowBase::BeginDrag()
{
    GUI_Cursor& cursor = GUI_Cursor::Instance();
    DebugAssert(cursor.GetDraggedWindow() == nullptr, "GUI_WindowBase", 282);
    // A second drag while one runs would leave the first window marked as dragged for good.
    if (cursor.GetDraggedWindow() != nullptr)
        return;
    float x = 0.0f, y = 0.0f;
    WindowMouse(x, y);
    m_dragging = true;
    cursor.SetDraggedWindow(this);
    m_dragOffsetX = x - static_cast<float>(m_left);
    m_dragOffsetY = y - static_cast<float>(m_top);
}

void GUI_WindowBase::Drag()
{
    if (m_dragging)
    {
        const CBaseInputManager* input = CBaseInputManager::Active();
        if (input && input->IsLeftHeld())
        {
            int left = static_cast<int>(input->GetMouseX() - m_dragOffsetX);
            int top = static_cast<int>(input->GetMouseY() - m_dragOffsetY);
            if (m_clampToScreen)
            {
                left = std::max(0, std::min(left, GScreenSize::Width() - m_width));
                top = std::max(0, std::min(top, GScreenSize::Height() - m_height));
            }
            SetRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + m_width),
                    static_cast<float>(top + m_height));
        }
        else
        {
            EndDrag();
        }
    }
    if (!GetChildren().empty())
        LayoutChildren();
}

void GUI_WindowBase::EndDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    GUI_Cursor& cursor = GUI_Cursor::Instance();
    if (cursor.GetDraggedWindow() == this)
        cursor.SetDraggedWindow(nullptr);
    OnDragEnd();
}

void GUI_WindowBase::SetPosition(float x, float y)
{
    GUIButtonList::SetPosition(x, y);
    Layout();
}

void GUI_WindowBase::SetRect(float left, float top, float right, float bottom)
{
    GUIButtonList::SetRect(left, top, right, bottom);
    Layout();
}

void GUI_WindowBase::CentreOnScreen()
{
    GUIButtonList::CentreOnScreen();
    LayoutChildren();
    Layout();
}

void GUI_WindowBase::AdoptSubWindow(std::unique_ptr<GUI_WindowBase> window)
{
    if (!window)
        return;
    GUI_WindowBase* raw = window.get();
    raw->LeaveParentKeepingOwner();
    m_ownedSubWindows.push_back(std::move(window));
    m_subWindows.push_back(raw);
    raw->m_parent = this;
}

void GUI_WindowBase::LeaveParentKeepingOwner()
{
    if (!m_parent)
        return;
    std::unique_ptr<GUI_WindowBase> previous = m_parent->RemoveSubWindow(this);
    // Whoever called holds the one owner now; the old parent must not delete it.
    (void)previous.release();
}

void GUI_WindowBase::AttachSubWindow(GUI_WindowBase* window)
{
    if (!window || window == this)
        return;
    if (window->m_parent == this)
        return;
    std::unique_ptr<GUI_WindowBase> owned;
    if (window->m_parent)
        owned = window->m_parent->RemoveSubWindow(window);
    m_subWindows.push_back(window);
    window->m_parent = this;
    // A window that its previous parent owned now belongs here.
    if (owned)
        m_ownedSubWindows.push_back(std::move(owned));
}

std::unique_ptr<GUI_WindowBase> GUI_WindowBase::RemoveSubWindow(GUI_WindowBase* window)
{
    if (!window)
        return nullptr;
    auto it = std::find(m_subWindows.begin(), m_subWindows.end(), window);
    if (it != m_subWindows.end())
    {
        m_subWindows.erase(it);
        window->m_parent = nullptr;
    }
    for (auto record = m_children.begin(); record != m_children.end(); ++record)
        if (record->element == window)
        {
            m_children.erase(record);
            break;
        }
    for (auto owned = m_ownedSubWindows.begin(); owned != m_ownedSubWindows.end(); ++owned)
        if (owned->get() == window)
        {
            std::unique_ptr<GUI_WindowBase> out = std::move(*owned);
            m_ownedSubWindows.erase(owned);
            return out;
        }
    return nullptr;
}

void GUI_WindowBase::DeleteChildRecords()
{
    m_children.clear();
}

void GUI_WindowBase::AddToWindowManager()
{
    GUI_WindowManager::Instance().Register(this);
}

void GUI_WindowBase::ShowModal()
{
    GUI_WindowManager::Instance().MakeModal(this);
}

void GUI_WindowBase::Close()
{
    GUI_WindowManager::Instance().Destroy(this);
}

void GUI_WindowBase::MarkClosing()
{
    m_closing = true;
    m_visible = false;
    if (m_dragging)
        EndDrag();
}

void DeleteViaVirtualDestructor(GUI_WindowBase* window)
{
    if (window)
        window->Close();
}
