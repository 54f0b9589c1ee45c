// The car screens against the simulation's own objects: the design picture's geometry, the price
// texts, the car stock's size, filter and rebuilds, the ways the new-design dialog ends, the
// details windows of cars and the notices over stuck cars.
#include "CarScreensTestSupport.h"
#include "gui/toolkit/ToolkitTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/screens/cars/DesignPriceText.h"
#include "gui/screens/cars/GUI_CarScreens.h"
#include "gui/screens/cars/GUI_CarStock.h"
#include "gui/screens/cars/GUI_CarStockEntry.h"
#include "gui/screens/cars/GUI_DesignPreview.h"
#include "gui/screens/cars/GUI_Features.h"
#include "gui/screens/cars/GUI_NewDesign.h"
#include "gui/screens/cars/GUI_PriceSlider.h"
#include "gui/screens/cars/GUI_VehicleDetails.h"
#include "gui/screens/cars/GUI_VehicleNotice.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/vehicles/SIM_CarExporter.h"

#include <string>

// The fixture stays outside the anonymous namespace: its tests derive from it.
class CarScreens : public ToolkitTest
{
protected:
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        m_data.reset();
        SIM_Game::Instance().SetSpeed(1.0f);
        ToolkitTest::TearDown();
    }
    void Attach() { SIM_Presentation::Instance().SetListener(&m_screens); }
    void UseScreen(int width, int height)
    {
        m_rec->windowWidth = width;
        m_rec->windowHeight = height;
        GScreenSize::Set(width, height);
    }

    std::unique_ptr<CarTestData> m_data = std::make_unique<CarTestData>();
    GUI_CarScreens m_screens;
};

namespace
{

SIM_ComponentLayer Layer(float centreX, float centreY, float width, float height, bool mirrored)
{
    SIM_ComponentLayer layer;
    layer.sprite = "car_part_se";
    layer.flag = mirrored;
    layer.inAtlas = true;
    layer.texture = "car1_sw.dds";
    layer.centreX = centreX;
    layer.centreY = centreY;
    layer.width = width;
    layer.height = height;
    layer.texCoords[0] = 0.1f;
    layer.texCoords[1] = 0.2f;
    layer.texCoords[2] = 0.3f;
    layer.texCoords[3] = 0.4f;
    return layer;
}
} // namespace

TEST_F(CarScreens, PreviewScalesToTheWidestPartMirrorsAndPaintsOnlyPaintableLayers)
{
    SIM_VehicleComponentType chassis;
    chassis.m_layers[SIM_VehicleComponentType::FACING_SE][0] = Layer(0.0f, 0.0f, 0.4f, 0.2f, false);
    SIM_VehicleComponentType body;
    body.m_layers[SIM_VehicleComponentType::FACING_SE][0] = Layer(0.1f, 0.05f, 0.8f, 0.4f, true);
    body.m_layers[SIM_VehicleComponentType::FACING_SE][1] = Layer(0.0f, 0.0f, 0.2f, 0.2f, false);
    body.m_colourable[0] = 1;
    // Other facings never show in the picture, however wide.
    body.m_layers[SIM_VehicleComponentType::FACING_NE][0] = Layer(0.0f, 0.0f, 9.0f, 9.0f, false);
    SIM_VehicleDesign* design = m_data->Design("Coupe", 0.0f, {}, {&chassis, &body});

    GUI_DesignPreview preview(design);
    preview.SetRect(100, 100, 500, 300);
    preview.Build(255, 0, 0);
    const std::vector<CTexturedSprite>& sprites = preview.GetSprites();
    ASSERT_EQ(sprites.size(), 3u) << "chassis, then the body's two layers";

    // The body is the widest part (0.8): 400 pixels / 0.8 = 500 pixels a unit across, half that down.
    struct Corner
    {
        float x, y, u;
    };
    const Corner chassisCorners[4] = {{200, 175, 0.1f}, {400, 175, 0.3f}, {200, 225, 0.1f}, {400, 225, 0.3f}};
    const Corner bodyCorners[4] = {{50, 162.5f, 0.3f}, {450, 162.5f, 0.1f}, {50, 262.5f, 0.3f}, {450, 262.5f, 0.1f}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FLOAT_EQ(sprites[0].m_vertices[i].x, chassisCorners[i].x) << i;
        EXPECT_FLOAT_EQ(sprites[0].m_vertices[i].y, chassisCorners[i].y) << i;
        EXPECT_FLOAT_EQ(sprites[0].m_vertices[i].u, chassisCorners[i].u) << i;
        EXPECT_EQ(sprites[0].m_vertices[i].colour, 0xFFFFFFFFu) << "the chassis is not paintable";
        // Mirrored: placed on the other side of the centre (250, not 350) and flipped.
        EXPECT_FLOAT_EQ(sprites[1].m_vertices[i].x, bodyCorners[i].x) << i;
        EXPECT_FLOAT_EQ(sprites[1].m_vertices[i].y, bodyCorners[i].y) << i;
        EXPECT_FLOAT_EQ(sprites[1].m_vertices[i].u, bodyCorners[i].u) << i;
        EXPECT_EQ(sprites[1].m_vertices[i].colour, 0xFFFF0000u) << "paintable layers take the design's colour";
        EXPECT_EQ(sprites[2].m_vertices[i].colour, 0xFFFFFFFFu) << "the body's second layer is not paintable";
    }
    EXPECT_EQ(sprites[1].m_texture.GetName(), "car1_sw.dds");

    // A design without pictured parts draws only its outline.
    SIM_VehicleDesign* bare = m_data->Design("Bare", 0.0f, {});
    GUI_DesignPreview empty(bare);
    empty.SetRect(0, 0, 130, 130);
    empty.Build(1, 2, 3);
    EXPECT_TRUE(empty.GetSprites().empty());
}

