// A game played through the game screen on a shipped mission: a new game runs for hours at the
// fastest speed with the top bar following the clock, F2 saves it, F3 brings the save back, and
// when the cash runs out the game-over dialog stops the clock and its button ends the game; an
// autosave F3 cannot load is explained and the running game goes on. Every way out of a game (the
// in-game menu's leave, the game-over dialog, a new game over it, F3) takes its floor down with no
// sparkle, nothing of it left showing, and the placement sound heard at most once. The player builds from the
// top bar's build menu, opens a slot's dialog from the floor, and a finished research re-fits the
// open menu. A car on a station is drawn on the game's floor. The right button and Escape only
// drop a tool in hand (a drag under way with it), chains laid in two drags join into working
// lines, a facility goes only where its ghost is green, slot notices stand over the rising sums
// and the ghosts, typing into a field reaches no hot key, dialogs that hold the game give its
// speed back when the last one closes, and the view stays over the floor. Over a running game,
// close up and far out, the floor's labels and notices, the tooltips and the build menu's cards
// keep every glyph inside their boxes.
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/notices/GUI_Notice.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/placement/GUI_BulldozerTask.h"
#include "gui/factory/placement/GUI_ConveyorPlacer.h"
#include "gui/factory/placement/GUI_FacilityPlacer.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/factory/placement/GUI_SlotChainPlacer.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/vehicles/CarSpriteCell.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_Vehicle.h"
#include "gui/factory/vehicles/GUI_VehicleComponent.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/screens/build/GUI_Task.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/screens/front/GUI_Mission.h"
#include "gui/screens/game/GUI_Finances.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/game/GUI_InGameMenu.h"
#include "gui/screens/game/GUI_Interface.h"
#include "gui/screens/game/GUI_SpeedControls.h"
#include "gui/screens/saves/GUI_SaveDialog.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/core/PClock.h"
#include "platform/core/PFile.h"
#include "platform/video/PWindowMessage.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Notes what was still open when the simulation took its floor down, and the fewest and the most
// sparkles (running particle emitters) there were as each of its slots went.
class GameResetWatcher : public SIM_PresentationListener
{
public:
    void SlotRemoved(SIM_PlaceableSlot&) override
    {
        const size_t sparkles = ActiveParticleEmitters().size();
        fewestSparkles = std::min(fewestSparkles, sparkles);
        mostSparkles = std::max(mostSparkles, sparkles);
    }
    void ClearFactoryView() override
    {
        ++clears;
        barOpenAtReset = GUI_Interface::GetOpen() != nullptr;
        for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
            dialogsAtReset += window->IsDialog() && !window->IsClosing() ? 1 : 0;
    }
    int clears = 0;
    bool barOpenAtReset = true;
    int dialogsAtReset = 0;
    size_t fewestSparkles = SIZE_MAX;
    size_t mostSparkles = 0;
};

// Notes the loading stages shown.
class StageWatcher : public SIM_PresentationListener
{
public:
    void ShowLoadingStage(const char* textKey, float) override { stages.emplace_back(textKey); }
    std::vector<std::string> stages;
};

// The windows as the game routes them: updated, drawn (with the tooltip and the pointer) and
// offered the buttons by the game screen.
class GameWindowServices : public GGameServices
{
public:
    void UpdateWindows() override { GUI_WindowManager::Instance().Update(); }
    void DrawWindows() override
    {
        GUI_WindowManager::Instance().Draw();
        GUI_Tooltip::DrawQueuedTooltips();
        GUI_Cursor::Instance().Update();
    }
    bool WindowsLeftDown() override { return GUI_WindowManager::Instance().OnClick(); }
    bool WindowsRightDown() override { return GUI_WindowManager::Instance().OnRightClick(); }
};

class GameScenario : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        GUI_Sounds::Instance().SetMuted(true);
        m_saves = m_files.Path("savegames");
        std::filesystem::create_directories(m_saves);
        m_oldSaves = SaveFolder::Get();
        SaveFolder::Set(m_saves);
        m_modeBefore = GGameMode::Current();
        // The game screen's answer stands in front of the view, as in the game.
        SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
    }
    int ScreenWidth() const override { return 1280; }
    int ScreenHeight() const override { return 768; }
    void TearDown() override
    {
        GUI_Game::Instance().Exit();
        GGameMode::SetCurrent(m_modeBefore);
        GGameServices::Install(nullptr);
        SaveFolder::Set(m_oldSaves);
        GUI_Sounds::Instance().SetMuted(false);
        FactoryViewTest::TearDown();
    }
    // One frame of the game screen, 1/60 s of real time.
    void GameFrame()
    {
        PClock::AdvanceManual(16666666ull);
        GUI_Game& game = GUI_Game::Instance();
        game.Process();
        game.Draw();
    }
    std::string CashText() const { return GUI_Interface::GetOpen()->GetCash()->GetText(); }
    // The pointer there for a frame, then a left click as the player's mouse gives it.
    void ClickAt(float x, float y)
    {
        m_world.input.MoveTo(x, y);
        GameFrame();
        GUI_Game::Instance().OnLeftDown();
        GUI_Game::Instance().OnLeftUp();
        GameFrame();
    }
    void ClickWindow(const GUI_BaseElement& window)
    {
        ClickAt(static_cast<float>(window.GetLeft() + window.GetWidth() / 2),
                static_cast<float>(window.GetTop() + window.GetHeight() / 2));
    }
    void ClickTile(int x, int y)
    {
        const FactoryFrameView view = FactoryFrameView::FromCamera();
        ClickAt(view.ToScreenX(m_world.Tile(x, y)->m_worldX), view.ToScreenY(m_world.Tile(x, y)->m_worldY));
    }
    // The pointer over a tile for a frame.
    void PointAt(int x, int y)
    {
        const FactoryFrameView view = FactoryFrameView::FromCamera();
        m_world.input.MoveTo(view.ToScreenX(m_world.Tile(x, y)->m_worldX),
                             view.ToScreenY(m_world.Tile(x, y)->m_worldY));
        GameFrame();
    }
    // The left button held from one tile to another, as a hand drags a tool along the floor;
    // whileHeld runs at the end tile before the button comes up.
    void DragTiles(int x0, int y0, int x1, int y1, const std::function<void()>& whileHeld = {})
    {
        PointAt(x0, y0);
        m_world.input.SetLeftHeld(true);
        GUI_Game::Instance().OnLeftDown();
        PointAt(x1, y1);
        if (whileHeld)
            whileHeld();
        m_world.input.SetLeftHeld(false);
        GUI_Game::Instance().OnLeftUp();
        GameFrame();
    }
    // A new game of the first mission on the game screen, the view on a tile of its hall. The game
    // screen is the current mode, so a text field takes the keyboard from it as in the game.
    void StartFirstFactory(int x, int y, float zoom)
    {
        ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
        GGameServices::Install(&m_windows);
        GGameMode::SetCurrent(&GUI_Game::Instance());
        GUI_Game::Instance().Enter();
        FactoryWorld::LookAt(m_world.Tile(x, y), zoom);
        GameFrame();
    }

    std::string m_saves;
    std::string m_oldSaves;
    GGameMode* m_modeBefore = nullptr;
    GameWindowServices m_windows;
};
} // namespace

