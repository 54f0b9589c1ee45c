// The placement tools as the player uses them: each tool armed the way the build menu arms it,
// the pointer moved over the floor, the buttons pressed, and the floor, the cash and the books
// read afterwards. Also the delete row, the facing a one-tile chain takes from the mouse and the
// placement sound's choice by size.
#include "FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/core/GOptions.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/placement/GUI_BulldozerTask.h"
#include "gui/factory/placement/GUI_ConveyorPlacer.h"
#include "gui/factory/placement/GUI_FacilityPlacer.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/factory/placement/GUI_SlotChainPlacer.h"
#include "gui/factory/placement/GUI_SlotPlacer.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PWindowMessage.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Tile.h"

#include <string>
#include <vector>

namespace
{
class PlacementToolsTest : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        ASSERT_TRUE(m_world.StartGame("view_hall"));
        FactoryWorld::LookAt(m_world.Tile(5, 4), 0.25f);
        GUI_SlotPlacer::Instance().SetFacing(1);
        GUI_FacilityPlacer::Instance().SetFacing(1);
        // Sounds of earlier tests never end on the test clock: every voice is freed for ours.
        GUI_Sounds::Instance().GetDevice().StopAll();
    }
    void TearDown() override
    {
        GUI_PlacementTools::Reset();
        FactoryViewTest::TearDown();
    }
    // The pointer over the middle of the tile.
    void PointAt(int x, int y)
    {
        const SIM_Tile* tile = m_world.Tile(x, y);
        ASSERT_NE(tile, nullptr);
        const FactoryFrameView view = FactoryFrameView::FromCamera();
        m_world.input.MoveTo(view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY));
    }
    // A frame with the tools' ghosts, as the in-game mode draws it.
    void Frame()
    {
        m_world.Frame();
        GUI_PlacementTools::DrawGhosts();
    }
    // The left button pressed and released over the tile, as the in-game mode passes it on.
    void ClickAt(int x, int y)
    {
        PointAt(x, y);
        Frame();
        if (!GUI_PlacementTools::OnLeftDown())
        {
            const FactoryFrameView view = FactoryFrameView::FromCamera();
            const SIM_Tile* tile = m_world.Tile(x, y);
            GUI_Factory::Instance().OnClick(view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY));
        }
        GUI_PlacementTools::OnLeftUp();
    }
    // A drag from one tile to another, the mouse passing every tile of the way.
    void DragFromTo(int x0, int y0, int x1, int y1)
    {
        PointAt(x0, y0);
        Frame();
        GUI_PlacementTools::OnLeftDown();
        for (int x = x0, y = y0; x != x1 || y != y1;)
        {
            x += x1 > x ? 1 : x1 < x ? -1 : 0;
            if (x == x1)
                y += y1 > y ? 1 : y1 < y ? -1 : 0;
            PointAt(x, y);
            Frame();
        }
    }
    const SIM_PlaceableSlot* SlotAt(int x, int y) const { return m_world.Tile(x, y)->m_occupant; }
    static std::string TaskAt(const SIM_PlaceableSlot* slot)
    {
        return slot && slot->GetTask() ? slot->GetTask()->m_name : std::string();
    }
    static float Cash() { return SIM_FinanceManager::Instance().GetCash(); }
    static float Invested() { return SIM_FinanceRecord::Instance().GetTotal(-1, FC_CAPITAL_INVESTMENT); }
    static bool Heard(const std::string& sound) { return GUI_Sounds::Instance().IsSoundPlaying(sound); }
};

