// One line of a slot's requirement list: the resource's icon, how many are needed, and a tick
// or a cross for whether the slot has them; hovering names the resource. The owner gives it its
// rectangle, then calls Layout. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>
#include <string>

class GUI_Tooltip;
class SIM_Resource;

class GUI_TaskResource : public GUI_WindowBase
{
public:
    static constexpr int kTooltipDelay = 10;

    // The mark is fixed here: the owner makes new lines to show a changed state.
    GUI_TaskResource(const SIM_Resource* resource, int count, bool met);
    ~GUI_TaskResource() override;

    void Layout() override;
    void Draw() override;
    void Update() override;

    const SIM_Resource* GetResource() const { return m_resource; }
    const std::string& GetCountText() const { return m_countText; }
    const CTexturedSprite& GetIcon() const { return m_icon; }
    const CTexturedSprite& GetMark() const { return m_mark; }
    const GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }

private:
    const SIM_Resource* m_resource; // not owned: the resource table owns it
    std::string m_countText;
    CTexturedSprite m_icon;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
    CTexturedSprite m_mark;
};