TEST_F(CarScreens, PriceTextsAtTheEndsTheFairPriceAndAWorthlessDesign)
{
    struct Case
    {
        float minimum, fair, maximum, price;
        const char* percentage;
        const char* priceText;
        const char* profit;
        const char* premium;
    };
    const Case cases[] = {
        {1000, 2000, 4000, 2000, "0.00%", "$ 2,000", "$ 0", "$ 0 (0.00%)"},
        {1000, 2000, 4000, 1000, "-50.00%", "$ 1,000", "$ -1,000", "$ -1,000 (-50.00%)"},
        {1000, 2000, 4000, 4000, "100.00%", "$ 4,000", "$ 2,000", "$ 2,000 (100.00%)"},
        // A design worth nothing: no percentage to divide out.
        {0, 0, 0, 0, "0.00%", "$ 0", "$ 0", "$ 0 (0.00%)"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.percentage);
        GUI_PriceSlider panel;
        panel.SetRect(0, 0, 300, 130);
        panel.SetRange(c.minimum, c.fair, c.maximum);
        EXPECT_EQ(panel.GetPrice(), c.fair) << "the slider starts at the fair price";
        panel.GetSlider()->SetValue(c.price);
        panel.Recompute();
        EXPECT_EQ(panel.GetFairText(), c.fair == 0 ? "$ 0" : "$ 2,000");
        EXPECT_EQ(panel.GetPercentageText(), c.percentage);
        EXPECT_EQ(panel.GetPriceText(), c.priceText);
        EXPECT_EQ(panel.GetProfitText(), c.profit);
        EXPECT_EQ(DesignPriceText::Premium(c.price, c.fair), c.premium);
        // The band of the slider lies under the four lines of text (16 pixels each from 10 below
        // the top) and inside the panel.
        EXPECT_GE(panel.GetSlider()->GetTop(), 10 + 4 * 16);
        EXPECT_EQ(panel.GetSlider()->GetBottom() - panel.GetSlider()->GetTop(), 30);
        EXPECT_LE(panel.GetSlider()->GetBottom(), 130);
    }
    EXPECT_EQ(DesignPriceText::Premium(500.0f, 0.0f), "$ 500 (0.00%)");

    // A stock row's slider runs from half to twice the value and prices the design at once.
    SIM_VehicleDesign* design = m_data->Design("Saloon", 3000.0f, {m_data->Feature("feat_engine", 2000.0f)});
    GUI_CarStockEntry row(design, 4);
    EXPECT_EQ(row.GetSlider()->GetMinimum(), 1000.0f);
    EXPECT_EQ(row.GetSlider()->GetMaximum(), 4000.0f);
    EXPECT_EQ(row.GetStockText(), "4");
    EXPECT_EQ(row.GetPremiumText(), "$ 1,000 (50.00%)");
    row.GetSlider()->SetValue(1000.0f);
    row.OnPriceChanged();
    EXPECT_EQ(design->m_price, 1000.0f);
    EXPECT_EQ(row.GetPriceText(), "$ 1,000");
    EXPECT_EQ(row.GetPremiumText(), "$ -1,000 (-50.00%)");
}

