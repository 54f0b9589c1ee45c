// The speed buttons of the top bar.
#include "gui/screens/game/GUI_SpeedControls.h"

#include "engine/core/GDebugLog.h"
#include "gui/screens/game/GUI_SpeedButton.h"
#include "sim/SIM_Game.h"

#include <string>

namespace
{
constexpr const char* kSpeedTooltips[4] = {"PAUSE_TOGGLE_TT", "SPEED_1X", "SPEED_2X", "SPEED_4X"};
constexpr float kButtonSpeeds[4] = {0.0f, 1.0f, 2.0f, 4.0f};
} // namespace

GUI_SpeedControls::GUI_SpeedControls()
{
    s_single.Claim(this);
    for (int i = 0; i < 4; ++i)
    {
        GUI_SpeedButton* button =
            CreateChild<GUI_SpeedButton>(i, [](intptr_t index) { OnSpeedButton(static_cast<int>(index)); });
        button->SetTooltipByKey(kSpeedTooltips[i]);
        m_buttons[static_cast<size_t>(i)] = button;
    }
    SyncSpeedButtons();
}

GUI_SpeedControls::~GUI_SpeedControls()
{
    s_single.Release(this);
}

void GUI_SpeedControls::Layout()
{
    const int cell = (m_right - m_left) / 4;
    int x = m_left;
    for (GUI_SpeedButton* button : m_buttons)
    {
        button->SetRect(static_cast<float>(x + 5), static_cast<float>(m_top + 5), static_cast<float>(x + cell),
                        static_cast<float>(m_bottom - 5));
        x += cell;
    }
}

void GUI_SpeedControls::Draw()
{
    if (IsVisible())
        DrawChildren();
}

void GUI_SpeedControls::SyncSpeedButtons()
{
    const float speed = SIM_Game::Instance().GetSpeed();
    bool found = false;
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        // Exact comparison: only the four speeds the game offers light a button.
        const bool match = !found && speed == kButtonSpeeds[i];
        found = found || match;
        m_buttons[i]->SetHighlighted(match);
    }
}

int GUI_SpeedControls::GetHighlighted() const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i]->IsHighlighted())
            return static_cast<int>(i);
    return -1;
}

void GUI_SpeedControls::OnSpeedButton(int index)
{
    if (index == PAUSE)
        SIM_Game::Instance().TogglePause();
    else if (index >= SPEED_1X && index <= SPEED_4X)
        ChooseSpeed(kButtonSpeeds[index]);
    SyncIfOpen();
}

void GUI_SpeedControls::ChooseSpeed(float speed)
{
    GDebugLog::Instance().Log("Game speed: " + std::to_string(static_cast<int>(speed)));
    SIM_Game::Instance().SetSpeed(speed);
    SyncIfOpen();
}

void GUI_SpeedControls::SyncIfOpen()
{
    if (s_single.Get())
        s_single.Get()->SyncSpeedButtons();
}
