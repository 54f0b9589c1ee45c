// Slot views: the floor lists those it made while their slots stand, and a view leaves its roll's
// lists as it goes, a whole floor with a few steps for each view and car; turning a slot
// re-points its conveyor inserts, the name label's anchor and its replacement, clicks on slots
// that open nothing, the research office's standing label, slot notices by kind (culled off
// screen, reduced far out) and the import bays' queue labels.
#include "FactoryViewTestSupport.h"

#include "engine/core/GRoster.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/notices/GUI_ConveyorLabel.h"
#include "gui/factory/notices/GUI_Notice.h"
#include "gui/factory/notices/GUI_NoticeBase.h"
#include "gui/factory/scene/FloorLabelPlacer.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/slots/GUI_Facility.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/factory/slots/SlotTextLabel.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
GUI_SlotBase* ViewOf(SIM_PlaceableSlot* slot)
{
    return slot ? dynamic_cast<GUI_SlotBase*>(slot->GetGuiSlot()) : nullptr;
}
} // namespace

TEST_F(FactoryViewTest, TurningASlotRepointsOnlyItsConveyorInserts)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 3, 4);
    ASSERT_NE(station, nullptr);
    // The station's anchor carries an insert, its stockpile a metal plate.
    GUI_Tile* anchor = m_world.View(3, 4);
    GUI_Tile* stockpile = m_world.View(3, 5);
    EXPECT_EQ(anchor->GetFloorTextureName(), "conveyor_insert01_SE.dds");
    const char* const inserts[4] = {"conveyor_insert01_NE.dds", "conveyor_insert01_SE.dds", "conveyor_insert01_SW.dds",
                                    "conveyor_insert01_NW.dds"};
    for (int facing : {0, 2, 3, 1})
    {
        station->SetFacing(facing);
        EXPECT_EQ(anchor->GetFloorTextureName(), inserts[facing]);
        EXPECT_EQ(stockpile->GetFloorTextureName(), "floor_metal_04.dds");
    }
    // A conveyor task shows its own picture for the facing on its one tile.
    SIM_ProductionSlot* conveyor = m_world.Place("task_conveyor", 6, 6);
    ASSERT_NE(conveyor, nullptr);
    const std::string* sprites = conveyor->GetProductionTask()->m_sprites;
    for (int facing = 0; facing < 4; ++facing)
    {
        conveyor->SetFacing(facing);
        EXPECT_EQ(m_world.View(6, 6)->GetFloorTextureName(), sprites[facing]);
    }
}

TEST_F(FactoryViewTest, TheFloorListsTheSlotViewsItMadeUntilTheirSlotsGo)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    const std::vector<GUI_SlotBase*>& listed = GUI_Factory::Instance().GetSlotViews();
    SIM_ProductionSlot* station = m_world.Place("task_fit_body", 3, 4);
    SIM_FacilitySlot* office = m_world.PlaceFacility("fac_research_office", 7, 7);
    ASSERT_NE(station, nullptr);
    ASSERT_NE(office, nullptr);
    const auto isListed = [&listed](const GUI_SlotBase* view) {
        return std::find(listed.begin(), listed.end(), view) != listed.end();
    };
    EXPECT_TRUE(isListed(ViewOf(station)));
    EXPECT_TRUE(isListed(ViewOf(office)));
    // A view made away from the floor (a dialog's stand-in) is not the floor's to update.
    SIM_ProductionSlot standIn;
    {
        GUI_ProductionSlot preview(&standIn);
        EXPECT_FALSE(isListed(&preview));
    }
    const GUI_SlotBase* gone = ViewOf(station);
    GUI_Factory::Instance().RemoveAtTile(m_world.Tile(3, 4));
    EXPECT_FALSE(isListed(gone));
    EXPECT_TRUE(isListed(ViewOf(office)));
    m_world.Frame();
}

