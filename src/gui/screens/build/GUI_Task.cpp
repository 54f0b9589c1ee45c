// A row of the build menu.
#include "gui/screens/build/GUI_Task.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/screens/build/GUI_TaskDetails.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/money/SIM_FinanceManager.h"

namespace
{
constexpr const char* kExpandIcon = "list_expand.dds";
constexpr const char* kCollapseIcon = "list_collapse.dds";
constexpr int kExpandButtonSide = 14;
} // namespace

GUI_Task::Tool GUI_Task::ToolFor(const SIM_BaseTask& task)
{
    switch (task.m_kind)
    {
    case TASK_COMPONENT:
    case TASK_VEHICLE:
        if (task.m_name == SIM_DataNames::kTaskResourceConveyor)
            return Tool::Conveyor;
        if (task.m_name == SIM_DataNames::kTaskConveyor)
            return Tool::SlotChain;
        return Tool::Slot;
    case TASK_STANDALONE:
        // Standalone production tasks share the kind with facilities but are no facility: asking
        // what the task is keeps them away from the facility tool.
        if (dynamic_cast<const SIM_FacilityTask*>(&task))
            return Tool::Facility;
        if (dynamic_cast<const SIM_ProductionTask*>(&task))
            return Tool::Slot;
        return Tool::None;
    default:
        return Tool::None;
    }
}

bool GUI_Task::IsAvailable(const SIM_BaseTask& task, float cash)
{
    return !task.m_locked && !(task.m_constructionCost > cash);
}

GUI_Task::GUI_Task(const SIM_BaseTask* task) : m_task(task)
{
    if (m_task->m_hasChildren)
        m_expandButton = CreateChild<GUI_IconButton>(kExpandIcon, GUI_Callback([this] { ToggleExpand(); }));
}

GUI_Task::~GUI_Task() = default;

uint32_t GUI_Task::TextColour() const
{
    return static_cast<uint32_t>(m_textAlpha) << 24;
}

void GUI_Task::Layout()
{
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    const float side = static_cast<float>(m_height - 4);
    const int indent = Indent(m_task->m_guiLevel);
    if (m_expandButton)
    {
        const float x = static_cast<float>(m_inner.left + indent);
        const float y = static_cast<float>(m_inner.top);
        m_expandButton->SetRect(x, y, x + kExpandButtonSide, y + kExpandButtonSide);
        // A locked task's children cannot be built either; research enables it at the next rebuild.
        m_expandButton->SetEnabled(!m_task->m_locked);
    }
    m_icon.m_width = side;
    m_icon.m_height = side;
    (void)ApplyAtlasToSprite(m_icon, m_task->m_icon);
    m_icon.SetPosition(static_cast<float>(m_inner.left + indent + kExpandButtonSide) + side / 2.0f,
                       static_cast<float>(m_top + m_bottom) / 2.0f);
    m_textAlpha = 255;
    RefreshAvailability();
    ApplyTint();
    GFontManager& fonts = GFontManager::Instance();
    m_displayText = m_task->m_guiName;
    if (fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        if (fonts.GetCurrentFont())
        {
            const float iconRight = m_icon.m_vertices[1].x;
            m_displayText = fonts.GetFirstLine(static_cast<float>(m_right) - iconRight - 20.0f, m_task->m_guiName);
        }
    }
}

void GUI_Task::RefreshAvailability()
{
    const bool available = IsAvailable(*m_task, SIM_FinanceManager::Instance().GetCash());
    if (available == m_available)
        return;
    m_available = available;
    ApplyTint();
}

void GUI_Task::ApplyTint()
{
    m_textAlpha = m_available ? 255 : 64;
    const uint32_t tint = m_available ? 0xFFFFFFFFu : 0x40FFFFFFu;
    for (PVertex& vertex : m_icon.m_vertices)
        vertex.colour = tint;
}

void GUI_Task::Draw()
{
    if (!IsVisible())
        return;
    RefreshAvailability();
    uint32_t background = kUnavailableColour;
    if (m_available)
        background = IsMouseOver() ? kHoveredColour : kIdleColour;
    GD3DDevice::Instance().FillRect(m_inner, background);
    DrawChildren();
    if (GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen())
        picker->QueueIcon(&m_icon);
    else
        m_icon.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised() && fonts.GetCurrentFont())
    {
        const float iconRight = m_icon.m_vertices[1].x;
        fonts.Print(m_displayText, TextColour(), iconRight + 10.0f, static_cast<float>(m_top + 10),
                    static_cast<float>(m_right) - iconRight - 10.0f, 0);
    }
}

void GUI_Task::Update()
{
    if (IsVisible() && IsMouseOver())
    {
        if (m_available)
            GUI_Cursor::Instance().RequestHandCursor();
        if (!m_details)
        {
            m_details = std::make_unique<GUI_TaskDetails>(m_task);
            m_details->AddToWindowManager();
        }
        m_details->ShowAt(static_cast<float>(m_top + m_bottom) / 2.0f);
    }
    GUI_WindowBase::Update();
}

bool GUI_Task::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsVisible() || !IsMouseOver())
        return false;
    GUI_PlacementTools::SetDeleteMode(false);
    if (ClickChildren() || !m_available)
        return true;
    StartPlacing();
    return true;
}

void GUI_Task::StartPlacing()
{
    const Tool tool = ToolFor(*m_task);
    if (tool == Tool::None)
        return;
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    // Whatever the tools held goes without a sound of its own; the select sound stands for it.
    const bool wasMuted = sounds.IsMuted();
    sounds.SetMuted(true);
    GUI_PlacementTools::CancelAll();
    sounds.SetMuted(wasMuted);
    GUI_PlacementTools::StartPlacing(m_task);
    sounds.PlayEffect(GUI_SoundNames::kSelect);
}

void GUI_Task::ToggleExpand()
{
    m_expanded = !m_expanded;
    if (m_expandButton)
    {
        m_expandButton->SetTextures(m_expanded ? kCollapseIcon : kExpandIcon);
    }
    GUI_TaskPicker::RebuildOpen();
}
