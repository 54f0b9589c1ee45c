// The build menu's card of a task.
#include "gui/screens/build/GUI_TaskDetails.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"

#include <cmath>
#include <cstdio>

namespace
{
constexpr int kLineHeight = 16;
constexpr float kValueWidth = 290.0f;

std::string Format(const char* format, double value)
{
    char buffer[64];
    (void)std::snprintf(buffer, sizeof(buffer), format, value);
    return buffer;
}
} // namespace

std::string GUI_TaskDetails::MoneyText(float cost)
{
    // Whole dollars: the fraction is dropped, and a value past the range is held at its edge.
    const double whole = std::trunc(static_cast<double>(cost));
    long long dollars = 0;
    if (std::isfinite(whole))
        dollars = whole >= 9.0e18    ? 9000000000000000000LL
                  : whole <= -9.0e18 ? -9000000000000000000LL
                                     : static_cast<long long>(whole);
    // Appended rather than "$" + text: gcc 12 takes the literal-plus-string form for an overlapping copy.
    std::string text = "$";
    text += IntToStringWithCommas(dollars);
    return text;
}

GUI_TaskDetails::GUI_TaskDetails(const SIM_BaseTask* task)
{
    // A standalone production task shares the facilities' kind but is a production task: it is
    // asked what it is, never assumed to be a facility.
    m_facility = dynamic_cast<const SIM_FacilityTask*>(task);
    if (!m_facility)
        m_production = dynamic_cast<const SIM_ProductionTask*>(task);
    SetTakesMouse(false);
    SetConsumesClicks(false);
    SetRaiseOnClick(false);
    SetVisible(false);
    m_costLabel = GTextTable::GetText("TASK_COST");
    m_timeLabel = GTextTable::GetText("TASK_TIME");
    m_staffLabel = GTextTable::GetText("TASK_EMPLOY");
    m_powerLabel = GTextTable::GetText("TASK_POWER");
    if (!task)
        return;
    m_costValue = MoneyText(task->m_constructionCost);
    if (m_production)
        m_timeValue = Format("%.2f s", static_cast<double>(m_production->m_processTime) / 1000.0);
    m_staffValue = std::to_string(task->m_staff.size());
    m_powerValue = Format("%.2f", static_cast<double>(task->m_powerDemand));
    m_icon.m_width = kIconSide;
    m_icon.m_height = kIconSide;
    (void)ApplyAtlasToSprite(m_icon, task->m_icon);
    m_name = task->m_guiName;
}

GUI_TaskDetails::~GUI_TaskDetails() = default;

int GUI_TaskDetails::DetailsHeight() const
{
    const int extra = m_production ? kLineHeight * static_cast<int>(m_production->m_subTasksApplied.size()) : 0;
    return kIconSide + 20 + 64 + 10 + extra;
}

void GUI_TaskDetails::ShowAt(float centreY)
{
    SetVisible(true);
    const GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen();
    const float left = static_cast<float>((picker ? picker->GetRight() : 0) + 30);
    const float height = static_cast<float>(DetailsHeight());
    const float top = centreY - height / 2.0f;
    SetRect(left, top, left + kWidth, top + height);
    ClampToScreen();
    const float half = static_cast<float>(kIconSide) / 2.0f;
    m_icon.SetPosition(static_cast<float>(m_left + 10) + half, static_cast<float>(m_top) + half);
}

void GUI_TaskDetails::Draw()
{
    if (!IsVisible())
        return;
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect rect{m_left, m_top, m_right, m_bottom};
    device.DrawFrame(rect, kFrameColour, 4.0f);
    const GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen();
    const int middle = (m_top + m_bottom) / 2;
    if (picker)
        device.FillRect(PRect{picker->GetRight(), middle - 2, m_left, middle + 2}, kFrameColour);
    device.FillRect(rect, kBodyColour);
    m_icon.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        const float iconRight = m_icon.m_vertices[1].x;
        GUI_Fonts::SelectExtraBold36();
        if (fonts.GetCurrentFont())
        {
            // Measured in the face it is drawn in: a long name shrinks (or, longer still, ends in
            // dots) rather than crossing the frame, and stands centred beside the icon.
            std::string name = m_name;
            const float room = static_cast<float>(m_right - kNameMargin) - iconRight - 10.0f;
            fonts.SetTextSize(GUI_Fonts::FitToWidth(name, room, kSmallestName));
            fonts.Print(name, 0xFF000000u, iconRight + 10.0f,
                        fonts.LineYIn(static_cast<float>(m_top), static_cast<float>(kIconSide)), 0.0f, 0);
            fonts.Flush();
        }
        float y = m_icon.m_vertices[2].y + 10.0f;
        const float x0 = static_cast<float>(m_left + 10);
        GUI_Fonts::SelectSemibold16();
        auto row = [&](const std::string& label, const std::string& value) {
            if (fonts.GetCurrentFont())
            {
                fonts.Print(label, 0xFF000000u, x0, y, kValueWidth, 0);
                fonts.Print(value, 0xFF000000u, x0, y, kValueWidth, 1);
            }
            y += kLineHeight;
        };
        row(m_costLabel, m_costValue);
        if (m_production)
            row(m_timeLabel, m_timeValue);
        row(m_staffLabel, m_staffValue);
        row(m_powerLabel, m_powerValue);
        y += 10.0f;
        DrawSubWindows();
        if (m_production && fonts.GetCurrentFont())
            for (const std::string& applied : m_production->m_subTasksApplied)
                if (const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(applied))
                {
                    fonts.Print(task->m_guiName, 0xFF000000u, x0, y, static_cast<float>(m_right) - x0, 0);
                    y += kLineHeight;
                }
        fonts.Flush();
    }
    // Shown again only if the row asks before the next draw.
    SetVisible(false);
}
