// The list of controls (buttons, check boxes, scroll arrows) a window owns, with one loop each for
// clicking, updating and drawing them. Every window derives from it through GUI_WindowBase.
#pragma once

#include "engine/GUI_BaseElement.h"

#include <memory>
#include <utility>
#include <vector>

class GUI_ButtonBase;

class GUIButtonList : public GUI_BaseElement
{
public:
    GUIButtonList();
    ~GUIButtonList() override;
    GUIButtonList(const GUIButtonList&) = delete;
    GUIButtonList& operator=(const GUIButtonList&) = delete;

    // Takes the control and appends it (last drawn, last asked for clicks); returns it. A null
    // control is refused with an assertion.
    template <class T>
    T* AddChild(std::unique_ptr<T> control)
    {
        T* raw = control.get();
        AddOwnedChild(std::unique_ptr<GUI_ButtonBase>(std::move(control)));
        return raw;
    }
    // Builds a control in place: CreateChild<GUI_ButtonText>("OPTIONS_APPLY", callback).
    template <class T, class... Args>
    T* CreateChild(Args&&... args)
    {
        return AddChild(std::make_unique<T>(std::forward<Args>(args)...));
    }
    // The element's own layout records (an element kept at an offset), not ownership.
    using GUI_BaseElement::AddChild;

    // Deletes every control.
    void DeleteChildren();
    // Offers the click at the mouse position to the visible controls in order; true when one
    // took it. The dispatch ends there: the control's callback may have closed the window.
    bool ClickChildren();
    // Every control's per-frame update, visible or not (each tests its own visibility).
    virtual void Update();
    // Draws the visible controls in order, then the text they queued.
    void DrawChildren();

    const std::vector<std::unique_ptr<GUI_ButtonBase>>& GetButtons() const { return m_buttons; }

protected:
    // Appends an owned control; a window also makes itself the control's owner.
    virtual void AddOwnedChild(std::unique_ptr<GUI_ButtonBase> control);

private:
    std::vector<std::unique_ptr<GUI_ButtonBase>> m_buttons;
};
