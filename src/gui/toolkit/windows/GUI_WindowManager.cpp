// Z-order, modality, input routing and deferred deletion of the top-level windows.
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include "engine/CBaseInputManager.h"
#include "engine/GDrawGroup.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <algorithm>

namespace
{
void ManagerRemove(std::vector<GUI_WindowBase*>& list, GUI_WindowBase* window)
{
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

bool ManagerContains(const std::vector<GUI_WindowBase*>& list, const GUI_WindowBase* window)
{
    return std::find(list.begin(), list.end(), window) != list.end();
}
} // namespace

GUI_WindowManager& GUI_WindowManager::Instance()
{
    return GLifetime::Get<GUI_WindowManager>();
}

void GUI_WindowManager::Adopt(std::unique_ptr<GUI_WindowBase> window)
{
    if (!window)
        return;
    GUI_WindowBase* raw = window.get();
    raw->LeaveParentKeepingOwner();
    m_owned.push_back(std::move(window));
    Register(raw);
    raw->Layout();
}

void GUI_WindowManager::Register(GUI_WindowBase* window)
{
    if (!window)
        return;
    ManagerRemove(m_windows, window);
    m_windows.push_back(window);
}

void GUI_WindowManager::BringToFront(GUI_WindowBase* window)
{
    if (!ManagerContains(m_windows, window))
        return;
    ManagerRemove(m_windows, window);
    m_windows.push_back(window);
}

void GUI_WindowManager::MakeModal(GUI_WindowBase* window)
{
    if (!window || window->m_closing)
        return;
    window->m_modal = true;
    // The window asking is never closed by its own request.
    const std::vector<GUI_WindowBase*> previous = m_modal;
    for (GUI_WindowBase* other : previous)
        if (other != window)
            Destroy(other);
    if (!ManagerContains(m_modal, window))
        m_modal.push_back(window);
}

void GUI_WindowManager::Draw()
{
    // A window drawing itself may open or close others, or close itself (its object went): the
    // pass works on a copy, and a window closed meanwhile goes after the next update, never
    // under its own Draw.
    DispatchScope scope;
    const std::vector<GUI_WindowBase*> windows = m_windows;
    for (int pass = 0; pass < 2; ++pass)
        for (GUI_WindowBase* window : windows)
            if (window->IsVisible() && window->IsDialog() == (pass == 1) && !window->IsDragging() &&
                ManagerContains(m_windows, window))
            {
                const GDrawGroup group(*window);
                window->Draw();
            }
}

void GUI_WindowManager::Update()
{
    {
        DispatchScope scope;
        if (!m_modal.empty())
        {
            const std::vector<GUI_WindowBase*> modal = m_modal;
            for (GUI_WindowBase* window : modal)
                if (ManagerContains(m_modal, window))
                    window->Update();
        }
        else
        {
            const std::vector<GUI_WindowBase*> windows = m_windows;
            for (auto it = windows.rbegin(); it != windows.rend(); ++it)
                if (ManagerContains(m_windows, *it))
                    (*it)->Update();
        }
    }
    DeletePending();
    // Tooltips queued by a screen that never draws the queue would pile up; what is still queued
    // now belongs to the frame before.
    GUI_Tooltip::ClearQueue();
}

bool GUI_WindowManager::DispatchClick(bool right)
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    const float x = input ? input->GetMouseX() : 0.0f;
    const float y = input ? input->GetMouseY() : 0.0f;
    auto click = [&](GUI_WindowBase* window) { return right ? window->OnRightClick(x, y) : window->OnClick(x, y); };
    DispatchScope scope;
    if (!m_modal.empty())
    {
        const std::vector<GUI_WindowBase*> modal = m_modal;
        for (auto it = modal.rbegin(); it != modal.rend(); ++it)
            if (ManagerContains(m_modal, *it) && click(*it))
                break;
        return true;
    }
    const std::vector<GUI_WindowBase*> windows = m_windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (ManagerContains(m_windows, *it) && !(*it)->IsClosing() && click(*it))
            return true;
    return false;
}

bool GUI_WindowManager::OnClick()
{
    return DispatchClick(false);
}

bool GUI_WindowManager::OnRightClick()
{
    return DispatchClick(true);
}

