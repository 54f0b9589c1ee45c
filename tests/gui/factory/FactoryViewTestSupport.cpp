// Factory view test set-up.
#include "FactoryViewTestSupport.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GOptions.h"
#include "engine/core/GRandom.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/notices/GUI_NoticeBase.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/props/AnimationChunkTable.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/core/PClock.h"
#include "platform/video/PImageCodec.h"
#include "platform/video/PKeyState.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_DefinitionTree.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/support/FreshState.h"

#include <algorithm>
#include <cstdlib>

#include <vector>

// The registry test fills the windows with the game's own definitions in this suite.
static const bool kShippedDefinitions = [] {
    ShippedDefinitionsLoader() = [] { LoadDefinitionTree("data/simulation"); };
    return true;
}();

void LoadFactoryGraphicsForTest()
{
    LoadGameFontsForTest();
    GTextureManager::Instance().AddFolder("data/bitmaps");
    SharedVertexBatch().Create(8000);
    LoadSpriteAtlases();
}

void ReleaseFactoryGraphicsForTest()
{
    GUI_Factory::Instance().ReleaseGraphics();
    ClearParticleEmitters();
}

void FactoryWorld::Install()
{
    PClock::SetManual(true, 1000ull * 1000000ull);
    GRandom::Init();
    SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
    SIM_ThreadManager::Instance().Init();
    SIM_Presentation::Instance().SetListener(&GUI_Factory::Instance());
    CBaseInputManager::SetActive(&input);
    LoadParticleConfigs();
    GUI_Prop::ResetDropClock();
    GUI_FloatingValue::ResetPool();
}

void FactoryWorld::Remove()
{
    FreshState::EndGame();
    // The view's own missions would hide the shipped ones from a later test that asks for one.
    FreshState::Forget<SIM_MissionManager>();
    SIM_Presentation::Instance().DiscardPosted();
    SIM_Presentation::Instance().SetListener(nullptr);
    FreshState::Forget<SIM_ThreadManager>();
    GUI_Factory::Instance().GetTools().Reset();
    // A test that zoomed out would otherwise hand the next test's new game its zoom.
    FreshState::Forget<GUI_Camera>();
    // So would a test that switched an option on (the conveyor placer's arrows, say).
    FreshState::Forget<GOptions>();
    GUI_Factory::Instance().SetFrameFactor(1.0f);
    GUI_FloatingValue::ResetPool();
    FreshState::Forget<IsometricDrawQueue>();
    // A test that made the car cache's target may have stopped before it let go of it; the
    // target goes with this test's device, and the next game's cache must not reach for it.
    GUI_TextureCache::Reset();
    std::vector<SoundRequest> drained;
    SoundRequestQueue::Instance().TakeAll(drained);
    // The test's clock stands still, so the effects it started never end by themselves: left
    // playing, they would hold every voice and a later test could start no sound at all.
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    sounds.GetDevice().StopAll();
    sounds.Update();
    ViewRandom::SetSourceForTests(nullptr);
    PKeyState::SetSource({});
    GUI_WindowManager::Instance().CloseAll();
    GUI_Cursor::Instance().Update();
    CBaseInputManager::SetActive(nullptr);
    ClearParticleConfigs();
    PClock::SetManual(false);
}

bool FactoryWorld::StartGame(const std::string& mission)
{
    // A running game's floor still points into its mission: it ends before the missions go.
    FreshState::EndGame();
    SIM_MissionManager& missions = SIM_MissionManager::Instance();
    missions.Unload();
    missions.Load(mission.rfind("view_", 0) == 0 ? FV_TEST_DIR "/gui/factory/data/missions/*.txt"
                                                 : "data/missions/*.txt");
    SIM_Mission* found = missions.GetMission(mission);
    return found && SIM_Game::Instance().InitSimulation(found);
}

SIM_Tile* FactoryWorld::Tile(int x, int y) const
{
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    return factory ? factory->GetTile(x, y) : nullptr;
}

