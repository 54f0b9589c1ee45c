// Every clickable control: a rectangle with a callback, an optional tooltip, a hover state and the
// interface click sound. The six looks derive from it (text, tab, menu entry, icon, close box,
// check box). A window owns its buttons: create them with CreateChild<T>(...) on the window.
// Main thread only.
#pragma once

#include "engine/GUI_BaseElement.h"
#include "gui/toolkit/windows/GUI_Callback.h"

#include <cstdint>
#include <memory>
#include <string>

class GUI_Tooltip;
class GUI_WindowBase;

class GUI_ButtonBase : public GUI_BaseElement
{
public:
    // The sound every click of the interface makes.
    static constexpr const char* kClickSound = "fv_gui_click.ogg";
    // Frames the mouse must rest before a tooltip given by key shows.
    static constexpr int kTooltipDelay = 30;

    explicit GUI_ButtonBase(GUI_Callback callback = nullptr, intptr_t argument = 0);
    ~GUI_ButtonBase() override;
    GUI_ButtonBase(const GUI_ButtonBase&) = delete;
    GUI_ButtonBase& operator=(const GUI_ButtonBase&) = delete;

    // Inside the rectangle: Click and true, also when disabled (a disabled button swallows the
    // click without acting).
    bool OnClick(float x, float y) override;
    // Draws the tooltip (it queues itself when shown) and clears a stale hover.
    void Draw() override;
    // Also anchors the tooltip centred under the button.
    void SetRect(float left, float top, float right, float bottom) override;
    // When enabled and there is a callback: the click sound (unless silent), then the callback.
    virtual void Click();
    // Hover and hand cursor while the mouse is over an enabled, visible button that no window
    // above took the mouse from; the tooltip's rest count.
    virtual void Update();

    bool IsMouseOver() const;
    void SetTooltip(const std::string& text, int delayFrames);
    void SetTooltipByKey(const std::string& key);
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }

    bool IsHovered() const { return m_hovered != 0; }
    GUI_WindowBase* GetOwner() const { return m_owner; }
    void SetOwner(GUI_WindowBase* owner) { m_owner = owner; }
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsVisible() const { return m_visible; }
    void SetSilent(bool silent) { m_silent = silent; }
    // A number the owning window gives the button (an entry of its widget id enum); -1 when none.
    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }

protected:
    // The tooltip's draw and the hover reset that end each look's Draw.
    void DrawTooltipAndResetHover();

    int m_hovered = 0;
    GUI_Callback m_callback;
    intptr_t m_argument = 0;
    GUI_WindowBase* m_owner = nullptr; // not owned: the window whose button list holds this one
    std::unique_ptr<GUI_Tooltip> m_tooltip;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_silent = false;
    int m_id = -1;
};