void GUI_WindowManager::DispatchWheel(bool up)
{
    auto wheel = [up](GUI_WindowBase* window) {
        if (up)
            window->OnWheelUp();
        else
            window->OnWheelDown();
    };
    DispatchScope scope;
    if (!m_modal.empty())
    {
        const std::vector<GUI_WindowBase*> modal = m_modal;
        for (GUI_WindowBase* window : modal)
            if (ManagerContains(m_modal, window))
                wheel(window);
        return;
    }
    GUI_WindowBase* target = nullptr;
    for (auto it = m_windows.rbegin(); it != m_windows.rend() && !target; ++it)
        if ((*it)->IsVisible() && (*it)->IsDialog() && (*it)->IsMouseOver())
            target = *it;
    for (auto it = m_windows.rbegin(); it != m_windows.rend() && !target; ++it)
        if ((*it)->IsVisible() && (*it)->IsMouseOver())
            target = *it;
    if (target)
        wheel(target);
}

void GUI_WindowManager::OnWheelUp()
{
    DispatchWheel(true);
}

void GUI_WindowManager::OnWheelDown()
{
    DispatchWheel(false);
}

void GUI_WindowManager::OnKeyDown(uint32_t virtualKey)
{
    DispatchScope scope;
    const std::vector<GUI_WindowBase*> windows = m_modal.empty() ? m_windows : m_modal;
    const std::vector<GUI_WindowBase*>& live = m_modal.empty() ? m_windows : m_modal;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (ManagerContains(live, *it) && !(*it)->IsClosing())
            (*it)->OnKeyDown(virtualKey);
}

GUI_WindowBase* GUI_WindowManager::TopDialog() const
{
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if ((*it)->IsDialog() && !(*it)->IsClosing())
            return *it;
    return nullptr;
}

bool GUI_WindowManager::CloseTopDialog()
{
    GUI_WindowBase* dialog = TopDialog();
    if (!dialog)
        return false;
    Destroy(dialog);
    return true;
}

void GUI_WindowManager::CloseAllDialogs()
{
    // One at a time from the top: a dialog's destructor may close others.
    while (CloseTopDialog())
    {
    }
}

void GUI_WindowManager::CloseAll()
{
    DeletePending();
    while (!m_owned.empty())
        DestroyNow(m_owned.back().get());
    const std::vector<GUI_WindowBase*> rest = m_windows;
    for (GUI_WindowBase* window : rest)
        Forget(window);
    m_modal.clear();
}

void GUI_WindowManager::Destroy(GUI_WindowBase* window)
{
    if (!window)
        return;
    if (m_dispatchDepth > 0)
    {
        if (window->m_closing)
            return;
        window->MarkClosing();
        window->m_modal = false;
        ManagerRemove(m_modal, window);
        m_deleteLater.push_back(window);
        return;
    }
    DestroyNow(window);
}

void GUI_WindowManager::DestroyNow(GUI_WindowBase* window)
{
    if (window->m_parent)
    {
        std::unique_ptr<GUI_WindowBase> owned = window->m_parent->RemoveSubWindow(window);
        if (owned)
            return; // deleted here; its destructor left every list
    }
    for (auto it = m_owned.begin(); it != m_owned.end(); ++it)
        if (it->get() == window)
        {
            std::unique_ptr<GUI_WindowBase> owned = std::move(*it);
            m_owned.erase(it);
            owned.reset();
            return;
        }
    // Owned by a screen: it only leaves the screen.
    window->MarkClosing();
    Forget(window);
}

void GUI_WindowManager::DeletePending()
{
    while (!m_deleteLater.empty())
    {
        GUI_WindowBase* window = m_deleteLater.front();
        m_deleteLater.erase(m_deleteLater.begin());
        DestroyNow(window);
    }
}

void GUI_WindowManager::Forget(GUI_WindowBase* window)
{
    ManagerRemove(m_windows, window);
    ManagerRemove(m_modal, window);
    ManagerRemove(m_deleteLater, window);
    window->m_modal = false;
    for (auto it = m_owned.begin(); it != m_owned.end(); ++it)
        if (it->get() == window)
        {
            // Deleted by someone else: the manager lets go rather than delete it twice.
            (void)it->release();
            m_owned.erase(it);
            break;
        }
}