TEST_F(PlacementToolsTest, SlotsAreGhostedTurnedPlacedAndPaidAndRedWhereTheyMayNotStand)
{
    GUI_SlotPlacer& placer = GUI_SlotPlacer::Instance();
    const float start = Cash();
    // The axle shop covers its anchor, the stockpile below it and the export above it.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_make_axles"));
    ASSERT_TRUE(placer.HasPending());
    PointAt(3, 3);
    Frame();
    EXPECT_TRUE(placer.IsGhostValid(m_world.Tile(3, 3)));
    ClickAt(3, 3);
    const SIM_PlaceableSlot* shop = SlotAt(3, 3);
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(TaskAt(shop), "task_make_axles");
    EXPECT_EQ(SlotAt(3, 2), shop);
    EXPECT_EQ(SlotAt(3, 4), shop);
    EXPECT_NE(shop->GetGuiSlot(), nullptr);
    EXPECT_FALSE(placer.HasPending()); // a workshop is picked again for the next one
    EXPECT_FLOAT_EQ(Cash(), start - 5000.0f);
    EXPECT_FLOAT_EQ(Invested(), 5000.0f);
    EXPECT_TRUE(Heard(GUI_SoundNames::PlaceSlot(3)));
    // The new slot's stockpile floor shows, with the props of its footprint.
    EXPECT_EQ(m_world.View(3, 4)->GetFloorTextureName(), "floor_metal_04.dds");
    EXPECT_FALSE(m_world.View(3, 3)->GetProps().empty());

    // Turned once, the shop lies along the row.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_make_axles"));
    GUI_PlacementTools::RotatePlacers();
    EXPECT_EQ(placer.GetFacing(), 2);
    EXPECT_TRUE(Heard(GUI_SoundNames::kRotate));
    // Over the first shop, and in the locked annexe, the ghost is red and the click builds nothing.
    for (const auto& at : {std::pair{3, 3}, std::pair{8, 4}})
    {
        PointAt(at.first, at.second);
        Frame();
        EXPECT_FALSE(placer.IsGhostValid(m_world.Tile(at.first, at.second))) << at.first << "," << at.second;
        ClickAt(at.first, at.second);
        EXPECT_TRUE(placer.HasPending());
    }
    EXPECT_EQ(SlotAt(8, 4), nullptr);
    EXPECT_FLOAT_EQ(Cash(), start - 5000.0f);
    ClickAt(4, 6);
    ASSERT_EQ(TaskAt(SlotAt(3, 6)), "task_make_axles");
    EXPECT_EQ(SlotAt(5, 6), SlotAt(3, 6));
    EXPECT_EQ(SlotAt(4, 6)->GetFacing(), 2);

    // Escape drops a waiting slot; rotating with nothing waiting changes nothing.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_make_axles"));
    EXPECT_TRUE(GUI_PlacementTools::OnEscape());
    EXPECT_FALSE(placer.HasPending());
    GUI_PlacementTools::RotatePlacers();
    EXPECT_EQ(placer.GetFacing(), 2);
    // Arming again and again leaves no slot behind, on the floor or among the views.
    for (const char* task : {"task_make_axles", "fac_power_plant", "task_fit_body", "task_make_axles"})
        ASSERT_TRUE(GUI_PlacementTools::StartPlacing(task));
    GUI_PlacementTools::CancelAll();
    EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), 2u);
    EXPECT_EQ(GUISlotList::Instance().productionSlots.Size(), 2u);

    // A conveyor piece picked from the menu stays armed, so belts go down one click after another.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_conveyor_right"));
    ClickAt(2, 8);
    ClickAt(2, 9);
    EXPECT_EQ(TaskAt(SlotAt(2, 8)), "task_conveyor_right");
    EXPECT_EQ(TaskAt(SlotAt(2, 9)), "task_conveyor_right");
    EXPECT_TRUE(placer.HasPending());
}