// The end of a game takes down every view of the floor, first made first: each leaves the lists it
// is on (the roll, the notices, the far-zoom icons, the props, the cars made) without a search,
// and the cars go in one pass, instead of each slot looking for its own car in the list of all.
TEST_F(FactoryViewTest, AWholeFloorGoesWithAFewStepsForEachViewAndCar)
{
    const uint64_t lists = GRosterWork();
    ASSERT_TRUE(m_world.StartGame("view_plant"));
    SIM_VehicleManager& cars = SIM_VehicleManager::Instance();
    size_t stations = 0;
    for (int x = 4; x <= 88; x += 6)
        for (int y = 4; y <= 124; y += 6)
        {
            SIM_ProductionSlot* station = m_world.Place("task_fit_body", x, y);
            ASSERT_NE(station, nullptr) << x << ", " << y;
            SIM_Vehicle* car = cars.CreateVehicle();
            car->SetSlot(station);
            station->SetVehicle(car);
            ++stations;
        }
    ASSERT_GT(stations, 300u);
    ASSERT_GE(cars.GetVehicles().size(), stations);
    m_world.Frame();
    const uint64_t joined = GRosterWork() - lists;
    ASSERT_GE(joined, 3 * stations);

    const uint64_t listsBefore = GRosterWork();
    const uint64_t carsBefore = cars.EntriesLookedAt();
    const size_t carCount = cars.GetVehicles().size();
    FreshState::EndGame();
    EXPECT_TRUE(cars.GetVehicles().empty());
    EXPECT_TRUE(GUISlotList::Instance().productionSlots.Empty());
    EXPECT_TRUE(NoticeList().empty());
    // Leaving, and closing the gaps the views left, costs at most a few steps a view.
    EXPECT_LE(GRosterWork() - listsBefore, 3 * joined);
    EXPECT_LE(cars.EntriesLookedAt() - carsBefore, carCount);
}

TEST_F(FactoryViewTest, AViewLeavesEveryListOfItsRollAsItGoesAndForgetsARollThatWentFirst)
{
    SIM_ProductionSlot slot;
    SlotViewRoll roll;
    {
        GUI_ProductionSlot view(&slot);
        roll.Enter(view);
        roll.MarkNearCamera(view);
        EXPECT_TRUE(view.IsNearCamera());
    }
    // Nothing the roll lists may point at a view that is gone.
    EXPECT_TRUE(roll.SlotViews().empty());
    EXPECT_TRUE(roll.NearCamera().empty());
    // A view on no roll is not marked: nothing would take it off the list when it goes.
    GUI_ProductionSlot stray(&slot);
    roll.MarkNearCamera(stray);
    EXPECT_TRUE(roll.NearCamera().empty());
    // The roll hands its views the tools of the view that keeps it, and takes them back as it goes.
    GUI_FactoryTools tools;
    auto shortLived = std::make_unique<SlotViewRoll>(tools);
    EXPECT_EQ(stray.GetTools(), nullptr);
    shortLived->Enter(stray);
    EXPECT_EQ(stray.GetTools(), &tools);
    shortLived.reset();
    EXPECT_EQ(stray.GetRoll(), nullptr);
    EXPECT_EQ(stray.GetTools(), nullptr);
}