TEST_F(CarScreens, StockHeightFollowsTheDesignsAndTheScreenAndTheFilterKeepsIt)
{
    UseScreen(3840, 2160);
    EXPECT_EQ(GUI_CarStock::Open()->GetHeight(), 92) << "no designs: the two margins";

    SIM_VehicleFeature* engine = m_data->Feature("feat_engine", 1000.0f);
    std::vector<SIM_VehicleDesign*> designs;
    for (int i = 0; i < 7; ++i)
        designs.push_back(m_data->Design("Model " + std::to_string(i), 1000.0f, {engine}));
    GUI_CarStock* stock = GUI_CarStock::Open();
    EXPECT_EQ(stock->GetHeight(), 5 * 140 + 92);
    EXPECT_EQ(stock->GetRows().size(), 7u);
    EXPECT_EQ(stock->GetScrollBar()->GetMaxFirstRow(), 2);
    m_input.MoveTo(static_cast<float>(stock->GetLeft() + 50), static_cast<float>(stock->GetTop() + 100));
    GUI_WindowManager::Instance().OnWheelDown();
    Frame();
    EXPECT_EQ(stock->GetScrollBar()->GetFirstRow(), 1) << "the wheel scrolls the list";

    // Five rows of 140 do not fit below the top strip of the smallest screen.
    UseScreen(1280, 768);
    stock = GUI_CarStock::Open();
    EXPECT_EQ(stock->GetHeight(), 4 * 140 + 92);
    EXPECT_GE(stock->GetTop(), 32);
    EXPECT_LE(stock->GetBottom(), 768);

    // Only designs with cars in stock; a design listed twice counts its first entry.
    SIM_SalesManager::Instance().AddToStock(designs[2], 3);
    SIM_SalesManager::Instance().AddToStock(designs[5], 1);
    ASSERT_TRUE(ClickAt(static_cast<float>(stock->GetToggle()->GetLeft() + 20),
                        static_cast<float>(stock->GetToggle()->GetTop() + 10)));
    Frame();
    EXPECT_FALSE(stock->IsShowingAll());
    EXPECT_FALSE(stock->GetToggle()->IsTicked());
    ASSERT_EQ(stock->GetRows().size(), 2u);
    EXPECT_EQ(static_cast<GUI_CarStockEntry*>(stock->GetRows()[0].get())->GetDesign(), designs[2]);
    EXPECT_EQ(static_cast<GUI_CarStockEntry*>(stock->GetRows()[0].get())->GetStockText(), "3");
    EXPECT_EQ(stock->GetHeight(), 4 * 140 + 92) << "the dialog keeps its height";
}

TEST_F(CarScreens, ABurstOfArrivalsAndSalesRebuildsTheStockOncePerFrame)
{
    Attach();
    SIM_VehicleDesign* design = m_data->Design("Hatch", 10.0f, {m_data->Feature("feat_chassis", 1000.0f)});
    GUI_CarStock* stock = GUI_CarStock::Open();
    Frame();
    const int before = stock->GetRebuildCount();
    // Cars reach the stock through the queue the main thread applies; buyers call at once.
    for (int i = 0; i < 6; ++i)
        SIM_SalesManager::Instance().AddToStock(design, 1);
    SIM_SalesManager::Instance().SetRandomSource([] { return 0.0f; });
    SIM_SalesManager::Instance().SimulateBuyers();
    SIM_SalesManager::Instance().SetRandomSource(nullptr);
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(stock->GetRebuildCount(), before) << "nothing is rebuilt before the draw";
    Frame();
    EXPECT_EQ(stock->GetRebuildCount(), before + 1);
    Frame();
    EXPECT_EQ(stock->GetRebuildCount(), before + 1);
    ASSERT_EQ(stock->GetRows().size(), 1u);
    const int left = SIM_SalesManager::Instance().GetStockCount(design);
    EXPECT_LT(left, 6) << "the buyers took some";
    EXPECT_EQ(static_cast<GUI_CarStockEntry*>(stock->GetRows()[0].get())->GetStockText(), std::to_string(left));
}

