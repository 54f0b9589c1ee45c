// The marks of resources travelling to the slot whose dialog is open: made for the requests in
// transit, dropped at the rebuild after their item arrives, rebuilt every tenth drawn frame only
// while a slot is watched, cleared when the factory goes; and the L-shaped line's geometry.
#include "FactoryViewTestSupport.h"

#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/objects/GUI_ResourceGraph.h"
#include "gui/factory/objects/GUI_ResourceGraphEntry.h"
#include "gui/factory/objects/GUI_ResourceObject.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class ResourceGraphTest : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        ASSERT_TRUE(m_world.StartGame("view_hall"));
        m_station = m_world.Place("task_make_engine", 3, 4);
        ASSERT_NE(m_station, nullptr);
        ASSERT_NE(m_station->GetInputStockpile(), nullptr);
    }
    void TearDown() override
    {
        FreshState::Forget<GUI_ResourceGraph>();
        FactoryViewTest::TearDown();
    }
    // An item requested by the station, travelling or still waiting at its source.
    SIM_ResourceObject* Request(bool travelling)
    {
        SIM_ResourceObject* item = SIM_ResourceObjManager::Instance().Allocate();
        item->Init(SIM_ResourceManager::Instance().GetResource("steel_sheet"), m_station, 0.0f, 0.0f);
        item->m_state = travelling ? SIM_ResourceObject::STATE_IN_TRANSIT : SIM_ResourceObject::STATE_WAITING;
        m_station->GetInputStockpile()->AddRequest(item);
        return item;
    }
    static std::vector<SIM_ResourceObject*> Marked()
    {
        std::vector<SIM_ResourceObject*> items;
        for (const GUI_ResourceGraphEntry* entry : GUI_ResourceGraph::Instance().GetEntries())
            items.push_back(entry->GetItem());
        return items;
    }

    SIM_ProductionSlot* m_station = nullptr;
};
} // namespace

TEST_F(ResourceGraphTest, MarksFollowTheRequestsInTransitAndCountDownOnlyWhileWatched)
{
    GUI_ResourceGraph& graph = GUI_ResourceGraph::Instance();
    SIM_ResourceObject* first = Request(true);
    SIM_ResourceObject* waiting = Request(false);
    SIM_ResourceObject* second = Request(true);

    // The slot's dialog opens: it watches the slot, and the travelling items are marked in order.
    GUI_SlotTooltip::Show(*dynamic_cast<GUI_ProductionSlot*>(m_station->GetGuiSlot()));
    ASSERT_TRUE(graph.IsActive());
    EXPECT_EQ(graph.GetStockpile(), m_station->GetInputStockpile());
    EXPECT_EQ(graph.GetSlotTile(), m_station->GetTile());
    EXPECT_EQ(Marked(), (std::vector<SIM_ResourceObject*>{first, second}));
    EXPECT_EQ(graph.GetCountdown(), GUI_ResourceGraph::kRebuildFrames);

    // The first arrives and the waiting one sets off: nothing changes until the tenth frame.
    first->m_state = SIM_ResourceObject::STATE_DELIVERED;
    waiting->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
    for (int frame = 1; frame < GUI_ResourceGraph::kRebuildFrames; ++frame)
        graph.Draw();
    EXPECT_EQ(graph.GetCountdown(), 1);
    EXPECT_EQ(Marked().size(), 2u);
    graph.Draw();
    EXPECT_EQ(Marked(), (std::vector<SIM_ResourceObject*>{second, waiting}));
    EXPECT_EQ(graph.GetCountdown(), GUI_ResourceGraph::kRebuildFrames);

    // The dialog closes: the marks stay but nothing counts down or draws.
    GUI_WindowManager::Instance().CloseAll();
    EXPECT_FALSE(graph.IsActive());
    second->m_state = SIM_ResourceObject::STATE_DELIVERED;
    for (int frame = 0; frame < 3 * GUI_ResourceGraph::kRebuildFrames; ++frame)
        graph.Draw();
    EXPECT_EQ(graph.GetCountdown(), GUI_ResourceGraph::kRebuildFrames);
    EXPECT_EQ(Marked().size(), 2u);

    // One dialog replaced by another's while clicks are handled: the new one keeps watching its
    // slot when the old one goes at the end of the frame's updates.
    SIM_ProductionSlot* other = m_world.Place("task_make_engine", 3, 7);
    ASSERT_NE(other, nullptr);
    GUI_SlotTooltip::Show(*dynamic_cast<GUI_ProductionSlot*>(m_station->GetGuiSlot()));
    {
        GUI_WindowManager::DispatchScope handling;
        GUI_SlotTooltip::Show(*dynamic_cast<GUI_ProductionSlot*>(other->GetGuiSlot()));
    }
    GUI_WindowManager::Instance().Update();
    EXPECT_TRUE(graph.IsActive());
    EXPECT_EQ(graph.GetStockpile(), other->GetInputStockpile());
    GUI_WindowManager::Instance().CloseAll();
    EXPECT_FALSE(graph.IsActive());

    // Watching again rebuilds at once; the game's end takes every mark and the watched slot.
    graph.Watch(m_station->GetInputStockpile(), m_station->GetTile());
    EXPECT_EQ(Marked(), (std::vector<SIM_ResourceObject*>{waiting}));
    FreshState::EndGame();
    m_station = nullptr;
    EXPECT_TRUE(graph.GetEntries().empty());
    EXPECT_FALSE(graph.IsActive());
    EXPECT_EQ(graph.GetStockpile(), nullptr);
    graph.Draw();
}

