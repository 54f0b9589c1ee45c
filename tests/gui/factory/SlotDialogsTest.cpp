// The slot information dialog and the supply stockpile dialog on a running game: opened by clicks
// on the floor, sized and placed beside their slot, following the slot through stock arriving,
// research and an upgrade bought; the stockpile's list edited with sliders, the picker and the
// remove cross.
#include "FactoryViewTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/factory/dialogs/FactoryDialogs.h"
#include "gui/factory/dialogs/GUI_SlotEfficiency.h"
#include "gui/factory/dialogs/GUI_SlotRequirements.h"
#include "gui/factory/dialogs/GUI_SlotStatus.h"
#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/dialogs/GUI_SlotTooltipProgress.h"
#include "gui/factory/dialogs/GUI_SlotUpgrades.h"
#include "gui/factory/dialogs/GUI_Stockpile.h"
#include "gui/factory/dialogs/GUI_StockpileEntry.h"
#include "gui/factory/dialogs/GUI_StockpilePicker.h"
#include "gui/factory/dialogs/GUI_StockpileResourceStrip.h"
#include "gui/factory/dialogs/GUI_SupplyStockpile.h"
#include "gui/factory/dialogs/GUI_SupplyStrip.h"
#include "gui/factory/dialogs/GUI_TaskResource.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotState.h"

#include <algorithm>
#include <set>

namespace
{
// The registry test of this suite expects the toolkit's own confirm dialog among the windows;
// nothing in the view uses it, so this reference keeps it linked.
[[maybe_unused]] const auto kKeepConfirmDialog = &GUI_ConfirmDialog::Open;

constexpr int kMargins = GUI_Metrics::kDialogTopMargin + GUI_Metrics::kDialogBottomMargin;

SIM_ResourceObject* NewObject(const char* resource)
{
    SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
    object->Init(SIM_ResourceManager::Instance().GetResource(resource), nullptr, 0.0f, 0.0f);
    return object;
}

void ClickOn(FactoryWorld& world, const GUI_BaseElement& element)
{
    world.input.MoveTo(static_cast<float>(element.GetLeft() + element.GetRight()) * 0.5f,
                       static_cast<float>(element.GetTop() + element.GetBottom()) * 0.5f);
    GUI_WindowManager::Instance().OnClick();
    GUI_WindowManager::Instance().Update();
}

// Clicks the slot's main tile with the camera on it; the factory view opens what the slot opens.
void ClickSlot(FactoryWorld& world, const SIM_Tile* tile)
{
    FactoryWorld::LookAt(tile, 1.0f);
    world.Frame();
    const float cx = static_cast<float>(GScreenSize::Width()) * 0.5f;
    const float cy = static_cast<float>(GScreenSize::Height()) * 0.5f;
    world.input.MoveTo(cx, cy);
    world.Frame();
    GUI_Factory::Instance().OnClick(cx, cy);
}

class SlotDialogsTest : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        ASSERT_TRUE(m_world.StartGame("view_hall"));
        FactoryDialogs::Install(GUI_Factory::Instance().GetTools());
    }
};
} // namespace