TEST_F(GameScenario, ANewGamePlaysSavesLoadsAndIsLostWhenTheCashRunsOut)
{
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    SIM_Game& sim = SIM_Game::Instance();
    EXPECT_EQ(CashText(), GUI_Finances::CashText(SIM_FinanceManager::Instance().GetCash()));

    game.OnChar('3');
    ASSERT_EQ(sim.GetSpeed(), 4.0f);
    EXPECT_FLOAT_EQ(game.GetFrameFactor(), 1.0f);
    while (sim.GetCurrentHour() < 3)
        GameFrame();
    EXPECT_FLOAT_EQ(game.GetFrameFactor(), 1.0f);
    // The hourly rent was paid and the bar shows the cash the simulation holds.
    const float cashAtSave = SIM_FinanceManager::Instance().GetCash();
    EXPECT_EQ(CashText(), GUI_Finances::CashText(cashAtSave));
    EXPECT_EQ(GUI_SpeedControls::GetOpen()->GetHighlighted(), GUI_SpeedControls::SPEED_4X);

    game.OnKeyDown(PVK_F2);
    EXPECT_TRUE(PFile::Exists(m_saves + "/autosave.xml"));
    EXPECT_TRUE(game.IsThumbnailPending());
    GameFrame();
    EXPECT_FALSE(game.IsThumbnailPending());

    // Money spent after the save comes back with F3.
    SIM_FinanceManager::Instance().Pay(100.0f, 0);
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(CashText(), GUI_Finances::CashText(cashAtSave - 100.0f));
    game.OnKeyDown(PVK_F3);
    ASSERT_NE(sim.GetFactory(), nullptr);
    EXPECT_EQ(sim.GetCurrentHour(), 3);
    EXPECT_EQ(CashText(), GUI_Finances::CashText(cashAtSave));
    GameFrame();

    // All the money goes: the game is lost, the clock stands and Escape does not help.
    SIM_FinanceManager::Instance().Pay(SIM_FinanceManager::Instance().GetCash(), 0);
    SIM_Presentation::Instance().ApplyPosted();
    ASSERT_NE(GUI_GameOver::GetOpen(), nullptr);
    const int hour = sim.GetCurrentHour();
    const float progress = sim.GetHourProgress();
    game.OnKeyDown(PVK_ESCAPE);
    game.OnChar(' ');
    for (int i = 0; i < 30; ++i)
        GameFrame();
    ASSERT_NE(GUI_GameOver::GetOpen(), nullptr);
    EXPECT_EQ(sim.GetCurrentHour(), hour);
    EXPECT_FLOAT_EQ(sim.GetHourProgress(), progress);

    GameResetWatcher watcher;
    GUI_GamePresentation::Instance().AddPart(&watcher);
    GUI_GameOver::OnOk();
    GUI_GamePresentation::Instance().RemovePart(&watcher);
    // Every game window was gone before the floor went.
    EXPECT_EQ(watcher.clears, 1);
    EXPECT_FALSE(watcher.barOpenAtReset);
    EXPECT_EQ(watcher.dialogsAtReset, 0);
    EXPECT_EQ(sim.GetFactory(), nullptr);
    EXPECT_EQ(GUI_Interface::GetOpen(), nullptr);
    GameFrame();

    // The last frame took a tenth of a second; the next game's first frame is a nominal one.
    PClock::AdvanceManual(100000000ull);
    game.Process();
    game.Draw();
    EXPECT_FLOAT_EQ(game.GetFrameFactor(), 4.0f);
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    game.Enter();
    EXPECT_FLOAT_EQ(game.GetFrameFactor(), 1.0f);
}

