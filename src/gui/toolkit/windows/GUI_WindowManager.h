// The one window manager: lists the top-level windows in z-order (first = bottom), holds the modal
// window, draws them every frame (ordinary windows first, dialogs over them), hands them the
// per-frame update and every click, wheel turn and key, and deletes closed windows once the
// frame's updates are over.
//
// Ownership: windows opened with Open() belong to the manager; a window a screen keeps itself
// (a game mode that is also a window) is only listed through AddToWindowManager(). A window is
// never deleted while a click, key or update is being handled: closing it then (Close, the close
// button, CloseTopDialog, a newer modal window) hides it and takes it out of the input at once,
// and deletes it at the end of the next Update.
//
// A screen's frame: Process calls Update; Draw draws the screen, then Draw, DrawQueuedTooltips
// (GUI_Tooltip.h) and GUI_Cursor::Update last; mouse handlers call OnClick, OnRightClick,
// OnWheelUp/OnWheelDown first and pass the event on only when no window took it.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class GUI_WindowBase;

class GUI_WindowManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_WindowManager& Instance();

    // Takes the window, lists it at the top and lets it lay itself out; returns it.
    template <class T>
    static T* Open(std::unique_ptr<T> window)
    {
        T* raw = window.get();
        Instance().Adopt(std::unique_ptr<GUI_WindowBase>(std::move(window)));
        return raw;
    }
    // Builds and opens a window: GUI_WindowManager::Create<GUI_ConfirmDialog>(...).
    template <class T, class... Args>
    static T* Create(Args&&... args)
    {
        return Open(std::make_unique<T>(std::forward<Args>(args)...));
    }

    // Ordinary windows bottom to top, then dialogs bottom to top; hidden windows and the one
    // being dragged (the cursor draws it last) are skipped. A window closed while drawing goes
    // after the next Update.
    void Draw();
    // With a modal window only it updates, otherwise every window from the top down; then the
    // closed windows are deleted.
    void Update();
    // The click at the mouse position. A modal window takes every click (true whatever it does
    // with it); otherwise the top-most window that takes it; false when none did.
    bool OnClick();
    bool OnRightClick();
    // The wheel goes to one window: the modal one, else the top-most visible dialog under the
    // mouse, else the top-most visible window under it.
    void OnWheelUp();
    void OnWheelDown();
    // To the modal window, or else every window from the top down (visible or not).
    void OnKeyDown(uint32_t virtualKey);

    void BringToFront(GUI_WindowBase* window);
    // Closes the top-most dialog; false when none is open.
    bool CloseTopDialog();
    // Closes every dialog, top first.
    void CloseAllDialogs();
    // Closes every window the manager or a parent owns and forgets the rest (shutdown, tests).
    void CloseAll();

    // Deletes the window now, or (while input or updates are being handled) hides it and deletes
    // it at the end of Update. Closing a window twice deletes it once. A window nobody in the
    // toolkit owns is only taken out of the lists.
    void Destroy(GUI_WindowBase* window);

    void Register(GUI_WindowBase* window);
    void MakeModal(GUI_WindowBase* window);
    bool HasModal() const { return !m_modal.empty(); }
    GUI_WindowBase* GetModal() const { return m_modal.empty() ? nullptr : m_modal.back(); }
    const std::vector<GUI_WindowBase*>& GetWindows() const { return m_windows; }
    size_t GetPendingDeleteCount() const { return m_deleteLater.size(); }

    // Open while input, updates or a control's callback run: windows closed meanwhile are only
    // marked, never deleted under the code that is running.
    class DispatchScope
    {
    public:
        DispatchScope() { ++Instance().m_dispatchDepth; }
        ~DispatchScope() { --Instance().m_dispatchDepth; }
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;
    };

private:
    friend class GUI_WindowBase;
    GUI_WindowManager() = default;
    void Adopt(std::unique_ptr<GUI_WindowBase> window);
    // A click at the mouse position, to the modal window or from the top down.
    bool DispatchClick(bool right);
    // The wheel to the one window it concerns.
    void DispatchWheel(bool up);
    // A window leaves every list (its destructor).
    void Forget(GUI_WindowBase* window);
    void DestroyNow(GUI_WindowBase* window);
    void DeletePending();
    GUI_WindowBase* TopDialog() const;

    // Closed while input was handled; deleted at the end of Update. Not owned here.
    std::vector<GUI_WindowBase*> m_deleteLater;
    // Z-order, first = bottom. Not owning: see m_owned.
    std::vector<GUI_WindowBase*> m_windows;
    std::vector<GUI_WindowBase*> m_modal;
    std::vector<std::unique_ptr<GUI_WindowBase>> m_owned;
    int m_dispatchDepth = 0;
};
