// The upgrade picker on a running game: the captions of its rows as research and installed
// upgrades change them, where it stands beside the slot's dialog, that it goes with the dialog
// or the slot, a purchase with too little cash, which still buys, books the price and ends the
// game once, and a power plant's upgrade bought from the plant's own dialog.
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/dialogs/GUI_SlotUpgrades.h"
#include "gui/factory/objects/GUI_ResourceGraph.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/screens/facilities/GUI_FacilityAnchor.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/upgrades/GUI_UpgradePicker.h"
#include "gui/screens/upgrades/GUI_UpgradePickerSlot.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PowerManager.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Tile.h"

#include "engine/core/GTextTable.h"

#include <gtest/gtest.h>

namespace
{
class UpgradePicker : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        GScreenSize::Set(1280, 768);
        GUI_Sounds::Instance().SetMuted(true);
        SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
        GUI_UpgradePicker::ConnectSlotDialog();
        ASSERT_TRUE(m_world.StartGame("view_hall"));
        m_station = m_world.Place("task_make_engine", 3, 4);
        ASSERT_NE(m_station, nullptr);
        m_tools = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast_tools");
        m_motors = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_efficient_motors");
        ASSERT_NE(m_tools, nullptr);
        ASSERT_NE(m_motors, nullptr);
        ASSERT_NE(m_tools->m_research, nullptr);
        ASSERT_NE(m_motors->m_research, nullptr);
    }
    void TearDown() override
    {
        GUI_Game::Instance().Exit();
        GUI_WindowManager::Instance().CloseAll();
        for (SIM_SlotUpgrade* upgrade :
             {m_tools, m_motors, SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_turbine_tuning")})
            if (upgrade && upgrade->m_research)
                upgrade->m_research->m_progress = 0.0f;
        GUI_SlotUpgrades::UpgradePickerOpener() = nullptr;
        GUI_SlotUpgrades::UpgradePickerCloser() = nullptr;
        GUI_Sounds::Instance().SetMuted(false);
        FactoryViewTest::TearDown();
    }
    GUI_SlotTooltip* ShowDialog()
    {
        return GUI_SlotTooltip::Show(*dynamic_cast<GUI_ProductionSlot*>(m_station->GetGuiSlot()));
    }
    // A left click where the player points: the open windows first, then the floor.
    void ClickAt(float x, float y)
    {
        m_world.input.MoveTo(x, y);
        GUI_WindowManager::Instance().Update();
        m_world.Frame();
        if (!GUI_WindowManager::Instance().OnClick())
            GUI_Game::Instance().OnLeftDown();
        GUI_WindowManager::Instance().Update();
    }
    void ClickOn(const GUI_BaseElement& element)
    {
        ClickAt(static_cast<float>(element.GetLeft() + element.GetRight()) * 0.5f,
                static_cast<float>(element.GetTop() + element.GetBottom()) * 0.5f);
    }
    static GUI_UpgradePickerSlot& Row(int index)
    {
        return *dynamic_cast<GUI_UpgradePickerSlot*>(
            GUI_UpgradePicker::GetOpen()->GetRows()[static_cast<size_t>(index)].get());
    }

    SIM_ProductionSlot* m_station = nullptr;
    SIM_SlotUpgrade* m_tools = nullptr;
    SIM_SlotUpgrade* m_motors = nullptr;
};
} // namespace