TEST_F(GameScenario, F3OnAnAutosaveThatCannotBeLoadedSaysWhyAndKeepsTheRunningGame)
{
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    ASSERT_NE(m_world.Place("task_fit_wheels", 6, 10), nullptr);
    GameFrame();
    game.OnKeyDown(PVK_F2);
    const std::string save = EngineTestFiles::ReadAll(m_saves + "/autosave.xml");
    const size_t mission = save.find("m01_first_factory</mission>");
    ASSERT_NE(mission, std::string::npos);
    const std::string autosave = m_saves + "/autosave.xml";
    ASSERT_TRUE(std::filesystem::remove(autosave));

    StageWatcher stages;
    GUI_GamePresentation::Instance().AddPart(&stages);
    // No autosave at all; a mission the game does not know; an empty file; a file cut before
    // its game section; another program's file.
    const char* const kinds[] = {"none", "unknown mission", "empty", "cut", "foreign"};
    for (const char* kind : kinds)
    {
        SCOPED_TRACE(kind);
        const std::string name = kind;
        if (name == "unknown mission")
            m_files.Write("savegames/autosave.xml",
                          save.substr(0, mission) + "m99_no_such_mission" + save.substr(mission + 17));
        else if (name == "empty")
            m_files.Write("savegames/autosave.xml", "");
        else if (name == "cut")
            m_files.Write("savegames/autosave.xml", save.substr(0, save.find("<game>")));
        else if (name == "foreign")
            m_files.Write("savegames/autosave.xml", "<?xml version=\"1.0\"?>\n<svg><rect/></svg>\n");
        SIM_FinanceManager::Instance().Pay(100.0f, 0);
        const float cash = SIM_FinanceManager::Instance().GetCash();
        const int hour = SIM_Game::Instance().GetCurrentHour();
        const float time = SIM_Game::Instance().GetGameTime();
        const size_t errors = ErrorLog().size();
        stages.stages.clear();

        game.OnKeyDown(PVK_F3);
        ASSERT_NE(SIM_Game::Instance().GetFactory(), nullptr);
        EXPECT_NE(GUI_Interface::GetOpen(), nullptr);
        EXPECT_EQ(SIM_FinanceManager::Instance().GetCash(), cash);
        EXPECT_EQ(SIM_Game::Instance().GetCurrentHour(), hour);
        EXPECT_EQ(SIM_Game::Instance().GetGameTime(), time);
        EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), 1u);
        EXPECT_NE(m_world.Tile(6, 10)->m_occupant, nullptr);
        // The first stage of a load, then the box that says why.
        EXPECT_EQ(stages.stages, std::vector<std::string>{"LS_READING_SAVE_FILE"});
        EXPECT_NE(ErrorLog().find("Failed to open save game", errors), std::string::npos);
        GameFrame();
    }
    GUI_GamePresentation::Instance().RemovePart(&stages);
}

TEST_F(GameScenario, EveryWayOutOfAGameTakesItsFloorDownWithoutSparklesAndAtMostOnePlacementSound)
{
    // Each way a game ends takes down a factory of twenty stations built a moment ago, its
    // sparkles and sums still showing: the in-game menu's leave, the game-over dialog, a new game
    // over the running one, and F3. None sparkles while the floor goes (on a large factory that
    // was thousands of effects never drawn, held until the next game), nothing of the old game
    // shows over what comes next, and the placement sound is heard at most once, not at all on
    // the way to the main menu.
    struct Way
    {
        const char* name;
        std::function<void()> prepare; // with the sound off
        std::function<void()> end;     // with the sound on
        int mostPlaceSounds;
        size_t slotsAfter;
    };
    GUI_Game& game = GUI_Game::Instance();
    auto pointAt = [this](const GUI_BaseElement& button) {
        m_world.input.MoveTo(static_cast<float>(button.GetLeft() + button.GetWidth() / 2),
                             static_cast<float>(button.GetTop() + button.GetHeight() / 2));
        GameFrame();
    };
    auto press = [&game] {
        game.OnLeftDown();
        game.OnLeftUp();
    };
    const Way ways[] = {
        {"the in-game menu's leave",
         [&] {
             ClickWindow(*GUI_Interface::GetOpen()->GetMenu()->GetButton(GUI_InGameMenu::MENU));
             ASSERT_NE(GUI_ConfirmDialog::GetOpen(), nullptr);
             pointAt(*GUI_ConfirmDialog::GetOpen()->GetButtons()[1]);
         },
         press, 0, 0},
        {"the game-over dialog",
         [&] {
             SIM_FinanceManager::Instance().Pay(SIM_FinanceManager::Instance().GetCash(), 0);
             SIM_Presentation::Instance().ApplyPosted();
             ASSERT_NE(GUI_GameOver::GetOpen(), nullptr);
             pointAt(*GUI_GameOver::GetOpen()->GetButtons().back());
         },
         press, 0, 0},
        {"a new game over the running one", [] {},
         [&game] {
             ASSERT_TRUE(GUI_Mission::StartNewGame(SIM_Game::Instance().GetMission()));
             // As the switch to the game screen enters it.
             game.Enter();
         },
         1, 0},
        {"F3", [] {}, [&game] { game.OnKeyDown(PVK_F3); }, 1, 20},
    };
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    for (const Way& way : ways)
    {
        SCOPED_TRACE(way.name);
        StartFirstFactory(10, 10, 0.5f);
        // Nineteen stations built a while ago, their sparkles over and kept for reuse, and the
        // twentieth a moment ago, its sparkle and its price still showing.
        for (int x = 3; x <= 15; x += 3)
        {
            for (int y = 3; y <= 15; y += 4)
            {
                if (x == 15 && y == 15)
                    continue;
                ASSERT_NE(m_world.Place("task_make_axles", x, y), nullptr) << x << ", " << y;
            }
        }
        for (int frame = 0; frame < 600 && !ActiveParticleEmitters().empty(); ++frame)
            GameFrame();
        ASSERT_TRUE(ActiveParticleEmitters().empty());
        ASSERT_NE(m_world.Place("task_make_axles", 15, 15), nullptr);
        GameFrame();
        game.OnKeyDown(PVK_F2);
        way.prepare();
        const size_t sparkling = ActiveParticleEmitters().size();
        ASSERT_GT(sparkling, 0u);
        ASSERT_GT(GUI_FloatingValue::GetActiveCount(), 0);

        GameResetWatcher watcher;
        GUI_GamePresentation::Instance().AddPart(&watcher);
        sounds.GetDevice().StopAll();
        sounds.Update();
        sounds.SetMuted(false);
        way.end();
        sounds.SetMuted(true);
        GUI_GamePresentation::Instance().RemovePart(&watcher);

        EXPECT_EQ(watcher.clears, 1);
        EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), way.slotsAfter);
        // No slot started a sparkle as it went, and none of the old game's is left.
        EXPECT_EQ(watcher.mostSparkles, watcher.fewestSparkles);
        EXPECT_LE(watcher.mostSparkles, sparkling);
        EXPECT_TRUE(ActiveParticleEmitters().empty()) << ActiveParticleEmitters().size() << " sparkles left";
        EXPECT_EQ(GUI_FloatingValue::GetActiveCount(), 0);
        EXPECT_EQ(SoundRequestQueue::Instance().GetSize(), 0u);
        int placeSounds = 0;
        for (const PSoundHandle sound : sounds.GetDevice().GetPlayingSounds())
        {
            PSoundState state;
            if (sounds.GetDevice().GetSoundState(sound, state) && state.path.ends_with("slot_place.ogg"))
                ++placeSounds;
        }
        EXPECT_LE(placeSounds, way.mostPlaceSounds);
        GameFrame();
    }
}