TEST_F(SlotDialogsTest, TheSlotDialogFollowsItsSlotThroughStockResearchAndAnUpgradeBought)
{
    SIM_ProductionSlot* station = m_world.Place("task_make_engine", 3, 4);
    ASSERT_NE(station, nullptr);
    ClickSlot(m_world, station->GetTile());
    GUI_SlotTooltip* dialog = GUI_SlotTooltip::GetOpen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetSlot(), station);
    EXPECT_EQ(dialog->GetTitle(), station->GetTask()->GetGuiName());

    // Three needs (one row), an empty stockpile, upgrades still waiting for research.
    ASSERT_NE(dialog->GetStockpile(), nullptr);
    EXPECT_FALSE(dialog->GetUpgrades()->IsVisible());
    EXPECT_EQ(dialog->GetHeight(), kMargins + 116 + 56 + 24 + 24 + 120);
    EXPECT_EQ(dialog->GetHeight(), kMargins + GUI_SlotTooltip::ContentHeight(3, 0, -1));
    EXPECT_EQ(dialog->GetWidth(), 550);
    EXPECT_EQ(dialog->GetTop(), GScreenSize::Height() / 2 - dialog->GetHeight() / 2);
    EXPECT_EQ(dialog->GetStatus()->GetTimeValue().rfind("12.00 ", 0), 0u) << dialog->GetStatus()->GetTimeValue();

    // Stock arrives and more is on its way: cells in name order, needs marked against the stock.
    SIM_ResourceStockpile* stock = station->GetInputStockpile();
    const char* held[] = {"steel_sheet", "steel_sheet", "steel_sheet", "steel_sheet", "aluminium_bar"};
    for (int i = 0; i < 5; ++i)
    {
        SIM_ResourceObject* object = NewObject(held[i]);
        object->m_placeIndex = i;
        stock->LoadObject(object);
    }
    for (const char* name : {"steel_sheet", "copper_wire", "steel_sheet"})
        stock->AddRequest(NewObject(name));
    GUI_Factory::Instance().RefreshSlotTooltip(station);
    const auto& entries = dialog->GetStockpile()->GetEntries();
    ASSERT_EQ(entries.size(), 3u);
    const char* names[] = {"aluminium_bar", "copper_wire", "steel_sheet"};
    const char* texts[] = {"1+(0)", "0+(1)", "4+(2)"};
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(entries[i]->GetResource()->GetName(), names[i]);
        EXPECT_EQ(entries[i]->GetText(), texts[i]);
    }
    // Each need is a line: its icon at the left end, the count, and a tick when the stock holds
    // enough or a cross when not, 20 pixels inside the right end; hovering names it.
    const auto& lines = dialog->GetRequirements()->GetLines();
    ASSERT_EQ(lines.size(), 3u);
    const char* counts[] = {"8", "2", "4"};
    const char* marks[] = {"gui_cross.dds", "gui_cross.dds", "gui_tick.dds"};
    for (size_t i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(names[i]);
        const GUI_TaskResource& line = *lines[i];
        EXPECT_EQ(line.GetResource()->GetName(), names[i]);
        EXPECT_EQ(line.GetCountText(), counts[i]);
        EXPECT_EQ(line.GetMark().m_texture.GetName(), marks[i]);
        EXPECT_EQ(line.GetTop(), lines[0]->GetTop());
        EXPECT_EQ(line.GetHeight(), 32);
        EXPECT_FLOAT_EQ(line.GetIcon().m_vertices[0].x, static_cast<float>(line.GetLeft()));
        EXPECT_FLOAT_EQ(line.GetMark().m_width, 24.0f);
        EXPECT_FLOAT_EQ(line.GetMark().m_vertices[1].x, static_cast<float>(line.GetRight() - 20));
        EXPECT_EQ(line.GetTooltip()->GetLines(), std::vector<std::string>{line.GetResource()->GetGuiName()});
    }
    // The name shows once the mouse has rested on a line for more than ten frames.
    m_world.input.MoveTo(static_cast<float>(lines[0]->GetLeft() + 5), static_cast<float>(lines[0]->GetTop() + 5));
    for (int frame = 0; frame <= GUI_TaskResource::kTooltipDelay + 1; ++frame)
    {
        EXPECT_EQ(lines[0]->GetTooltip()->GetAlpha(), 0.0f) << frame;
        m_world.input.Update();
        GUI_WindowManager::Instance().Update();
    }
    EXPECT_GT(lines[0]->GetTooltip()->GetAlpha(), 0.0f);
    EXPECT_EQ(dialog->GetHeight(), kMargins + GUI_SlotTooltip::ContentHeight(3, 3, -1));

    // Research done: the upgrades panel shows, empty, with its button.
    SIM_Researchable* research = SIM_ResearchManager::Instance().GetResearchable("research_fast_tools");
    ASSERT_NE(research, nullptr);
    research->m_progress = research->m_cost;
    GUI_SlotTooltip::RefreshOpen(nullptr);
    EXPECT_TRUE(dialog->GetUpgrades()->IsVisible());
    EXPECT_EQ(dialog->GetHeight(), kMargins + GUI_SlotTooltip::ContentHeight(3, 3, 0));
    int pickers = 0;
    GUI_SlotUpgrades::UpgradePickerOpener() = [&pickers, station](SIM_PlaceableSlot* slot) {
        EXPECT_EQ(slot, station);
        ++pickers;
    };
    ClickOn(m_world, *dialog->GetUpgrades()->GetChooseButton());
    EXPECT_EQ(pickers, 1);
    GUI_SlotUpgrades::UpgradePickerOpener() = nullptr;

    // Bought: the cash is booked, and the dialog lists it and shows the faster time at once.
    SIM_SlotUpgrade* tools = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast_tools");
    ASSERT_NE(tools, nullptr);
    const float cash = SIM_FinanceManager::Instance().GetCash();
    SIM_Placement::PurchaseForSlot(*tools, station);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), cash - tools->m_cost);
    EXPECT_EQ(dialog->GetUpgrades()->GetRows().size(), 1u);
    EXPECT_EQ(dialog->GetHeight(), kMargins + GUI_SlotTooltip::ContentHeight(3, 3, 1));
    EXPECT_NE(dialog->GetStatus()->GetTimeValue().rfind("12.00 ", 0), 0u) << dialog->GetStatus()->GetTimeValue();

    // Drawn with the rest of the interface, then gone with its slot.
    GUI_WindowManager::Instance().Draw();
    station->Remove(true);
    GUI_WindowManager::Instance().Update();
    EXPECT_EQ(GUI_SlotTooltip::GetOpen(), nullptr);
}

