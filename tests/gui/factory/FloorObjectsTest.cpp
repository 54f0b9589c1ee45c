// What the factory view shows on and over the floor besides the tiles: rising money and counts,
// selling with its refund, the conveyor view's zone floors, the far-zoom icons, the import and
// export doors, overhead conveyor arms and hanging resources.
#include "FactoryViewTestSupport.h"

#include "engine/core/GOptions.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/objects/GUI_PotentialMarker.h"
#include "gui/factory/objects/GUI_ResourceConveyor.h"
#include "gui/factory/objects/GUI_ResourceObject.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/factory/zoomout/GUI_ZoomOutSlot.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PWindowMessage.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace
{
float Cash()
{
    return SIM_FinanceManager::Instance().GetCash();
}

float CostOf(const char* task)
{
    return SIM_ProductionTaskManager::Instance().GetTask(task)->m_constructionCost;
}

// The floating value spawned last (the highest active entry).
const GUI_FloatingValue* LastValue()
{
    for (int i = GUI_FloatingValue::GetCount() - 1; i >= 0; --i)
        if (GUI_FloatingValue::Get(i).IsActive())
            return &GUI_FloatingValue::Get(i);
    return nullptr;
}
} // namespace

TEST_F(FactoryViewTest, FloatingValuesRiseFadeAndRetireOnScheduleAndThePoolHoldsTwoHundred)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    FactoryWorld::LookAt(m_world.Tile(5, 5), 1.0f);
    GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, 100.0f, 1000.0f, 1234.0f);
    GUI_FloatingValue::Spawn("icon_steel_sheet.dds", 100.0f, 1000.0f, 12.7f);
    const GUI_FloatingValue& money = GUI_FloatingValue::Get(0);
    const GUI_FloatingValue& count = GUI_FloatingValue::Get(1);
    EXPECT_EQ(money.GetText(), "$ 1,234");
    EXPECT_FALSE(money.IsPlainNumber());
    EXPECT_EQ(count.GetText(), "12");
    EXPECT_TRUE(count.IsPlainNumber());

    struct Step
    {
        int frame;
        int alpha;
        bool active;
    };
    // Full (200) for 165 frames of 12, then falling to 0 over 1020, gone after 3000.
    const Step schedule[] = {{1, 200, true}, {165, 200, true}, {166, 197, true}, {250, 0, true}, {251, 0, false}};
    int frame = 0;
    for (const Step& step : schedule)
    {
        while (frame < step.frame)
        {
            GUI_FloatingValue::DrawAll();
            ++frame;
        }
        EXPECT_EQ(money.IsActive(), step.active) << "frame " << step.frame;
        if (step.active)
        {
            EXPECT_EQ(money.GetLastAlpha(), step.alpha) << "frame " << step.frame;
        }
    }
    EXPECT_FLOAT_EQ(money.GetWorldY(), 1000.0f - 5.0f * 251.0f);

    // Speed 4 rises 20 a frame, a paused game 5; below zoom 0.25 a value ages unseen, between
    // 0.25 and 0.375 it is fainter.
    GUI_FloatingValue::ResetPool();
    GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, 0.0f, 0.0f, 5.0f);
    SIM_Game::Instance().SetSpeed(4.0f);
    GUI_FloatingValue::DrawAll();
    EXPECT_FLOAT_EQ(GUI_FloatingValue::Get(0).GetWorldY(), -20.0f);
    SIM_Game::Instance().SetSpeed(0.0f);
    GUI_FloatingValue::DrawAll();
    EXPECT_FLOAT_EQ(GUI_FloatingValue::Get(0).GetWorldY(), -25.0f);
    SIM_Game::Instance().SetSpeed(1.0f);
    GUI_Camera::Instance().SetZoom(0.3f);
    GUI_FloatingValue::DrawAll();
    EXPECT_EQ(GUI_FloatingValue::Get(0).GetLastAlpha(), 80);
    GUI_Camera::Instance().SetZoom(0.2f);
    for (int i = 0; i < 300; ++i)
        GUI_FloatingValue::DrawAll();
    EXPECT_TRUE(GUI_FloatingValue::Get(0).IsActive());
    EXPECT_GT(GUI_FloatingValue::Get(0).GetAge(), 3000.0f);
    GUI_Camera::Instance().SetZoom(1.0f);
    GUI_FloatingValue::DrawAll();
    EXPECT_FALSE(GUI_FloatingValue::Get(0).IsActive());

    // A full pool drops what comes next and changes nothing.
    GUI_FloatingValue::ResetPool();
    for (int i = 0; i < GUI_FloatingValue::kPoolSize + 5; ++i)
        GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, static_cast<float>(i), 0.0f, 1.0f);
    EXPECT_EQ(GUI_FloatingValue::GetActiveCount(), GUI_FloatingValue::kPoolSize);
    EXPECT_EQ(GUI_FloatingValue::GetCount(), GUI_FloatingValue::kPoolSize);
    EXPECT_FLOAT_EQ(GUI_FloatingValue::Get(GUI_FloatingValue::kPoolSize - 1).GetWorldX(), 199.0f);
}