TEST_F(GameScenario, TheBuildMenuBuildsAStationWhoseDialogOpensFromTheFloor)
{
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Game& game = GUI_Game::Instance();
    GGameServices::Install(&m_windows);
    game.Enter();
    FactoryWorld::LookAt(m_world.Tile(10, 10), 0.5f);
    GameFrame();
    const GUI_IconButton& slots = *GUI_Interface::GetOpen()->GetMenu()->GetButton(GUI_InGameMenu::SLOTS);

    // The top bar's build button opens the menu; the chassis row arms the slot tool.
    ClickWindow(slots);
    GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen();
    ASSERT_NE(picker, nullptr);
    const SIM_ProductionTask* chassis = SIM_ProductionTaskManager::Instance().GetTask("task_fit chassis");
    ASSERT_NE(chassis, nullptr);
    GUI_Task* row = picker->FindRow(chassis);
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetParent(), picker);
    ClickWindow(*row);
    const float cash = SIM_FinanceManager::Instance().GetCash();
    ClickTile(10, 10);
    const SIM_PlaceableSlot* placed = m_world.Tile(10, 10)->m_occupant;
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->GetTask(), chassis);
    EXPECT_LT(SIM_FinanceManager::Instance().GetCash(), cash);

    // A click on the new station opens its information dialog.
    ASSERT_EQ(GUI_SlotTooltip::GetOpen(), nullptr);
    ClickTile(10, 10);
    ASSERT_NE(GUI_SlotTooltip::GetOpen(), nullptr);
    EXPECT_EQ(static_cast<const SIM_PlaceableSlot*>(GUI_SlotTooltip::GetOpen()->GetSlot()), placed);
    EXPECT_NE(GUI_TaskPicker::GetOpen(), nullptr);

    // A research finished while the menu is open fits the menu to the screen again.
    SIM_Researchable* research = nullptr;
    for (SIM_Researchable* item : SIM_ResearchManager::Instance().GetItems())
        if (!research && !item->m_unlocks.empty())
            research = item;
    ASSERT_NE(research, nullptr);
    std::vector<bool> locks;
    for (const std::string& name : research->m_unlocks)
    {
        const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
        locks.push_back(task && task->m_locked);
    }
    GScreenSize::Set(1280, 600);
    research->Complete(false);
    SIM_Presentation::Instance().ApplyPosted();
    ASSERT_EQ(GUI_TaskPicker::GetOpen(), picker);
    EXPECT_EQ(picker->GetBottom(), 600 - 40);
    for (size_t i = 0; i < locks.size(); ++i)
        if (SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(research->m_unlocks[i]))
            task->m_locked = locks[i];

    // Escape puts the research's news away; the build button again closes the menu; ending the
    // game takes the slot's dialog with the floor.
    GScreenSize::Set(1280, 768);
    game.OnKeyDown(PVK_ESCAPE);
    ASSERT_EQ(GUI_TaskPicker::GetOpen(), picker);
    ClickWindow(slots);
    EXPECT_EQ(GUI_TaskPicker::GetOpen(), nullptr);
    ASSERT_NE(GUI_SlotTooltip::GetOpen(), nullptr);
    GUI_Game::EndGame();
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_SlotTooltip::GetOpen(), nullptr);
    EXPECT_EQ(SIM_Game::Instance().GetFactory(), nullptr);
}

