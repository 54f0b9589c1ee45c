// Painted cars on their stations in all four facings, drawn from their parts close up and from
// the car sprite cache far out; and the cache's render target read back after drawing into it.
#include "FactoryViewTestSupport.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GUI_ShaderManager.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_Vehicle.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

class CarPictureTest : public FactoryPictureTest
{
protected:
    void SetUp() override
    {
        FactoryPictureTest::SetUp();
        if (IsSkipped())
            return;
        GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 4096, 2048, PFormat::A8R8G8B8);
        GUI_TextureCache::Init();
        GUI_ShaderManager::Instance().LoadAll();
        ViewRandom::SetSourceForTests([] { return 0.25f; });
        ASSERT_TRUE(m_world.StartGame("view_hall"));
    }
    void TearDown() override
    {
        if (!IsSkipped())
        {
            GUI_ShaderManager::Instance().ReleaseAll();
            GUI_TextureCache::Reset();
        }
        FactoryPictureTest::TearDown();
    }

    static SIM_Vehicle* MakeCar(std::initializer_list<const char*> parts, int r, int g, int b)
    {
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        for (const char* part : parts)
            car->AddComponent(std::make_unique<SIM_VehicleComponent>(
                car, SIM_VehicleComponentTypeManager::Instance().GetComponentType(part)));
        car->SetColor(r, g, b, 255);
        return car;
    }
    // A car conveyor of that facing with the car standing on it, as a station passes it on.
    SIM_ProductionSlot* Station(int x, int y, int facing, SIM_Vehicle* car)
    {
        SIM_ProductionSlot* station = m_world.Place("task_conveyor", x, y, facing);
        EXPECT_NE(station, nullptr);
        if (!station)
            return nullptr;
        car->SetSlot(station);
        car->SetPosition(station->GetTile()->m_worldX, station->GetTile()->m_worldY);
        car->SetFacing(facing);
        station->SetVehicle(car);
        return station;
    }
    void Settle()
    {
        // The stations' props drop into place.
        for (int i = 0; i < 60; ++i)
        {
            FactoryWorld::AdvanceClock(16.666666f);
            m_world.Frame();
        }
        ClearParticleEmitters();
        GUI_FloatingValue::ResetPool();
    }
    // The cache's render target as bytes (B, G, R, A per pixel, rows from the top).
    static std::vector<uint8_t> ReadCache(int& pitch)
    {
        PTexture* target = GUI_TextureCache::Get(GUI_TextureCache::CAR_SPRITE_CACHE)->m_texture;
        PLockedRect locked;
        std::vector<uint8_t> bytes;
        if (PFailed(target->LockRect(0, locked)) || !locked.bits)
            return bytes;
        pitch = locked.pitch;
        bytes.assign(static_cast<uint8_t*>(locked.bits), static_cast<uint8_t*>(locked.bits) + pitch * 2048);
        target->UnlockRect(0);
        return bytes;
    }
    static std::vector<uint8_t> CellPixels(const std::vector<uint8_t>& bytes, int pitch, int x, int y)
    {
        std::vector<uint8_t> cell;
        for (int row = 0; row < 256; ++row)
        {
            const uint8_t* start = bytes.data() + (y * 256 + row) * pitch + x * 256 * 4;
            cell.insert(cell.end(), start, start + 256 * 4);
        }
        return cell;
    }
    static int Covered(const std::vector<uint8_t>& cell)
    {
        int n = 0;
        for (size_t i = 3; i < cell.size(); i += 4)
            n += cell[i] != 0;
        return n;
    }
};

TEST_F(CarPictureTest, PaintedCarsInEveryFacingDirectAndFromTheCache)
{
    const int colours[4][3] = {{200, 30, 30}, {30, 140, 220}, {240, 200, 40}, {40, 170, 70}};
    const int places[4][2] = {{4, 3}, {6, 3}, {4, 5}, {6, 5}};
    for (int facing = 0; facing < 4; ++facing)
        ASSERT_NE(Station(places[facing][0], places[facing][1], facing,
                          MakeCar({"chassis", "axles", "wheels", "body", "doors"}, colours[facing][0],
                                  colours[facing][1], colours[facing][2])),
                  nullptr);
    FactoryWorld::LookAt(m_world.Tile(5, 4), 0.5f);
    Settle();
    CompareFrame("cars_direct");
    FactoryWorld::LookAt(m_world.Tile(5, 4), 0.375f);
    CompareFrame("cars_cached");
    for (SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
        EXPECT_NE(dynamic_cast<GUI_Vehicle*>(car->GetView())->GetCell(2), nullptr) << "far out every car is cached";
}

TEST_F(CarPictureTest, ACellIsClearedBeforeANewCarIsDrawnIntoIt)
{
    GUI_CarSpriteCache& cache = GUI_CarSpriteCache::Instance();
    SIM_Vehicle* big = MakeCar({"chassis", "axles", "wheels", "body", "doors"}, 200, 30, 30);
    SIM_Vehicle* small = MakeCar({"axles", "fuel_tank", "engine"}, 255, 255, 255);
    CarSpriteCell* bigCell = cache.FindOrRender(big->GetComponents(), 2, big->GetColor());
    CarSpriteCell* smallCell = cache.FindOrRender(small->GetComponents(), 2, small->GetColor());
    ASSERT_NE(bigCell, nullptr);
    ASSERT_NE(smallCell, nullptr);
    int pitch = 0;
    std::vector<uint8_t> bytes = ReadCache(pitch);
    ASSERT_FALSE(bytes.empty());
    const std::vector<uint8_t> bigPixels = CellPixels(bytes, pitch, bigCell->m_gridX, bigCell->m_gridY);
    const std::vector<uint8_t> smallPixels = CellPixels(bytes, pitch, smallCell->m_gridX, smallCell->m_gridY);
    EXPECT_GT(Covered(bigPixels), Covered(smallPixels));
    EXPECT_GT(Covered(smallPixels), 1000);
    // The painted body shows its paint: a reddish pixel at the cell's middle.
    const uint8_t* middle = bigPixels.data() + (128 * 256 + 128) * 4;
    EXPECT_GT(middle[2], middle[1] + 40) << "red over green at the middle of the painted car";
    EXPECT_EQ(Covered(CellPixels(bytes, pitch, 15, 7)), 0) << "an unused cell stays transparent";

    // Both cells age out. A car of the small car's unpainted parts in another paint (the same
    // picture, another key) lands in the big car's old cell, and nothing of the big car is left.
    for (int frame = 0; frame < CarSpriteCell::kLifeFrames; ++frame)
        cache.AgeCells();
    SIM_Vehicle* other = MakeCar({"axles", "fuel_tank", "engine"}, 10, 10, 10);
    CarSpriteCell* again = cache.FindOrRender(other->GetComponents(), 2, other->GetColor());
    ASSERT_EQ(again, bigCell);
    bytes = ReadCache(pitch);
    const std::vector<uint8_t> againPixels = CellPixels(bytes, pitch, again->m_gridX, again->m_gridY);
    int worst = 0, differing = 0;
    for (size_t i = 0; i < againPixels.size(); ++i)
    {
        const int d = std::abs(static_cast<int>(againPixels[i]) - static_cast<int>(smallPixels[i]));
        worst = std::max(worst, d);
        differing += d > 0;
    }
    EXPECT_EQ(Covered(againPixels), Covered(smallPixels));
    // Placed elsewhere on the target, the layers may round a texel edge differently.
    EXPECT_LE(worst, 4) << differing << " bytes differ";
}
