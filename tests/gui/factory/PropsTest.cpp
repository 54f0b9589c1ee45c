// Props on the floor: where they stand when their slot turns, how an animated prop shows its frame
// as chunks (mirrored or not, with empty cells), the welding robots' cycle step by step, and what
// never starts.
#include "FactoryViewTestSupport.h"

#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/props/GUI_AnimatedProp.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"
#include "gui/toolkit/effects/GUI_FlipbookParticles.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <string>
#include <vector>

namespace
{
// A prop type made for the test: a picture per facing (the second one mirrored) and a footprint.
SIM_Prop MakeType(int footprint, float depthBias = 0.0f)
{
    SIM_Prop type;
    type.m_name = "test_machine";
    type.m_height = 256.0f;
    type.m_width = 128.0f;
    for (int f = 0; f < 4; ++f)
        type.m_sprites[f] = "prop_machine_press_se.dds";
    type.m_spriteFlags[2] = 1;
    type.m_footprint = footprint;
    type.m_depthBias = depthBias;
    return type;
}

std::vector<SoundRequest> TakeSounds()
{
    std::vector<SoundRequest> sounds;
    SoundRequestQueue::Instance().TakeAll(sounds);
    return sounds;
}
} // namespace

TEST_F(FactoryViewTest, PropsTurnWithTheirSlotAndLargeOnesKeepToTheMiddle)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    GUI_Tile* tile = m_world.View(4, 4);
    const float tileY = m_world.Tile(4, 4)->m_worldY;
    struct Case
    {
        int footprint, subTile, facingOffset, slotFacing;
        int expectedSubTile; // unturned index whose place the prop takes
        int expectedFacing;
    };
    // One quarter turn takes (row, column) to (column, 3 - row); facing 0 is three turns, 2 one,
    // 3 two. Footprints of 2 or 3 turn within the inner 3 x 3 block, 4 or more stand on 15.
    const Case cases[] = {
        {1, 1, 0, 1, 1, 1},  {1, 1, 0, 0, 8, 0}, {1, 1, 0, 2, 7, 2},  {1, 1, 0, 3, 14, 3},
        {1, 6, 3, 2, 10, 1}, {2, 5, 0, 1, 5, 1}, {2, 5, 0, 0, 13, 0}, {3, 5, 0, 2, 7, 2},
        {2, 5, 1, 3, 15, 0}, {4, 2, 0, 1, 2, 1}, {4, 2, 0, 0, 15, 0}, {5, 9, 0, 3, 15, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("footprint " + std::to_string(c.footprint) + " sub-tile " + std::to_string(c.subTile) +
                     " slot facing " + std::to_string(c.slotFacing));
        const SIM_Prop type = MakeType(c.footprint, 3.0f);
        GUI_Prop prop(PropPlacement{c.subTile, &type, c.facingOffset}, tile, c.slotFacing);
        const SubTileOffset expected = GetSubTileOffset(c.expectedSubTile, 1);
        EXPECT_FLOAT_EQ(prop.GetOffsetX(), expected.x);
        EXPECT_FLOAT_EQ(prop.GetOffsetY(), expected.y);
        EXPECT_EQ(prop.GetFacing(), c.expectedFacing);
        EXPECT_FLOAT_EQ(prop.GetDepth(), tileY + expected.y + 3.0f);
        EXPECT_EQ(prop.IsMirrored(), c.expectedFacing == 2);
        EXPECT_FLOAT_EQ(prop.GetHeight(), 256.0f);
        EXPECT_FLOAT_EQ(prop.GetWidth(), 128.0f);
    }
}