TEST_F(GameScenario, ACarOnAStationIsDrawnFromItsPartsCloseUpAndFromTheCacheFarOut)
{
    // The game makes the cache's render target when it opens its device.
    GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 4096, 2048, PFormat::A8R8G8B8);
    GUI_TextureCache::Init();
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 8, 8);
    ASSERT_NE(station, nullptr);
    // A car as the line hands it on: made through the game's one answer, standing on the station.
    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    for (const char* part : {"chassis", "axles", "wheels", "body"})
        car->AddComponent(std::make_unique<SIM_VehicleComponent>(
            car, SIM_VehicleComponentTypeManager::Instance().GetComponentType(part)));
    car->SetColor(30, 140, 220, 255);
    car->SetSlot(station);
    car->SetFacing(station->GetFacing());
    car->SetPosition(station->GetTile()->m_worldX, station->GetTile()->m_worldY);
    station->SetVehicle(car);
    auto* view = dynamic_cast<GUI_Vehicle*>(car->GetView());
    ASSERT_NE(view, nullptr) << "the game's answer hands cars to the factory view";

    // The mouse rests inside the screen, so the view does not scroll away from the station.
    m_world.input.MoveTo(400.0f, 400.0f);
    // Close up the parts are placed around the car where the station stands on screen.
    FactoryWorld::LookAt(station->GetTile(), 1.0f);
    GameFrame();
    const int facing = car->GetFacing() & 3;
    auto* chassis = dynamic_cast<GUI_VehicleComponent*>(car->GetComponents().front()->GetView());
    ASSERT_NE(chassis, nullptr);
    ASSERT_TRUE(chassis->HasLayer(facing, 0));
    const PVertex* corners = chassis->GetSprite(facing, 0).m_sprite.m_vertices;
    const float midX = (corners[0].x + corners[3].x) / 2.0f, midY = (corners[0].y + corners[3].y) / 2.0f;
    EXPECT_LT(std::fabs(midX - static_cast<float>(GScreenSize::Width()) / 2.0f), 200.0f);
    EXPECT_LT(std::fabs(midY - static_cast<float>(GScreenSize::Height()) / 2.0f), 200.0f);
    EXPECT_EQ(view->GetCell(2), nullptr) << "close up nothing is cached";

    // Far out the car is drawn from its cells every frame, so both outlive the cache's 100 frames,
    // also the one of the facing it does not show.
    FactoryWorld::LookAt(station->GetTile(), 0.3f);
    GameFrame();
    CarSpriteCell* const cells[2] = {view->GetCell(2), view->GetCell(0)};
    GUI_CarSpriteCache::Instance().ResetTargetSwitches();
    for (int frame = 0; frame < CarSpriteCell::kLifeFrames + 20; ++frame)
        GameFrame();
    ASSERT_NE(view->GetCell(2), nullptr);
    ASSERT_NE(view->GetCell(0), nullptr);
    EXPECT_EQ(view->GetCell(2), cells[0]);
    EXPECT_EQ(view->GetCell(0), cells[1]);
    EXPECT_EQ(GUI_CarSpriteCache::Instance().GetTargetSwitches(), 0) << "rendered once, then only drawn";
    EXPECT_TRUE(view->GetCell(2)->m_inUse);
    EXPECT_TRUE(view->GetCell(0)->m_inUse);
}

TEST_F(GameScenario, AToolInHandIsDroppedByTheRightButtonOrEscapeAndNothingElseHappens)
{
    StartFirstFactory(10, 10, 0.5f);
    GUI_Game& game = GUI_Game::Instance();
    const SIM_ProductionSlot* station = m_world.Place("task_fit chassis", 10, 10);
    ASSERT_NE(station, nullptr);
    ClickWindow(*GUI_Interface::GetOpen()->GetMenu()->GetButton(GUI_InGameMenu::SLOTS));
    GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen();
    ASSERT_NE(picker, nullptr);

    // Every tool the build menu arms, and its delete row; each dropped over the station with the
    // right button, then with Escape: the station stays, nothing is paid and the menu stays open.
    const char* const tools[] = {"task_fit chassis", "fac_power_plant", "task_resource_conveyor", "task_conveyor",
                                 nullptr};
    for (const bool escape : {false, true})
        for (const char* tool : tools)
        {
            const std::string what = std::string(tool ? tool : "delete mode") + (escape ? ", Escape" : ", right");
            if (tool)
                ASSERT_TRUE(GUI_PlacementTools::StartPlacing(tool)) << what;
            else
                ClickWindow(*picker->GetDeleteRow());
            ASSERT_TRUE(GUI_PlacementTools::IsToolArmed()) << what;
            PointAt(10, 10);
            const float cash = SIM_FinanceManager::Instance().GetCash();
            if (escape)
                game.OnKeyDown(PVK_ESCAPE);
            else
                game.OnRightDown();
            GameFrame();
            EXPECT_FALSE(GUI_PlacementTools::IsToolArmed()) << what;
            EXPECT_EQ(m_world.Tile(10, 10)->m_occupant, station) << what;
            EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), cash) << what;
            EXPECT_EQ(GUI_TaskPicker::GetOpen(), picker) << what;
        }

    // A drag under way is dropped too: the release that follows builds and charges nothing.
    FactoryWorld::LookAt(m_world.Tile(7, 16), 0.5f);
    for (const bool escape : {false, true})
        for (const char* tool : {"task_resource_conveyor", "task_conveyor"})
        {
            const std::string what =
                std::string(tool) + (escape ? ", Escape while dragging" : ", right while dragging");
            ASSERT_TRUE(GUI_PlacementTools::StartPlacing(tool)) << what;
            const float cash = SIM_FinanceManager::Instance().GetCash();
            DragTiles(3, 16, 10, 16, [&] {
                ASSERT_EQ(GUI_ConveyorPlacer::Instance().GetPath().size() +
                              GUI_SlotChainPlacer::Instance().GetPath().size(),
                          8u)
                    << what;
                if (escape)
                    game.OnKeyDown(PVK_ESCAPE);
                else
                    game.OnRightDown();
            });
            EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), cash) << what;
            for (int x = 3; x <= 10; ++x)
                EXPECT_TRUE(!m_world.Tile(x, 16)->m_conveyor && !m_world.Tile(x, 16)->m_occupant)
                    << what << " at " << x;
            EXPECT_FALSE(GUI_PlacementTools::IsToolArmed()) << what;
            EXPECT_EQ(GUI_TaskPicker::GetOpen(), picker) << what;
        }
    FactoryWorld::LookAt(m_world.Tile(10, 10), 0.5f);
    PointAt(10, 10);

    // With nothing in hand Escape closes the menu, and the right button sells what it points at.
    game.OnKeyDown(PVK_ESCAPE);
    GameFrame();
    EXPECT_EQ(GUI_TaskPicker::GetOpen(), nullptr);
    game.OnRightDown();
    EXPECT_EQ(m_world.Tile(10, 10)->m_occupant, nullptr);
}

