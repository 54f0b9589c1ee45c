// Hover boxes and the one-per-frame tooltip queue.
#include "gui/toolkit/widgets/GUI_Tooltip.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GDrawGroup.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

namespace
{
// The tooltips waiting to be drawn this frame, held by the program's owner; a tooltip deleted
// after it leaves a new, empty one.
struct TooltipQueueHolder
{
    std::vector<GUI_Tooltip*> queue; // not owned: each tooltip belongs to its window
};

std::vector<GUI_Tooltip*>& TooltipQueue()
{
    return GLifetime::Get<TooltipQueueHolder>().queue;
}
} // namespace

GUI_Tooltip::GUI_Tooltip(const std::string& text, int delayFrames) : m_delay(delayFrames)
{
    m_lines.push_back(text);
    m_width = 10;
    m_right = 1;
    m_bottom = 1;
}

GUI_Tooltip::~GUI_Tooltip()
{
    auto& queue = TooltipQueue();
    queue.erase(std::remove(queue.begin(), queue.end(), this), queue.end());
}

void GUI_Tooltip::AddLine(const std::string& text)
{
    m_lines.push_back(text);
    m_laidOut = false;
}

void GUI_Tooltip::SetText(const std::string& text)
{
    m_lines.assign(1, text);
    m_laidOut = false;
}

void GUI_Tooltip::SetPosition(float x, float y)
{
    m_anchorX = x;
    m_anchorY = y;
}

void GUI_Tooltip::UpdateHover()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (input && input->GetStillCounter() > m_delay)
        m_alpha = 1.0f;
}

void GUI_Tooltip::Draw()
{
    if (m_alpha > 0.0f)
        TooltipQueue().push_back(this);
}

bool GUI_Tooltip::DrawQueued()
{
    m_drawAlpha = std::min(m_alpha, 1.0f);
    bool drew = false;
    GFontManager& fonts = GFontManager::Instance();
    if (m_drawAlpha > 0.01f && fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        const int screenW = GScreenSize::Width();
        const int screenH = GScreenSize::Height();
        if (!m_laidOut)
        {
            int width = 0;
            float height = 0.0f;
            for (const std::string& line : m_lines)
            {
                width = std::max(width, fonts.GetTextWidth(line) + 6);
                height += fonts.GetWrappedTextHeight(line, static_cast<float>(kMaxWidth));
            }
            m_width = std::min(width, kMaxWidth);
            m_height = static_cast<int>(height);
            if (m_anchorX + static_cast<float>(m_width) > static_cast<float>(screenW))
                m_anchorX = std::max(0.0f, static_cast<float>(screenW - m_width));
            if (m_anchorY + static_cast<float>(m_height) > static_cast<float>(screenH))
                m_anchorY = std::max(0.0f, static_cast<float>(screenH - m_height));
            m_laidOut = true;
            GUI_BaseElement::SetRect(m_anchorX, m_anchorY, m_anchorX + static_cast<float>(m_width),
                                     m_anchorY + static_cast<float>(m_height));
        }
        const CBaseInputManager* input = CBaseInputManager::Active();
        const float mouseX = input ? input->GetMouseX() : 0.0f;
        const float mouseY = input ? input->GetMouseY() : 0.0f;
        const float w = static_cast<float>(m_width);
        const float h = static_cast<float>(m_height);
        float x = mouseX + 30.0f;
        if (mouseX + w > static_cast<float>(screenW) - 40.0f)
            x = mouseX - w;
        float y = mouseY;
        if (mouseY + h > static_cast<float>(screenH))
            y = mouseY - h;
        GUI_BaseElement::SetRect(x, y, x + w, y + h);
        GD3DDevice& device = GD3DDevice::Instance();
        const PRect frame{m_left - 8, m_top - 8, m_right + 8, m_bottom + 8};
        device.FillRect(frame, 0xE640CDDAu);
        device.DrawRectLines(frame, 0xE6FFFFFFu);
        const GDrawGroup group("tooltip", frame);
        float lineY = static_cast<float>(m_top) - 2.0f;
        for (const std::string& line : m_lines)
            lineY = fonts.PrintWrapped(0xFFFFFFFFu, -1, line, static_cast<float>(m_left) + 4.0f, lineY,
                                       static_cast<float>(kMaxWidth));
        drew = true;
    }
    m_alpha = std::max(0.0f, m_alpha - 0.5f);
    return drew;
}

void GUI_Tooltip::DrawQueuedTooltips()
{
    auto& queue = TooltipQueue();
    // The first that draws wins this frame; those after it keep their alpha for the next.
    for (size_t i = 0; i < queue.size(); ++i)
        if (queue[i]->DrawQueued())
            break;
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        fonts.Flush();
    queue.clear();
}

void GUI_Tooltip::ClearQueue()
{
    TooltipQueue().clear();
}

const std::vector<GUI_Tooltip*>& GUI_Tooltip::GetQueue()
{
    return TooltipQueue();
}

void DrawQueuedTooltips()
{
    GUI_Tooltip::DrawQueuedTooltips();
}
