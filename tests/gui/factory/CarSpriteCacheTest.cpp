// Cars on their stations: which cached cell a car shares with which others, when cells are given
// back, how the four facings come from two cells, and cars too unfinished to be cached.
#include "FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_FactoryCars.h"
#include "gui/factory/vehicles/GUI_Vehicle.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <initializer_list>
#include <memory>
#include <string>

class CarSpriteCacheTest : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 4096, 2048, PFormat::A8R8G8B8);
        GUI_TextureCache::Init();
        ASSERT_TRUE(m_world.StartGame("view_hall"));
        m_station = m_world.Place("task_fit_body", 3, 4);
        ASSERT_NE(m_station, nullptr);
    }
    void TearDown() override
    {
        GUI_TextureCache::Reset();
        FactoryViewTest::TearDown();
    }

    // A car of these parts and paint, not standing anywhere.
    static SIM_Vehicle* MakeCar(std::initializer_list<const char*> parts, int r = 255, int g = 255, int b = 255)
    {
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        for (const char* part : parts)
        {
            const SIM_VehicleComponentType* type = SIM_VehicleComponentTypeManager::Instance().GetComponentType(part);
            EXPECT_NE(type, nullptr) << part;
            car->AddComponent(std::make_unique<SIM_VehicleComponent>(car, type));
        }
        car->SetColor(r, g, b, 255);
        return car;
    }
    static GUI_Vehicle* ViewOf(SIM_Vehicle* car) { return dynamic_cast<GUI_Vehicle*>(car->GetView()); }
    static CarSpriteCell* Ask(SIM_Vehicle* car, int view)
    {
        return GUI_CarSpriteCache::Instance().FindOrRender(car->GetComponents(), view, car->GetColor());
    }
    // The cell's grid place as x * 8 + y (the cache's scan order), -1 for none.
    static int Place(const CarSpriteCell* cell) { return cell ? cell->m_gridX * 8 + cell->m_gridY : -1; }

    SIM_ProductionSlot* m_station = nullptr;
};

TEST_F(CarSpriteCacheTest, CarsShareACellOnlyWhenViewPartsAndPaintAllMatch)
{
    SIM_Vehicle* first = MakeCar({"chassis", "axles", "wheels"});
    // Same parts fitted in another order: the same picture.
    SIM_Vehicle* same = MakeCar({"wheels", "chassis", "axles"});
    SIM_Vehicle* repainted = MakeCar({"chassis", "axles", "wheels"}, 255, 255, 254);
    SIM_Vehicle* morePart = MakeCar({"chassis", "axles", "wheels", "body"});
    SIM_Vehicle* otherPart = MakeCar({"chassis", "axles", "engine"});
    SIM_Vehicle* fewerPart = MakeCar({"chassis", "axles"});

    struct Case
    {
        const char* what;
        SIM_Vehicle* car;
        int view;
        int place; // where the cell lies: filled in scan order, column by column
    };
    const Case cases[] = {
        {"first car, view 2", first, 2, 0},
        {"same car again", first, 2, 0},
        {"same parts in another order", same, 2, 0},
        {"another view", first, 0, 1},
        {"one channel of paint differs", repainted, 2, 2},
        {"one part more", morePart, 2, 3},
        {"as many parts, one different", otherPart, 2, 4},
        {"a subset of the first car's parts", fewerPart, 2, 5},
        {"the subset again", fewerPart, 2, 5},
    };
    for (const Case& c : cases)
    {
        CarSpriteCell* cell = Ask(c.car, c.view);
        ASSERT_NE(cell, nullptr) << c.what;
        EXPECT_EQ(Place(cell), c.place) << c.what;
        EXPECT_TRUE(cell->m_inUse) << c.what;
        EXPECT_EQ(cell->m_view, c.view) << c.what;
    }
    // Eight cells down, the scan goes on at the top of the next column.
    for (int i = 0; i < 3; ++i)
        Ask(MakeCar({"chassis", "axles", "wheels"}, 10 * i, 0, 0), 2);
    EXPECT_EQ(Place(Ask(MakeCar({"chassis", "axles", "wheels"}, 0, 99, 0), 2)), 9);
}

TEST_F(CarSpriteCacheTest, CellsUndrawnFor100FramesAreGivenBackAndTheCarsForgetThem)
{
    SIM_Vehicle* car = MakeCar({"chassis", "axles", "wheels"}, 200, 30, 30);
    GUI_Vehicle* view = ViewOf(car);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->EnsureCachedSprites());
    CarSpriteCell* facing2 = view->GetCell(2);
    CarSpriteCell* facing0 = view->GetCell(0);
    ASSERT_NE(facing2, facing0);

    GUI_CarSpriteCache& cache = GUI_CarSpriteCache::Instance();
    for (int frame = 0; frame < 99; ++frame)
        cache.AgeCells();
    EXPECT_TRUE(facing2->m_inUse);
    EXPECT_EQ(view->GetCell(2), facing2) << "99 frames: still held";
    // Matching does not keep a cell alive; only drawing on screen does.
    EXPECT_EQ(Ask(car, 2), facing2);
    cache.AgeCells();
    EXPECT_FALSE(facing2->m_inUse);
    EXPECT_FALSE(facing0->m_inUse);
    EXPECT_EQ(view->GetCell(2), nullptr);
    EXPECT_EQ(view->GetCell(0), nullptr);

    // Asked again, the car is rendered again (into the first free cell).
    ASSERT_TRUE(view->EnsureCachedSprites());
    EXPECT_EQ(Place(view->GetCell(2)), 0);

    // A car drawn on screen keeps its cell however long it stays.
    GUI_Camera::Instance().SetPosition(0.0f, 0.0f);
    GUI_Camera::Instance().SetZoom(0.3f);
    for (int frame = 0; frame < 250; ++frame)
    {
        EXPECT_TRUE(view->GetCell(2)->Draw(false, 400.0f, 300.0f));
        view->GetCell(0)->Draw(false, 400.0f, 300.0f);
        cache.AgeCells();
    }
    EXPECT_NE(view->GetCell(2), nullptr);
    // Off screen it is not drawn and does not count as seen.
    EXPECT_FALSE(view->GetCell(2)->Draw(false, -5000.0f, 300.0f));
}