TEST_F(FactoryViewTest, NameLabelStandsOnTheTopTileAndANewOneReplacesTheOld)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    // The axle shop covers (3, 4), (3, 5) and (3, 3): the last is highest on screen.
    SIM_ProductionSlot* shop = m_world.Place("task_make_axles", 3, 4);
    GUI_SlotBase* view = ViewOf(shop);
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->GetLabel(), nullptr);
    EXPECT_EQ(view->GetLabel()->GetAnchor(), m_world.Tile(3, 3));
    EXPECT_EQ(view->GetLabel()->GetText(), shop->GetTask()->GetGuiName());
    // Two tiles on the same row: the first in footprint order.
    SIM_FacilitySlot* office = m_world.PlaceFacility("fac_research_office", 6, 6, 0);
    ASSERT_NE(office, nullptr);
    GUI_SlotBase* officeView = ViewOf(office);
    ASSERT_NE(officeView->GetLabel(), nullptr);
    EXPECT_EQ(officeView->GetLabel()->GetAnchor(), office->GetTiles().back());
    // A second label replaces the first, and nothing keeps pointing at the old one.
    GUISlotList::Instance().hovered = view->GetLabel();
    view->CreateNameLabel("Axles again");
    EXPECT_EQ(GUISlotList::Instance().hovered, nullptr);
    EXPECT_EQ(view->GetLabel()->GetText(), "Axles again");
    // The label's width is the text's plus 20.
    EXPECT_GT(view->GetLabel()->GetWidth(), 20.0f);
}

TEST_F(FactoryViewTest, ClicksOnConveyorsAndImportersOpenNothingButAreTaken)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    int opened = 0;
    GUI_Factory::Instance().GetTools().openSlotTooltip = [&opened](GUI_ProductionSlot&) { ++opened; };
    struct Case
    {
        const char* task;
        int x, y;
        int opens;
    };
    const Case cases[] = {
        {"task_conveyor", 5, 5, 0}, {"task_resource_importer", 1, 5, 0}, {"task_make_axles", 3, 3, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.task);
        ASSERT_NE(m_world.Place(c.task, c.x, c.y), nullptr);
        FactoryWorld::LookAt(m_world.Tile(c.x, c.y), 1.0f);
        m_world.Frame();
        m_world.input.MoveTo(400.0f, 300.0f);
        opened = 0;
        EXPECT_TRUE(GUI_Factory::Instance().OnClick(400.0f, 300.0f));
        EXPECT_EQ(opened, c.opens);
    }
}

TEST_F(FactoryViewTest, AResearchOfficeWithNothingToResearchSaysSoWithoutHover)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_FacilitySlot* office = m_world.PlaceFacility("fac_research_office", 4, 4);
    ASSERT_NE(office, nullptr);
    auto* view = dynamic_cast<GUI_Facility*>(ViewOf(office));
    ASSERT_NE(view, nullptr);
    FactoryWorld::LookAt(m_world.Tile(4, 4), 0.5f);
    SIM_ResearchManager::Instance().SetCurrentResearch(nullptr);
    m_world.Frame();
    EXPECT_EQ(view->GetLabel()->GetText(), GTextTable::GetText("FAC_NO_RESEARCH"));
    SIM_Researchable* item = SIM_ResearchManager::Instance().GetItems().front();
    SIM_ResearchManager::Instance().SetCurrentResearch(item);
    m_world.Frame();
    // The research by the name the player reads, not its key.
    EXPECT_EQ(view->GetLabel()->GetText(), item->m_guiName);
    EXPECT_NE(item->m_guiName, item->GetName());
    SIM_ResearchManager::Instance().SetCurrentResearch(nullptr);
}