TEST_F(SlotDialogsTest, TheDialogStandsBesideItsSlotOnTheSideTowardsTheScreenCentre)
{
    GScreenSize::Set(1920, 1080);
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 3, 4);
    ASSERT_NE(station, nullptr);
    GUI_Tile* tile = m_world.View(3, 4);
    for (float shift : {400.0f, -400.0f, 0.0f})
    {
        SCOPED_TRACE(shift);
        FactoryWorld::LookAt(station->GetTile(), 1.0f);
        GUI_Camera::Instance().SetPosition(GUI_Camera::Instance().GetX() + shift, GUI_Camera::Instance().GetY());
        m_world.Frame();
        GUI_SlotTooltip* dialog = GUI_SlotTooltip::Show(*dynamic_cast<GUI_ProductionSlot*>(station->GetGuiSlot()));
        const float tx = tile->GetScreenX();
        const float centre = static_cast<float>(dialog->GetLeft() + dialog->GetRight()) * 0.5f;
        if (tx < 960.0f)
            EXPECT_NEAR(centre, tx + 475.0f, 1.0f);
        else
            EXPECT_NEAR(centre, tx - 475.0f, 1.0f);
        EXPECT_NEAR(static_cast<float>(dialog->GetTop() + dialog->GetBottom()) * 0.5f, 540.0f, 1.0f);
        GUI_WindowManager::Instance().Update();
    }
    // Only one is ever open.
    const auto& windows = GUI_WindowManager::Instance().GetWindows();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                            [](GUI_WindowBase* w) { return dynamic_cast<GUI_SlotTooltip*>(w) != nullptr; }),
              1);
}