TEST_F(UpgradePicker, RowsReadBuyInstalledOrUnresearchedAndOnlyBuyableRowsCanBeClicked)
{
    struct Case
    {
        const char* what;
        bool researched;
        bool installed;
        const char* caption;
        bool enabled;
        bool locked;
    };
    const Case cases[] = {
        {"not researched", false, false, "UNRESEARCHED", false, true},
        {"researched", true, false, "UPGRADE_PICKER_BUY", true, false},
        {"installed", true, true, "UPGRADE_PICKER_INSTALLED", false, false},
        {"installed, research undone", false, true, "UNRESEARCHED", false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_tools->m_research->m_progress = c.researched ? m_tools->m_research->m_cost : 0.0f;
        m_station->GetUpgrades().clear();
        if (c.installed)
            m_station->GetUpgrades().push_back(m_tools);
        GUI_UpgradePicker::Open(m_station);
        ASSERT_EQ(GUI_UpgradePicker::GetOpen()->GetRows().size(), 2u);
        GUI_UpgradePickerSlot& row = Row(0);
        EXPECT_EQ(row.GetUpgrade(), m_tools);
        EXPECT_EQ(row.GetName(), m_tools->GetGuiName());
        EXPECT_EQ(row.GetCost(), SIM_FinanceManager::FormatMoney(m_tools->m_cost));
        EXPECT_EQ(row.GetBuyButton()->GetCaption(), GTextTable::GetText(c.caption));
        EXPECT_EQ(row.GetBuyButton()->IsEnabled(), c.enabled);
        EXPECT_EQ(row.IsLocked(), c.locked);
        EXPECT_EQ(row.GetTextColour(), c.locked ? 0x5A000000u : 0xFF000000u);
        EXPECT_EQ(row.GetBackgroundColour(), c.locked ? 0x5ABEBEBEu : 0xFFBEBEBEu);
        EXPECT_FALSE(row.GetTooltip()->GetLines().empty());
        EXPECT_EQ(Row(1).GetUpgrade(), m_motors);
        EXPECT_EQ(Row(1).IsLocked(), !m_motors->m_research->IsComplete());
        // Rows of 48 pixels from the client area's top, clear of the scroll bar.
        const PRect client = GUI_UpgradePicker::GetOpen()->GetClientRect();
        EXPECT_EQ(row.GetTop(), client.top);
        EXPECT_EQ(row.GetHeight(), GUI_UpgradePicker::kRowHeight);
        EXPECT_EQ(row.GetBuyButton()->GetRight(), row.GetInnerRect().right - 2);
        // A click on a disabled button buys nothing.
        const size_t installed = m_station->GetUpgrades().size();
        m_world.input.MoveTo(static_cast<float>(row.GetBuyButton()->GetLeft() + 5),
                             static_cast<float>(row.GetBuyButton()->GetTop() + 5));
        GUI_WindowManager::Instance().Update();
        if (!c.enabled)
        {
            GUI_WindowManager::Instance().OnClick();
            EXPECT_EQ(m_station->GetUpgrades().size(), installed);
            EXPECT_NE(GUI_UpgradePicker::GetOpen(), nullptr);
        }
        GUI_WindowManager::Instance().Draw();
    }
}

TEST_F(UpgradePicker, StandsBesideTheSlotDialogOnTheSideWithMoreRoomAndNeverAboveTheTopStrip)
{
    GUI_SlotTooltip* dialog = ShowDialog();
    struct Case
    {
        float left, top, width, height;
        int pickerLeft, pickerTop;
    };
    const Case cases[] = {
        // Right half: to the left of the dialog, level with its middle.
        {700.0f, 200.0f, 550.0f, 400.0f, 700 - 600 - 20, 200},
        // Left half: to its right.
        {20.0f, 150.0f, 550.0f, 500.0f, 570 + 20, 200},
        // Centre exactly on the screen's centre counts as the right half.
        {365.0f, 200.0f, 550.0f, 400.0f, 365 - 620, 200},
        // Near the top: the picker would start above the screen; it stays under the top strip.
        {700.0f, 32.0f, 550.0f, 100.0f, 80, 32},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.left);
        dialog->SetRect(c.left, c.top, c.left + c.width, c.top + c.height);
        GUI_UpgradePicker* picker = GUI_UpgradePicker::Open(m_station);
        EXPECT_EQ(picker->GetLeft(), std::max(0, c.pickerLeft));
        EXPECT_EQ(picker->GetTop(), c.pickerTop);
        EXPECT_EQ(picker->GetWidth(), 600);
        EXPECT_EQ(picker->GetHeight(), 400);
        EXPECT_FALSE(picker->IsModal());
    }
    // With no dialog open it is centred on the screen.
    GUI_WindowManager::Instance().CloseAll();
    GUI_UpgradePicker* picker = GUI_UpgradePicker::Open(m_station);
    EXPECT_EQ(picker->GetLeft(), 340);
    EXPECT_EQ(picker->GetTop(), 184);
}

TEST_F(UpgradePicker, ThePickerGoesWithTheSlotDialogAndWithTheSlot)
{
    m_tools->m_research->m_progress = m_tools->m_research->m_cost;
    // Opened from the dialog's upgrades panel.
    GUI_SlotTooltip* dialog = ShowDialog();
    ASSERT_TRUE(dialog->GetUpgrades()->IsVisible());
    dialog->GetUpgrades()->OnChooseUpgrades();
    ASSERT_NE(GUI_UpgradePicker::GetOpen(), nullptr);
    EXPECT_EQ(GUI_UpgradePicker::GetOpen()->GetSlot(), m_station);
    // A second choice replaces the first picker.
    dialog->GetUpgrades()->OnChooseUpgrades();
    GUI_WindowManager::Instance().Update();
    int pickers = 0;
    for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
        pickers += dynamic_cast<GUI_UpgradePicker*>(window) != nullptr ? 1 : 0;
    EXPECT_EQ(pickers, 1);

    dialog->Close();
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);

    // Open without its dialog, it still goes when the delete tool takes the slot.
    GUI_UpgradePicker::Open(m_station);
    SIM_Placement::RemoveSlot(m_station, true, true);
    m_station = nullptr;
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);
    GUI_WindowManager::Instance().Update();
    GUI_WindowManager::Instance().Draw();
}

