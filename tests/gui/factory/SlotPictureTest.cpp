// Placed slots as the player sees them once their props have dropped into place: a production
// slot with its stockpile and export floors, the car export, a power plant and a supply stockpile
// at a fixed moment of their animations; and a welding robot caught mid-weld, sparks flying.
#include "FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/props/GUI_AnimatedProp.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"
#include "gui/toolkit/effects/GUI_FlipbookParticles.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_ProductionSlot.h"

namespace
{
// Game time passes frame by frame, as it would while the player watches.
void Watch(FactoryWorld& world, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        FactoryWorld::AdvanceClock(16.666666f);
        world.Frame();
    }
}
} // namespace

TEST_F(FactoryPictureTest, SlotsOfEveryKindWithTheirProps)
{
    ViewRandom::SetSourceForTests([] { return 0.25f; });
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_make_axles", 3, 4), nullptr);
    ASSERT_NE(m_world.Place("task_export", 6, 10), nullptr);
    ASSERT_NE(m_world.PlaceFacility("fac_power_plant", 2, 7), nullptr);
    ASSERT_NE(m_world.PlaceFacility("fac_supply_stockpile", 5, 6), nullptr);
    FactoryWorld::LookAt(m_world.Tile(4, 7), 0.3f);
    Watch(m_world, 90);
    ClearParticleEmitters();
    GUI_FloatingValue::ResetPool();
    CompareFrame("slots");
}

TEST_F(FactoryPictureTest, WeldingRobotMidWeldWithSparks)
{
    ViewRandom::SetSourceForTests([] { return 0.25f; });
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 3, 4);
    ASSERT_NE(station, nullptr);
    auto* view = dynamic_cast<GUI_SlotBase*>(station->GetGuiSlot());
    ASSERT_NE(view, nullptr);
    FactoryWorld::LookAt(m_world.Tile(3, 4), 1.0f);
    Watch(m_world, 40);
    ClearParticleEmitters();
    GUI_FloatingValue::ResetPool();
    // Both robots start welding; the first is put at the end of its move to the first weld point.
    view->StartAnimations();
    ASSERT_FALSE(view->GetAnimatedProps().empty());
    GUI_AnimatedProp* robot = view->GetAnimatedProps().front();
    robot->SetSection("WL1In");
    robot->SetFrame(24);
    Watch(m_world, 3);
    ASSERT_NE(robot->GetWeldParticles(), nullptr);
    EXPECT_TRUE(robot->GetWeldParticles()->IsPlaying()) << "the weld has started";
    EXPECT_EQ(robot->GetSection()->name, "WL1Loop");
    CompareFrame("robot_mid_weld");
}

TEST_F(FactoryPictureTest, DrawingFromTheScenePagesShowsTheSamePicture)
{
    ViewRandom::SetSourceForTests([] { return 0.25f; });
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    EXPECT_GT(IsometricDrawQueue::Instance().Pages().GetPictureCount(), 10u);
    ASSERT_NE(m_world.Place("task_fit_body", 3, 4), nullptr);
    ASSERT_NE(m_world.Place("task_make_axles", 5, 4), nullptr);
    FactoryWorld::LookAt(m_world.Tile(3, 4), 0.5f);
    Watch(m_world, 40);
    ClearParticleEmitters();
    GUI_FloatingValue::ResetPool();
    // The same frame from the pages and from the pictures' own textures.
    PImage frames[2];
    for (int i = 0; i < 2; ++i)
    {
        IsometricDrawQueue::Instance().Pages().SetEnabled(i == 0);
        GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
        m_world.Frame();
        frames[i] = ReadBack();
    }
    IsometricDrawQueue::Instance().Pages().SetEnabled(true);
    ExpectSamePicture(frames[0], frames[1]);
}