TEST_F(PlacementToolsTest, ImportersAndExportsStandOnTheirSitesFacingTheWallAndConveyorsLeaveTheBay)
{
    GUI_SlotPlacer& placer = GUI_SlotPlacer::Instance();
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_resource_importer"));
    GUI_PlacementTools::RotatePlacers(); // the player's turn does not count for them
    PointAt(2, 5);
    Frame();
    EXPECT_FALSE(placer.IsGhostValid(m_world.Tile(2, 5))); // no import site here
    PointAt(1, 5);
    Frame();
    EXPECT_TRUE(placer.IsGhostValid(m_world.Tile(1, 5)));
    EXPECT_EQ(placer.GetFacing(), 1); // away from the wall at x = 0
    ClickAt(1, 5);
    ASSERT_EQ(TaskAt(SlotAt(1, 5)), "task_resource_importer");
    EXPECT_EQ(SlotAt(1, 5)->GetFacing(), 1);
    EXPECT_NE(SIM_ResourceConveyorManager::Instance().GetImportBayOn(m_world.Tile(1, 5)), nullptr);
    EXPECT_NE(m_world.View(1, 5)->GetConveyorView(), nullptr);

    // An overhead conveyor dragged from the bay along the wall: the bay's own piece is not laid
    // or paid again.
    const float beforeConveyor = Cash();
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_resource_conveyor"));
    DragFromTo(1, 5, 1, 8);
    EXPECT_EQ(GUI_ConveyorPlacer::Instance().GetPath().size(), 4u);
    GUI_PlacementTools::OnLeftUp();
    for (int y = 6; y <= 8; ++y)
        EXPECT_NE(m_world.View(1, y)->GetConveyorView(), nullptr) << y;
    EXPECT_FLOAT_EQ(Cash(), beforeConveyor - 3 * 40.0f);

    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_export"));
    ClickAt(6, 10);
    ASSERT_EQ(TaskAt(SlotAt(6, 10)), "task_export");
    EXPECT_EQ(SlotAt(6, 10)->GetFacing(), 2); // out through the wall at y = 11
}

TEST_F(PlacementToolsTest, ChainPiecesTurnRightOrLeftWithTheDrag)
{
    auto tile = [&](int x, int y) { return m_world.Tile(3 + x, 3 + y); };
    // Each drag turns at tile (1, 1) of a square of nine; directions 0 (x, y-1), 1 (x+1, y), 2 (x, y+1), 3 (x-1, y).
    const struct
    {
        int x0, y0, x2, y2;
        const char* corner;
        int facing;
    } drags[] = {
        {0, 1, 2, 1, "task_conveyor", 1},       // east, straight on
        {0, 1, 1, 2, "task_conveyor_right", 1}, // east, then south
        {0, 1, 1, 0, "task_conveyor_left", 1},  // east, then north
        {1, 2, 0, 1, "task_conveyor_left", 0},  // north, then west
        {1, 0, 0, 1, "task_conveyor_right", 2}, // south, then west
    };
    for (const auto& drag : drags)
    {
        const std::vector<SIM_Tile*> path = {tile(drag.x0, drag.y0), tile(1, 1), tile(drag.x2, drag.y2)};
        std::string task;
        int facing = -1;
        SIM_PlacementQueries::GetChainPiece(path, 1, 1, task, facing);
        EXPECT_EQ(task, drag.corner) << drag.x0 << "," << drag.y0 << " to " << drag.x2 << "," << drag.y2;
        EXPECT_EQ(facing, drag.facing) << drag.x0 << "," << drag.y0 << " to " << drag.x2 << "," << drag.y2;
    }
}

TEST_F(PlacementToolsTest, FacilitiesArePlacedAndTheLastCashSpentEndsTheGame)
{
    GUI_FacilityPlacer& placer = GUI_FacilityPlacer::Instance();
    const float start = Cash();
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("fac_power_plant"));
    PointAt(4, 7);
    Frame();
    EXPECT_TRUE(placer.IsGhostValid(m_world.Tile(4, 7)));
    // Half of the plant would stand in the locked annexe.
    EXPECT_FALSE(placer.IsGhostValid(m_world.Tile(6, 4)));
    ClickAt(4, 7);
    const SIM_PlaceableSlot* plant = SlotAt(4, 7);
    ASSERT_NE(plant, nullptr);
    EXPECT_TRUE(plant->IsFacility());
    for (const auto& at : {std::pair{5, 7}, std::pair{4, 8}, std::pair{5, 8}})
        EXPECT_EQ(SlotAt(at.first, at.second), plant);
    EXPECT_FLOAT_EQ(Cash(), start - 15000.0f);
    EXPECT_FLOAT_EQ(Invested(), 15000.0f);
    // Four tiles or more: the largest of the placement sounds.
    EXPECT_TRUE(Heard(GUI_SoundNames::PlaceSlot(4)));
    EXPECT_FALSE(placer.HasPending());

    // With exactly the cost left the shop is built and the game is over; with nothing left the
    // next click builds nothing.
    SIM_FinanceManager::Instance().RestoreCash(5000.0f);
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_make_axles"));
    ClickAt(3, 3);
    EXPECT_EQ(TaskAt(SlotAt(3, 3)), "task_make_axles");
    EXPECT_FLOAT_EQ(Cash(), 0.0f);
    EXPECT_TRUE(SIM_FinanceManager::Instance().IsGameOver());
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_make_axles"));
    ClickAt(5, 3);
    EXPECT_EQ(SlotAt(5, 3), nullptr);
    EXPECT_FLOAT_EQ(Cash(), 0.0f);
}