TEST_F(UpgradePicker, BuyingWithTooLittleCashBuysBooksThePriceAndEndsTheGameOnce)
{
    m_tools->m_research->m_progress = m_tools->m_research->m_cost;
    m_motors->m_research->m_progress = m_motors->m_research->m_cost;
    SIM_FinanceManager& money = SIM_FinanceManager::Instance();
    money.StartGameWithCash(10.0f);
    ASSERT_LT(10.0f, m_tools->m_cost);
    const float booked = SIM_FinanceRecord::Instance().GetTotal(1, FC_CAPITAL_INVESTMENT);
    GUI_SlotTooltip* dialog = ShowDialog();
    GUI_UpgradePicker::Open(m_station);

    // Bought with a click on the row's button.
    const GUI_ButtonText& buy = *Row(0).GetBuyButton();
    m_world.input.MoveTo(static_cast<float>(buy.GetLeft() + 5), static_cast<float>(buy.GetTop() + 5));
    GUI_WindowManager::Instance().Update();
    EXPECT_TRUE(GUI_WindowManager::Instance().OnClick());
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(m_station->GetUpgrades(), (std::vector<SIM_SlotUpgrade*>{m_tools}));
    EXPECT_FLOAT_EQ(money.GetCash(), 10.0f - m_tools->m_cost);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(1, FC_CAPITAL_INVESTMENT), booked + m_tools->m_cost);
    EXPECT_TRUE(money.IsGameOver());
    GUI_GameOver* over = GUI_GameOver::GetOpen();
    ASSERT_NE(over, nullptr);
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);
    // The slot dialog shows the new upgrade at once.
    EXPECT_EQ(dialog->GetUpgrades()->GetRows().size(), 1u);
    GUI_WindowManager::Instance().Update();

    // A second purchase while the game is lost is paid and booked but does not end it again.
    over->Close();
    GUI_WindowManager::Instance().Update();
    ASSERT_EQ(GUI_GameOver::GetOpen(), nullptr);
    GUI_UpgradePicker::Open(m_station);
    ASSERT_EQ(Row(1).GetUpgrade(), m_motors);
    GUI_UpgradePicker::Buy(&Row(1));
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(m_station->GetUpgrades().size(), 2u);
    EXPECT_FLOAT_EQ(money.GetCash(), 10.0f - m_tools->m_cost - m_motors->m_cost);
    EXPECT_EQ(GUI_GameOver::GetOpen(), nullptr);
    // A click on a closed picker's row buys nothing more.
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);
}

TEST_F(UpgradePicker, InAPlayedGameASlotClickedOpensItsDialogWhichWatchesItAndOpensThePicker)
{
    m_tools->m_research->m_progress = m_tools->m_research->m_cost;
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    FactoryWorld::LookAt(m_station->GetTile(), 1.0f);
    m_world.Frame();
    m_world.input.MoveTo(640.0f, 384.0f);
    m_world.Frame();
    game.OnLeftDown();
    GUI_SlotTooltip* dialog = GUI_SlotTooltip::GetOpen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetSlot(), m_station);
    EXPECT_TRUE(GUI_ResourceGraph::Instance().IsActive());
    EXPECT_EQ(GUI_ResourceGraph::Instance().GetStockpile(), m_station->GetInputStockpile());
    dialog->GetUpgrades()->OnChooseUpgrades();
    ASSERT_NE(GUI_UpgradePicker::GetOpen(), nullptr);

    // Leaving the game closes both and forgets the watched slot.
    game.Exit();
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);
    EXPECT_EQ(GUI_SlotTooltip::GetOpen(), nullptr);
    EXPECT_FALSE(GUI_ResourceGraph::Instance().IsActive());
    EXPECT_EQ(GUI_ResourceGraph::Instance().GetStockpile(), nullptr);
}

