// The top bar of the game screen.
#include "gui/screens/game/GUI_Interface.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "gui/screens/game/GUI_Clock.h"
#include "gui/screens/game/GUI_Finances.h"
#include "gui/screens/game/GUI_InGameMenu.h"
#include "gui/screens/game/GUI_PowerGauge.h"
#include "gui/screens/game/GUI_SpeedControls.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"

namespace
{
const GUI_WindowRegistration kTopBarRegistration{"topbar",
                                                 [] {
                                                     auto bar = std::make_unique<GUI_Interface>();
                                                     bar->Layout();
                                                     return std::unique_ptr<GUI_WindowBase>(std::move(bar));
                                                 },
                                                 false};
} // namespace

GUI_Interface::GUI_Interface()
{
    s_single.Claim(this);
    m_cash = CreateSubWindow<GUI_Finances>();
    m_power = CreateSubWindow<GUI_PowerGauge>();
    m_speed = CreateSubWindow<GUI_SpeedControls>();
    m_clock = CreateSubWindow<GUI_Clock>();
    // The bar stays where it is; a click on it never reaches the factory below.
    SetRaiseOnClick(false);
    SetClampToScreen(false);
}

GUI_Interface::~GUI_Interface()
{
    DeleteMenu();
    s_single.Release(this);
}

void GUI_Interface::Init()
{
    m_menu = std::make_unique<GUI_InGameMenu>();
    m_menu->SetClampToScreen(false);
    m_menu->SetRaiseOnClick(false);
    m_menu->Layout();
    m_menu->AddToWindowManager();
    AddToWindowManager();
    Layout();
    m_cash->UpdateCashText();
    m_power->UpdateText();
    m_speed->SyncSpeedButtons();
}

void GUI_Interface::DeleteMenu()
{
    m_menu.reset();
}

void GUI_Interface::Layout()
{
    // The gauges hang from the right edge of the screen, 5 pixels apart.
    const int width = GScreenSize::Width();
    int x = width - 165;
    m_cash->SetRect(static_cast<float>(x), 0.0f, static_cast<float>(x + 160), kHeight);
    x -= 165;
    m_power->SetRect(static_cast<float>(x), 0.0f, static_cast<float>(x + 160), kHeight);
    x -= 189;
    m_speed->SetRect(static_cast<float>(x), 0.0f, static_cast<float>(x + 184), kHeight);
    x -= 105;
    m_clock->SetRect(static_cast<float>(x), 0.0f, static_cast<float>(x + 100), kHeight);
    SetBounds(static_cast<float>(x), 0.0f, static_cast<float>(width), kHeight);
}

void GUI_Interface::Draw()
{
    if (!IsVisible())
        return;
    const PRect rect{m_left, m_top, m_right, m_bottom};
    GD3DDevice::Instance().FillRect(rect, 0xFFDEDEDEu);
    GD3DDevice::Instance().DrawRectLines(rect, 0xFF1B1B1Bu);
    DrawSubWindows();
}