TEST_F(PlacementToolsTest, ConveyorChainsAndOverheadConveyorsAreDraggedAndPaidPerTile)
{
    GOptions::Instance().AddFloatIfMissing("OPT_CONVEYOR_GUI", 1.0f);
    const float start = Cash();
    // A chain along row 5: five straight belts carrying cars east.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_conveyor"));
    EXPECT_TRUE(GUI_SlotChainPlacer::Instance().IsArmed());
    DragFromTo(2, 5, 6, 5);
    EXPECT_EQ(GUI_SlotChainPlacer::Instance().GetPath().size(), 5u);
    GUI_PlacementTools::OnLeftUp();
    for (int x = 2; x <= 6; ++x)
    {
        EXPECT_EQ(TaskAt(SlotAt(x, 5)), "task_conveyor") << x;
        EXPECT_EQ(SlotAt(x, 5)->GetFacing(), 1) << x;
    }
    EXPECT_FLOAT_EQ(Cash(), start - 5 * 200.0f);
    EXPECT_FLOAT_EQ(Invested(), 5 * 200.0f);
    EXPECT_TRUE(GUI_SlotChainPlacer::Instance().IsArmed()); // armed for the next chain
    EXPECT_FALSE(GUI_PlacementTools::IsDragging());

    // An overhead conveyor across the chain: the piece over the belt costs double, and the
    // books hold what was paid.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_resource_conveyor"));
    EXPECT_FALSE(GUI_SlotChainPlacer::Instance().IsArmed());
    DragFromTo(4, 4, 4, 6);
    EXPECT_TRUE(GUI_Factory::Instance().GetTools().conveyorMode);
    ASSERT_EQ(GUI_ConveyorPlacer::Instance().GetPath().size(), 3u);
    EXPECT_FLOAT_EQ(GUI_ConveyorPlacer::GetTileCost(m_world.Tile(4, 5)), 80.0f);
    GUI_PlacementTools::OnLeftUp();
    EXPECT_FALSE(GUI_Factory::Instance().GetTools().conveyorMode);
    for (int y = 4; y <= 6; ++y)
        EXPECT_NE(m_world.Tile(4, y)->m_conveyor, nullptr) << y;
    EXPECT_NE(m_world.View(4, 5)->GetConveyorView(), nullptr);
    const float spent = 1000.0f + 40.0f + 80.0f + 40.0f;
    EXPECT_FLOAT_EQ(Cash(), start - spent);
    EXPECT_FLOAT_EQ(Invested(), spent);
    EXPECT_TRUE(Heard(GUI_SoundNames::kSlotPlace));

    // Dragging over the same tiles builds nothing more; a drag into the locked annexe finds no way.
    DragFromTo(4, 4, 4, 6);
    GUI_PlacementTools::OnLeftUp();
    DragFromTo(6, 2, 9, 2);
    EXPECT_TRUE(GUI_ConveyorPlacer::Instance().GetPath().empty());
    GUI_PlacementTools::OnLeftUp();
    EXPECT_EQ(m_world.Tile(6, 2)->m_conveyor, nullptr);
    EXPECT_FLOAT_EQ(Cash(), start - spent);
    // A press in the annexe starts no drag, but the armed tool still takes the click.
    PointAt(8, 8);
    EXPECT_TRUE(GUI_PlacementTools::OnLeftDown());
    EXPECT_FALSE(GUI_PlacementTools::IsDragging());

    // The right button disarms and drops a drag already under way: the release builds nothing.
    DragFromTo(2, 8, 3, 8);
    const float beforeCancel = Cash();
    EXPECT_TRUE(GUI_PlacementTools::OnRightDown());
    EXPECT_FALSE(GUI_ConveyorPlacer::Instance().IsArmed());
    GUI_PlacementTools::OnLeftUp();
    EXPECT_EQ(m_world.Tile(3, 8)->m_conveyor, nullptr);
    EXPECT_FLOAT_EQ(Cash(), beforeCancel);
}