GUI_Tile* FactoryWorld::View(int x, int y) const
{
    return GUI_Factory::Instance().GetTile(x, y);
}

SIM_ProductionSlot* FactoryWorld::Place(const char* task, int x, int y, int facing)
{
    const SIM_ProductionTask* found = SIM_ProductionTaskManager::Instance().GetTask(task);
    return found ? static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(found, Tile(x, y), facing, false))
                 : nullptr;
}

SIM_FacilitySlot* FactoryWorld::PlaceFacility(const char* task, int x, int y, int facing)
{
    const SIM_FacilityTask* found = SIM_FacilityManager::Instance().GetTask(task);
    return found ? static_cast<SIM_FacilitySlot*>(SIM_Placement::PlaceTask(found, Tile(x, y), facing, false)) : nullptr;
}

bool FactoryWorld::LayConveyor(int x, int y)
{
    return SIM_Placement::LayConveyor(Tile(x, y), 4, false) != nullptr;
}

void FactoryWorld::LookAt(const SIM_Tile* tile, float zoom)
{
    GUI_Camera& camera = GUI_Camera::Instance();
    if (tile)
        camera.SetPosition(tile->m_worldX, tile->m_worldY);
    camera.SetZoom(zoom);
}

void FactoryWorld::AdvanceClock(float milliseconds)
{
    PClock::AdvanceManual(static_cast<uint64_t>(static_cast<double>(milliseconds) * 1.0e6));
    SIM_Game::Instance().UpdateClock();
}

void FactoryWorld::Frame(bool stepSimulation)
{
    input.Update();
    GUI_Factory& view = GUI_Factory::Instance();
    view.Update();
    if (stepSimulation)
        SIM_Game::Instance().Update();
    view.Draw();
    UpdateAndDrawParticleEmitters(
        ParticleView{GUI_Camera::Instance().GetX(), GUI_Camera::Instance().GetY(), GUI_Camera::Instance().GetZoom()});
    GUI_ZoomOutIcons::Instance().Draw();
    view.DrawLabels();
    view.ApplySlotOverlay(3);
    GUI_FloatingValue::DrawAll();
    view.DrawNotices();
}

void FactoryViewTest::SetUp()
{
    RecordingRenderTest::SetUp();
    m_rec->windowWidth = ScreenWidth();
    m_rec->windowHeight = ScreenHeight();
    ASSERT_TRUE(InitDevice());
    GScreenSize::Set(ScreenWidth(), ScreenHeight());
    LoadFactoryGraphicsForTest();
    m_world.Install();
}

void FactoryViewTest::TearDown()
{
    m_world.Remove();
    ReleaseFactoryGraphicsForTest();
    RecordingRenderTest::TearDown();
}

void FactoryPictureTest::SetUp()
{
    GLRenderTest::SetUp();
    if (IsSkipped())
        return;
    LoadFactoryGraphicsForTest();
    m_world.Install();
}

void FactoryPictureTest::TearDown()
{
    if (!IsSkipped())
    {
        m_world.Remove();
        ReleaseFactoryGraphicsForTest();
    }
    GLRenderTest::TearDown();
}

void FactoryPictureTest::ExpectSamePicture(const PImage& first, const PImage& second)
{
    ASSERT_EQ(first.Width(), second.Width());
    ASSERT_EQ(first.Height(), second.Height());
    int differing = 0, largest = 0;
    for (int y = 0; y < first.Height(); ++y)
        for (int x = 0; x < first.Width(); ++x)
        {
            const uint32_t a = Pixel(first, x, y), b = Pixel(second, x, y);
            int d = 0;
            for (int shift = 0; shift < 24; shift += 8)
                d = std::max(d,
                             std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
            differing += d > 0 ? 1 : 0;
            largest = std::max(largest, d);
        }
    EXPECT_LE(largest, 2);
    EXPECT_LE(differing, first.Width() * first.Height() / 1000);
}

void FactoryPictureTest::CompareFrame(const std::string& name)
{
    GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
    m_world.Frame();
    CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/factory/reference/" + name + ".png");
}
