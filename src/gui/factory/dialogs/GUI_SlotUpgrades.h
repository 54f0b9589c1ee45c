// The upgrades panel of the slot dialog: the slot's installed upgrades in a scrolling list and the
// button that opens the upgrade picker, where upgrades are bought. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <functional>
#include <string>

class GUI_ButtonText;
class SIM_PlaceableSlot;

class GUI_SlotUpgrades : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 16;

    explicit GUI_SlotUpgrades(SIM_PlaceableSlot* slot);
    ~GUI_SlotUpgrades() override;

    // Places the list, the scroll bar and the button from the rectangle and rebuilds the rows.
    void Layout() override;
    void RebuildRows() override;
    void LayoutRows() override;
    void Draw() override;

    // Opens the upgrade picker for the slot; the screens install it.
    static std::function<void(SIM_PlaceableSlot*)>& UpgradePickerOpener();
    // Closes the slot's upgrade picker when the panel goes with its dialog; the screens install it.
    static std::function<void(SIM_PlaceableSlot*)>& UpgradePickerCloser();
    void OnChooseUpgrades();

    const PRect& GetInnerRect() const { return m_inner; }
    const PRect& GetListArea() const { return m_list; }
    GUI_ButtonText* GetChooseButton() const { return m_choose; }

private:
    GUI_ButtonText* m_choose = nullptr; // owned by the button list
    std::string m_title;
    PRect m_list;
    PRect m_inner;
    SIM_PlaceableSlot* m_slot; // not owned: the simulation's
};
