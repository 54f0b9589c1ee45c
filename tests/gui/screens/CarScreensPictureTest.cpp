// The car stock and the new-design dialog over the shipped car parts and features, drawn by
// OpenGL and compared with stored pictures (tests/gui/screens/reference). With
// FV_WRITE_REFERENCES=1 in the environment the pictures are written instead.
#include "CarScreensTestSupport.h"
#include "gui/toolkit/ToolkitTestSupport.h"

#include "engine/GD3DDevice.h"
#include "gui/screens/cars/GUI_CarStock.h"
#include "gui/screens/cars/GUI_NewDesign.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/support/FreshState.h"

#include <string>
#include <vector>

// The fixture stays outside the anonymous namespace: its tests derive from it.
class CarScreensPicture : public GLRenderTest
{
protected:
    int ViewWidth() const override { return 840; }
    int ViewHeight() const override { return 560; }
    void SetUp() override
    {
        GLRenderTest::SetUp();
        if (IsSkipped())
            return;
        LoadGameFontsForTest();
        m_world.Install();
        FreshState::Forget<SIM_VehicleComponentTypeManager>();
        SIM_VehicleComponentTypeManager::Instance().Load();
        SIM_VehicleFeatureManager::Instance().Load();
    }
    void TearDown() override
    {
        m_world.Remove();
        m_data.reset();
        FreshState::Forget<SIM_VehicleComponentTypeManager>();
        FreshState::Forget<SIM_VehicleFeatureManager>();
        SIM_Game::Instance().SetSpeed(1.0f);
        GLRenderTest::TearDown();
    }

    void CompareFrame(const std::string& name)
    {
        GD3DDevice::Instance().GetDevice()->Clear(0xFF1B1B1Bu);
        m_world.Frame();
        // A blinking caret or a rounding of the software rasterizer may differ; a car may not.
        CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/screens/reference/" + name + ".png");
    }

    ToolkitTestWorld m_world;
    std::unique_ptr<CarTestData> m_data = std::make_unique<CarTestData>();
};

namespace
{

const std::vector<const char*> kRunaboutParts = {"chassis", "axles", "wheels", "engine", "body"};
const std::vector<const char*> kRunaboutFeatures = {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine",
                                                    "feat_body"};
} // namespace

TEST_F(CarScreensPicture, StockOfTheShippedDesigns)
{
    SIM_VehicleDesign* runabout =
        m_data->ShippedDesign("Runabout", kRunaboutParts, kRunaboutFeatures, {196, 40, 36, 255});
    SIM_VehicleDesign* tourer = m_data->ShippedDesign(
        "Tourer", {"chassis", "axles", "fuel_tank", "engine", "wheels", "body", "seats", "doors", "windscreen"},
        {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine", "feat_fuel_tank", "feat_body", "feat_doors",
         "feat_interior", "feat_windscreen", "feat_primer", "feat_paint"},
        {40, 96, 184, 255});
    tourer->m_price *= 1.25f;
    SIM_VehicleDesign* sport = m_data->ShippedDesign(
        "Sport", {"chassis", "axles", "engine", "wheels", "body", "seats", "doors", "windscreen", "spoiler", "sunroof"},
        {"feat_chassis", "feat_axles", "feat_alloy_wheels", "feat_engine", "feat_body", "feat_doors",
         "feat_leather_seats", "feat_windscreen", "feat_spoiler", "feat_sunroof", "feat_paint"},
        {236, 196, 40, 255});
    sport->m_price *= 0.8f;
    SIM_SalesManager::Instance().AddToStock(tourer, 4);
    SIM_SalesManager::Instance().AddToStock(sport, 12);
    (void)runabout;
    GUI_CarStock* stock = GUI_CarStock::Open();
    ASSERT_EQ(stock->GetRows().size(), 3u);
    m_world.input.MoveTo(830, 550);
    CompareFrame("car_stock");
}

TEST_F(CarScreensPicture, NewDesignOfAShippedCar)
{
    SIM_VehicleDesign* design = m_data->ShippedDesign(
        "", {"chassis", "axles", "fuel_tank", "engine", "wheels", "body", "seats", "doors", "windscreen"},
        {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine", "feat_fuel_tank", "feat_body", "feat_doors",
         "feat_interior", "feat_windscreen", "feat_primer", "feat_paint"},
        {40, 128, 72, 255});
    GUI_NewDesign* dialog = GUI_NewDesign::Show(design, nullptr);
    dialog->GetNameEdit()->SetText("Estate GL");
    m_world.input.MoveTo(830, 550);
    CompareFrame("new_design");
}
