// One resource a slot needs, in the requirements grid of the slot dialog: its icon and how many
// the slot uses, with a red mark when the slot's stockpile holds fewer. Hovering names it.
// Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>
#include <string>

class GUI_Tooltip;
class SIM_Resource;

class GUI_SlotRequirementIcon : public GUI_WindowBase
{
public:
    GUI_SlotRequirementIcon(const SIM_Resource* resource, int required, bool inStock);
    ~GUI_SlotRequirementIcon() override;

    void Layout() override;
    void Update() override;
    void Draw() override;

    const SIM_Resource* GetResource() const { return m_resource; }
    bool IsInStock() const { return m_inStock; }

private:
    const SIM_Resource* m_resource; // not owned: the resource list's
    bool m_inStock;
    std::string m_text;
    CTexturedSprite m_icon;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
};
