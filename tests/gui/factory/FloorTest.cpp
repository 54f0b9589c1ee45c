// The floor of the factory view: which tiles a frame transforms and draws, where the mouse hits,
// the back walls, tints of outside and locked tiles, and the outline of a hovered slot.
#include "FactoryViewTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/factory/floor/FloorTileBatch.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/floor/GUI_TileWall.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "sim/SIM_Game.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"

#include <set>
#include <utility>

// What the tile jobs of the last frame read of each tile.
class GUI_FactoryTestAccess
{
public:
    static const FloorCell& Cell(int x, int y)
    {
        const FloorGrid& grid = GUI_Factory::Instance().m_grid;
        return *grid.CellAt(static_cast<size_t>(x) * static_cast<size_t>(grid.Height()) + static_cast<size_t>(y));
    }
    static const FloorArms& Arms(int x, int y)
    {
        const FloorGrid& grid = GUI_Factory::Instance().m_grid;
        return *grid.ArmsAt(static_cast<size_t>(x) * static_cast<size_t>(grid.Height()) + static_cast<size_t>(y));
    }
};

namespace
{
// The on-screen rule of a floor tile, checked the slow way: its 512 x 256 quad meets the screen,
// with 256 pixels of slack below.
bool OnScreenByHand(const SIM_Tile& tile)
{
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float z = camera.GetZoom();
    const float x = camera.WorldToScreenX(tile.m_worldX), y = camera.WorldToScreenY(tile.m_worldY);
    const float w = static_cast<float>(GScreenSize::Width()), h = static_cast<float>(GScreenSize::Height());
    return !(x + 256.0f * z < 0.0f || x - 256.0f * z > w || y + 128.0f * z < 0.0f || y - 128.0f * z > h + 256.0f);
}

uint32_t Alpha(uint32_t colour)
{
    return colour >> 24;
}

uint32_t Grey(uint32_t colour)
{
    return colour & 0xFF;
}
} // namespace

TEST_F(FactoryViewTest, EveryTileOnScreenAndNoOtherIsTransformedOnSquareAndOblongFloors)
{
    struct Case
    {
        const char* mission;
        float zoom;
        int tileX, tileY;
        float dx, dy;
    };
    // Tile counts that are no multiple of four, wider and higher floors, cameras off the floor.
    const Case cases[] = {
        {"view_hall", 1.0f, 6, 6, 0.0f, 0.0f},     {"view_hall", 0.25f, 0, 0, 0.0f, 0.0f},
        {"view_hall", 0.5f, 11, 11, 300.0f, 0.0f}, {"view_wide", 1.0f, 12, 0, 0.0f, 0.0f},
        {"view_wide", 0.125f, 6, 3, 0.0f, 0.0f},   {"view_wide", 0.7f, 0, 6, -900.0f, 400.0f},
        {"view_tall", 1.0f, 0, 12, 0.0f, 0.0f},    {"view_tall", 0.3f, 3, 6, 0.0f, 0.0f},
        {"view_tall", 2.0f, 6, 0, 0.0f, 0.0f},     {"view_tall", 0.5f, 3, 6, 5000.0f, 0.0f},
    };
    std::string current;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.mission) + " zoom " + std::to_string(c.zoom));
        if (current != c.mission)
        {
            ASSERT_TRUE(m_world.StartGame(c.mission));
            current = c.mission;
        }
        const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
        FactoryWorld::LookAt(m_world.Tile(c.tileX, c.tileY), c.zoom);
        GUI_Camera& camera = GUI_Camera::Instance();
        camera.SetPosition(camera.GetX() + c.dx, camera.GetY() + c.dy);
        m_world.Frame();
        std::set<std::pair<int, int>> drawn;
        GUI_Factory::Instance().ForEachVisibleTile(
            [&](GUI_Tile& tile) { drawn.emplace(tile.GetSimTile()->m_gridX, tile.GetSimTile()->m_gridY); });
        std::set<std::pair<int, int>> expected;
        for (int x = 0; x < factory->GetWidth(); ++x)
            for (int y = 0; y < factory->GetHeight(); ++y)
            {
                const SIM_Tile* tile = factory->GetTile(x, y);
                if (OnScreenByHand(*tile))
                    expected.emplace(x, y);
                EXPECT_EQ(m_world.View(x, y)->IsOnScreen(), OnScreenByHand(*tile)) << x << "," << y;
            }
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(GUI_Factory::Instance().GetStats().visibleTiles, static_cast<int>(expected.size()));
    }
}