TEST_F(CarScreens, NewDesignEndsBySaveEscapeOrReplacementAndHoldsTheGameMeanwhile)
{
    Attach();
    SIM_VehicleFeature* chassis = m_data->Feature("feat_chassis", 1000.0f);
    SIM_VehicleFeature* engine = m_data->Feature("feat_engine", 2000.0f);
    SIM_VehicleFeature* doors = m_data->Feature("feat_doors", 500.0f);
    m_data->Design("Model #1", 900.0f, {doors});
    SIM_Game::Instance().SetSpeed(2.0f);
    SIM_SalesManager& sales = SIM_SalesManager::Instance();

    // Save: the typed name, the untouched slider's price (the value) and the car in stock.
    SIM_Vehicle* car = CarTestData::Car({chassis, engine});
    SIM_CarExporter::Instance().ExportVehicle(car);
    GUI_NewDesign* dialog = GUI_NewDesign::GetOpen();
    ASSERT_NE(dialog, nullptr);
    SIM_VehicleDesign* roadster = dialog->GetDesign();
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), dialog);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f) << "the game waits";
    // The car drives off the floor but stays alive for the dialog.
    car->SetState(SIM_Vehicle::GONE);
    SIM_VehicleManager::Instance().ProcessFrame(16.0f, 1.0f, SIM_Game::Instance().GetFactory());
    EXPECT_EQ(SIM_VehicleManager::Instance().GetVehicles().size(), 0u);
    EXPECT_EQ(SIM_VehicleManager::Instance().GetHeldOffFloorCount(), 1u);
    // A duplicate name is refused, and so are the characters the savegame cannot hold.
    dialog->GetNameEdit()->SetText("Model #1");
    EXPECT_FALSE(dialog->Save());
    EXPECT_TRUE(dialog->IsNameRefused());
    EXPECT_EQ(GUI_NewDesign::GetOpen(), dialog);
    dialog->GetNameEdit()->SetText("Road");
    for (char c : std::string("<,\">ster"))
        dialog->GetNameEdit()->OnChar(static_cast<unsigned char>(c));
    EXPECT_EQ(dialog->GetNameEdit()->GetText(), "Roadster");
    ASSERT_TRUE(ClickAt(static_cast<float>(dialog->GetSaveButton()->GetLeft() + 20),
                        static_cast<float>(dialog->GetSaveButton()->GetTop() + 10)));
    Frame();
    EXPECT_EQ(GUI_NewDesign::GetOpen(), nullptr);
    EXPECT_EQ(roadster->m_name, "Roadster");
    EXPECT_FLOAT_EQ(roadster->m_price, 3000.0f);
    EXPECT_EQ(sales.GetStockCount(roadster), 1);
    EXPECT_EQ(SIM_VehicleManager::Instance().GetHeldOffFloorCount(), 0u) << "the car is freed";
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 2.0f) << "the game runs on at its speed";

    // Escape: the first free default name, the slider's price, no car in stock.
    SIM_Vehicle* second = CarTestData::Car({engine});
    SIM_CarExporter::Instance().ExportVehicle(second);
    ASSERT_NE(GUI_NewDesign::GetOpen(), nullptr);
    SIM_VehicleDesign* escaped = GUI_NewDesign::GetOpen()->GetDesign();
    GUI_NewDesign::GetOpen()->GetPriceSlider()->GetSlider()->SetValue(2500.0f);
    EXPECT_TRUE(GUI_WindowManager::Instance().CloseTopDialog());
    Frame();
    EXPECT_EQ(GUI_NewDesign::GetOpen(), nullptr);
    EXPECT_EQ(escaped->m_name, "Model #2");
    EXPECT_FLOAT_EQ(escaped->m_price, 2500.0f);
    EXPECT_EQ(sales.GetStockCount(escaped), 0);
    EXPECT_FALSE(SIM_VehicleManager::Instance().IsHeld(second));
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 2.0f);

    // Replacement: the newer design takes over; the older one keeps a default name; the game
    // waits until the last dialog ends. An empty name saves as the default name.
    SIM_Game::Instance().SetSpeed(0.0f);
    SIM_CarExporter::Instance().ExportVehicle(CarTestData::Car({doors, engine}));
    SIM_VehicleDesign* first = GUI_NewDesign::GetOpen()->GetDesign();
    SIM_CarExporter::Instance().ExportVehicle(CarTestData::Car({doors, chassis}));
    GUI_NewDesign* newer = GUI_NewDesign::GetOpen();
    ASSERT_NE(newer, nullptr);
    EXPECT_NE(newer->GetDesign(), first);
    EXPECT_EQ(first->m_name, "Model #3");
    EXPECT_EQ(sales.GetStockCount(first), 0);
    Frame();
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);
    SIM_VehicleDesign* last = newer->GetDesign();
    EXPECT_TRUE(newer->Save());
    Frame();
    EXPECT_EQ(last->m_name, "Model #4");
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f) << "paused before, paused after";
}

