// One row of the upgrade picker: the upgrade's icon, name and price and its buy button, which
// reads "installed" or "not researched" (greyed, with a lock) when the upgrade cannot be bought.
// Hovering lists the upgrade's effects. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class GUI_ButtonText;
class GUI_Tooltip;
class SIM_SlotUpgrade;

class GUI_UpgradePickerSlot : public GUI_WindowBase
{
public:
    static constexpr uint32_t kTextColour = 0xFF000000u;
    static constexpr uint32_t kLockedTextColour = 0x5A000000u;
    static constexpr uint32_t kBackground = 0xFFBEBEBEu;
    static constexpr uint32_t kLockedBackground = 0x5ABEBEBEu;

    // canBuy is false when the slot has the upgrade already.
    GUI_UpgradePickerSlot(SIM_SlotUpgrade* upgrade, bool canBuy);
    ~GUI_UpgradePickerSlot() override;

    // Inner rectangle, icon and buy button from the row's rectangle.
    void SetRect(float left, float top, float right, float bottom) override;
    void Update() override;
    void Draw() override;

    SIM_SlotUpgrade* GetUpgrade() const { return m_upgrade; }
    GUI_ButtonText* GetBuyButton() const { return m_buy; }
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }
    const std::string& GetName() const { return m_name; }
    const std::string& GetCost() const { return m_cost; }
    const PRect& GetInnerRect() const { return m_inner; }
    bool IsLocked() const { return m_locked; }
    uint32_t GetTextColour() const { return m_textColour; }
    uint32_t GetBackgroundColour() const { return m_background; }

private:
    PRect m_inner{};
    CTexturedSprite m_icon;
    std::string m_name;
    std::string m_cost;
    SIM_SlotUpgrade* m_upgrade;      // not owned: the upgrade manager's
    GUI_ButtonText* m_buy = nullptr; // owned by the button list
    std::unique_ptr<GUI_Tooltip> m_tooltip;
    CTexturedSprite m_lock;
    bool m_locked = false;
    uint32_t m_textColour = kTextColour;
    uint32_t m_background = kBackground;
};