TEST_F(ResourceGraphTest, AnItemLevelWithTheSlotDrawsOnlyTheVerticalBarUnderItsBubble)
{
    SIM_ResourceObject* item = Request(true);
    auto* view = dynamic_cast<GUI_ResourceObject*>(item->m_view.get());
    ASSERT_NE(view, nullptr);
    GUI_Camera& camera = GUI_Camera::Instance();
    FactoryWorld::LookAt(m_station->GetTile(), 0.5f);
    const float tx = camera.WorldToScreenX(m_station->GetTile()->m_worldX);
    const float ty = camera.WorldToScreenY(m_station->GetTile()->m_worldY);
    // The item's picture: a 20-pixel square 120 pixels below the slot's tile.
    CTexturedSprite& picture = view->GetResource();
    picture.m_width = 20.0f;
    picture.m_height = 20.0f;
    picture.SetPosition(tx, ty + 120.0f);

    GUI_ResourceGraph& graph = GUI_ResourceGraph::Instance();
    graph.Watch(m_station->GetInputStockpile(), m_station->GetTile());
    ASSERT_EQ(graph.GetEntries().size(), 1u);
    graph.Draw();
    const GUI_ResourceGraphEntry& entry = *graph.GetEntries()[0];
    EXPECT_FLOAT_EQ(entry.GetHorizontalBar().m_width, 0.0f);
    EXPECT_FLOAT_EQ(entry.GetVerticalBar().m_width, GUI_ResourceGraphEntry::kBarWidth);
    EXPECT_FLOAT_EQ(entry.GetVerticalBar().m_height, 120.0f);
    const PVertex* bar = entry.GetVerticalBar().m_vertices;
    EXPECT_FLOAT_EQ((bar[0].y + bar[1].y + bar[2].y + bar[3].y) * 0.25f, ty + 60.0f);
    EXPECT_FLOAT_EQ(entry.GetBubble().m_width, 0.5f * GUI_ResourceGraphEntry::kBubbleSize);
    EXPECT_EQ(entry.GetBubble().m_vertices[0].colour, 0xFFFF0505u);
    const PVertex* bubble = entry.GetBubble().m_vertices;
    EXPECT_FLOAT_EQ((bubble[0].x + bubble[1].x + bubble[2].x + bubble[3].x) * 0.25f, tx);
}
