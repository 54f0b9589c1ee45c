// Button behaviour shared by every look.
#include "gui/toolkit/widgets/GUI_ButtonBase.h"

#include "engine/CBaseInputManager.h"
#include "engine/GGameServices.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"

GUI_ButtonBase::GUI_ButtonBase(GUI_Callback callback, intptr_t argument)
    : m_callback(std::move(callback)), m_argument(argument)
{
}

GUI_ButtonBase::~GUI_ButtonBase() = default;

bool GUI_ButtonBase::OnClick(float x, float y)
{
    if (!IsInside(x, y))
        return false;
    Click();
    return true;
}

void GUI_ButtonBase::Click()
{
    if (!m_enabled || !m_callback)
        return;
    // Effects volume, master volume and the mute flag are the sound manager's to apply.
    if (!m_silent)
        GGameServices::Get().PlaySound(kClickSound);
    // The callback may close this button's window: nothing here is touched after it.
    m_callback(m_argument);
}

bool GUI_ButtonBase::IsMouseOver() const
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input)
        return false;
    const int x = static_cast<int>(input->GetMouseX());
    const int y = static_cast<int>(input->GetMouseY());
    return x >= m_left && x < m_right && y >= m_top && y < m_bottom;
}

void GUI_ButtonBase::Update()
{
    if (!m_visible)
        return;
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (input && !input->IsMouseTaken() && IsMouseOver())
    {
        if (m_enabled)
        {
            m_hovered = 1;
            GUI_Cursor::Instance().RequestHandCursor();
        }
        if (m_tooltip)
            m_tooltip->UpdateHover();
    }
    else
    {
        m_hovered = 0;
    }
}

void GUI_ButtonBase::DrawTooltipAndResetHover()
{
    if (m_tooltip)
        m_tooltip->Draw();
    if (m_hovered == 1 && !IsMouseOver())
        m_hovered = 0;
}

void GUI_ButtonBase::Draw()
{
    DrawTooltipAndResetHover();
}

void GUI_ButtonBase::SetRect(float left, float top, float right, float bottom)
{
    GUI_BaseElement::SetRect(left, top, right, bottom);
    if (m_tooltip)
        m_tooltip->SetPosition((left + right) / 2.0f - static_cast<float>(m_tooltip->GetWidth()) / 2.0f, bottom);
}

void GUI_ButtonBase::SetTooltip(const std::string& text, int delayFrames)
{
    m_tooltip = std::make_unique<GUI_Tooltip>(text, delayFrames);
}

void GUI_ButtonBase::SetTooltipByKey(const std::string& key)
{
    SetTooltip(GTextTable::GetText(key), kTooltipDelay);
}
