// One requested resource in the supply stockpile dialog: icon, name, the amount as a number and on
// a slider, and a cross that takes the resource off the list. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_IconButton;
class GUI_OptionsSlider;
class GUI_SupplyStockpile;
struct SupplyStockItem;

class GUI_SupplyStrip : public GUI_WindowBase
{
public:
    static constexpr int kSliderMaximum = 36;

    GUI_SupplyStrip(SupplyStockItem* item, GUI_SupplyStockpile* dialog);
    ~GUI_SupplyStrip() override;

    void SetRect(float left, float top, float right, float bottom) override;
    void Draw() override;

    // The slider moved: the amount follows it, never below 0 and never past what the other rows
    // leave of the stockpile's places.
    void OnAmountChanged();
    // The cross: the item leaves the stockpile's list; the dialog rebuilds its rows once the click
    // is over, since this strip and its button are among them.
    void OnRemove();

    SupplyStockItem* GetItem() const { return m_item; }
    GUI_OptionsSlider* GetSlider() const { return m_slider; }
    GUI_IconButton* GetRemoveButton() const { return m_remove; }
    const std::string& GetAmountText() const { return m_amountText; }

private:
    GUI_SupplyStockpile* m_dialog;      // not owned: the dialog owns this strip
    GUI_IconButton* m_remove = nullptr; // owned by the button list
    SupplyStockItem* m_item;            // not owned: the stockpile's list; null once removed
    PRect m_inner;
    CTexturedSprite m_icon;
    std::string m_amountText;
    GUI_OptionsSlider* m_slider = nullptr; // owned as a sub-window
};
