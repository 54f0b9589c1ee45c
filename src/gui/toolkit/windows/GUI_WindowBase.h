// Every window, panel, dialog and screen of the game is a GUI_WindowBase: a rectangle that owns
// its controls (buttons) and its sub-windows, passes clicks, wheel turns, keys and the per-frame
// update on to them, can be dragged with the mouse, and carries the flags the window manager
// reads (visible, modal, takes the mouse, consumes clicks, raises itself when clicked).
//
// Building a window (see GUI_Dialog for dialogs):
//  - create the controls and sub-windows in the constructor with CreateChild<T>(...) and
//    CreateSubWindow<T>(...); keep the returned pointers as plain members (the window owns them);
//  - name them in an enum in the window's header when the window refers to them by number;
//  - place every child in Layout() from the window's rectangle with GUI_Layout. Layout() runs
//    whenever the window is moved or resized (SetRect, SetPosition, CentreOnScreen, dragging)
//    and once when the window manager opens it, so create the children before sizing the window.
// Main thread only.
#pragma once

#include "engine/GKeyboardHandler.h"
#include "gui/toolkit/windows/GUIButtonList.h"

#include <memory>
#include <utility>
#include <vector>

class GUI_WindowBase : public GUIButtonList, public GKeyboardHandler
{
public:
    GUI_WindowBase();
    // Leaves the cursor, the window manager's lists, its parent and the keyboard focus; deletes
    // its own sub-windows, then its controls.
    ~GUI_WindowBase() override;

    // Left click: raises the window, may start a drag, then offers the click to the visible
    // sub-windows and the controls; true when it was taken.
    bool OnClick(float x, float y) override;
    // Draws the controls when visible. Sub-windows are drawn by their owner where it wants them
    // (DrawSubWindows draws them all in order); derived windows draw their own content too.
    void Draw() override;
    // Per frame, top window first: drag, sub-windows, controls, then claims the mouse when it is
    // over the window, so windows updated later in the frame show no hover.
    void Update() override;
    void SetPosition(float x, float y) override;
    void SetRect(float left, float top, float right, float bottom) override;
    void CentreOnScreen() override;

    virtual bool OnRightClick(float x, float y);
    virtual bool IsDialog() { return false; }
    virtual bool IsMouseOver();
    virtual void OnDragEnd() {}
    virtual void OnWheelUp();
    virtual void OnWheelDown();
    virtual void BringToFront();
    virtual void BeginDrag();
    virtual void Drag();
    // Places every child from the window's rectangle (see above). Empty by default.
    virtual void Layout() {}

    // Keys go to every sub-window (visible or not); characters go only to the focused field.
    void OnKeyDown(uint32_t virtualKey) override;

    // Takes the window and appends it to the sub-windows (last asked for clicks, last drawn by
    // the owner's own Draw); returns it.
    template <class T>
    T* AddSubWindow(std::unique_ptr<T> window)
    {
        T* raw = window.get();
        AdoptSubWindow(std::unique_ptr<GUI_WindowBase>(std::move(window)));
        return raw;
    }
    template <class T, class... Args>
    T* CreateSubWindow(Args&&... args)
    {
        return AddSubWindow(std::make_unique<T>(std::forward<Args>(args)...));
    }
    // Shows a window owned elsewhere (the rows of a list) among the sub-windows; it is first taken
    // from its current parent.
    void AttachSubWindow(GUI_WindowBase* window);
    // Takes the window out of the sub-windows (and the layout records). Returns it when this
    // window owned it; dropping the result deletes it.
    std::unique_ptr<GUI_WindowBase> RemoveSubWindow(GUI_WindowBase* window);
    // Frees the layout records (the elements stay).
    void DeleteChildRecords();
    // Lists the window in the window manager (at the top); the caller keeps owning it. Dialogs
    // are opened with GUI_WindowManager::Open instead, which also takes ownership.
    void AddToWindowManager();
    // Makes this the one modal window: every other modal window is closed, and until this one
    // goes it alone gets clicks, keys and updates. It must also be in the window manager's list
    // to be drawn.
    void ShowModal();
    // Closes the window: deleted now, or, while a click or update is being handled, hidden at
    // once and deleted when the frame's updates are over.
    void Close();
    // Ends a drag begun by BeginDrag (the button was released): OnDragEnd once.
    void EndDrag();

    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    void SetDraggable(bool draggable) { m_draggable = draggable; }
    bool IsDragging() const { return m_dragging; }
    bool IsModal() const { return m_modal; }
    bool IsClosing() const { return m_closing; }
    void SetTakesMouse(bool takes) { m_takesMouse = takes; }
    void SetConsumesClicks(bool consumes) { m_consumesClicks = consumes; }
    void SetRaiseOnClick(bool raise) { m_raiseOnClick = raise; }
    void SetClampToScreen(bool clamp) { m_clampToScreen = clamp; }
    // Children that the layout check lets overlap their siblings (a drop-down's rows overlap by
    // design).
    bool MayOverlapSiblings() const { return m_mayOverlapSiblings; }
    void SetMayOverlapSiblings(bool may) { m_mayOverlapSiblings = may; }
    // A child its parent draws cut to an area of its own (the boxes of a scrolled tree): it may
    // reach past the parent's edges and under the parent's other children.
    bool IsClippedByParent() const { return m_clippedByParent; }
    void SetClippedByParent(bool clipped) { m_clippedByParent = clipped; }
    GUI_WindowBase* GetParent() const { return m_parent; }
    const std::vector<GUI_WindowBase*>& GetSubWindows() const { return m_subWindows; }

protected:
    void AddOwnedChild(std::unique_ptr<GUI_ButtonBase> control) override;
    // The rectangle alone, without laying the children out again (for derived windows that
    // place their own frame first).
    void SetBounds(float left, float top, float right, float bottom)
    {
        GUIButtonList::SetRect(left, top, right, bottom);
    }
    void MoveBounds(float x, float y) { GUIButtonList::SetPosition(x, y); }
    // Draws the visible sub-windows in order.
    void DrawSubWindows();

private:
    friend class GUI_WindowManager;
    void AdoptSubWindow(std::unique_ptr<GUI_WindowBase> window);
    // Leaves the parent's sub-windows without being deleted by it (ownership is the caller's).
    void LeaveParentKeepingOwner();
    // Marks the window closing (hidden, no longer modal, input skipped) for deferred deletion.
    void MarkClosing();

    bool m_dragging = false;
    bool m_draggable = false;
    float m_dragOffsetX = 0.0f;
    float m_dragOffsetY = 0.0f;
    // In dispatch order; owned ones are also in m_ownedSubWindows.
    std::vector<GUI_WindowBase*> m_subWindows;
    std::vector<std::unique_ptr<GUI_WindowBase>> m_ownedSubWindows;
    bool m_visible = true;
    GUI_WindowBase* m_parent = nullptr; // not owned: the window whose sub-window list holds this one
    bool m_modal = false;
    bool m_takesMouse = true;
    bool m_consumesClicks = true;
    bool m_raiseOnClick = true;
    bool m_clampToScreen = true;
    bool m_closing = false;
    bool m_mayOverlapSiblings = false;
    bool m_clippedByParent = false;
};

// The close button's action: closes the window (deferred while input is being handled).
void DeleteViaVirtualDestructor(GUI_WindowBase* window);
