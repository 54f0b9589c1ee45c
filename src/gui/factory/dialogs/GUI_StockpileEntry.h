// One cell of the stockpile panel: a resource's icon with "held+(incoming)"; hovering names the
// resource. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>
#include <string>

class GUI_Tooltip;
class SIM_Resource;

class GUI_StockpileEntry : public GUI_WindowBase
{
public:
    static constexpr int kTooltipDelayFrames = 10;

    GUI_StockpileEntry(const SIM_Resource* resource, int held, int incoming);
    ~GUI_StockpileEntry() override;

    // The icon: a square of the cell's height at its left end.
    void PlaceIcon();
    void Update() override;
    void Draw() override;

    const SIM_Resource* GetResource() const { return m_resource; }
    const std::string& GetText() const { return m_text; }
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }

private:
    const SIM_Resource* m_resource; // not owned: the resource list's
    CTexturedSprite m_icon;
    std::string m_text;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
};
