// The floor of a small hall as the player sees it: zone floors, the dark ring outside, back walls,
// the import and export doors, an overhead conveyor with resources hanging from it, and a value
// rising from the floor, at full zoom and zoomed out to a quarter.
#include "FactoryViewTestSupport.h"

#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Tile.h"

namespace
{
// An object hanging from the conveyor at a world point.
void Hang(const char* resource, float x, float y)
{
    SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
    ASSERT_NE(object, nullptr);
    object->Init(SIM_ResourceManager::Instance().GetResource(resource), nullptr, x, y);
    object->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
}
} // namespace

TEST_F(FactoryPictureTest, HallWithWallsDoorsConveyorAndFloatingValue)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    // A conveyor from the import door along row 5 and down column 4.
    for (int y = 1; y <= 5; ++y)
        ASSERT_TRUE(m_world.LayConveyor(1, y));
    for (int x = 2; x <= 5; ++x)
        ASSERT_TRUE(m_world.LayConveyor(x, 5));
    SIM_Placement::ConveyorsChanged();
    const SIM_Tile* a = m_world.Tile(1, 3);
    const SIM_Tile* b = m_world.Tile(3, 5);
    Hang("steel_sheet", a->m_worldX, a->m_worldY);
    Hang("copper_wire", b->m_worldX, b->m_worldY);
    Hang("steel_sheet", (a->m_worldX + b->m_worldX) / 2.0f, (a->m_worldY + b->m_worldY) / 2.0f);
    GUI_FloatingValue::ResetPool();
    const SIM_Tile* middle = m_world.Tile(2, 4);
    GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, middle->m_worldX, middle->m_worldY, 1234.0f);

    // The placement sparkles are over by the time the player looks.
    ClearParticleEmitters();

    FactoryWorld::LookAt(m_world.Tile(2, 4), 1.0f);
    GUI_Camera::Instance().SetPosition(GUI_Camera::Instance().GetX(), GUI_Camera::Instance().GetY() - 200.0f);
    CompareFrame("hall_zoom_1");
    FactoryWorld::LookAt(m_world.Tile(4, 5), 0.25f);
    CompareFrame("hall_zoom_quarter");
}

// Zoomed as far out as the floor allows: the slots' flat icons over the floor, the conveyor's arms
// and what hangs from them, walls and doors, each a few pixels across.
TEST_F(FactoryPictureTest, HallZoomedFullyOutShowsIconsConveyorsAndHangingResources)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_make_axles", 4, 4), nullptr);
    for (int y = 1; y <= 5; ++y)
        ASSERT_TRUE(m_world.LayConveyor(1, y));
    for (int x = 2; x <= 9; ++x)
        ASSERT_TRUE(m_world.LayConveyor(x, 5));
    ASSERT_TRUE(m_world.LayConveyor(4, 6));
    SIM_Placement::ConveyorsChanged();
    for (int x = 2; x <= 9; x += 2)
    {
        const SIM_Tile* tile = m_world.Tile(x, 5);
        Hang(x % 4 == 0 ? "steel_sheet" : "copper_wire", tile->m_worldX, tile->m_worldY);
    }
    ClearParticleEmitters();
    FactoryWorld::LookAt(m_world.Tile(6, 6), GUI_Camera::Instance().GetMinZoom());
    CompareFrame("hall_zoom_far");
}

// At the smallest zoom the game allows, over a plant wider than the screen: every tile a few pixels
// across, the zone floors and the dark ring, a locked annexe, walls and doors, rows of conveyor
// arms with resources hanging from them, and the slots' flat icons. Tens of thousands of tiles
// show, most with nothing but their floor.
TEST_F(FactoryPictureTest, PlantAtTheSmallestZoomShowsFloorsConveyorsIconsAndHangingResources)
{
    ASSERT_TRUE(m_world.StartGame("view_plant"));
    static const char* const kTasks[] = {"task_make_axles", "task_make_wheels", "task_make_body", "task_fit_body"};
    for (int band = 0; band < 10; ++band)
    {
        const int row = 4 + 8 * band;
        for (int column = 3; column <= 120; ++column)
            ASSERT_TRUE(m_world.LayConveyor(row, column)) << row << "," << column;
        for (int column = 4; column <= 120; column += 8)
            ASSERT_NE(m_world.Place(kTasks[(band + column) % 4], row + 3, column), nullptr) << row << "," << column;
    }
    SIM_Placement::ConveyorsChanged();
    for (int band = 0; band < 10; ++band)
        for (int column = 3 + band % 5; column <= 120; column += 5)
        {
            const SIM_Tile* tile = m_world.Tile(4 + 8 * band, column);
            Hang(column % 2 == 0 ? "steel_sheet" : "copper_wire", tile->m_worldX, tile->m_worldY);
        }
    ClearParticleEmitters();
    FactoryWorld::LookAt(m_world.Tile(70, 60), 0.01f);
    CompareFrame("plant_zoom_smallest");
}