TEST_F(SlotDialogsTest, ProgressSegmentsFillUpToTheCurrentStepAndStayWithinTheirRectangles)
{
    // A slot without steps (no task) still shows one segment, as wide as the strip.
    SIM_ProductionSlot bare;
    GUI_SlotTooltipProgress empty(&bare);
    empty.SetRect(0.0f, 0.0f, 420.0f, 40.0f);
    ASSERT_EQ(empty.GetSegmentCount(), 1);
    EXPECT_EQ(empty.GetSegment(0).left, 10);
    EXPECT_EQ(empty.GetSegment(0).right, 410);
    EXPECT_EQ(empty.GetSegment(0).top, 5);
    EXPECT_EQ(empty.GetSegment(0).bottom, 18);
    EXPECT_EQ(empty.GetBar().top, 22);
    EXPECT_EQ(empty.GetBar().bottom, 35);
    GUI_SlotTooltipProgress none(nullptr);
    none.SetRect(0.0f, 0.0f, 420.0f, 40.0f);
    EXPECT_EQ(none.GetSegmentCount(), 1);
    EXPECT_FLOAT_EQ(none.SegmentFill(0), 0.0f);

    // A placed station: one segment per step; steps before the current one full, after it empty.
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 3, 4);
    ASSERT_NE(station, nullptr);
    GUI_SlotTooltipProgress strip(station);
    strip.SetRect(0.0f, 0.0f, 420.0f, 40.0f);
    const int steps = static_cast<int>(station->GetSubTasks().size());
    ASSERT_EQ(strip.GetSegmentCount(), std::clamp(steps, 1, GUI_SlotTooltipProgress::kMaxSegments));
    for (int i = 0; i < strip.GetSegmentCount(); ++i)
    {
        EXPECT_GE(strip.GetSegment(i).left, 10);
        EXPECT_LE(strip.GetSegment(i).right, 410);
    }
    // Thirty steps share the 23 segments: the strip stays inside them, the last ones in the last.
    SIM_ProductionTask* task = station->GetProductionTask();
    const std::vector<std::string> applied = task->m_subTasksApplied;
    task->m_subTasksApplied.assign(30, task->m_name);
    station->SetTask(task);
    task->m_subTasksApplied = applied;
    ASSERT_EQ(station->GetSubTasks().size(), 30u);
    GUI_SlotTooltipProgress many(station);
    many.SetRect(0.0f, 0.0f, 420.0f, 40.0f);
    ASSERT_EQ(many.GetSegmentCount(), GUI_SlotTooltipProgress::kMaxSegments);
    EXPECT_LE(many.GetSegment(GUI_SlotTooltipProgress::kMaxSegments - 1).right, 410);
    station->SetCurrentSubTask(29);
    EXPECT_FLOAT_EQ(many.SegmentFill(21), 1.0f);
    many.Draw();
    station->SetTask(task);
    if (steps >= 2)
    {
        station->SetCurrentSubTask(1);
        EXPECT_FLOAT_EQ(strip.SegmentFill(0), 1.0f);
        if (steps >= 3)
        {
            EXPECT_FLOAT_EQ(strip.SegmentFill(2), 0.0f);
        }
    }
}

TEST_F(SlotDialogsTest, TheStatePieListsTheSixLargestSharesWithPercentText)
{
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 3, 4);
    ASSERT_NE(station, nullptr);
    GUI_SlotEfficiency panel(station);
    panel.SetRect(0.0f, 0.0f, 546.0f, 120.0f);

    // Running for the whole of the last 30 seconds: one slice, one row reading 100%.
    station->SetState(RUNNING);
    FactoryWorld::AdvanceClock(31000.0f);
    panel.Refresh();
    ASSERT_EQ(panel.GetLegendCount(), 1);
    EXPECT_EQ(panel.GetLegend(0).name, GetSlotStateName(RUNNING));
    EXPECT_EQ(panel.GetLegend(0).percent, "100%");
    EXPECT_EQ(panel.GetLegend(0).red, PieChartColours::Get(RUNNING).red);
    EXPECT_EQ(panel.GetPie()->GetSegmentCount(), 1);
    EXPECT_FLOAT_EQ(panel.GetPie()->GetRadius(), 60.0f);
    EXPECT_FLOAT_EQ(panel.GetPie()->GetCentreX(), 70.0f);

    // All seven states in the window, each longer than the one before: six rows, largest first,
    // seven slices.
    for (int state = UNKNOWN; state < NUM_SLOT_STATES; ++state)
    {
        station->SetState(state);
        FactoryWorld::AdvanceClock(3000.0f + 500.0f * static_cast<float>(state));
    }
    panel.Refresh();
    ASSERT_EQ(panel.GetLegendCount(), GUI_SlotEfficiency::kLegendSize);
    EXPECT_EQ(panel.GetPie()->GetSegmentCount(), NUM_SLOT_STATES);
    EXPECT_EQ(panel.GetLegend(0).name, GetSlotStateName(WAITING_FOR_EXPORT));
    for (int i = 1; i < panel.GetLegendCount(); ++i)
        EXPECT_GE(panel.GetLegend(i - 1).share, panel.GetLegend(i).share);
}