TEST_F(FactoryViewTest, SellingPaysBackTheRefundShareOnceAndShowsIt)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    const float share = SIM_SimConfig::GetFloat("SLOT_REFUND_PERCENTAGE");
    ASSERT_GT(share, 0.0f);
    GUI_Factory& view = GUI_Factory::Instance();

    // A slot sold from a tile other than its anchor: the refund share of its cost, rising from
    // the tile the player clicked.
    ASSERT_NE(m_world.Place("task_make_axles", 3, 3), nullptr);
    ASSERT_EQ(m_world.Tile(3, 4)->m_occupant, m_world.Tile(3, 3)->m_occupant);
    float before = Cash();
    GUI_FloatingValue::ResetPool();
    view.RemoveAtTile(m_world.Tile(3, 4));
    EXPECT_FLOAT_EQ(Cash() - before, share * CostOf("task_make_axles"));
    EXPECT_EQ(m_world.Tile(3, 3)->m_occupant, nullptr);
    ASSERT_NE(LastValue(), nullptr);
    EXPECT_EQ(LastValue()->GetText(), SIM_FinanceManager::FormatMoney(share * CostOf("task_make_axles")));
    EXPECT_FLOAT_EQ(LastValue()->GetWorldX(), m_world.Tile(3, 4)->m_worldX);
    EXPECT_FLOAT_EQ(LastValue()->GetWorldY(), m_world.Tile(3, 4)->m_worldY);

    // Empty floor: nothing happens, the click is taken.
    before = Cash();
    FactoryWorld::LookAt(m_world.Tile(4, 4), 1.0f);
    m_world.input.MoveTo(400.0f, 300.0f);
    EXPECT_TRUE(view.OnRightClick(400.0f, 300.0f));
    EXPECT_FLOAT_EQ(Cash(), before);

    // An import bay with its conveyor piece and importer: all three go for one refund, with or
    // without Shift, so nothing is left to be sold a second time.
    for (bool shift : {false, true})
    {
        SCOPED_TRACE(shift ? "with Shift" : "without Shift");
        PKeyState::SetSource([shift](uint32_t key) { return shift && key == PVK_SHIFT; });
        ASSERT_NE(m_world.Place("task_resource_importer", 1, 5), nullptr);
        SIM_Tile* bay = m_world.Tile(1, 5);
        ASSERT_NE(bay->m_conveyor, nullptr);
        ASSERT_NE(SIM_ResourceConveyorManager::Instance().GetImportBayOn(bay), nullptr);
        before = Cash();
        view.RemoveAtTile(bay);
        EXPECT_FLOAT_EQ(Cash() - before, share * CostOf("task_resource_importer"));
        EXPECT_EQ(bay->m_occupant, nullptr);
        EXPECT_EQ(bay->m_conveyor, nullptr);
        EXPECT_EQ(SIM_ResourceConveyorManager::Instance().GetImportBayOn(bay), nullptr);
        EXPECT_EQ(m_world.View(1, 5)->GetConveyorView(), nullptr);
        before = Cash();
        view.RemoveAtTile(bay);
        EXPECT_FLOAT_EQ(Cash(), before);
    }

    // A conveyor under a slot goes only with Shift; without it the slot is sold.
    PKeyState::SetSource([](uint32_t) { return false; });
    ASSERT_NE(m_world.Place("task_make_axles", 3, 3), nullptr);
    ASSERT_TRUE(m_world.LayConveyor(3, 3));
    view.RemoveAtTile(m_world.Tile(3, 3));
    EXPECT_EQ(m_world.Tile(3, 3)->m_occupant, nullptr);
    EXPECT_NE(m_world.Tile(3, 3)->m_conveyor, nullptr);
}

