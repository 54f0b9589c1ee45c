// One row of the build menu: a task's icon and name, indented by its menu level, with an expand
// button when other tasks list under it. Greyed while the task is locked or costs more than the
// cash; hovering shows the task's details beside the menu, a click arms the tool that builds it.
// Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class GUI_IconButton;
class GUI_TaskDetails;
class SIM_BaseTask;

class GUI_Task : public GUI_WindowBase
{
public:
    // Which tool builds a task.
    enum class Tool
    {
        None,
        Conveyor,  // the overhead resource conveyor
        SlotChain, // the conveyor chain between slots
        Slot,      // a production slot
        Facility,
    };

    static constexpr uint32_t kHoveredColour = 0xFAFFFFFFu;
    static constexpr uint32_t kIdleColour = 0xBEFFFFFFu;
    static constexpr uint32_t kUnavailableColour = 0xFF787878u;

    // The tool for a task: components and car-body tasks by name, standalone tasks by what they
    // are (a facility, or a production task of its own), anything else none.
    static Tool ToolFor(const SIM_BaseTask& task);
    // Not locked and no dearer than the cash (a cost equal to the cash is affordable).
    static bool IsAvailable(const SIM_BaseTask& task, float cash);
    // Pixels a row of that menu level is indented.
    static int Indent(int level) { return 30 * level - 20; }

    explicit GUI_Task(const SIM_BaseTask* task);
    ~GUI_Task() override;

    bool OnClick(float x, float y) override;
    void Draw() override;
    void Layout() override;
    void Update() override;

    // Availability from the lock and the cash; a change re-tints the text and the icon.
    void RefreshAvailability();
    // Drops whatever the tools held (silently), then arms this task's tool and plays the select
    // sound.
    void StartPlacing();
    // The expand button: children shown or hidden, the menu re-collected.
    void ToggleExpand();

    const SIM_BaseTask* GetTask() const { return m_task; }
    bool IsExpanded() const { return m_expanded; }
    bool IsAvailableNow() const { return m_available; }
    GUI_IconButton* GetExpandButton() const { return m_expandButton; }
    GUI_TaskDetails* GetDetails() const { return m_details.get(); }
    const std::string& GetDisplayText() const { return m_displayText; }
    const CTexturedSprite& GetIcon() const { return m_icon; }
    uint32_t TextColour() const;

private:
    void ApplyTint();

    const SIM_BaseTask* m_task; // not owned: the task managers own the tasks
    PRect m_inner{};
    CTexturedSprite m_icon;
    int m_textAlpha = 255;
    bool m_available = true;
    std::unique_ptr<GUI_TaskDetails> m_details;
    bool m_expanded = false;
    GUI_IconButton* m_expandButton = nullptr; // owned by the button list
    std::string m_displayText;
};