TEST_F(FactoryViewTest, FloorLabelsMoveAlongTheirStemsOffEachOtherAndStayBelowTheBar)
{
    // The placer alone: a second label over the first goes up its stem when there is room above,
    // down when there is not, and stays over it when there is room neither way (the connectors'
    // feet far below).
    struct Case
    {
        const char* name;
        PRect area;
        PRect second; // where it is wanted; the first stands at (100, 100)-(200, 130)
        bool apart;
    };
    const Case cases[] = {
        {"room above", {0, 0, 800, 600}, {120, 110, 220, 140}, true},
        {"under the bar, room below", {0, 90, 800, 600}, {120, 95, 220, 125}, true},
        {"no room either way", {0, 95, 800, 140}, {120, 105, 220, 135}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FloorLabelPlacer placer;
        placer.Begin(c.area);
        const PRect first = placer.Place(PRect{100, 100, 200, 130}, 300, 340);
        const PRect second = placer.Place(c.second, 300, 340);
        const bool apart = second.bottom <= first.top || second.top >= first.bottom;
        EXPECT_EQ(apart, c.apart);
        EXPECT_EQ(second.left, c.second.left) << "only along the stem";
        EXPECT_GE(second.top, c.area.top);
        EXPECT_LE(second.bottom, c.area.bottom);
    }

    // A slot just under the bar (its connector's foot at 60, the slot down to 90): its label hangs
    // below the slot rather than over it.
    FloorLabelPlacer placer;
    placer.Begin(PRect{0, 46, 800, 600});
    const PRect below = placer.Place(PRect{100, -100, 200, -70}, 60, 90);
    EXPECT_GE(below.top, 90);
    EXPECT_EQ(below.bottom - below.top, 30);
    EXPECT_EQ(FloorLabelPlacer::ConnectorEnd(below, 60), below.top);

    // In the view: a research office's "nothing to research" beside a hovered station, both near
    // the top of the screen under the game's bar (at a fifth of the size the two boxes would meet).
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_FacilitySlot* office = m_world.PlaceFacility("fac_research_office", 6, 6, 0);
    // The station's top tile (7, 4) stands level with the office's (6, 5), one tile to the side.
    SIM_ProductionSlot* shop = m_world.Place("task_make_axles", 7, 5);
    ASSERT_NE(office, nullptr);
    ASSERT_NE(shop, nullptr);
    SIM_ResearchManager::Instance().SetCurrentResearch(nullptr);
    GUI_Factory& factory = GUI_Factory::Instance();
    factory.SetCoveredTop(46);
    for (float zoom : {1.0f, 0.2f})
    {
        SCOPED_TRACE(zoom);
        FactoryWorld::LookAt(m_world.Tile(4, 4), zoom);
        // The office's tile 60 pixels below the screen's top edge.
        GUI_Camera& camera = GUI_Camera::Instance();
        camera.SetPosition(camera.GetX(),
                           camera.GetY() + (camera.WorldToScreenY(m_world.Tile(4, 4)->m_worldY) - 60.0f) / zoom);
        GUISlotList::Instance().hovered = ViewOf(shop)->GetLabel();
        m_world.Frame();
        const std::vector<PRect>& placed = factory.GetLabelPlacer().GetPlaced();
        ASSERT_EQ(placed.size(), 2u);
        for (const PRect& box : placed)
            EXPECT_GE(box.top, 46) << "below the bar";
        const PRect& a = placed[0];
        const PRect& b = placed[1];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) << "apart";
        if (zoom < 1.0f)
        {
            EXPECT_NE(a.top, b.top) << "one moved up or down its stem";
        }
    }
    factory.SetCoveredTop(0);
}