TEST_F(FactoryViewTest, ConveyorViewKeepsOneFloorPicturePerZone)
{
    ASSERT_TRUE(m_world.StartGame("view_wide"));
    GUI_Factory& view = GUI_Factory::Instance();
    view.GetTools().conveyorMode = true;
    FactoryWorld::LookAt(m_world.Tile(6, 3), 0.25f);
    const SIM_Mission* mission = SIM_Game::Instance().GetMission();
    std::vector<std::string> first;
    for (int frame = 0; frame < 6; ++frame)
    {
        m_world.Frame();
        for (size_t z = 0; z < mission->m_zones.size(); ++z)
        {
            const SIM_BuildingZone* zone = mission->m_zones[z].get();
            const std::string& texture = view.GetConveyorModeTexture(zone);
            EXPECT_NE(std::find(zone->m_floorTextures.begin(), zone->m_floorTextures.end(), texture),
                      zone->m_floorTextures.end());
            if (frame == 0)
                first.push_back(texture);
            else
                EXPECT_EQ(texture, first[z]) << "frame " << frame;
        }
    }
}

TEST_F(FactoryViewTest, FarZoomIconsFadeInBelowAQuarterAndConveyorsHaveNone)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionSlot* shop = m_world.Place("task_make_axles", 3, 4);
    SIM_ProductionSlot* conveyor = m_world.Place("task_conveyor", 5, 5);
    ASSERT_NE(shop, nullptr);
    ASSERT_NE(conveyor, nullptr);
    EXPECT_NE(static_cast<GUI_SlotBase*>(shop->GetGuiSlot())->GetZoomOutIcon(), nullptr);
    EXPECT_EQ(static_cast<GUI_SlotBase*>(conveyor->GetGuiSlot())->GetZoomOutIcon(), nullptr);
    GUI_ZoomOutSlot* icon = static_cast<GUI_SlotBase*>(shop->GetGuiSlot())->GetZoomOutIcon();
    struct Case
    {
        float zoom;
        int tileAlpha, iconAlpha; // -1: nothing drawn
    };
    const Case cases[] = {{0.26f, -1, -1}, {0.25f, 112, 127}, {0.2f, 157, 178}, {0.125f, 225, 255}, {0.05f, 225, 255}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.zoom);
        FactoryWorld::LookAt(m_world.Tile(3, 4), c.zoom);
        m_rec->Clear();
        GUI_ZoomOutIcons::Instance().Draw();
        int tiles = 0, icons = 0;
        for (const PRecordingDraw& draw : m_rec->draws)
            for (size_t i = 0; i < draw.vertices.size(); i += 6)
            {
                const uint32_t colour = draw.vertices[i].colour;
                if ((colour & 0xFFFFFF) == 0xFFFFFF)
                {
                    ++icons;
                    EXPECT_EQ(static_cast<int>(colour >> 24), c.iconAlpha);
                }
                else
                {
                    ++tiles;
                    EXPECT_EQ(static_cast<int>(colour >> 24), c.tileAlpha);
                    EXPECT_EQ(colour & 0xFFFFFF,
                              static_cast<uint32_t>(icon->GetRed() << 16 | icon->GetGreen() << 8 | icon->GetBlue()));
                }
            }
        EXPECT_EQ(tiles, c.tileAlpha < 0 ? 0 : 3);
        EXPECT_EQ(icons, c.iconAlpha < 0 ? 0 : 1);
    }
}

TEST_F(FactoryViewTest, SiteDoorsFaceTheOutsideAndFadeWhileTheirZoneIsLocked)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    GUI_Factory& view = GUI_Factory::Instance();
    ASSERT_EQ(view.GetImportMarkers().size(), 2u);
    ASSERT_EQ(view.GetExportMarkers().size(), 2u);
    // Sides are looked at in the order 1, 0, 3, 2 and the last outside one wins: the corner site
    // at (1, 1) has the outside at sides 0 and 3 and takes the north-west door.
    EXPECT_EQ(view.GetImportMarkers()[0]->GetTextureName(), "wall1_NW_import.dds");
    EXPECT_EQ(view.GetImportMarkers()[1]->GetTextureName(), "wall1_NW_import.dds");
    EXPECT_EQ(view.GetExportMarkers()[0]->GetTextureName(), "wall1_SW_export.dds");
    EXPECT_EQ(view.GetExportMarkers()[1]->GetTextureName(), "wall2_SE_export.dds");
    EXPECT_EQ(view.GetExportMarkers()[1]->GetDepth(), 10.0f);
    const GUI_PotentialMarker& annexe = *view.GetExportMarkers()[1];
    EXPECT_EQ(annexe.GetMarker().m_sprite.m_vertices[0].colour, 0x40FFFFFFu);
    SIM_Game::Instance().GetMission()->GetZoneByName("Annexe")->Unlock(SIM_Game::Instance().GetFactory(), true);
    EXPECT_EQ(annexe.GetMarker().m_sprite.m_vertices[0].colour, 0xFFFFFFFFu);
}