TEST_F(GameScenario, ChainsLaidInTwoDragsJoinIntoLinesThatCarryCarsToTheExporter)
{
    // A chassis station at (15, 5) hands its cars south; the exporter at (20, 10) takes them from
    // the west. The L's second drag starts beside the first one's end; the T's branch is dragged
    // from the station onto the side of a line laid before it from a second station at (12, 10),
    // and the cars of both stations reach the exporter.
    const struct
    {
        const char* name;
        int drags[2][4];
        bool secondStation;
    } lines[] = {
        {"L", {{15, 6, 15, 10}, {16, 10, 19, 10}}, false},
        {"T", {{13, 10, 19, 10}, {15, 6, 15, 10}}, true},
    };
    for (const auto& line : lines)
    {
        if (SIM_Game::Instance().GetFactory())
            GUI_Game::EndGame();
        StartFirstFactory(15, 8, 0.5f);
        std::vector<SIM_ProductionSlot*> stations = {m_world.Place("task_fit chassis", 15, 5, 2)};
        if (line.secondStation)
            stations.push_back(m_world.Place("task_fit chassis", 12, 10));
        const SIM_ProductionSlot* exporter = m_world.Place("task_export", 20, 10);
        ASSERT_TRUE(exporter) << line.name;
        ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_conveyor"));
        for (const auto& drag : line.drags)
            DragTiles(drag[0], drag[1], drag[2], drag[3]);

        // A car each station has finished leaves it and rides the line to the exporter.
        std::vector<const SIM_Vehicle*> cars;
        for (SIM_ProductionSlot* station : stations)
        {
            ASSERT_TRUE(station) << line.name;
            SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
            car->AddAppliedTask("task_fit chassis");
            car->SetSlot(station);
            car->SetPosition(station->GetTile()->m_worldX, station->GetTile()->m_worldY);
            station->SetVehicle(car);
            station->SetState(WAITING_FOR_EXPORT);
            cars.push_back(car);
        }
        GUI_Game::Instance().OnChar('3');
        std::vector<const SIM_Vehicle*> exported;
        for (int frame = 0; frame < 1500 && exported.size() < cars.size(); ++frame)
        {
            GameFrame();
            const SIM_Vehicle* there = exporter->GetVehicle();
            if (there && std::find(exported.begin(), exported.end(), there) == exported.end())
                exported.push_back(there);
        }
        for (const SIM_Vehicle* car : cars)
        {
            const SIM_Tile* at = car->GetSlot() ? car->GetSlot()->GetTile() : nullptr;
            EXPECT_NE(std::find(exported.begin(), exported.end(), car), exported.end())
                << line.name << ": a car stands on " << (at ? at->m_gridX : -1) << ", " << (at ? at->m_gridY : -1);
        }
    }
}

TEST_F(GameScenario, AFacilityIsPlacedExactlyWhereItsGhostIsGreen)
{
    StartFirstFactory(10, 10, 0.5f);
    GUI_Game& game = GUI_Game::Instance();
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("task_conveyor"));
    DragTiles(10, 10, 10, 10);
    const SIM_PlaceableSlot* belt = m_world.Tile(10, 10)->m_occupant;
    ASSERT_NE(belt, nullptr);
    const struct
    {
        int x, y;
        bool placed;
    } spots[] = {{10, 10, false}, {5, 5, true}};
    for (const auto& spot : spots)
    {
        ASSERT_TRUE(GUI_PlacementTools::StartPlacing("fac_power_plant"));
        PointAt(spot.x, spot.y);
        SIM_Tile* tile = m_world.Tile(spot.x, spot.y);
        const bool green = GUI_FacilityPlacer::Instance().IsGhostValid(tile);
        const float cash = SIM_FinanceManager::Instance().GetCash();
        game.OnLeftDown();
        game.OnLeftUp();
        GameFrame();
        const bool placed = tile->m_occupant && tile->m_occupant->IsFacility();
        EXPECT_EQ(placed, spot.placed) << spot.x << ", " << spot.y;
        EXPECT_EQ(green, placed) << spot.x << ", " << spot.y;
        EXPECT_EQ(SIM_FinanceManager::Instance().GetCash() < cash, placed) << spot.x << ", " << spot.y;
    }
    EXPECT_EQ(m_world.Tile(10, 10)->m_occupant, belt) << "the conveyor stays where no facility went";
}

TEST_F(GameScenario, SlotNoticesAreDrawnOverTheFloatingValuesAndTheGhosts)
{
    StartFirstFactory(10, 10, 0.5f);
    // A station with no way to its resources shows its notice.
    SIM_ProductionSlot* station = m_world.Place("task_fit chassis", 10, 10);
    ASSERT_NE(station, nullptr);
    const auto* notice = dynamic_cast<const GUI_NoticeBase*>(station->GetNotice());
    ASSERT_NE(notice, nullptr);
    for (int i = 0; i < 120 && notice->GetLastDrawn() != GUI_NoticeBase::Drawn::FULL; ++i)
        GameFrame();
    ASSERT_EQ(notice->GetLastDrawn(), GUI_NoticeBase::Drawn::FULL);
    // A facility's ghost beside it and a sum rising from it.
    ASSERT_TRUE(GUI_PlacementTools::StartPlacing("fac_power_plant"));
    PointAt(11, 10);
    GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, station->GetTile()->m_worldX, station->GetTile()->m_worldY,
                             500.0f);
    m_rec->Clear();
    GameFrame();
    // Every corner in drawing order, by its colour: the value's box, the ghost's tint, the notice's box.
    int lastValue = -1, lastGhost = -1, firstNotice = -1, corner = 0;
    const uint32_t noticeBox = notice->GetBackground().Argb();
    for (const PRecordingDraw& draw : m_rec->draws)
        for (const PVertex& vertex : draw.vertices)
        {
            const uint32_t rgb = vertex.colour & 0xFFFFFFu;
            if (rgb == 0x40CDDAu)
                lastValue = corner;
            if (vertex.colour == PlacementGhost::kValid.Packed() || vertex.colour == PlacementGhost::kInvalid.Packed())
                lastGhost = corner;
            if (vertex.colour == noticeBox && firstNotice < 0)
                firstNotice = corner;
            ++corner;
        }
    ASSERT_GE(lastValue, 0);
    ASSERT_GE(lastGhost, 0);
    ASSERT_GE(firstNotice, 0);
    EXPECT_LT(lastValue, firstNotice);
    EXPECT_LT(lastGhost, firstNotice);
    GUI_PlacementTools::CancelAll();
}