TEST_F(FactoryViewTest, MouseHitsTheDiamondOnItsCentreLineButNotInTheCornersOfItsBox)
{
    ASSERT_TRUE(m_world.StartGame("view_wide"));
    FactoryWorld::LookAt(m_world.Tile(4, 3), 1.0f);
    m_world.Frame();
    const GUI_Tile* tile = m_world.View(4, 3);
    ASSERT_TRUE(tile->IsOnScreen());
    const float x = tile->GetScreenX(), y = tile->GetScreenY();
    struct Probe
    {
        float dx, dy;
        bool over;
    };
    const Probe probes[] = {
        {0.0f, 0.0f, true},        {-250.0f, 0.0f, true},    {250.0f, 0.0f, true},     // centre line
        {0.0f, -120.0f, true},     {0.0f, 120.0f, true},     {-100.0f, 40.0f, true},   // inside
        {-240.0f, -100.0f, false}, {240.0f, -100.0f, false}, {-240.0f, 100.0f, false}, // corners
        {240.0f, 100.0f, false},   {-260.0f, 0.0f, false},   {0.0f, 130.0f, false},    // outside the box
    };
    for (const Probe& p : probes)
        EXPECT_EQ(tile->IsMouseOver(x + p.dx, y + p.dy), p.over) << p.dx << "," << p.dy;
    // The tile under the mouse is the one the view hands to clicks.
    m_world.input.MoveTo(x - 200.0f, y + 10.0f);
    EXPECT_EQ(GUI_Factory::Instance().GetTileUnderMouse(), m_world.Tile(4, 3));
    // Far off the floor nothing is under the mouse, not the nearest edge tile.
    FactoryWorld::LookAt(m_world.Tile(0, 0), 1.0f);
    GUI_Camera::Instance().SetPosition(-5000.0f, -5000.0f);
    EXPECT_EQ(GUI_Factory::Instance().GetTileUnderMouse(), nullptr);
}

TEST_F(FactoryViewTest, WallsStandOnlyOnTheBackEdgesOfTheHall)
{
    for (const char* mission : {"view_wide", "view_tall"})
    {
        SCOPED_TRACE(mission);
        ASSERT_TRUE(m_world.StartGame(mission));
        const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
        for (int x = 0; x < factory->GetWidth(); ++x)
        {
            for (int y = 0; y < factory->GetHeight(); ++y)
            {
                const GUI_Tile* tile = m_world.View(x, y);
                EXPECT_EQ(tile->GetWall(3) != nullptr, x == 0) << x << "," << y;
                EXPECT_EQ(tile->GetWall(0) != nullptr, y == 0) << x << "," << y;
                EXPECT_EQ(tile->GetWall(1), nullptr);
                EXPECT_EQ(tile->GetWall(2), nullptr);
                if (const GUI_TileWall* wall = tile->GetWall(3))
                {
                    EXPECT_EQ(wall->GetDepth(), static_cast<float>(std::max(x, y)));
                }
            }
        }
    }
}

TEST_F(FactoryViewTest, OutsideTilesAreDarkAndLockedOnesFaintUntilBought)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    // The ring outside the zones: dark grey, the plain floor, no walls.
    for (int i = 0; i < 12; ++i)
    {
        for (const GUI_Tile* tile : {m_world.View(0, i), m_world.View(11, i), m_world.View(i, 0), m_world.View(i, 11)})
        {
            EXPECT_GE(Grey(tile->GetFloorColour()), 40u);
            EXPECT_LE(Grey(tile->GetFloorColour()), 47u);
            EXPECT_EQ(Alpha(tile->GetFloorColour()), 255u);
            EXPECT_EQ(tile->GetFloorTextureName(), "floor_plain_01.dds");
            EXPECT_EQ(tile->GetWall(0), nullptr);
            EXPECT_EQ(tile->GetWall(3), nullptr);
        }
    }
    // The bought hall: light grey, its own floor, walls where it meets the ring at the back.
    const GUI_Tile* corner = m_world.View(1, 1);
    EXPECT_GE(Grey(corner->GetFloorColour()), 245u);
    EXPECT_LE(Grey(corner->GetFloorColour()), 254u);
    EXPECT_EQ(corner->GetFloorTextureName(), "floor_concrete_01.dds");
    EXPECT_NE(corner->GetWall(0), nullptr);
    EXPECT_NE(corner->GetWall(3), nullptr);
    EXPECT_EQ(m_world.View(3, 3)->GetWall(0), nullptr);
    // The locked annexe: its floor and walls at alpha 64 until the zone is bought.
    GUI_Tile* annexe = m_world.View(8, 1);
    EXPECT_EQ(Alpha(annexe->GetFloorColour()), 64u);
    ASSERT_NE(annexe->GetWall(0), nullptr);
    EXPECT_EQ(annexe->GetWall(0)->GetSprite().m_sprite.m_vertices[0].colour, 0x40FFFFFFu);
    SIM_Game::Instance().GetMission()->GetZoneByName("Annexe")->Unlock(SIM_Game::Instance().GetFactory(), true);
    EXPECT_EQ(Alpha(annexe->GetFloorColour()), 255u);
    EXPECT_EQ(annexe->GetWall(0)->GetSprite().m_sprite.m_vertices[0].colour, 0xFFFFFFFFu);
}