TEST_F(CarSpriteCacheTest, FacingsOneAndThreeAreTheOtherCellsMirrored)
{
    SIM_Vehicle* car = MakeCar({"chassis", "axles", "wheels", "body"}, 20, 90, 200);
    // Car and station name each other, as on a running line: the station takes its car along
    // when it goes.
    car->SetSlot(m_station);
    m_station->SetVehicle(car);
    car->SetPosition(m_station->GetTile()->m_worldX, m_station->GetTile()->m_worldY);
    GUI_Vehicle* view = ViewOf(car);
    FactoryWorld::LookAt(m_station->GetTile(), 0.3f);
    m_world.Frame();
    ASSERT_TRUE(view->EnsureCachedSprites());

    struct Case
    {
        int facing;
        int cellView;
        bool mirrored;
    };
    const Case cases[] = {{0, 0, false}, {1, 2, true}, {2, 2, false}, {3, 0, true}};
    for (const Case& c : cases)
    {
        car->SetFacing(c.facing);
        CarSpriteCell* cell = view->GetCell(c.cellView);
        cell->m_countdown = 7;
        view->DrawCached();
        EXPECT_EQ(cell->m_countdown, CarSpriteCell::kLifeFrames) << "facing " << c.facing << " drew its cell";
        const PVertex* corners = cell->m_sprite.m_vertices;
        const float u0 = static_cast<float>(cell->m_gridX) / 16.0f, u1 = static_cast<float>(cell->m_gridX + 1) / 16.0f;
        EXPECT_FLOAT_EQ(corners[0].u, c.mirrored ? u1 : u0) << "facing " << c.facing;
        EXPECT_FLOAT_EQ(corners[1].u, c.mirrored ? u0 : u1) << "facing " << c.facing;
        // Only left and right swap.
        EXPECT_FLOAT_EQ(corners[0].v, static_cast<float>(cell->m_gridY) / 8.0f);
        EXPECT_FLOAT_EQ(corners[2].v, static_cast<float>(cell->m_gridY + 1) / 8.0f);
        EXPECT_FLOAT_EQ(cell->m_sprite.m_width, 400.0f * 0.3f);
    }
}

TEST_F(CarSpriteCacheTest, UnfinishedCarsAndCarsFindingTheCacheFullDrawFromTheirParts)
{
    // Two parts: never cached, at any zoom.
    SIM_Vehicle* bare = MakeCar({"chassis", "axles"});
    bare->SetSlot(m_station);
    m_station->SetVehicle(bare);
    bare->SetPosition(m_station->GetTile()->m_worldX, m_station->GetTile()->m_worldY);
    FactoryWorld::LookAt(m_station->GetTile(), 0.3f);
    m_world.Frame();
    EXPECT_FALSE(ViewOf(bare)->EnsureCachedSprites());
    EXPECT_EQ(ViewOf(bare)->GetCell(2), nullptr);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_FALSE(GUI_CarSpriteCache::Instance().Cell(x, y).m_inUse);

    // 128 differently painted cars fill every cell; the next finds none and is not cached.
    for (int i = 0; i < 128; ++i)
        ASSERT_NE(Ask(MakeCar({"chassis", "axles", "wheels"}, i, 0, 0), 2), nullptr) << i;
    SIM_Vehicle* late = MakeCar({"chassis", "axles", "wheels"}, 0, 0, 200);
    EXPECT_EQ(Ask(late, 2), nullptr);
    // The bare car leaves the station to the late one: a station holds one car.
    bare->SetSlot(nullptr);
    late->SetSlot(m_station);
    late->SetPosition(m_station->GetTile()->m_worldX, m_station->GetTile()->m_worldY);
    m_station->SetVehicle(late);
    EXPECT_FALSE(ViewOf(late)->EnsureCachedSprites());
    // It still stands in the queue and has its parts placed for the frame.
    m_world.Frame();
    EXPECT_EQ(GUI_Factory::Instance().GetCars().GetQueuedCount(), 0u) << "the parts job emptied the queue";
}

TEST_F(CarSpriteCacheTest, ACarWithoutItsStationIsSkipped)
{
    SIM_Vehicle* car = MakeCar({"chassis", "axles", "wheels"});
    FactoryWorld::LookAt(m_station->GetTile(), 1.0f);
    m_world.Frame();
    const size_t before = IsometricDrawQueue::Instance().GetCount();
    ViewOf(car)->Draw(IsometricDrawQueue::Instance(), GUI_Factory::Instance().GetFrameView());
    EXPECT_EQ(IsometricDrawQueue::Instance().GetCount(), before);
    EXPECT_EQ(GUI_Factory::Instance().GetCars().GetQueuedCount(), 0u);
    FreshState::Forget<IsometricDrawQueue>();
}