TEST_F(GameScenario, WhatIsTypedIntoAFieldReachesOnlyTheField)
{
    StartFirstFactory(10, 10, 0.5f);
    GUI_Game& game = GUI_Game::Instance();
    game.OnChar('2');
    ASSERT_EQ(SIM_Game::Instance().GetSpeed(), 2.0f);
    const float zoom = GUI_Camera::Instance().GetZoom();

    // The save dialog holds the game while it is open; typing a name with blanks and digits, and
    // pressing F2 and Page Up, changes only the name.
    ClickWindow(*GUI_Interface::GetOpen()->GetMenu()->GetButton(GUI_InGameMenu::SAVE));
    GUI_SaveDialog* dialog = GUI_SaveDialog::GetOpen();
    ASSERT_NE(dialog, nullptr);
    ClickWindow(*dialog->GetNameField());
    for (const char c : std::string("My Save 2"))
        game.OnChar(static_cast<uint8_t>(c));
    game.OnKeyDown(PVK_F2);
    game.OnKeyDown(PVK_PRIOR);
    GameFrame();
    EXPECT_EQ(dialog->GetNameField()->GetText(), "My Save 2");
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);
    EXPECT_FLOAT_EQ(GUI_Camera::Instance().GetZoom(), zoom);
    EXPECT_FALSE(PFile::Exists(m_saves + "/autosave.xml"));
    // Enter lets go of the field; Escape still closes the dialog, and the game runs on as before.
    game.OnKeyDown(PVK_RETURN);
    EXPECT_FALSE(dialog->GetNameField()->IsFocused());
    game.OnKeyDown(PVK_ESCAPE);
    GameFrame();
    EXPECT_EQ(GUI_SaveDialog::GetOpen(), nullptr);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 2.0f);
    // Without a field the keys are hot keys again.
    game.OnChar('1');
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 1.0f);
}

TEST_F(GameScenario, DialogsThatHoldTheGameNestAndTheLastToCloseGivesItsSpeedBack)
{
    StartFirstFactory(10, 10, 0.5f);
    GUI_Game& game = GUI_Game::Instance();
    SIM_Game& sim = SIM_Game::Instance();
    game.OnChar('2');
    ASSERT_EQ(sim.GetSpeed(), 2.0f);
    GUI_InGameMenu* menu = GUI_Interface::GetOpen()->GetMenu();

    // Save, then the options over it, then the research screen over both: the game stands.
    for (const GUI_InGameMenu::Button button :
         {GUI_InGameMenu::SAVE, GUI_InGameMenu::OPTIONS, GUI_InGameMenu::RESEARCH})
    {
        const size_t open = GUI_WindowManager::Instance().GetWindows().size();
        ClickWindow(*menu->GetButton(button));
        ASSERT_GT(GUI_WindowManager::Instance().GetWindows().size(), open) << button;
        EXPECT_EQ(sim.GetSpeed(), 0.0f) << button;
    }
    // Closed from the top, the game stands until the last one goes, then runs at 2x again.
    for (int dialog = 0; dialog < 3; ++dialog)
    {
        EXPECT_EQ(sim.GetSpeed(), 0.0f) << dialog;
        game.OnKeyDown(PVK_ESCAPE);
        GameFrame();
    }
    EXPECT_EQ(GUI_SaveDialog::GetOpen(), nullptr);
    EXPECT_EQ(sim.GetSpeed(), 2.0f);
    EXPECT_EQ(GUI_SpeedControls::GetOpen()->GetHighlighted(), GUI_SpeedControls::SPEED_2X);
    // The pause still pauses and resumes.
    game.OnChar(' ');
    EXPECT_EQ(sim.GetSpeed(), 0.0f);
    game.OnChar(' ');
    EXPECT_EQ(sim.GetSpeed(), 2.0f);
}

TEST_F(GameScenario, ScrollingAtTheScreenEdgesNeverTakesTheViewOffTheFloor)
{
    StartFirstFactory(16, 16, 0.5f);
    const GUI_Camera& camera = GUI_Camera::Instance();
    const SIM_Factory& floor = *SIM_Game::Instance().GetFactory();
    auto floorOnScreen = [&] {
        for (int x = 0; x < floor.GetWidth(); ++x)
            for (int y = 0; y < floor.GetHeight(); ++y)
                if (camera.IsPointOnScreen(camera.WorldToScreenX(m_world.Tile(x, y)->m_worldX),
                                           camera.WorldToScreenY(m_world.Tile(x, y)->m_worldY)))
                    return true;
        return false;
    };
    // The tile furthest toward a screen direction: where the view starts before it is pushed on.
    auto outermost = [&](int dx, int dy) {
        const SIM_Tile* best = m_world.Tile(0, 0);
        for (int x = 0; x < floor.GetWidth(); ++x)
            for (int y = 0; y < floor.GetHeight(); ++y)
            {
                const SIM_Tile* tile = m_world.Tile(x, y);
                if (dx * tile->m_worldX + dy * tile->m_worldY > dx * best->m_worldX + dy * best->m_worldY)
                    best = tile;
            }
        return best;
    };
    const float width = static_cast<float>(GScreenSize::Width());
    const float height = static_cast<float>(GScreenSize::Height());
    for (const float zoom : {camera.GetMinZoom(), camera.GetMaxZoom()})
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
            {
                if (dx == 0 && dy == 0)
                    continue;
                // Two seconds with the pointer at that screen edge, from the floor's outermost tile.
                FactoryWorld::LookAt(outermost(dx, dy), zoom);
                m_world.input.MoveTo((width - 4.0f) * static_cast<float>(dx + 1) / 2.0f + 2.0f,
                                     (height - 4.0f) * static_cast<float>(dy + 1) / 2.0f + 2.0f);
                for (int frame = 0; frame < 120; ++frame)
                    GameFrame();
                EXPECT_TRUE(floorOnScreen()) << "edge " << dx << ", " << dy << " at zoom " << zoom;
            }
}