TEST_F(SlotDialogsTest, TheUpgradesPanelLaysOutFromItsRectangle)
{
    GUI_SlotUpgrades panel(nullptr);
    panel.SetRect(0.0f, 0.0f, 400.0f, 100.0f);
    const PRect& inner = panel.GetInnerRect();
    const PRect& list = panel.GetListArea();
    EXPECT_EQ((std::vector<int>{inner.left, inner.top, inner.right, inner.bottom}), (std::vector<int>{2, 2, 398, 98}));
    EXPECT_EQ((std::vector<int>{list.left, list.top, list.right, list.bottom}), (std::vector<int>{12, 26, 396, 96}));
    const GUI_ScrollingWindow* bar = panel.GetScrollBar();
    EXPECT_EQ((std::vector<int>{bar->GetLeft(), bar->GetTop(), bar->GetRight(), bar->GetBottom()}),
              (std::vector<int>{376, 31, 391, 91}));
    EXPECT_FALSE(bar->IsVisible()) << "no upgrades, no scroll bar";
    const GUI_ButtonText* button = panel.GetChooseButton();
    EXPECT_EQ((std::vector<int>{button->GetLeft(), button->GetTop(), button->GetRight(), button->GetBottom()}),
              (std::vector<int>{248, 4, 396, 24}));
}