TEST_F(FactoryViewTest, NoticesShowTheirKindAreCulledOffScreenAndReducedFarOut)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionSlot* shop = m_world.Place("task_make_axles", 4, 4);
    auto* notice = dynamic_cast<GUI_Notice*>(shop->GetNotice());
    ASSERT_NE(notice, nullptr);
    struct Kind
    {
        int kind;
        const char* key;
        const char* symbol;
        uint32_t background, text;
    };
    const Kind kinds[] = {
        {1, "NOTICE_NORESOURCES", "notice_warning.dds", 0xFFE7D61Du, 0xFF0B0B0Bu},
        {2, "NOTICE_NORESOURCEROUTE", "notice_error.dds", 0xFFDC3920u, 0xFFF0F0F0u},
        {3, "NOTICE_MISSINGINPUT", "notice_error.dds", 0xFFDC3920u, 0xFFF0F0F0u},
        {4, "NOTICE_MISSINGOUTPUT", "notice_error.dds", 0xFFDC3920u, 0xFFF0F0F0u},
        {5, "NOTICE_NOEXPORTROOM", "notice_warning.dds", 0xFFE7D61Du, 0xFF0B0B0Bu},
    };
    for (const Kind& k : kinds)
    {
        SCOPED_TRACE(k.key);
        notice->SetKind(k.kind);
        EXPECT_EQ(notice->GetText(), GTextTable::GetText(k.key));
        EXPECT_EQ(notice->GetSymbol().m_texture.GetName(), k.symbol);
        EXPECT_EQ(notice->GetBackground().Argb(), k.background);
        EXPECT_EQ(notice->GetTextColour().Argb(), k.text);
    }
    // Where it is drawn: 150 pixels off the left edge nothing, 50 pixels off it shows; at zoom
    // 0.125 or less the symbol alone.
    const SIM_Tile* anchor = m_world.Tile(4, 4);
    GUI_Camera& camera = GUI_Camera::Instance();
    struct Place
    {
        float screenX, zoom;
        GUI_NoticeBase::Drawn drawn;
    };
    const Place places[] = {{-150.0f, 1.0f, GUI_NoticeBase::Drawn::NOTHING},
                            {-50.0f, 1.0f, GUI_NoticeBase::Drawn::FULL},
                            {400.0f, 0.2f, GUI_NoticeBase::Drawn::FULL},
                            {400.0f, 0.125f, GUI_NoticeBase::Drawn::REDUCED}};
    for (const Place& p : places)
    {
        camera.SetZoom(p.zoom);
        camera.SetPosition(anchor->m_worldX - (p.screenX - 400.0f) / p.zoom, anchor->m_worldY);
        notice->Draw();
        EXPECT_EQ(notice->GetLastDrawn(), p.drawn) << p.screenX << " at zoom " << p.zoom;
    }
    // Hidden again once the problem is solved.
    notice->SetKind(0);
    notice->Draw();
    EXPECT_EQ(notice->GetLastDrawn(), GUI_NoticeBase::Drawn::NOTHING);
}

TEST_F(FactoryViewTest, BayLabelsCountTheQueueByKindInOrderOfArrival)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_resource_importer", 1, 5), nullptr);
    SIM_ResourceImportBay* bay = SIM_ResourceConveyorManager::Instance().GetImportBayOn(m_world.Tile(1, 5));
    ASSERT_NE(bay, nullptr);
    ASSERT_EQ(ConveyorLabelList().size(), 1u);
    GUI_ConveyorLabel* label = ConveyorLabelList().front();
    FactoryWorld::LookAt(m_world.Tile(1, 5), 0.5f);
    FloorLabelPlacer placer;
    label->Draw(placer);
    EXPECT_FALSE(label->WasDrawn()) << "an empty queue shows nothing";
    const char* const arrivals[] = {"copper_wire", "steel_sheet", "copper_wire", "copper_wire"};
    for (const char* name : arrivals)
    {
        SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
        object->Init(SIM_ResourceManager::Instance().GetResource(name), nullptr, 0.0f, 0.0f);
        bay->Enqueue(object);
    }
    ASSERT_EQ(label->GetRows().size(), 2u);
    EXPECT_EQ(label->GetRows()[0].GetResource()->GetName(), "copper_wire");
    EXPECT_EQ(label->GetRows()[0].GetText(), "3");
    EXPECT_EQ(label->GetRows()[1].GetText(), "1");
    EXPECT_EQ(label->GetHeight(), 2 * 36 + 20);
    label->Draw(placer);
    EXPECT_TRUE(label->WasDrawn());
    // Scrolled away the label is not drawn, though it keeps its place.
    const float left = label->GetLeft();
    GUI_Camera::Instance().SetPosition(GUI_Camera::Instance().GetX() + 5000.0f, GUI_Camera::Instance().GetY());
    label->Draw(placer);
    EXPECT_FALSE(label->WasDrawn());
    EXPECT_FLOAT_EQ(label->GetLeft(), left - 5000.0f * 0.5f);
}
