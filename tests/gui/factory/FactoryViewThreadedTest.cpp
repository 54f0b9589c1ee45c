// The factory view's frames with the simulation's worker threads: the tile, prop and sort jobs of
// a busy floor (welding robots asking for sounds, sparks starting, props falling into place) run
// beside the main thread frame after frame, and the result is the same picture as without threads.
#include "FactoryViewTestSupport.h"

#include "gui/factory/props/GUI_AnimatedProp.h"
#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/view/GUI_Factory.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "tests/support/FreshState.h"

TEST_F(FactoryViewTest, FramesWithWorkerJobsDrawWhatTheMainThreadAloneDraws)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_TRUE(SIM_ThreadManager::Instance().IsThreaded());
    std::vector<GUI_SlotBase*> stations;
    for (int x = 2; x <= 8; x += 2)
    {
        SIM_ProductionSlot* slot = m_world.Place(x % 4 == 0 ? "task_fit_body" : "task_make_axles", x, 4);
        ASSERT_NE(slot, nullptr);
        stations.push_back(dynamic_cast<GUI_SlotBase*>(slot->GetGuiSlot()));
    }
    for (int x = 1; x <= 9; ++x)
        ASSERT_TRUE(m_world.LayConveyor(x, 6));
    for (GUI_SlotBase* view : stations)
        view->StartAnimations();
    FactoryWorld::LookAt(m_world.Tile(5, 4), 0.5f);
    int drawn = 0;
    for (int frame = 0; frame < 120; ++frame)
    {
        FactoryWorld::AdvanceClock(16.666666f);
        m_rec->Clear();
        m_world.Frame();
        drawn = static_cast<int>(m_rec->draws.size());
        ASSERT_GT(drawn, 0);
    }
    // The same floor drawn again with the jobs run on the main thread alone (the robots have
    // moved on by a frame, the floor has not).
    const FactoryFrameStats threaded = GUI_Factory::Instance().GetStats();
    EXPECT_GT(threaded.queueLength, 0);
    FreshState::Forget<SIM_ThreadManager>();
    m_rec->Clear();
    GUI_Factory::Instance().Draw();
    EXPECT_EQ(GUI_Factory::Instance().GetStats().visibleTiles, threaded.visibleTiles);
    EXPECT_EQ(GUI_Factory::Instance().GetStats().floorDraws, threaded.floorDraws);
}
