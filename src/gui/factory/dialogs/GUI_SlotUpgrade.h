// One installed upgrade in the upgrades panel: its icon and name; hovering lists its effects.
// Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>

class GUI_Tooltip;
class SIM_SlotUpgrade;

class GUI_SlotUpgrade : public GUI_WindowBase
{
public:
    explicit GUI_SlotUpgrade(SIM_SlotUpgrade* upgrade);
    ~GUI_SlotUpgrade() override;

    void SetRect(float left, float top, float right, float bottom) override;
    void Update() override;
    void Draw() override;

private:
    CTexturedSprite m_icon;
    SIM_SlotUpgrade* m_upgrade; // not owned: the upgrade manager's
    std::unique_ptr<GUI_Tooltip> m_tooltip;
};
