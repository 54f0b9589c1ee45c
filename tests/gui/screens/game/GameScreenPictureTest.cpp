// The game screen drawn by OpenGL at the smallest screen the game supports, over a shipped
// mission: the top bar at 07:00 with 4x lit, the in-game menu with 1,253 cars in stock and the
// research button's progress tooltip; then the game-over dialog over the paused screen. Only the
// bar's strip and the dialog are compared (tests/gui/screens/game/reference), so the pictures
// stay small. With FV_WRITE_REFERENCES=1 in the environment they are written instead.
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/game/GUI_InGameMenu.h"
#include "gui/screens/game/GUI_Interface.h"
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

#include <gtest/gtest.h>

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
