// The in-game menu at the top-left corner of the game screen.
#include "gui/screens/game/GUI_InGameMenu.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/screens/cars/GUI_CarStock.h"
#include "gui/screens/efficiency/GUI_EfficiencyDialog.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GamePlacers.h"
#include "gui/screens/options/GUI_OptionsDialog.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/saves/GUI_SaveDialog.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include <cstdio>
#include <limits>
#include <mutex>

namespace
{
struct InGameMenuLook
{
    const char* texture;
    const char* hover;
    const char* tooltip;
};

constexpr InGameMenuLook kInGameMenuLooks[GUI_InGameMenu::BUTTON_COUNT] = {
    {"menu_menu.dds", "menu_menu_h.dds", "MENU_MENU"},
    {"menu_options.dds", "menu_options_h.dds", "MENU_INGAMEOPTIONS"},
    {"menu_save.dds", "menu_save_h.dds", "MENU_SAVE"},
    {"menu_research.dds", "menu_research_h.dds", "MENU_RESEARCH"},
    {"menu_slots.dds", "menu_slots_h.dds", "MENU_SLOTS"},
    {"menu_car.dds", "menu_car_h.dds", "MENU_CAR"},
    {"menu_efficiency.dds", "menu_efficiency_h.dds", "MENU_EFFICIENCY"},
};

const GUI_WindowRegistration kInGameMenuRegistration{"ingamemenu",
                                                     [] {
                                                         auto menu = std::make_unique<GUI_InGameMenu>();
                                                         menu->Layout();
                                                         return std::unique_ptr<GUI_WindowBase>(std::move(menu));
                                                     },
                                                     false};
} // namespace

GUI_InGameMenu::GUI_InGameMenu()
{
    for (int i = 0; i < BUTTON_COUNT; ++i)
    {
        GUI_IconButton* button = CreateChild<GUI_IconButton>(
            kInGameMenuLooks[i].texture, [](intptr_t which) { OnButton(static_cast<int>(which)); }, i);
        button->SetHoverTexture(kInGameMenuLooks[i].hover);
        button->SetTooltipByKey(kInGameMenuLooks[i].tooltip);
        m_buttons[static_cast<size_t>(i)] = button;
    }
    m_bubble.SetTexture("bubble.dds");
    m_bubble.m_width = 30.0f;
    m_bubble.m_height = 30.0f;
    SetBounds(0.0f, 0.0f, 356.0f, 46.0f);
}

void GUI_InGameMenu::Layout()
{
    // The menu keeps the top-left corner whatever moves it.
    SetBounds(0.0f, 0.0f, 356.0f, 46.0f);
    float x = static_cast<float>(m_left) + 4.0f;
    const float y = static_cast<float>(m_top) + 4.0f;
    for (GUI_IconButton* button : m_buttons)
    {
        button->SetRect(x, y, x + 38.0f, y + 38.0f);
        x += 48.0f;
    }
    const GUI_IconButton* car = m_buttons[CAR];
    m_bubbleX = static_cast<float>(car->GetRight());
    m_bubbleY = static_cast<float>(car->GetBottom());
    m_bubble.SetPosition(m_bubbleX, m_bubbleY);
}

long long GUI_InGameMenu::CountCarsInStock()
{
    SIM_SalesManager& sales = SIM_SalesManager::Instance();
    const std::lock_guard<std::mutex> lock(sales.GetStockLock());
    long long total = 0;
    for (const auto& entry : sales.GetStock())
        if (entry && entry->count > 0)
            total += entry->count;
    return std::min<long long>(total, std::numeric_limits<int>::max());
}

std::string GUI_InGameMenu::ResearchTooltip(const std::string& name, float progress, float cost)
{
    const float percent = cost <= 0.0f ? 100.0f : progress / cost * 100.0f;
    char text[512];
    std::snprintf(text, sizeof text, "%s (%.0f%%)", name.c_str(), static_cast<double>(percent));
    return text;
}

void GUI_InGameMenu::Draw()
{
    if (!IsVisible())
        return;
    m_buttons[CAR]->SetEnabled(!SIM_VehicleDesignManager::Instance().GetDesigns().empty());
    const PRect rect{m_left, m_top, m_right, m_bottom};
    GD3DDevice::Instance().FillRect(rect, 0xFFDEDEDEu);
    GD3DDevice::Instance().DrawRectLines(rect, 0xFF1B1B1Bu);
    DrawChildren();
    const long long cars = CountCarsInStock();
    if (cars > 0)
    {
        m_stockText = IntToStringWithCommas(cars);
        m_bubble.Draw();
        GUI_Fonts::SelectSemibold16();
        GFontManager::Instance().Print(m_stockText, 0xFF000000u, m_bubbleX - 50.0f, m_bubbleY - 8.0f, 100.0f, 2);
        GFontManager::Instance().Flush();
    }
    else
    {
        m_stockText.clear();
    }
}

void GUI_InGameMenu::Update()
{
    GUI_IconButton* research = m_buttons[RESEARCH];
    if (research->IsMouseOver())
    {
        if (const SIM_Researchable* item = SIM_ResearchManager::Instance().GetCurrentResearch())
            research->SetTooltip(ResearchTooltip(item->m_guiName, item->m_progress, item->m_cost), 30);
        else
            research->SetTooltipByKey("MENU_RESEARCH");
    }
    GUI_WindowBase::Update();
}

void GUI_InGameMenu::OnButton(int button)
{
    GUI_GamePlacers::Get().CancelAll();
    switch (button)
    {
    case MENU:
        GUI_ConfirmDialog::Open([] { OnConfirmMainMenu(); }, "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT");
        break;
    case OPTIONS:
        // Over the game the options have a close box and hold the game.
        GUI_OptionsDialog::Open(true);
        break;
    case SAVE:
        GUI_SaveDialog::Open();
        break;
    case RESEARCH:
        GUI_ResearchDialog::Show();
        break;
    case SLOTS:
        GUI_TaskPicker::Toggle();
        break;
    case CAR:
        if (GUI_CarStock* stock = GUI_CarStock::GetOpen())
            stock->Close();
        else
            GUI_CarStock::Open();
        break;
    case EFFICIENCY:
        GUI_EfficiencyDialog::Toggle();
        break;
    default:
        break;
    }
}

void GUI_InGameMenu::OnConfirmMainMenu()
{
    GUI_Game::EndGame();
}