TEST_F(SlotDialogsTest, TheSupplyStockpileListIsEditedWithThePickerSlidersAndTheCross)
{
    SIM_FacilitySlot* facility = m_world.PlaceFacility("fac_supply_stockpile", 4, 4);
    auto* supply = dynamic_cast<SIM_SupplyStockpile*>(facility);
    ASSERT_NE(supply, nullptr);
    ClickSlot(m_world, supply->GetTile());
    GUI_SupplyStockpile* dialog = GUI_SupplyStockpile::GetOpen();
    ASSERT_NE(dialog, nullptr);
    // Nothing listed: no rows, no scroll bar, only title and button room.
    EXPECT_TRUE(dialog->GetRows().empty());
    EXPECT_FALSE(dialog->GetScrollBar()->IsVisible());
    EXPECT_EQ(dialog->GetHeight(), kMargins + 40);
    EXPECT_EQ(dialog->GetWidth(), 500);

    // "Add item" twice leaves one picker, offering every resource.
    const size_t kinds = SIM_ResourceManager::Instance().GetResources().size();
    ASSERT_GE(kinds, 2u);
    ClickOn(m_world, *dialog->GetAddButton());
    dialog->OnAddItem();
    GUI_WindowManager::Instance().Update();
    GUI_StockpilePicker* picker = GUI_StockpilePicker::GetOpen();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->IsModal());
    EXPECT_EQ(picker->GetRows().size(), kinds);
    // Picking the first two rows: each reopens the dialog with a new last row at 0.
    for (int pick = 0; pick < 2; ++pick)
    {
        picker = GUI_StockpilePicker::GetOpen();
        ASSERT_NE(picker, nullptr);
        const auto* row = dynamic_cast<const GUI_StockpileResourceStrip*>(picker->GetRows().front().get());
        const SIM_Resource* resource = row->GetResource();
        ClickOn(m_world, *row);
        EXPECT_EQ(GUI_StockpilePicker::GetOpen(), nullptr);
        ASSERT_EQ(supply->StockItems().size(), static_cast<size_t>(pick + 1));
        EXPECT_EQ(supply->StockItems().back()->resource, resource);
        EXPECT_EQ(supply->StockItems().back()->wanted, 0);
        dialog = GUI_SupplyStockpile::GetOpen();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetRows().size(), static_cast<size_t>(pick + 1));
        EXPECT_EQ(dialog->GetHeight(), kMargins + 40 + 60 * (pick + 1));
        if (pick == 0)
            dialog->OnAddItem();
    }
    // The picker leaves out what is already stocked.
    dialog->OnAddItem();
    picker = GUI_StockpilePicker::GetOpen();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->GetRows().size(), kinds - 2);
    for (const auto& row : picker->GetRows())
    {
        const SIM_Resource* offered = dynamic_cast<const GUI_StockpileResourceStrip*>(row.get())->GetResource();
        for (const auto& item : supply->StockItems())
            EXPECT_NE(offered, item->resource);
    }
    picker->Close();
    GUI_WindowManager::Instance().Update();

    // Sliders: 20 and 10 leave 26 and 16; a list loaded past the 36 places leaves 0, never less.
    auto strip = [&](size_t i) { return dynamic_cast<GUI_SupplyStrip*>(dialog->GetRows()[i].get()); };
    struct Move
    {
        size_t row;
        float value;
        int expected;
    };
    const Move moves[] = {{0, 20.0f, 20}, {1, 10.0f, 10}, {0, 36.0f, 26}, {1, 36.0f, 10},
                          {0, 20.0f, 20}, {1, 30.0f, 16}, {1, -5.0f, 0}};
    for (const Move& m : moves)
    {
        strip(m.row)->GetSlider()->SetValue(m.value);
        strip(m.row)->OnAmountChanged();
        EXPECT_EQ(supply->StockItems()[m.row]->wanted, m.expected) << m.row << " to " << m.value;
        EXPECT_EQ(strip(m.row)->GetAmountText(), std::to_string(m.expected));
        EXPECT_FLOAT_EQ(strip(m.row)->GetSlider()->GetValue(), static_cast<float>(m.expected));
    }
    supply->StockItems()[0]->wanted = 40;
    strip(1)->GetSlider()->SetValue(5.0f);
    strip(1)->OnAmountChanged();
    EXPECT_EQ(supply->StockItems()[1]->wanted, 0);

    // The cross of the first row, clicked as the player does: the item goes, the rows follow
    // after the click, and the dialog is 60 pixels shorter.
    const SIM_Resource* kept = supply->StockItems()[1]->resource;
    ClickOn(m_world, *strip(0)->GetRemoveButton());
    ASSERT_EQ(supply->StockItems().size(), 1u);
    EXPECT_EQ(supply->StockItems()[0]->resource, kept);
    ASSERT_EQ(dialog->GetRows().size(), 1u);
    EXPECT_EQ(strip(0)->GetItem(), supply->StockItems()[0].get());
    EXPECT_EQ(dialog->GetHeight(), kMargins + 40 + 60);
    GUI_WindowManager::Instance().Draw();

    // Eight rows: six show, the bar scrolls the rest.
    for (size_t i = 1; i < 8; ++i)
        supply->AddStockItem(SIM_ResourceManager::Instance().GetResources()[i % kinds], 0);
    dialog = GUI_SupplyStockpile::Open(*supply);
    EXPECT_EQ(dialog->GetHeight(), kMargins + 40 + 360);
    EXPECT_TRUE(dialog->GetScrollBar()->IsVisible());
    EXPECT_EQ(dialog->GetScrollBar()->GetMaxFirstRow(), 2);
}
