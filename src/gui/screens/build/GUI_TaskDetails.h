// The card beside the build menu while a row is hovered: the task's icon and name, its cost,
// time, staff and power, and the tasks it applies, joined to the menu by a red bar. The row that
// made it keeps it; it shows only in frames in which the row asked for it. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class SIM_BaseTask;
class SIM_FacilityTask;
class SIM_ProductionTask;

class GUI_TaskDetails : public GUI_WindowBase
{
public:
    static constexpr int kWidth = 400;
    static constexpr int kIconSide = 48;
    // The name keeps this far from the right edge (inside the frame), and shrinks to no less than
    // this share of the title size before it is cut.
    static constexpr int kNameMargin = 6;
    static constexpr float kSmallestName = 0.5f;
    static constexpr uint32_t kFrameColour = 0xFFFF0505u;
    static constexpr uint32_t kBodyColour = 0xFFBEBEBEu;

    // "$" and the whole dollars grouped by three with commas.
    static std::string MoneyText(float cost);

    explicit GUI_TaskDetails(const SIM_BaseTask* task);
    ~GUI_TaskDetails() override;

    // This frame the card stands right of the build menu, centred on that height, kept on screen.
    void ShowAt(float centreY);
    // Drawn once, then hidden until the next ShowAt.
    void Draw() override;

    // Height for the task: icon, the value rows and one line per applied task.
    int DetailsHeight() const;
    const std::string& GetCostValue() const { return m_costValue; }
    const std::string& GetTimeValue() const { return m_timeValue; }
    const std::string& GetStaffValue() const { return m_staffValue; }
    const std::string& GetPowerValue() const { return m_powerValue; }
    const SIM_ProductionTask* GetProductionTask() const { return m_production; }
    const SIM_FacilityTask* GetFacilityTask() const { return m_facility; }

private:
    // Exactly one is set; neither is owned.
    const SIM_ProductionTask* m_production = nullptr;
    const SIM_FacilityTask* m_facility = nullptr;
    CTexturedSprite m_icon;
    std::string m_costLabel;
    std::string m_costValue;
    std::string m_timeLabel;
    std::string m_timeValue;
    std::string m_staffLabel;
    std::string m_staffValue;
    std::string m_powerLabel;
    std::string m_powerValue;
    std::string m_name;
};