TEST_F(GameScenario, EveryTextOverTheRunningGameStaysInsideItsBoxCloseUpAndFarOut)
{
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Game& game = GUI_Game::Instance();
    GGameServices::Install(&m_windows);
    game.Enter();
    // A research office with nothing to research and a station level with it one tile aside, so
    // far out their labels would meet; a station whose notice shows; both import bays waiting
    // with resources.
    SIM_ResearchManager::Instance().SetCurrentResearch(nullptr);
    SIM_FacilitySlot* office = m_world.PlaceFacility("fac_research_office", 6, 6, 0);
    SIM_ProductionSlot* shop = m_world.Place("task_make_axles", 7, 5);
    SIM_ProductionSlot* chassis = m_world.Place("task_fit chassis", 10, 12);
    ASSERT_NE(office, nullptr);
    ASSERT_NE(shop, nullptr);
    ASSERT_NE(chassis, nullptr);
    std::vector<const SIM_Tile*> bays;
    for (const auto& [x, y] : {std::pair{1, 5}, std::pair{5, 1}})
    {
        ASSERT_NE(m_world.Place("task_resource_importer", x, y), nullptr);
        SIM_ResourceImportBay* bay = SIM_ResourceConveyorManager::Instance().GetImportBayOn(m_world.Tile(x, y));
        ASSERT_NE(bay, nullptr);
        for (const char* name : {"steel_sheet", "copper_wire", "steel_sheet"})
        {
            SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
            object->Init(SIM_ResourceManager::Instance().GetResource(name), nullptr, 0.0f, 0.0f);
            bay->Enqueue(object);
        }
        bays.push_back(bay->GetTile());
    }
    m_rec->textCheck.enabled = true;
    m_rec->textCheck.Clear();
    GUI_Camera& camera = GUI_Camera::Instance();
    auto hover = [&](float x, float y, int frames) {
        m_world.input.MoveTo(x, y);
        for (int i = 0; i < frames; ++i)
            GameFrame();
    };
    for (float zoom : {1.0f, 0.25f})
    {
        // The floor's labels and notices, with the station's label hovered, its tile in the
        // middle of the screen and then just under the top bar.
        const std::vector<const SIM_Tile*> places = {office->GetTile(), shop->GetTile(), chassis->GetTile(), bays[0],
                                                     bays[1]};
        for (const SIM_Tile* tile : places)
            for (float screenY : {384.0f, 60.0f})
            {
                FactoryWorld::LookAt(tile, zoom);
                camera.SetPosition(camera.GetX(),
                                   camera.GetY() + (camera.WorldToScreenY(tile->m_worldY) - screenY) / zoom);
                hover(camera.WorldToScreenX(shop->GetTile()->m_worldX),
                      camera.WorldToScreenY(shop->GetTile()->m_worldY), 2);
            }
        FactoryWorld::LookAt(office->GetTile(), zoom);
        // The top bar's tooltips, each shown after the pointer rests on its button.
        GUI_InGameMenu* menu = GUI_Interface::GetOpen()->GetMenu();
        for (int b = 0; b < GUI_InGameMenu::BUTTON_COUNT; ++b)
        {
            const GUI_IconButton& button = *menu->GetButton(b);
            hover(static_cast<float>(button.GetLeft()) + static_cast<float>(button.GetWidth()) / 2.0f,
                  static_cast<float>(button.GetTop()) + static_cast<float>(button.GetHeight()) / 2.0f, 40);
        }
        // The build menu's card of every row.
        ClickWindow(*menu->GetButton(GUI_InGameMenu::SLOTS));
        GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen();
        ASSERT_NE(picker, nullptr);
        for (const GUI_WindowBase* row : picker->GetListedRows())
            if (row->IsVisible())
                hover(static_cast<float>(row->GetLeft()) + static_cast<float>(row->GetWidth()) / 2.0f,
                      static_cast<float>(row->GetTop()) + static_cast<float>(row->GetHeight()) / 2.0f, 3);
        ClickWindow(*menu->GetButton(GUI_InGameMenu::SLOTS));
        ASSERT_EQ(GUI_TaskPicker::GetOpen(), nullptr);
    }
    std::string findings;
    for (const std::string& finding : m_rec->textCheck.Describe())
        findings += finding + "\n";
    EXPECT_TRUE(m_rec->textCheck.findings.empty()) << findings;
    // What was looked at: the research office's label and a build menu card among them.
    const std::vector<std::string>& printed = m_rec->textCheck.printed;
    EXPECT_NE(std::find(printed.begin(), printed.end(), GTextTable::GetText("FAC_NO_RESEARCH")), printed.end());
    EXPECT_NE(std::find(printed.begin(), printed.end(), chassis->GetTask()->GetGuiName()), printed.end());
}