TEST_F(FactoryViewTest, ASiteAClippedZoneClosesInHasNoDoorAndTheClipIsItsOneLine)
{
    // The hall reaches one column past the floor's edge: cut back to the floor, it closes in the
    // site at (3, 1), whose door looked out over that column.
    m_files.Write("missions/view_clipped.txt",
                  "[config]\nname = view_clipped\nworldx = 12\nworldy = 12\nstarting_cash = 250000\n\n"
                  "[zone0]\nleft = -1\ntop = 1\nright = 10\nbottom = 6\nGUIName = Hall\nrent = 1\nwallid = 1\n"
                  "type = UNLOCKED\nfloortextures = floor_concrete_01.dds\n\n"
                  "[imports]\n0 = 3,1\n1 = 1,5\n\n[exports]\n0 = 6,10\n");
    FreshState::EndGame();
    SIM_MissionManager& missions = SIM_MissionManager::Instance();
    missions.Unload();
    missions.Load(m_files.Path("missions/*.txt").c_str());
    SIM_Mission* mission = missions.GetMission("view_clipped");
    ASSERT_NE(mission, nullptr);
    ASSERT_TRUE(SIM_Game::Instance().InitSimulation(mission));
    GUI_Factory& view = GUI_Factory::Instance();
    ASSERT_EQ(view.GetImportMarkers().size(), 2u);
    EXPECT_EQ(view.GetImportMarkers()[0]->GetTextureName(), "");
    EXPECT_EQ(view.GetImportMarkers()[1]->GetTextureName(), "wall1_NW_import.dds");
    FactoryWorld::LookAt(m_world.Tile(3, 1), 1.0f);
    m_world.Frame();
    m_world.Frame();

    const std::string errors = ErrorLog();
    EXPECT_EQ(errors.find("Assertion failure"), std::string::npos) << errors;
    const std::string clipped = "zone [zone0] \"Hall\" reaches off the 12 x 12 floor";
    const size_t line = errors.find(clipped);
    ASSERT_NE(line, std::string::npos) << errors;
    EXPECT_EQ(errors.find(clipped, line + 1), std::string::npos) << "the game's start read the zones again:\n"
                                                                 << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST_F(FactoryViewTest, ConveyorArmsFollowTheirSidesAndOnlyHangingResourcesShow)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    // Over a stockpile the arms end in a drop.
    SIM_ProductionSlot* shop = m_world.Place("task_make_axles", 4, 4);
    ASSERT_NE(shop, nullptr);
    ASSERT_TRUE(m_world.LayConveyor(4, 5));
    ASSERT_TRUE(m_world.LayConveyor(2, 2));
    SIM_Placement::ConveyorsChanged();
    const GUI_ResourceConveyor* drop = m_world.View(4, 5)->GetConveyorView();
    const GUI_ResourceConveyor* plain = m_world.View(2, 2)->GetConveyorView();
    ASSERT_NE(drop, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(drop->GetPiece(1)->GetSprite().m_sprite.m_texture.GetName(), "overhead1.dds");
    EXPECT_EQ(plain->GetPiece(1)->GetSprite().m_sprite.m_texture.GetName(), "overhead1.dds");
    EXPECT_NE(drop->GetPiece(1)->GetSprite().m_sprite.m_vertices[0].u,
              plain->GetPiece(1)->GetSprite().m_sprite.m_vertices[0].u);

    // Only the arms of the connected sides are queued.
    SIM_ResourceConveyor* piece = m_world.Tile(2, 2)->m_conveyor;
    const uint8_t sides[4] = {0, 1, 0, 0};
    std::copy(std::begin(sides), std::end(sides), piece->m_sides);
    FactoryWorld::LookAt(m_world.Tile(2, 2), 1.0f);
    m_world.Frame();
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    GUI_ResourceConveyor* arms = m_world.View(2, 2)->GetConveyorView();
    std::vector<IsometricDrawQueue::Staged> staged;
    arms->PreDraw(GUI_Factory::Instance().GetFrameView(), m_world.View(2, 2)->GetScreenX(),
                  m_world.View(2, 2)->GetScreenY(), staged);
    queue.AppendStaged(staged.data(), staged.size());
    ASSERT_EQ(queue.GetCount(), 1u);
    EXPECT_EQ(queue.GetObjects()[0], &arms->GetPiece(1)->GetSprite());
    queue.Clear();

    // A resource hangs (and shows) only while travelling.
    const SIM_Tile* tile = m_world.Tile(2, 2);
    SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
    object->Init(SIM_ResourceManager::Instance().GetResource("steel_sheet"), nullptr, tile->m_worldX, tile->m_worldY);
    const FactoryFrameView frame = GUI_Factory::Instance().GetFrameView();
    EXPECT_EQ(DrawResourceObjects(frame, IsometricDrawQueue::Instance().Quads()), 0);
    object->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
    EXPECT_EQ(DrawResourceObjects(frame, IsometricDrawQueue::Instance().Quads()), 1);
    object->m_state = SIM_ResourceObject::STATE_DELIVERED;
    EXPECT_EQ(DrawResourceObjects(frame, IsometricDrawQueue::Instance().Quads()), 0);

    // Views that go, in any order (a game's end deletes thousands), leave the others drawn in the
    // order they were made: made along the row from left to right, their hooks still come out
    // from left to right.
    std::vector<std::unique_ptr<SIM_ResourceObject>> row;
    std::vector<std::unique_ptr<GUI_ResourceObject>> views;
    for (int i = 0; i < 9; ++i)
    {
        row.push_back(std::make_unique<SIM_ResourceObject>());
        row.back()->m_resource = SIM_ResourceManager::Instance().GetResource("steel_sheet");
        row.back()->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
        row.back()->m_x = tile->m_worldX + 30.0f * static_cast<float>(i);
        row.back()->m_y = tile->m_worldY;
        views.push_back(std::make_unique<GUI_ResourceObject>(*row.back()));
    }
    for (int gone : {4, 0, 7, 5, 8, 1})
        views[static_cast<size_t>(gone)].reset();
    m_rec->draws.clear();
    ASSERT_EQ(DrawResourceObjects(frame, IsometricDrawQueue::Instance().Quads()), 3);
    ASSERT_FALSE(m_rec->draws.empty());
    const std::vector<PVertex>& hooks = m_rec->draws.front().vertices;
    ASSERT_EQ(hooks.size(), 3u * 6u);
    EXPECT_LT(hooks[0].x, hooks[6].x);
    EXPECT_LT(hooks[6].x, hooks[12].x);
    views.clear();
    EXPECT_EQ(DrawResourceObjects(frame, IsometricDrawQueue::Instance().Quads()), 0);
}

// The arms of a whole floor are placed from what each picture shares; at every zoom, down to the
// smallest, and at camera positions between pixels, they must come out exactly where each arm's
// own sprite would put them, with the same pictures, depth and screen test.
TEST_F(FactoryViewTest, SharedArmPlacingMatchesEachArmsOwnSpriteAtEveryZoom)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_make_axles", 4, 4), nullptr);
    ASSERT_TRUE(m_world.LayConveyor(4, 5)); // over the stockpile: the drop pictures
    ASSERT_TRUE(m_world.LayConveyor(2, 2));
    ASSERT_TRUE(m_world.LayConveyor(9, 1));
    SIM_Placement::ConveyorsChanged();
    const int conveyors[3][2] = {{4, 5}, {2, 2}, {9, 1}};
    for (const auto& at : conveyors)
        std::fill(std::begin(m_world.Tile(at[0], at[1])->m_conveyor->m_sides),
                  std::end(m_world.Tile(at[0], at[1])->m_conveyor->m_sides), uint8_t{1});
    FactoryWorld::LookAt(m_world.Tile(5, 5), 1.0f);
    m_world.Frame();
    FactoryFrameView view = GUI_Factory::Instance().GetFrameView();
    const float middleX = view.cameraX, middleY = view.cameraY;
    int compared = 0, offScreen = 0;
    for (float zoom : {1.0f, 0.5f, 0.25f, 0.13f, 0.07f, 0.033f, 0.01f})
        for (float shift : {0.0f, 0.37f, 113.9f, 2900.0f})
        {
            view.zoom = zoom;
            view.cameraX = middleX + shift;
            view.cameraY = middleY - shift * 0.61f;
            GUI_ResourceConveyor::PrepareFrame(view);
            for (const auto& at : conveyors)
            {
                const SIM_Tile* tile = m_world.Tile(at[0], at[1]);
                GUI_ResourceConveyor* arms = m_world.View(at[0], at[1])->GetConveyorView();
                ASSERT_NE(arms, nullptr);
                const float x = view.ToScreenX(tile->m_worldX), y = view.ToScreenY(tile->m_worldY);
                std::vector<IsometricDrawQueue::Staged> shared, own;
                arms->PreDraw(view, x, y, shared);
                for (int side = 0; side < 4; ++side)
                {
                    arms->GetPiece(side)->PreDrawAt(view, x, y);
                    arms->GetPiece(side)->StageDraw(own);
                }
                ASSERT_EQ(shared.size(), own.size()) << "zoom " << zoom << " shift " << shift;
                offScreen += 4 - static_cast<int>(own.size());
                for (size_t i = 0; i < own.size(); ++i)
                {
                    const IsometricDrawQueue::Staged& a = shared[i];
                    const IsometricDrawQueue::Staged& b = own[i];
                    EXPECT_EQ(a.object, b.object);
                    EXPECT_EQ(a.key, b.key);
                    EXPECT_EQ(a.selfDrawn, b.selfDrawn);
                    EXPECT_EQ(a.place, b.place);
                    EXPECT_EQ(a.box.texture, b.box.texture);
                    EXPECT_EQ(a.box.left, b.box.left);
                    EXPECT_EQ(a.box.top, b.box.top);
                    EXPECT_EQ(a.box.right, b.box.right);
                    EXPECT_EQ(a.box.bottom, b.box.bottom);
                    PVertex sharedCorners[4], ownCorners[4];
                    IsometricDrawQueue::Corners(a, sharedCorners);
                    IsometricDrawQueue::Corners(b, ownCorners);
                    for (int k = 0; k < 4; ++k)
                    {
                        const PVertex& p = sharedCorners[k];
                        const PVertex& q = ownCorners[k];
                        EXPECT_TRUE(p.x == q.x && p.y == q.y && p.z == q.z && p.rhw == q.rhw && p.colour == q.colour &&
                                    p.u == q.u && p.v == q.v)
                            << "zoom " << zoom << " shift " << shift << " corner " << k;
                    }
                    ++compared;
                }
            }
        }
    // Both kinds of picture were seen on screen, and some arms left it.
    EXPECT_GT(compared, 200);
    EXPECT_GT(offScreen, 0);
}