TEST_F(UpgradePicker, APowerPlantClickedInAPlayedGameSellsItsResearchedUpgradeAndItsPickerGoesWithIt)
{
    SIM_SlotUpgrade* turbine = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_turbine_tuning");
    ASSERT_NE(turbine, nullptr);
    ASSERT_NE(turbine->m_research, nullptr);
    EXPECT_EQ(turbine->m_research, SIM_ResearchManager::Instance().GetResearchable("research_turbines"));
    turbine->m_research->m_progress = turbine->m_research->m_cost;
    auto* plant = dynamic_cast<SIM_PowerplantSlot*>(m_world.PlaceFacility("fac_power_plant", 8, 4));
    ASSERT_NE(plant, nullptr);
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    const size_t gameWindows = GUI_WindowManager::Instance().GetWindows().size();
    FactoryWorld::LookAt(plant->GetTile(), 1.0f);
    ClickAt(640.0f, 384.0f);

    // The plant's dialog holds its upgrades panel: the title, no rows yet and the button.
    GUI_FacilityDialog* dialog = GUI_FacilityDialog::GetOpen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetFacility().GetSlot(), plant);
    auto* panel = dynamic_cast<GUI_SlotUpgrades*>(dialog->GetUpgradesPanel());
    ASSERT_NE(panel, nullptr) << "the facility dialog shows no upgrades panel";
    EXPECT_EQ(dialog->GetHeight(), 92);
    EXPECT_TRUE(panel->GetRows().empty());
    EXPECT_EQ(panel->GetTop(), dialog->GetClientRect().top);
    EXPECT_EQ(panel->GetBottom(), dialog->GetClientRect().top + 30);
    EXPECT_EQ(panel->GetChooseButton()->GetRight(), panel->GetInnerRect().right - 2);
    GUI_WindowManager::Instance().Draw();

    // Its button opens the picker for the plant, where Turbine Tuning is for sale.
    ClickOn(*panel->GetChooseButton());
    GUI_UpgradePicker* picker = GUI_UpgradePicker::GetOpen();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->GetSlot(), plant);
    ASSERT_EQ(picker->GetRows().size(), 1u);
    ASSERT_EQ(Row(0).GetUpgrade(), turbine);
    ASSERT_TRUE(Row(0).GetBuyButton()->IsEnabled());

    // Bought: paid and booked as an investment, and the plant gives 30 per cent more power.
    SIM_FinanceManager& money = SIM_FinanceManager::Instance();
    const float cash = money.GetCash();
    const float booked = SIM_FinanceRecord::Instance().GetTotal(1, FC_CAPITAL_INVESTMENT);
    SIM_PowerManager::Instance().Process(0.0f, SIM_Game::Instance().GetFactory());
    const float power = SIM_PowerManager::Instance().GetProduction();
    ClickOn(*Row(0).GetBuyButton());
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);
    EXPECT_EQ(plant->GetUpgrades(), (std::vector<SIM_SlotUpgrade*>{turbine}));
    EXPECT_FLOAT_EQ(money.GetCash(), cash - turbine->m_cost);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(1, FC_CAPITAL_INVESTMENT), booked + turbine->m_cost);
    SIM_PowerManager::Instance().Process(0.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(SIM_PowerManager::Instance().GetProduction(), power + 0.3f * plant->GetPowerOutput());
    // The dialog lists it at once, one row taller.
    ASSERT_EQ(GUI_FacilityDialog::GetOpen(), dialog);
    EXPECT_EQ(dialog->GetHeight(), 92 + 16);
    EXPECT_EQ(panel->GetRows().size(), 1u);
    GUI_WindowManager::Instance().Draw();

    // Installed: the picker offers it no more.
    ClickOn(*panel->GetChooseButton());
    ASSERT_NE(GUI_UpgradePicker::GetOpen(), nullptr);
    EXPECT_FALSE(Row(0).GetBuyButton()->IsEnabled());

    // Closing the dialog takes the picker with it.
    dialog->Close();
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);

    // Bulldozed with the picker open: dialog and picker go, and nothing draws the plant after.
    FactoryWorld::LookAt(plant->GetTile(), 1.0f);
    ClickAt(640.0f, 384.0f);
    ASSERT_NE(GUI_FacilityDialog::GetOpen(), nullptr);
    ClickOn(*dynamic_cast<GUI_SlotUpgrades*>(GUI_FacilityDialog::GetOpen()->GetUpgradesPanel())->GetChooseButton());
    ASSERT_NE(GUI_UpgradePicker::GetOpen(), nullptr);
    // The plant away from the picker in the middle of the screen, under the mouse.
    GUI_Camera::Instance().SetPosition(plant->GetTile()->m_worldX + 490.0f, plant->GetTile()->m_worldY - 266.0f);
    m_world.input.MoveTo(150.0f, 650.0f);
    GUI_WindowManager::Instance().Update();
    m_world.Frame();
    ASSERT_FALSE(GUI_WindowManager::Instance().OnRightClick());
    game.OnRightDown();
    EXPECT_EQ(GUI_UpgradePicker::GetOpen(), nullptr);
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_FacilityDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().size(), gameWindows) << "only the game's own bars";
    m_world.Frame();
    GUI_WindowManager::Instance().Draw();
}