TEST_F(FactoryViewTest, HoveringATwoTileFacilityOutlinesItsSixOuterEdges)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.PlaceFacility("fac_research_office", 3, 3), nullptr);
    FactoryWorld::LookAt(m_world.Tile(3, 3), 1.0f);
    m_world.Frame();
    const GUI_Tile* tile = m_world.View(3, 3);
    m_world.input.MoveTo(tile->GetScreenX(), tile->GetScreenY());
    m_world.input.Update();
    GUI_Factory::Instance().Update();
    ASSERT_TRUE(m_world.View(3, 3)->IsOutlineRequested());
    ASSERT_TRUE(m_world.View(4, 3)->IsOutlineRequested());
    m_rec->Clear();
    GUI_Factory::Instance().Draw();
    // Outline edges are immediate red lines four pixels wide: the shared edge is left out.
    int lines = 0;
    for (const PRecordingDraw& draw : m_rec->draws)
        if (!draw.indexed && draw.texture == 0 && draw.vertices.size() == 4 && draw.vertices[0].colour == 0xFFFF0505u)
            ++lines;
    EXPECT_EQ(lines, 6);
    EXPECT_FALSE(m_world.View(3, 3)->IsOutlineRequested());

    // A new game with the office in the same place, the view elsewhere: the pointer rests where
    // the office stood in the last game's picture, but nothing of this floor is drawn yet.
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.PlaceFacility("fac_research_office", 3, 3), nullptr);
    FactoryWorld::LookAt(m_world.Tile(8, 8), 0.5f);
    m_world.input.Update();
    GUI_Factory::Instance().Update();
    EXPECT_FALSE(m_world.View(3, 3)->IsOutlineRequested());
}

// The tile jobs read each tile only through a small cell beside it, and a tile with nothing over its
// floor but conveyor arms not at all: whatever happens to a tile, its cell must say what the tile
// says, or the frame would leave out walls, props, slots or outlines, or draw a floor wrongly.
TEST_F(FactoryViewTest, EveryChangeOfATileReachesWhatTheTileJobsReadOfIt)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    FactoryWorld::LookAt(m_world.Tile(4, 4), 0.5f);
    const int width = SIM_Game::Instance().GetFactory()->GetWidth();
    const int height = SIM_Game::Instance().GetFactory()->GetHeight();
    int armsOnly = 0;
    auto check = [&](const char* step) {
        m_world.Frame();
        armsOnly = 0;
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
            {
                const GUI_Tile& tile = *m_world.View(x, y);
                const FloorCell& cell = GUI_FactoryTestAccess::Cell(x, y);
                EXPECT_EQ(cell.colour, tile.GetFloorColour()) << step << " " << x << "," << y;
                EXPECT_EQ(cell.batch, tile.GetBatch() ? tile.GetBatch()->GetNumber() + 1 : 0) << step;
                EXPECT_EQ(cell.busy, tile.HasObjects()) << step << " " << x << "," << y;
                bool walls = false;
                for (int side = 0; side < 4; ++side)
                    walls = walls || tile.GetWall(side) != nullptr;
                const bool slotDrawnHere = tile.GetSlotView() && tile.GetAnchor() == &tile;
                const bool expected = tile.GetArmsConveyor() && !walls && !slotDrawnHere && tile.GetProps().empty() &&
                                      !tile.IsOutlineRequested();
                EXPECT_EQ(cell.armsOnly, expected) << step << " " << x << "," << y;
                if (!cell.armsOnly)
                    continue;
                ++armsOnly;
                const FloorArms& arms = GUI_FactoryTestAccess::Arms(x, y);
                EXPECT_EQ(arms.conveyor, tile.GetArmsConveyor()) << step;
                EXPECT_EQ(arms.view, tile.GetConveyorView()) << step;
                EXPECT_EQ(arms.ends, tile.ArmsEnd()) << step;
            }
    };
    check("bare hall");
    // A conveyor from the import door past the back wall and across the hall.
    for (int y = 1; y <= 8; ++y)
        ASSERT_TRUE(m_world.LayConveyor(1, y));
    for (int x = 2; x <= 6; ++x)
        ASSERT_TRUE(m_world.LayConveyor(x, 5));
    SIM_Placement::ConveyorsChanged();
    check("conveyor laid");
    EXPECT_EQ(armsOnly, 5) << "the pieces away from the back wall";
    SIM_ProductionSlot* slot = m_world.Place("task_make_axles", 4, 4);
    ASSERT_NE(slot, nullptr);
    check("slot under the conveyor");
    GUI_Tile* plain = m_world.View(3, 5);
    plain->AddProp(false, "floor_metal_04.dds", 32.0f, 32.0f, 0.0f, 0.0f);
    check("prop added");
    plain->RemovePropAt(0.0f, 0.0f);
    check("prop taken");
    m_world.View(2, 5)->RequestOutline();
    EXPECT_FALSE(GUI_FactoryTestAccess::Cell(2, 5).armsOnly) << "an outline asked for before the frame";
    check("outline drawn");
    m_world.View(6, 5)->SetFloorColour(0xFF102030u);
    m_world.View(6, 5)->SetFloorTexture(std::string("floor_plain_01.dds"));
    check("floor repainted");
    ASSERT_GE(SIM_Placement::RemoveSlot(slot, true, false), 0.0f);
    check("slot sold");
    ASSERT_TRUE(SIM_Placement::RemoveConveyor(m_world.Tile(3, 5), false));
    SIM_Placement::ConveyorsChanged();
    check("piece lifted");
}