TEST_F(PlacementToolsTest, TheDeleteRowSwitchesDeleteModeOnUntilTheRightButtonOrATask)
{
    ASSERT_NE(m_world.Place("task_make_axles", 3, 3), nullptr);
    ASSERT_NE(m_world.Place("task_make_axles", 6, 3), nullptr);
    GUI_BulldozerTask row;
    row.SetRect(20.0f, 20.0f, 300.0f, 60.0f);
    m_world.input.MoveTo(500.0f, 40.0f);
    EXPECT_FALSE(row.OnClick(500.0f, 40.0f));
    EXPECT_FALSE(GUI_PlacementTools::IsDeleteMode());
    m_world.input.MoveTo(100.0f, 40.0f);
    row.Update();
    EXPECT_EQ(GUI_Cursor::Instance().GetRequested(), GUI_Cursor::HAND);
    EXPECT_TRUE(row.OnClick(100.0f, 40.0f));
    EXPECT_TRUE(row.OnClick(100.0f, 40.0f)); // a second click leaves it on
    EXPECT_TRUE(GUI_PlacementTools::IsDeleteMode());
    EXPECT_TRUE(GUI_Cursor::Instance().IsDeleteMode());
    EXPECT_TRUE(Heard(GUI_SoundNames::kSelect));

    // Each click on the floor sells what stands there, at half its cost, and the mode stays.
    const float before = Cash();
    ClickAt(3, 3);
    EXPECT_EQ(SlotAt(3, 3), nullptr);
    EXPECT_FLOAT_EQ(Cash(), before + 2500.0f);
    // Where a conveyor hangs over a slot, Shift takes the conveyor first and leaves the slot.
    ASSERT_TRUE(m_world.LayConveyor(6, 3));
    PKeyState::SetSource([](uint32_t key) { return key == PVK_SHIFT; });
    ClickAt(6, 3);
    EXPECT_EQ(m_world.Tile(6, 3)->m_conveyor, nullptr);
    EXPECT_NE(SlotAt(6, 3), nullptr);
    PKeyState::SetSource([](uint32_t) { return false; });
    ClickAt(6, 3);
    EXPECT_EQ(SlotAt(6, 3), nullptr);
    EXPECT_TRUE(GUI_PlacementTools::IsDeleteMode());
    // The right button only switches it off and ends there: going on, it would sell what stands
    // under the pointer.
    EXPECT_TRUE(GUI_PlacementTools::OnRightDown());
    EXPECT_FALSE(GUI_PlacementTools::IsDeleteMode());
    EXPECT_FALSE(GUI_Cursor::Instance().IsDeleteMode());
    // Picking a task switches it off too.
    m_world.input.MoveTo(100.0f, 40.0f);
    EXPECT_TRUE(row.OnClick(100.0f, 40.0f));
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_make_axles"));
    EXPECT_FALSE(GUI_PlacementTools::IsDeleteMode());
}

TEST_F(PlacementToolsTest, TheToolsWriteTheFlagsTheirViewHandedThemUntilItTakesThemBack)
{
    GUI_FactoryTools& viewFlags = GUI_Factory::Instance().GetTools();
    GUI_FactoryTools other;
    struct HandBack
    {
        ~HandBack() { GUI_PlacementTools::UseFlags(&GUI_Factory::Instance().GetTools()); }
    } handBack;
    GUI_PlacementTools::UseFlags(&other);
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_resource_conveyor"));
    EXPECT_TRUE(other.conveyorPlacerArmed);
    EXPECT_FALSE(viewFlags.conveyorPlacerArmed);
    GUI_PlacementTools::SetDeleteMode(true);
    EXPECT_TRUE(other.deleteMode);
    EXPECT_FALSE(viewFlags.deleteMode);
    // Only the flags the tools hold are taken back: a view that goes leaves another's alone.
    GUI_PlacementTools::ForgetFlags(viewFlags);
    EXPECT_TRUE(GUI_ConveyorPlacer::Instance().IsArmed());
    GUI_PlacementTools::ForgetFlags(other);
    EXPECT_FALSE(GUI_PlacementTools::IsToolArmed());
    // Without a view's flags no tool arms.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_conveyor"));
    EXPECT_FALSE(GUI_SlotChainPlacer::Instance().IsArmed());
    EXPECT_FALSE(other.slotChainArmed);
    GUI_PlacementTools::SetDeleteMode(false);
}