TEST_F(FactoryViewTest, AnimatedPropsShowChunksMirroredWithEmptyCellsLeftOut)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    const SIM_Prop* robot = SIM_PropTypeManager::Instance().GetPropType("robot2");
    ASSERT_NE(robot, nullptr);
    GUI_Tile* tile = m_world.View(4, 4);
    GUI_AnimatedProp plain(PropPlacement{5, robot, 0}, tile, 1);
    GUI_AnimatedProp mirrored(PropPlacement{5, robot, 0}, tile, 1);
    plain.StartAnimation(false, false, 0, "arm_weld_se");
    mirrored.StartAnimation(false, true, 0, "arm_weld_se");
    const GUI_CompressedAnimation* animation = plain.GetAnimation();
    ASSERT_NE(animation, nullptr);
    const CompressedAnimFrame& frame = animation->GetFrame(0);
    int empty = 0;
    for (int i = 0; i < GUI_AnimatedProp::kChunks; ++i)
    {
        const int row = i / 8, column = i % 8;
        EXPECT_EQ(plain.IsChunkVisible(i), frame.cells[static_cast<size_t>(i)] != -1) << i;
        // Mirrored, a cell shows the chunk of the cell across the middle, flipped.
        const int across = row * 8 + 7 - column;
        EXPECT_EQ(mirrored.IsChunkVisible(i), frame.cells[static_cast<size_t>(across)] != -1) << i;
        empty += plain.IsChunkVisible(i) ? 0 : 1;
        if (!plain.IsChunkVisible(across))
            continue;
        const PVertex* a = plain.GetChunk(across).m_sprite.m_vertices;
        const PVertex* m = mirrored.GetChunk(i).m_sprite.m_vertices;
        EXPECT_FLOAT_EQ(m[0].u, a[1].u);
        EXPECT_FLOAT_EQ(m[1].u, a[0].u);
        EXPECT_FLOAT_EQ(m[0].v, a[0].v);
        EXPECT_FLOAT_EQ(m[3].v, a[3].v);
    }
    EXPECT_GT(empty, 0) << "the first frame of a robot leaves some cells empty";

    // Only the visible cells are queued.
    FactoryWorld::LookAt(m_world.Tile(4, 4), 1.0f);
    m_world.Frame();
    plain.PreDraw(GUI_Factory::Instance().GetFrameView());
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    queue.Clear();
    plain.QueueDraw(queue);
    EXPECT_EQ(static_cast<int>(queue.GetCount()), GUI_AnimatedProp::kChunks - empty);
    for (const GUI_IsometricObject* chunk : queue.GetObjects())
        EXPECT_EQ(chunk->GetDepth(), plain.GetDepth());
    queue.Clear();
}

TEST_F(FactoryViewTest, AnAnimationNamedForTheCarRobotsNeverStarts)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    const SIM_Prop* robot = SIM_PropTypeManager::Instance().GetPropType("robot2");
    GUI_AnimatedProp prop(PropPlacement{5, robot, 0}, m_world.View(4, 4), 1);
    prop.StartAnimation(true, false, 1, "robot2_weld");
    prop.StartAnimation(true, false, 1, "big_robot2");
    EXPECT_EQ(prop.GetAnimation(), nullptr);
    EXPECT_FALSE(prop.IsPlaying());
}

TEST_F(FactoryViewTest, WeldingRobotsRunTheirCycleWithSparksAndServos)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    const SIM_Prop* robot = SIM_PropTypeManager::Instance().GetPropType("robot2");
    GUI_AnimatedProp prop(PropPlacement{5, robot, 0}, m_world.View(4, 4), 1);
    FactoryWorld::LookAt(m_world.Tile(4, 4), 1.0f);
    m_world.Frame();
    prop.PreDraw(GUI_Factory::Instance().GetFrameView());
    float draw = 0.0f;
    ViewRandom::SetSourceForTests([&draw] { return draw; });

    struct Step
    {
        const char* section;
        int frame; // past the section's end
        bool working;
        float random;
        const char* next;
        int nextFrame;
        int servos, welds; // asked for by this step
    };
    // Sections of arm_weld_se: Lean In 0-15, WL1In 16-25, WL1Loop 26-49, WL1Out 50-59, WL2In
    // 60-69, WL2Loop 70-93, WL2Out 94-103, Lean Out 104-119.
    const Step steps[] = {
        {"Lean In", 16, true, 0.2f, "WL1In", 16, 1, 0},
        {"Lean In", 17, true, 0.7f, "WL2In", 61, 1, 0},
        {"WL1In", 26, true, 0.9f, "WL1Loop", 26, 1, 1},
        {"WL1Loop", 50, true, 0.3f, "WL1Loop", 26, 1, 1},
        {"WL1Loop", 50, true, 0.6f, "WL1Out", 50, 1, 0},
        {"WL1Loop", 51, false, 0.1f, "WL1Out", 51, 1, 0},
        {"WL1Out", 60, true, 0.1f, "WL2In", 60, 1, 0},
        {"WL1Out", 60, false, 0.1f, "Lean Out", 104, 1, 0},
        {"WL2In", 70, true, 0.9f, "WL2Loop", 70, 1, 1},
        {"WL2Loop", 94, true, 0.4f, "WL2Loop", 70, 0, 1},
        {"WL2Loop", 94, true, 0.8f, "WL2Out", 94, 1, 0},
        {"WL2Out", 104, true, 0.1f, "WL1In", 16, 1, 0},
        {"WL2Out", 104, false, 0.1f, "Lean Out", 104, 1, 0},
        {"WL1Loop", 30, true, 0.1f, "WL1Loop", 30, 0, 0}, // not yet past its end: nothing
    };
    for (const Step& s : steps)
    {
        SCOPED_TRACE(std::string(s.section) + " at " + std::to_string(s.frame));
        prop.SetPlaying(false);
        prop.StartAnimation(s.working, false, 1, "arm_weld_se");
        const GUI_CompressedAnimation* animation = prop.GetAnimation();
        ASSERT_NE(animation, nullptr);
        prop.SetSection(s.section);
        prop.SetWorking(s.working);
        prop.SetFrame(s.frame);
        draw = s.random;
        const int servos = prop.GetServoCount(), welds = prop.GetWeldCount();
        prop.StepRobotSequence();
        ASSERT_NE(prop.GetSection(), nullptr);
        EXPECT_EQ(prop.GetSection()->name, s.next);
        EXPECT_EQ(prop.GetFrame(), s.nextFrame);
        EXPECT_EQ(prop.GetServoCount() - servos, s.servos);
        EXPECT_EQ(prop.GetWeldCount() - welds, s.welds);
    }
    // Leaning out at the end: working starts over from the first frame, idle stops.
    prop.SetPlaying(false);
    prop.StartAnimation(false, false, 1, "arm_weld_se");
    prop.SetSection("Lean Out");
    prop.SetFrame(120);
    prop.SetWorking(true);
    prop.StepRobotSequence();
    EXPECT_EQ(prop.GetFrame(), 0);
    EXPECT_TRUE(prop.IsPlaying());
    EXPECT_EQ(prop.GetSection()->name, "Lean Out");
    prop.SetFrame(120);
    prop.SetWorking(false);
    prop.StepRobotSequence();
    EXPECT_FALSE(prop.IsPlaying());
    EXPECT_EQ(prop.GetSection(), nullptr);
    // The sparks started where the weld points are.
    ASSERT_NE(prop.GetWeldParticles(), nullptr);
    EXPECT_EQ(prop.GetWeldParticles()->GetFrameCount(), 24);
    // No slot near the camera owns this robot: nothing was heard.
    EXPECT_TRUE(TakeSounds().empty());
}