TEST_F(CarScreens, DetailsAreSizedForTheFeaturesRaisedNotDoubledAndCloseWhenTheCarGoes)
{
    Attach();
    UseScreen(1280, 768);
    std::vector<SIM_VehicleFeature*> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back(m_data->Feature("Feature " + std::to_string(i), 1000.0f + static_cast<float>(i)));
    SIM_Vehicle* busy = CarTestData::Car(twelve);
    SIM_Vehicle* bare = CarTestData::Car({});

    m_input.MoveTo(1270, 760);
    GUI_VehicleDetails* big = GUI_VehicleDetails::Show(busy);
    EXPECT_EQ(big->GetListHeight(), 268) << "ten rows at most; the list scrolls";
    EXPECT_EQ(big->GetHeight(), 46 + 16 + 268 + 84);
    EXPECT_LE(big->GetRight(), 1280) << "pushed back on screen";
    EXPECT_LE(big->GetBottom(), 768);
    EXPECT_EQ(big->GetFeatures()->GetRows().size(), 12u);
    EXPECT_EQ(big->GetFeatures()->GetScrollBar()->GetMaxFirstRow(), 2);

    m_input.MoveTo(200, 5);
    GUI_VehicleDetails* small = GUI_VehicleDetails::Show(bare);
    EXPECT_EQ(small->GetHeight(), 174);
    EXPECT_EQ(small->GetTop(), 32) << "below the top strip";

    // A second click on the busy car in the factory raises its window.
    GUI_FactoryTools tools;
    GUI_CarScreens::ConnectFactoryView(tools);
    tools.showVehicleDetails(*busy);
    EXPECT_EQ(GUI_VehicleDetails::GetOpenWindows().size(), 2u);
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().back(), big);

    // A new feature rebuilds the window at its size.
    auto record = std::make_unique<SIM_VehicleFeatureRecord>();
    record->feature = m_data->Feature("Sunroof", 800.0f);
    bare->AddCompletedTask(std::move(record));
    EXPECT_EQ(small->GetFeatures()->GetRows().size(), 1u);
    EXPECT_EQ(small->GetHeight(), 174);

    // The car goes: its window closes before the next draw; the other stays.
    SIM_VehicleManager::Instance().DestroyVehicle(busy);
    EXPECT_EQ(GUI_VehicleDetails::GetOpenWindows().size(), 1u);
    Frame();
    for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
        EXPECT_NE(window, big);
    EXPECT_EQ(GUI_VehicleDetails::FindFor(bare), small);
}

TEST_F(CarScreens, NoticeKindsGiveTheirTextAndLongTextsWrapAtFourHundredPixels)
{
    LoadFonts();
    GUI_VehicleNotice notice(nullptr);
    struct Case
    {
        int kind;
        const char* detail;
        std::string text;
    };
    const Case cases[] = {
        {1, "", "No next station found"},
        {2, "", "Next station is not connected"},
        {3, "Fit engine", "Next station needs earlier work (Fit engine)"},
        {0, "", ""},
    };
    for (const Case& c : cases)
    {
        notice.UpdateText(c.kind, c.detail);
        EXPECT_EQ(notice.GetKind(), c.kind);
        EXPECT_EQ(notice.GetText(), c.text);
        EXPECT_EQ(notice.GetSymbol().m_texture.GetName(), "notice_error.dds") << "kind 0 leaves the symbol";
        EXPECT_EQ(notice.GetBackground().Argb(), 0xFFDC3920u);
        EXPECT_EQ(notice.GetTextColour().Argb(), 0xFFF0F0F0u);
        EXPECT_LE(notice.GetTextWidth(), 400.0f);
        EXPECT_FLOAT_EQ(notice.GetTextHeight(), 16.0f);
    }
    notice.UpdateText(3, "Fit the leather seats, the walnut dashboard and the eight-speaker radio");
    EXPECT_FLOAT_EQ(notice.GetTextWidth(), 400.0f);
    EXPECT_GT(notice.GetTextHeight(), 16.0f) << "the box grows downwards";

    // Every car gets one from the screens; it goes with the car.
    Attach();
    const size_t before = NoticeList().size();
    SIM_Vehicle* car = CarTestData::Car({});
    ASSERT_NE(dynamic_cast<GUI_VehicleNotice*>(car->GetNotice()), nullptr);
    car->m_flagNotFound = 1;
    car->UpdateNotice();
    EXPECT_EQ(static_cast<GUI_VehicleNotice*>(car->GetNotice())->GetText(), "No next station found");
    // Kind 0 after kind 1: nothing is drawn.
    car->m_flagNotFound = 0;
    car->UpdateNotice();
    static_cast<GUI_VehicleNotice*>(car->GetNotice())->Draw();
    EXPECT_EQ(static_cast<GUI_VehicleNotice*>(car->GetNotice())->GetLastDrawn(), GUI_NoticeBase::Drawn::NOTHING);
    SIM_VehicleManager::Instance().DestroyVehicle(car);
    EXPECT_EQ(NoticeList().size(), before);
}
