// A closed box showing one value and an arrow; a click on the arrow opens the values below it,
// and choosing one closes the list and runs its callback (which reads GetSelected()).
// Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_Callback.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>
#include <vector>

class GUI_DropDownListItem;

class GUI_DropDownList : public GUI_WindowBase
{
public:
    static constexpr const char* kClosedArrow = "gui_scrolldown_h.dds";
    static constexpr const char* kOpenArrow = "gui_scrollup_h.dds";

    explicit GUI_DropDownList(GUI_Callback onSelect = nullptr);

    // On the arrow: opens or closes (true). Closed, anything else falls through (false); open,
    // the rows are asked.
    bool OnClick(float x, float y) override;
    void Draw() override;
    // Places the arrow at the box's right end.
    void Layout() override;

    // Appends a value; it becomes the shown and selected one, so a filled list shows its last.
    void AddItem(const std::string& text);
    void SetSelected(const std::string& text) { m_selected = text; }
    void SetDisplayText(const std::string& text) { m_shownText = text; }
    const std::string& GetSelected() const { return m_selected; }
    const std::string& GetDisplayText() const { return m_shownText; }
    bool IsOpen() const { return m_open; }
    const std::vector<GUI_DropDownListItem*>& GetItems() const { return m_items; }

    // A row was chosen: its value is selected and shown, the list closes, the callback runs.
    void Choose(const GUI_DropDownListItem& item);

private:
    void SetOpen(bool open);

    GUI_Callback m_onSelect;
    std::string m_selected;
    std::string m_shownText;
    std::vector<GUI_DropDownListItem*> m_items; // owned as sub-windows
    bool m_open = false;
    CTexturedSprite m_arrow;
};