TEST_F(FactoryViewTest, AmbienceFollowsTheZoomAndThePlayersVolumes)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    GOptions& options = GOptions::Instance();
    options.SetFloat("OPTIONS_MASTERVOLUME", 0.5f);
    options.SetFloat("OPTIONS_SFX", 0.8f);
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    sounds.ApplyVolumes();
    GUI_Factory& view = GUI_Factory::Instance();
    GUI_Camera& camera = GUI_Camera::Instance();
    auto volume = [&]() {
        PSoundState state;
        EXPECT_TRUE(sounds.GetDevice().GetSoundState(view.GetAmbience(), state));
        return state.volume;
    };
    view.StartAmbience();
    ASSERT_TRUE(view.GetAmbience().IsValid());
    // A tenth of master x effects fully zoomed in, a quarter of that fully out.
    camera.SetZoom(camera.GetMaxZoom());
    view.UpdateSounds();
    EXPECT_NEAR(volume(), 0.5f * 0.8f * 0.1f, 1e-6f);
    camera.SetZoom(camera.GetMinZoom());
    view.UpdateSounds();
    EXPECT_NEAR(volume(), 0.5f * 0.8f * 0.1f * 0.25f, 1e-6f);
    // A floor too small to zoom counts as zoomed in; master volume 0 silences the hall.
    camera.ComputeMinZoom(1, 1);
    ASSERT_EQ(camera.GetMinZoom(), camera.GetMaxZoom());
    view.UpdateSounds();
    EXPECT_NEAR(volume(), 0.5f * 0.8f * 0.1f, 1e-6f);
    options.SetFloat("OPTIONS_MASTERVOLUME", 0.0f);
    sounds.ApplyVolumes();
    view.UpdateSounds();
    EXPECT_EQ(volume(), 0.0f);
    // Muted, a new game's hall stays silent.
    view.Clear();
    sounds.SetMuted(true);
    view.StartAmbience();
    EXPECT_FALSE(view.GetAmbience().IsValid());
    sounds.SetMuted(false);
    options.SetFloat("OPTIONS_MASTERVOLUME", 1.0f);
    options.SetFloat("OPTIONS_SFX", 1.0f);
    sounds.ApplyVolumes();
}