TEST_F(FactoryViewTest, RobotsOfAWorkingSlotNearTheCameraAreHeardAndFarOnesNot)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionSlot* slot = m_world.Place("task_fit_body", 3, 3);
    ASSERT_NE(slot, nullptr);
    auto* view = dynamic_cast<GUI_SlotBase*>(slot->GetGuiSlot());
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetAnimatedProps().size(), 2u) << "a car station has two welding robots";
    for (const GUI_AnimatedProp* robot : view->GetAnimatedProps())
        EXPECT_FALSE(robot->IsPlaying());
    view->StartAnimations();
    EXPECT_TRUE(view->IsAnimating());
    // The camera's tile decides which slots count as near: three tiles before it and two after.
    FactoryWorld::LookAt(m_world.Tile(7, 7), 0.25f);
    m_world.Frame();
    EXPECT_FALSE(view->IsNearCamera());
    // The props dropped into place when the slot was placed have landed after 30 frames.
    FactoryWorld::LookAt(m_world.Tile(3, 3), 0.25f);
    for (int frame = 0; frame < 30; ++frame)
        m_world.Frame();
    EXPECT_TRUE(view->IsNearCamera());
    // A robot on screen turning to its next motion is heard only near the camera.
    for (bool near : {true, false})
    {
        SCOPED_TRACE(near ? "near" : "far");
        TakeSounds();
        view->SetNearCamera(near);
        for (GUI_AnimatedProp* robot : view->GetAnimatedProps())
        {
            robot->SetSection("WL1In");
            robot->SetFrame(26);
            robot->StepRobotSequence();
        }
        const auto sounds = TakeSounds();
        if (!near)
        {
            EXPECT_TRUE(sounds.empty());
            continue;
        }
        // A servo and a weld for each robot, where the slot stands.
        ASSERT_EQ(sounds.size(), 4u);
        for (const SoundRequest& sound : sounds)
        {
            EXPECT_TRUE(sound.name.rfind("fv_servo_", 0) == 0 || sound.name.rfind("fv_weld_", 0) == 0) << sound.name;
            EXPECT_FLOAT_EQ(sound.x, m_world.Tile(3, 3)->m_worldX);
        }
    }
    // Stopping twice changes nothing the second time.
    view->StopAnimations();
    EXPECT_FALSE(view->IsAnimating());
    view->StopAnimations();
    EXPECT_FALSE(view->IsAnimating());
    for (const GUI_AnimatedProp* robot : view->GetAnimatedProps())
        EXPECT_FALSE(robot->IsWorking());
}
