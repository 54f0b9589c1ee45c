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
#include "platform/video/PImageCodec.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "tests/engine/FontTestSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
bool PixelNear(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
    {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance)
            return false;
    }
    return true;
}

} // namespace

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
        SIM_VehicleComponentTypeManager::Instance().Clear();
        SIM_VehicleComponentTypeManager::Instance().Load();
        SIM_VehicleFeatureManager::Instance().Load();
    }
    void TearDown() override
    {
        m_world.Remove();
        m_data.reset();
        SIM_VehicleComponentTypeManager::Instance().Clear();
        SIM_VehicleFeatureManager::Instance().Clear();
        SIM_Game::Instance().SetSpeed(1.0f);
        GLRenderTest::TearDown();
    }

    // A design as the factory would make it from a car with these parts and features.
    SIM_VehicleDesign* ShippedDesign(const std::string& name, const std::vector<const char*>& parts,
                                     const std::vector<const char*>& features, VehicleColor colour)
    {
        std::vector<SIM_VehicleComponentType*> types;
        for (const char* part : parts)
        {
            SIM_VehicleComponentType* type = SIM_VehicleComponentTypeManager::Instance().GetComponentType(part);
            EXPECT_NE(type, nullptr) << part;
            if (type)
                types.push_back(type);
        }
        std::vector<SIM_VehicleFeature*> with;
        for (const char* feature : features)
        {
            SIM_VehicleFeature* found = SIM_VehicleFeatureManager::Instance().GetFeature(feature);
            EXPECT_NE(found, nullptr) << feature;
            if (found)
                with.push_back(found);
        }
        SIM_VehicleDesign* design = m_data->Design(name, 0.0f, with, types, colour);
        design->m_price = SIM_CarExporter::GetDesignValue(design);
        return design;
    }

    void CompareFrame(const std::string& name)
    {
        GD3DDevice::Instance().GetDevice()->Clear(0xFF1B1B1Bu);
        m_world.Frame();
        const PImage picture = ReadBack();
        const std::string path = std::string(FV_TEST_DIR) + "/gui/screens/reference/" + name + ".png";
        if (std::getenv("FV_WRITE_REFERENCES") != nullptr)
        {
            ASSERT_TRUE(PImageCodec::SaveToFile(path, picture, PImageFileFormat::Png)) << path;
            return;
        }
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(PImageCodec::ReadFile(path, bytes)) << path;
        PImage reference;
        ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), reference));
        ASSERT_EQ(reference.Width(), picture.Width());
        ASSERT_EQ(reference.Height(), picture.Height());
        int differing = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (!PixelNear(Pixel(picture, x, y), Pixel(reference, x, y), 24))
                    ++differing;
        // A blinking caret or a rounding of the software rasterizer may differ; a car may not.
        EXPECT_LE(differing, picture.Width() * picture.Height() / 200) << name << ": " << differing << " pixels differ";
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
    SIM_VehicleDesign* runabout = ShippedDesign("Runabout", kRunaboutParts, kRunaboutFeatures, {196, 40, 36, 255});
    SIM_VehicleDesign* tourer = ShippedDesign(
        "Tourer", {"chassis", "axles", "fuel_tank", "engine", "wheels", "body", "seats", "doors", "windscreen"},
        {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine", "feat_fuel_tank", "feat_body", "feat_doors",
         "feat_interior", "feat_windscreen", "feat_primer", "feat_paint"},
        {40, 96, 184, 255});
    tourer->m_price *= 1.25f;
    SIM_VehicleDesign* sport = ShippedDesign(
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
    SIM_VehicleDesign* design =
        ShippedDesign("", {"chassis", "axles", "fuel_tank", "engine", "wheels", "body", "seats", "doors", "windscreen"},
                      {"feat_chassis", "feat_axles", "feat_wheels", "feat_engine", "feat_fuel_tank", "feat_body",
                       "feat_doors", "feat_interior", "feat_windscreen", "feat_primer", "feat_paint"},
                      {40, 128, 72, 255});
    GUI_NewDesign* dialog = GUI_NewDesign::Show(design, nullptr);
    dialog->GetNameEdit()->SetText("Estate GL");
    m_world.input.MoveTo(830, 550);
    CompareFrame("new_design");
}