TEST(PlacementTools, AOneTileChainFacesTheWayTheMouseMoved)
{
    const struct
    {
        float dx, dy;
        int facing;
    } moves[] = {
        {0.0f, 0.0f, 1},    // not moved
        {10.0f, -10.0f, 0}, // up and right on screen: towards (x, y-1)
        {10.0f, 10.0f, 1},  // down and right: (x+1, y)
        {-10.0f, 10.0f, 2}, // down and left: (x, y+1)
        {-10.0f, -10.0f, 3} // up and left: (x-1, y)
    };
    for (const auto& move : moves)
        EXPECT_EQ(GUI_SlotChainPlacer::GetMouseFacing(100.0f, 100.0f, 100.0f + move.dx, 100.0f + move.dy), move.facing)
            << move.dx << "," << move.dy;
}

TEST(PlacementTools, ThePlacementSoundGrowsWithTheSlotUpToFourTiles)
{
    const struct
    {
        int tiles;
        const char* sound;
    } cases[] = {{0, "fv_place_slot_1.ogg"}, {1, "fv_place_slot_1.ogg"}, {3, "fv_place_slot_3.ogg"},
                 {4, "fv_place_slot_4.ogg"}, {5, "fv_place_slot_4.ogg"}, {40, "fv_place_slot_4.ogg"}};
    for (const auto& c : cases)
        EXPECT_EQ(GUI_SoundNames::PlaceSlot(c.tiles), c.sound) << c.tiles;
}
} // namespace

namespace
{
// The pointer over the middle of the tile (the picture test's own; its fixture draws on OpenGL).
void PointPictureAt(FactoryWorld& world, int x, int y)
{
    const SIM_Tile* tile = world.Tile(x, y);
    const FactoryFrameView view = FactoryFrameView::FromCamera();
    world.input.MoveTo(view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY));
}
} // namespace

// What the player sees while building: a body station's ghost in green with its arrows, a power
// plant's ghost in red over a workshop, and an overhead conveyor being dragged.
TEST_F(FactoryPictureTest, PlacementGhostsGreenRedAndADraggedConveyor)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_make_axles", 2, 3), nullptr);
    FactoryWorld::LookAt(m_world.Tile(4, 5), 0.35f);
    GUI_FloatingValue::ResetPool();
    ClearParticleEmitters();
    GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
    m_world.Frame();

    GUI_SlotPlacer::Instance().SetFacing(1);
    GUI_FacilityPlacer::Instance().SetFacing(1);
    GUI_SlotPlacer::Instance().Start(SIM_ProductionTaskManager::Instance().GetTask("task_fit_body"));
    PointPictureAt(m_world, 5, 5);
    GUI_SlotPlacer::Instance().Update();
    GUI_FacilityPlacer::Instance().Start(SIM_FacilityManager::Instance().GetTask("fac_power_plant"));
    PointPictureAt(m_world, 2, 4);
    GUI_FacilityPlacer::Instance().DrawGhost();
    GUI_ConveyorPlacer& conveyor = GUI_ConveyorPlacer::Instance();
    conveyor.Arm();
    PointPictureAt(m_world, 2, 7);
    conveyor.OnLeftDown();
    PointPictureAt(m_world, 5, 8);
    conveyor.Update();
    EXPECT_EQ(conveyor.GetPath().size(), 5u);
    CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/factory/reference/placement_ghosts.png");
    GUI_PlacementTools::Reset();
}
