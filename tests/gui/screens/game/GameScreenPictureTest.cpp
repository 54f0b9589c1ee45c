// The game screen drawn by OpenGL at the smallest screen the game supports, over a shipped
// mission: the top bar at 07:00 with 4x lit, the in-game menu with 1,253 cars in stock and the
// research button's progress tooltip; then the game-over dialog over the paused screen. Only the
// bar's strip and the dialog are compared (tests/gui/screens/game/reference), so the pictures
// stay small. With FV_WRITE_REFERENCES=1 in the environment they are written instead. Started
// with the debug word, the screen marks every waypoint of a tile in the overlay's colours, and
// not without it; the render-target viewer, once shown, is drawn in every frame.
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include "engine/GScreenSize.h"
#include "engine/core/GCommandLine.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/game/GUI_InGameMenu.h"
#include "gui/screens/game/GUI_Interface.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_RenderTargetViewer.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_Tile.h"
#include "sim/world/TileWaypointGrid.h"

#include <gtest/gtest.h>

// Shows the render-target viewer over a box for as long as it lives; the game itself never does.
class GUI_RenderTargetViewerTestAccess
{
public:
    explicit GUI_RenderTargetViewerTestAccess(const PRect& box)
    {
        GUI_RenderTargetViewer& viewer = GUI_RenderTargetViewer::Instance();
        viewer.m_rect = box;
        viewer.m_shown = true;
    }
    ~GUI_RenderTargetViewerTestAccess() { GUI_RenderTargetViewer::Instance().m_shown = false; }
};

namespace
{
// The windows as the game's services run them in a frame.
class GameScreenWindowServices : public GGameServices
{
public:
    void UpdateWindows() override { GUI_WindowManager::Instance().Update(); }
    void DrawWindows() override
    {
        GUI_WindowManager::Instance().Draw();
        GUI_Tooltip::DrawQueuedTooltips();
    }
};

class GameScreenPicture : public FactoryPictureTest
{
protected:
    int ViewWidth() const override { return 1280; }
    int ViewHeight() const override { return 768; }
    void SetUp() override
    {
        FactoryPictureTest::SetUp();
        if (IsSkipped())
            return;
        GScreenSize::Set(ViewWidth(), ViewHeight());
        GUI_Sounds::Instance().SetMuted(true);
        GGameServices::Install(&m_services);
        SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
    }
    void TearDown() override
    {
        if (!IsSkipped())
        {
            GUI_Game::Instance().Exit();
            GGameServices::Install(nullptr);
            GUI_Sounds::Instance().SetMuted(false);
        }
        FactoryPictureTest::TearDown();
    }
    // The part of the read-back picture from (left, top), width x height.
    PImage Crop(int left, int top, int width, int height)
    {
        const PImage whole = ReadBack();
        PImage part;
        part.levels.resize(1);
        part.levels[0].width = width;
        part.levels[0].height = height;
        for (int y = 0; y < height; ++y)
        {
            const auto from = whole.levels[0].rgba.begin() + ((top + y) * whole.Width() + left) * 4;
            part.levels[0].rgba.insert(part.levels[0].rgba.end(), from, from + width * 4);
        }
        return part;
    }

    GameScreenWindowServices m_services;
};
} // namespace

TEST_F(GameScreenPicture, TopBarMenuAndTheLostGame)
{
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
    SIM_SalesManager::Instance().AddToStock(design, 1253);
    SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    SIM_Researchable* item = nullptr;
    for (SIM_Researchable* candidate : research.GetItems())
        if (!item && candidate->m_cost > 0.0f)
            item = candidate;
    ASSERT_NE(item, nullptr);
    item->m_progress = item->m_cost / 4.0f;
    research.SetCurrentResearch(item);
    SIM_Game::Instance().SetCurrentHour(7);

    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    game.OnChar('3');
    // The mouse rests on the research button until its tooltip shows.
    m_world.input.MoveTo(168.0f, 20.0f);
    for (int i = 0; i < 40; ++i)
        game.Process();
    const GUI_IconButton* button = GUI_Interface::GetOpen()->GetMenu()->GetButton(GUI_InGameMenu::RESEARCH);
    ASSERT_FALSE(button->GetTooltip()->GetLines().empty());
    EXPECT_EQ(button->GetTooltip()->GetLines()[0], GUI_InGameMenu::ResearchTooltip(item->m_guiName, 1.0f, 4.0f));
    // Away from the menu the bubble shows whole.
    m_world.input.MoveTo(600.0f, 400.0f);
    game.Process();
    game.Draw();
    EXPECT_EQ(GUI_Interface::GetOpen()->GetMenu()->GetStockText(), "1,253");
    const int width = ViewWidth();
    CompareWithReference(Crop(0, 0, width, 60),
                         std::string(FV_TEST_DIR) + "/gui/screens/game/reference/game_top_bar.png");

    SIM_Presentation::Instance().Listener().ShowGameOver();
    m_world.input.MoveTo(5.0f, 700.0f);
    game.Process();
    game.Draw();
    CompareWithReference(Crop(190, 134, 900, 500),
                         std::string(FV_TEST_DIR) + "/gui/screens/game/reference/game_over.png");
    SIM_SalesManager::Instance().ClearStock();
    research.SetCurrentResearch(nullptr);
}

TEST_F(GameScreenPicture, TheDebugWordDrawsEveryTilesWaypointsAndTheViewerIsDrawnEveryFrame)
{
    EXPECT_TRUE(GCommandLine({"-silent", "-debug"}).HasDebug());
    EXPECT_FALSE(GCommandLine({"-Debug", "--debug", "debug", "-debugging"}).HasDebug());
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Game& game = GUI_Game::Instance();
    ASSERT_FALSE(game.IsDebugOverlayOn()) << "off without the word";
    game.Enter();
    SIM_Tile* tile = m_world.Tile(10, 10);
    FactoryWorld::LookAt(tile, 1.0f);
    m_world.input.MoveTo(640.0f, 384.0f);
    // A resource crossing the tile holds its first waypoint.
    TileWaypoint* held = &tile->m_waypoints->m_points[0];
    held->m_occupant = held;
    const GUI_RenderTargetViewerTestAccess viewer(PRect{100, 500, 300, 700});
    const GCommandLine plain(std::vector<std::string>{}), withDebug({"-debug"});

    for (const bool debug : {false, true})
    {
        game.ReadStartWords(debug ? withDebug : plain);
        game.Process();
        game.Draw();
        const PImage frame = ReadBack();
        auto colourAt = [&](float x, float y) {
            const size_t at =
                (static_cast<size_t>(y) * static_cast<size_t>(frame.Width()) + static_cast<size_t>(x)) * 4;
            const auto& rgba = frame.levels[0].rgba;
            return (uint32_t{rgba[at]} << 16) | (uint32_t{rgba[at + 1]} << 8) | rgba[at + 2];
        };
        const GUI_Camera& camera = GUI_Camera::Instance();
        for (const TileWaypoint& point : tile->m_waypoints->m_points)
        {
            const uint32_t marker = point.m_occupant ? 0xFF6464u : 0x646464u;
            const uint32_t seen =
                colourAt(camera.WorldToScreenX(point.m_worldX), camera.WorldToScreenY(point.m_worldY));
            EXPECT_EQ(seen == marker, debug)
                << "waypoint " << point.m_index << (debug ? " with" : " without") << " the word: " << std::hex << seen;
        }
        // The viewer's black box, in both frames.
        EXPECT_EQ(colourAt(200.0f, 620.0f), 0x000000u) << debug;
    }
    game.ReadStartWords(plain);
    held->m_occupant = nullptr;
}
