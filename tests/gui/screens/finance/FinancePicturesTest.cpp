// The finance dialog drawn by OpenGL on each of its tabs for a factory that has run 30 game hours
// (costs of every kind booked hour by hour, two designs selling from the sixth hour, the cash
// moving with them), compared with stored pictures (tests/gui/screens/finance/reference). With
// FV_WRITE_REFERENCES=1 in the environment the pictures are written instead.
#include "gui/toolkit/ToolkitTestSupport.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/gui/screens/CarScreensTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"
#include "gui/screens/finance/GUI_Fin_ExpPie.h"
#include "gui/screens/finance/GUI_Fin_Expenses.h"
#include "gui/screens/finance/GUI_FinanceDialog.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The fixture stays outside the anonymous namespace: its tests derive from it.
class FinancePictures : public GLRenderTest
{
protected:
    static constexpr int kHoursRun = 30;

    int ViewWidth() const override { return 1040; }
    int ViewHeight() const override { return 600; }
    void SetUp() override
    {
        GLRenderTest::SetUp();
        if (IsSkipped())
            return;
        LoadGameFontsForTest();
        // The curves go through the shared batch, as in the game.
        SharedVertexBatch().Create(8000);
        m_world.Install();
        GScreenSize::Set(ViewWidth(), ViewHeight());
        FreshState::Forget<SIM_VehicleComponentTypeManager>();
        SIM_VehicleComponentTypeManager::Instance().Load();
        SIM_VehicleFeatureManager::Instance().Load();
        SIM_ResourceManager::Instance().Load();
        FreshState::Forget<SIM_FinanceRecord>();
        FreshState::Forget<SalesRecordPool>();
        RunFactory();
    }
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        m_world.Remove();
        FreshState::Forget<SIM_FinanceRecord>();
        FreshState::Forget<SalesRecordPool>();
        m_data.reset();
        FreshState::Forget<SIM_ResourceManager>();
        FreshState::Forget<SIM_VehicleComponentTypeManager>();
        FreshState::Forget<SIM_VehicleFeatureManager>();
        SIM_Game::Instance().SetCurrentHour(0);
        GLRenderTest::TearDown();
    }

    // Thirty hours of a small factory: building in the first hours, then rent, wages, power and
    // materials every hour, a fine and a repair now and then, and cars sold from the sixth hour.
    void RunFactory()
    {
        SIM_VehicleDesign* runabout = m_data->ShippedDesign(
            "Runabout", {"chassis", "axles", "wheels", "engine", "body"},
            {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine", "feat_body"}, {196, 40, 36, 255});
        SIM_VehicleDesign* tourer = m_data->ShippedDesign(
            "Tourer", {"chassis", "axles", "fuel_tank", "engine", "wheels", "body", "seats", "doors", "windscreen"},
            {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine", "feat_fuel_tank", "feat_body", "feat_doors",
             "feat_interior", "feat_windscreen"},
            {40, 96, 184, 255});
        m_data->ShippedDesign("Sport", {"chassis", "axles", "engine", "wheels", "body"},
                              {"feat_chassis", "feat_axles", "feat_engine", "feat_body"}, {236, 196, 40, 255});
        runabout->m_price = 9000.0f;
        tourer->m_price = 16500.0f;
        SIM_Game& game = SIM_Game::Instance();
        SIM_FinanceManager& money = SIM_FinanceManager::Instance();
        game.SetCurrentHour(0);
        money.StartGameWithCash(150000.0f);
        for (int hour = 0; hour < kHoursRun; ++hour)
        {
            game.SetCurrentHour(hour);
            if (hour < 4)
                money.Pay(12000.0f - 2500.0f * static_cast<float>(hour), FC_CAPITAL_INVESTMENT);
            money.Pay(1200.0f, FC_RENT);
            money.Pay(1800.0f + 40.0f * static_cast<float>(hour), FC_WAGES);
            money.Pay(600.0f + 25.0f * static_cast<float>(hour % 7), FC_POWER_PURCHASE);
            money.Pay(900.0f + 150.0f * static_cast<float>(hour % 5), FC_RAW_MATERIALS);
            if (hour % 3 == 1)
                money.Pay(1500.0f, FC_COMPONENT_PURCHASE);
            if (hour % 8 == 5)
                money.Pay(2000.0f, FC_MARKETING);
            if (hour == 17)
                money.Pay(750.0f, FC_FINES);
            if (hour % 10 == 9)
                money.Pay(400.0f, FC_REPAIRS);
            const int runabouts = hour < 6 ? 0 : 1 + hour % 2;
            const int tourers = hour < 12 ? 0 : hour % 3 == 0 ? 1 : 0;
            for (int i = 0; i < runabouts; ++i)
                Sell(runabout);
            for (int i = 0; i < tourers; ++i)
                Sell(tourer);
            money.ProcessHour();
        }
        // The market moved over the day: the first resource's prices rose and fell.
        SIM_Resource& first = *SIM_ResourceManager::Instance().GetResources().front();
        for (int i = 0; i < SIM_Resource::NUM_PRICES; ++i)
            first.m_prices[i] = first.m_basePrice * (1.0f + 0.12f * std::sin(0.45f * static_cast<float>(i)) -
                                                     0.004f * static_cast<float>(i));
        game.SetCurrentHour(kHoursRun);
        // The first costs of the new hour.
        money.Pay(1200.0f, FC_RENT);
        money.Pay(3000.0f, FC_WAGES);
    }
    static void Sell(SIM_VehicleDesign* design)
    {
        SIM_FinanceManager::Instance().Receive(design->m_price, FC_CAR_SALES);
        SalesRecordPool::Instance().AddSale(design, design->m_price);
    }

    void CompareTab(int tab, const std::string& name)
    {
        GUI_FinanceDialog::OnTabButton(tab);
        // Away from every row and slice, so no hover or tooltip shows.
        m_world.input.MoveTo(2.0f, 2.0f);
        GD3DDevice::Instance().GetDevice()->Clear(0xFF1B1B1Bu);
        m_world.Frame();
        CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/screens/finance/reference/" + name + ".png");
    }

    ToolkitTestWorld m_world;
    std::unique_ptr<CarTestData> m_data = std::make_unique<CarTestData>();
};

TEST_F(FinancePictures, EveryTabOfAFactoryThatRanThirtyHours)
{
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    // The pies drawn whole, not halfway through growing in.
    for (int k = 0; k < GUI_Fin_ExpPie::kPeriods; ++k)
        dialog->GetExpenses()->GetPie()->GetPie(k)->SetGrowEnabled(false);
    CompareTab(GUI_FinanceDialog::TAB_SUMMARY, "finance_summary");
    CompareTab(GUI_FinanceDialog::TAB_INCOME, "finance_income");
    dialog->GetExpenses()->GetPie()->SelectPeriod(1);
    CompareTab(GUI_FinanceDialog::TAB_EXPENSES, "finance_expenses");
    CompareTab(GUI_FinanceDialog::TAB_PRICES, "finance_prices");
}
