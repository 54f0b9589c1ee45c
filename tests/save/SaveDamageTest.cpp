// No savegame, however damaged, crashes the game: a file cut short is refused before anything
// changes; a file cut short and closed again, or with bytes changed anywhere, loads what it can
// or reports failure, and the game that results runs on with every link intact. Numbers are
// bounded and names are short before anything uses them, what could not be restored is listed in
// the error log and the player told once, and nothing stands where the player could not build.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string_view>

#include "SaveTestSupport.h"
#include "SimStateDump.h"

#include "engine/core/GTextKeys.h"
#include "engine/core/GTextTable.h"
#include "save/GameSection.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

using namespace savetest;

namespace
{
// The text with its first `old` replaced by `replacement`; the test fails when there is none.
std::string Replaced(const std::string& text, const std::string& old, const std::string& replacement)
{
    const size_t at = text.find(old);
    EXPECT_NE(at, std::string::npos) << old;
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + replacement + text.substr(at + old.size());
}

// The text with its first element `tag`, from its opening to its closing tag, replaced.
std::string WithElement(const std::string& text, const std::string& tag, const std::string& element)
{
    const size_t start = text.find("<" + tag + ">");
    const size_t end = text.find("</" + tag + ">", start);
    EXPECT_NE(end, std::string::npos) << tag;
    if (start == std::string::npos || end == std::string::npos)
        return text;
    return text.substr(0, start) + element + text.substr(end + tag.size() + 3);
}

// How many boxes the error log shows were raised: every box writes its text there, followed by
// the source file and line that raised it.
int BoxesIn(std::string_view errorLog)
{
    int boxes = 0;
    for (size_t start = 0; start < errorLog.size();)
    {
        const size_t end = std::min(errorLog.find('\n', start), errorLog.size());
        const std::string_view line = errorLog.substr(start, end - start);
        start = end + 1;
        // "...:<file> <line>"
        const size_t colon = line.rfind(':');
        const size_t blank = line.rfind(' ');
        if (colon == std::string_view::npos || blank == std::string_view::npos || blank < colon + 2 ||
            blank + 1 == line.size() || line.substr(colon, blank - colon).find(' ') != std::string_view::npos)
            continue;
        boxes += line.find_first_not_of("0123456789", blank + 1) == std::string_view::npos ? 1 : 0;
    }
    return boxes;
}

// The longest line of a log.
size_t LongestLine(const std::string& log)
{
    std::istringstream lines(log);
    size_t longest = 0;
    for (std::string line; std::getline(lines, line);)
        longest = std::max(longest, line.size());
    return longest;
}
} // namespace

class SaveDamage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(world.StartGame());
        ASSERT_TRUE(world.BuildAssemblyLine());
        auto* supply = dynamic_cast<SIM_SupplyStockpile*>(world.PlaceFacility("fac_supply_stockpile", 12, 16));
        ASSERT_NE(supply, nullptr);
        supply->AddStockItem(SIM_ResourceManager::Instance().GetResource("steel_sheet"), 4);
        SIM_Game::Instance().SetSpeed(4.0f);
        world.PlayHours(4);
        reference = SIM_SaveGame::Instance().BuildSaveText();
        ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(reference, "reference"));
    }

    // Every link the game follows each frame points where it should.
    static void ExpectConsistent()
    {
        for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        {
            for (const SIM_Tile* tile : slot->GetTiles())
            {
                ASSERT_EQ(tile->m_occupant, slot);
            }
            const SIM_Vehicle* car =
                slot->IsFacility() ? nullptr : static_cast<const SIM_ProductionSlot*>(slot)->GetVehicle();
            if (car)
            {
                ASSERT_EQ(car->GetSlot(), slot);
            }
        }
        for (const SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
        {
            if (car->GetSlot())
            {
                ASSERT_EQ(car->GetSlot()->GetVehicle(), car);
            }
        }
        SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
        for (int i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
        {
            const SIM_ResourceObject& object = pool.Record(i);
            ASSERT_EQ(object.m_id, i);
            if (!object.IsInUse())
                continue;
            ASSERT_LE(i, pool.TopIndex());
            ASSERT_NE(object.m_resource, nullptr);
            ASSERT_GE(object.m_state, SIM_ResourceObject::STATE_WAITING);
            ASSERT_LE(object.m_state, SIM_ResourceObject::STATE_DELIVERED);
        }
    }

    // Loads the text; whatever came of it must be a game that runs.
    void LoadAndRun(const std::string& text)
    {
        const size_t logged = world.ErrorLog().size();
        const size_t boxes = world.listener.errorBoxes.size();
        SIM_LoadGame::Instance().LoadFromText(text, "damaged");
        // However damaged the file, the player sees one box at most (those the load left for the
        // main thread included); the rest is in the log.
        SIM_Presentation::Instance().ApplyPosted();
        EXPECT_LE(world.listener.errorBoxes.size() - boxes +
                      static_cast<size_t>(BoxesIn(std::string_view(world.ErrorLog()).substr(logged))),
                  1u);
        EXPECT_FALSE(SIM_LoadGame::Instance().IsLoading());
        ExpectConsistent();
        world.Frames(20);
        ExpectConsistent();
    }

    // The reference game with a design of the player's, Roadster, sold this hour, so that every
    // list and played-for value is in the file; it loads whole.
    std::string WithPlayerDesign() const
    {
        const std::string now = std::to_string(SIM_Game::Instance().GetCurrentHour());
        return WithElement(
            WithElement(reference, "designs",
                        "<designs>\n<design>\n<saleprice>100.00</saleprice>\n<guiname>Roadster</guiname>\n"
                        "<col_r>10</col_r>\n<col_g>20</col_g>\n<col_b>30</col_b>\n<components>chassis,body,"
                        "</components>\n<features>\n</features>\n</design>\n</designs>"),
            "sales",
            "<sales>\n<hours>" + now +
                ",</hours>\n<active>1,</active>\n<amounts>50.00,</amounts>\n<designs>Roadster,</designs>\n"
                "<quantities>2,</quantities>\n<totals>\n<total>\n<design>Roadster</design>\n<amount>100.00</amount>\n"
                "<quantity>2</quantity>\n</total>\n</totals>\n</sales>");
    }

    // Loads text, which must load; the items it left out, with one box for them when there are any.
    int LeftOutWithOneBox(const std::string& text)
    {
        world.listener.errorBoxes.clear();
        EXPECT_TRUE(SIM_LoadGame::Instance().LoadFromText(text, "checked"));
        const int leftOut = SIM_LoadGame::Instance().LeftOutCount();
        EXPECT_EQ(world.listener.errorBoxes.size(), leftOut > 0 ? 1u : 0u);
        return leftOut;
    }

    SaveWorld world;
    std::string reference;
};

TEST_F(SaveDamage, AFileCutShortIsRefusedAndTheRunningGameStaysAsItWas)
{
    world.Frames(5);
    const std::string before = DumpSimulation();
    for (int percent = 0; percent < 100; ++percent)
    {
        SCOPED_TRACE(percent);
        world.WriteSave("cut", reference.substr(0, reference.size() * percent / 100));
        EXPECT_FALSE(SIM_LoadGame::Instance().LoadGame("cut"));
        ASSERT_EQ(FirstDifference(before, DumpSimulation()), "");
    }
    EXPECT_EQ(world.listener.prepareForLoad, 1) << "only the reference load replaced the game";
}

TEST_F(SaveDamage, AFileCutShortAndClosedAgainLoadsWhatItHolds)
{
    for (int percent = 0; percent < 100; ++percent)
    {
        SCOPED_TRACE(percent);
        LoadAndRun(reference.substr(0, reference.size() * percent / 100) + "\n</xml>\n");
    }
}

TEST_F(SaveDamage, ChangedBytesLoadOrFailAndTheGameRunsOn)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<size_t> where(0, reference.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    // Bytes that matter to the markup come up often: digits, separators and tag brackets.
    const char interesting[] = "<>/,-0123456789 \n";
    for (int round = 0; round < 300; ++round)
    {
        SCOPED_TRACE(round);
        std::string text = reference;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i)
            text[where(random)] = (round % 2)
                                      ? static_cast<char>(byte(random))
                                      : interesting[static_cast<size_t>(byte(random)) % (sizeof interesting - 1)];
        LoadAndRun(text);
    }
}

TEST_F(SaveDamage, ExtremeSalesStockAndClockNumbersAreBoundedAndTheSumsStayInRange)
{
    // A design of the player's, that the sales name.
    const std::string design = "Roadster";
    SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>())->m_name = design;
    reference = SIM_SaveGame::Instance().BuildSaveText();
    const std::string now = std::to_string(SIM_Game::Instance().GetCurrentHour());
    std::string totals;
    for (const char* quantity : {"2147483647", "1000000000", "1000000000", "1000000000"})
        totals += "<total>\n<design>" + design + "</design>\n<amount>1.00</amount>\n<quantity>" + quantity +
                  "</quantity>\n</total>\n";
    // Records of the earliest and latest hours an int holds, and counts at the int limit.
    const std::string sales = "<sales>\n<hours>-2147483648," + now + "," + now + ",2147483647,</hours>\n" +
                              "<active>1,1,1,1,</active>\n<amounts>1.00,2.00,3.00,4.00,</amounts>\n<designs>" + design +
                              "," + design + "," + design + "," + design + ",</designs>\n" +
                              "<quantities>5,2147483647,7,3,</quantities>\n<totals>\n" + totals + "</totals>\n</sales>";
    // Cars in stock: a count past the int range's reach, one the game keeps, the design again.
    std::string stock = "<stock>\n";
    for (const char* count : {"2147483647", "5", "7"})
        stock += "<stockitem>\n<design>" + design + "</design>\n<count>" + count + "</count>\n</stockitem>\n";
    stock += "</stock>";
    const std::string text = WithElement(WithElement(reference, "sales", sales), "stock", stock);
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(text, "sales"));
    ASSERT_EQ(SIM_SalesManager::Instance().GetStock().size(), 1u);
    EXPECT_EQ(SIM_SalesManager::Instance().GetStock().front()->count, 5);
    const SalesRecordPool& pool = SalesRecordPool::Instance();
    // Only the record of this hour with a count the game can hold is kept.
    EXPECT_EQ(pool.GetQuantitySold(nullptr, 24), 7);
    EXPECT_FLOAT_EQ(pool.GetIncome(nullptr, 24), 3.0f);
    // Three totals of a billion cars each sum past the int range and stay at its end.
    EXPECT_EQ(pool.GetQuantitySold(nullptr, -1), INT_MAX);
    EXPECT_EQ(SIM_LoadGame::Instance().LeftOutCount(), 6);
    world.Frames(20);

    // A clock at the int limit is held where the next hours still count up.
    ASSERT_TRUE(
        SIM_LoadGame::Instance().LoadFromText(WithElement(reference, "hour", "<hour>2147483647</hour>"), "hour"));
    EXPECT_EQ(SIM_Game::Instance().GetCurrentHour(), GameSection::kMaxHour);
    world.PlayHours(1);
    EXPECT_EQ(SIM_Game::Instance().GetCurrentHour(), GameSection::kMaxHour + 1);
}

TEST_F(SaveDamage, ASlotStandsOnlyWhereThePlayerCouldHaveBuiltIt)
{
    const size_t slots = SlotQueries::Instance().GetAllSlots().size();
    const std::string wheels = "<tile_x>6</tile_x>\n<tile_y>10</tile_y>";
    ASSERT_EQ(world.Tile(6, 10)->m_occupant->GetTask()->m_name, "task_fit_wheels");
    // Numbers that cannot be read, a tile outside every building zone, a tile of a locked zone.
    for (const char* x : {"nan", "", "0x7fffffff", "0", "25"})
    {
        SCOPED_TRACE(x);
        const std::string moved = "<tile_x>" + std::string(x) + "</tile_x>\n<tile_y>10</tile_y>";
        ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(Replaced(reference, wheels, moved), "moved"));
        EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), slots - 1);
        EXPECT_EQ(world.Tile(0, 10)->m_occupant, nullptr);
        EXPECT_EQ(world.Tile(25, 10)->m_occupant, nullptr);
        LoadAndRun(reference);
    }
    // The same factory relabelled to another mission keeps only what fits that mission's floor.
    LoadAndRun(Replaced(reference, "<mission>m01_first_factory</mission>", "<mission>m02_riverside_works</mission>"));
    ASSERT_NE(SIM_Game::Instance().GetFactory(), nullptr);
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        for (const SIM_Tile* tile : slot->GetTiles())
            EXPECT_EQ(tile->m_zoneState, SIM_Tile::ZONE_OPEN);
    // Taking every slot off the floor again finds each one's zone.
    FreshState::EndGame();
    EXPECT_EQ(world.ErrorLog().find("Assertion failure"), std::string::npos);
}

TEST_F(SaveDamage, APartialLoadTellsThePlayerOnceAndListsWhatWasLeftOut)
{
    // The game's own save loads whole, without a word.
    EXPECT_EQ(SIM_LoadGame::Instance().LeftOutCount(), 0);
    EXPECT_TRUE(world.listener.errorBoxes.empty());
    const std::string now = std::to_string(SIM_Game::Instance().GetCurrentHour());
    const std::string base = WithPlayerDesign();
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(base, "base"));
    ASSERT_EQ(SIM_LoadGame::Instance().LeftOutCount(), 0);

    // Names cut for their length, names the game does not know, and values the player plays for
    // that cannot be read or held: each is one item left out, named in the error log.
    const std::string cut(SaveCommaList::kMaxItem + 44, 'n');
    const std::string wheels = "<task>task_fit_wheels</task>\n";
    std::string manyUpgrades;
    while (manyUpgrades.size() <= SaveReader::kMaxText)
        manyUpgrades += "upg_fast_tools,";
    // Two rows cut out of a slot's history: what a block cut out of the file leaves, were it to
    // run on into the slots after it.
    const size_t rows = base.find("\n<3>", base.find("<taskname>task_fit chassis</taskname>"));
    const std::string lostRows = base.substr(rows, base.find("\n<5>", rows) - rows);
    auto leaf = [&base](const char* tag) {
        const size_t start = base.find(std::string("<") + tag + ">");
        return base.substr(start, base.find('\n', start) - start);
    };
    struct Case
    {
        std::string old, replacement;
        int leftOut;
        std::string line;
    };
    const Case cases[] = {
        {"<unlocked>Main Hall,", "<unlocked>Main Hall,Nowhere Wing,", 1, "no zone named Nowhere Wing"},
        {"<unlocked>Main Hall,", "<unlocked>Main Hall," + cut + ",", 1, "zone [nnnn"},
        {"<components>chassis,", "<components>chassis," + cut + ",", 1, "vehicle component type [nnnn"},
        {wheels, wheels + "<upgrades>\n<names>" + cut + ",upg_fast_tools," + cut + ",</names>\n</upgrades>\n", 2,
         "slot upgrade [nnnn"},
        {wheels, wheels + "<upgrades>\n<names>" + manyUpgrades + "</names>\n</upgrades>\n", 1, "more than any list"},
        {lostRows, "", 1, "task_fit chassis at 4,10: its history holds 3 of its "},
        {wheels, wheels + "<options>\n<names>" + cut + ",</names>\n</options>\n", 1, "slot option [nnnn"},
        {"<designs>Roadster,</designs>", "<designs>" + cut + ",</designs>", 1, "sale record's design [nnnn"},
        {"<name>steel_sheet</name>\n<amount>4</amount>", "<name>unobtainium</name>\n<amount>4</amount>", 1,
         "supply stock item unobtainium left out"},
        {"<name>steel_sheet</name>\n<amount>4</amount>", "<name>steel_sheet</name>\n<amount>four</amount>", 1,
         "supply stock item steel_sheet left out"},
        {leaf("cash"), "<cash>abc</cash>", 1, "cash [abc] is no value the game could hold; taken as 0.00"},
        {leaf("cash"), "<cash>1e308</cash>", 1, "cash [1e308]"},
        {leaf("cash"), "<cash>nan</cash>", 1, "cash [nan]"},
        {leaf("cash"), "<cash>-inf</cash>", 1, "cash [-inf]"},
        {leaf("cash"), "<cash></cash>", 1, "cash []"},
        {"<saleprice>100.00</saleprice>", "<saleprice>abc</saleprice>", 1, "saleprice [abc]"},
        {leaf("hour"), "<hour>" + now + "abc</hour>", 1, "hour [" + now + "abc]"},
        {leaf("hour"), "<hour>2147483647</hour>", 1, "hour [2147483647]"},
        {leaf("gametime"), "<gametime>-1</gametime>", 1, "gametime [-1]"},
        {"<amounts>50.00,</amounts>", "<amounts>abc,</amounts>", 1, "sale record amount [abc]"},
        {"<quantities>2,</quantities>", "<quantities>two,</quantities>", 1, "a sale record of hour " + now},
        {"<amount>100.00</amount>", "<amount>1e99</amount>", 1, "sales total amount [1e99]"},
        {"<quantity>2</quantity>", "<quantity>lots</quantity>", 1, "a sales total of [lots] cars left out"},
        {"<progress>1.00000000</progress>", "<progress>1.0x</progress>", 1, "research progress [1.0x]"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.replacement.substr(0, 80));
        world.listener.errorBoxes.clear();
        const size_t logged = world.ErrorLog().size();
        ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(Replaced(base, c.old, c.replacement), "partial"));
        EXPECT_EQ(SIM_LoadGame::Instance().LeftOutCount(), c.leftOut);
        EXPECT_EQ(world.listener.errorBoxes,
                  std::vector<std::string>{GTextTable::GetText(GTextKeys::kLoadItemsLeftOut) + " " +
                                           std::to_string(c.leftOut)});
        const std::string errors = world.ErrorLog().substr(logged);
        EXPECT_NE(errors.find(c.line), std::string::npos) << errors;
        EXPECT_LT(LongestLine(errors), 1024u);
    }
    EXPECT_NE(world.DebugLog().find("Game Load complete without 2 items"), std::string::npos);
}

TEST_F(SaveDamage, APriceBelowZeroIsReplacedByTheDesignsWorthAndItsCarsSellAtIt)
{
    // A design worth a chassis and a body, with cars in stock, priced below nothing: every car
    // would sell at once and take money for itself.
    const std::string designs =
        "<designs>\n<design>\n<saleprice>-500.00</saleprice>\n<guiname>Roadster</guiname>\n<col_r>10</col_r>\n"
        "<col_g>20</col_g>\n<col_b>30</col_b>\n<components>chassis,body,</components>\n<features>\n"
        "<feature>\n<name>feat_chassis</name>\n</feature>\n<feature>\n<name>feat_body</name>\n</feature>\n"
        "</features>\n</design>\n</designs>";
    const std::string stock =
        "<stock>\n<stockitem>\n<design>Roadster</design>\n<count>5</count>\n</stockitem>\n</stock>";
    const size_t logged = world.ErrorLog().size();
    EXPECT_EQ(LeftOutWithOneBox(WithElement(WithElement(reference, "designs", designs), "stock", stock)), 1);
    EXPECT_NE(world.ErrorLog().find("design [Roadster] saleprice [-500.00] is no value the game could hold; taken as "
                                    "2300.00",
                                    logged),
              std::string::npos)
        << world.ErrorLog().substr(logged);
    SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().GetDesign("Roadster");
    ASSERT_NE(design, nullptr);
    EXPECT_FLOAT_EQ(design->m_price, SIM_VehicleDesign::GetDesignValue(design));

    // Each car sold brings in the design's worth; none is given away or paid for.
    // Frames, not PlayHours, which prices every design of no price as the new-design dialog does.
    const int hour = SIM_Game::Instance().GetCurrentHour();
    for (int i = 0; i < 1000 && SIM_Game::Instance().GetCurrentHour() < hour + 3; ++i)
        world.Frames(60);
    const SalesRecordPool& pool = SalesRecordPool::Instance();
    ASSERT_GT(pool.GetQuantitySold(design, -1), 0);
    EXPECT_FLOAT_EQ(pool.GetIncome(design, -1), 2300.0f * static_cast<float>(pool.GetQuantitySold(design, -1)));
}

TEST_F(SaveDamage, EveryCheckedValueLoadsWholeAtItsBoundsAndIsReplacedOneStepPast)
{
    const int now = SIM_Game::Instance().GetCurrentHour();
    const std::string base = WithPlayerDesign();
    ASSERT_EQ(LeftOutWithOneBox(base), 0);
    auto leaf = [&base](const char* tag) {
        const size_t start = base.find(std::string("<") + tag + ">");
        return base.substr(start, base.find('\n', start) - start);
    };
    const std::string cash = leaf("cash");
    const std::string price = "<saleprice>100.00</saleprice>";
    const std::string progress = "<progress>1.00000000</progress>";
    const std::string amounts = "<amounts>50.00,</amounts>";
    const std::string totalAmount = "<amount>100.00</amount>";
    const std::string hours = "<hours>" + std::to_string(now) + ",</hours>\n<active>1,</active>\n<amounts>50.00";
    const std::string quantities = "<quantities>2,</quantities>";
    const std::string totalQuantity = "<quantity>2</quantity>";
    const std::string supply = "<name>steel_sheet</name>\n<amount>4</amount>";
    auto stocked = [](const std::string& count) {
        return "<stock>\n<stockitem>\n<design>Roadster</design>\n<count>" + count + "</count>\n</stockitem>\n</stock>";
    };
    // The first conveyor piece's facing: one of the four sides, or none (4).
    const size_t conveyors = base.find("<conveyors>");
    const size_t facing = base.find("<facing>", conveyors);
    const std::string conveyor = base.substr(conveyors, base.find('\n', facing) - conveyors);
    auto facingOf = [&](const char* side) {
        return base.substr(conveyors, facing - conveyors) + "<facing>" + side + "</facing>";
    };
    // Roadster worth a chassis and a body: a price of nothing is one the game could have set.
    auto worthPriced = [](const char* price) {
        return std::string("<designs>\n<design>\n<saleprice>") + price +
               "</saleprice>\n<guiname>Roadster</guiname>\n<col_r>10</col_r>\n<col_g>20</col_g>\n"
               "<col_b>30</col_b>\n<components>chassis,body,</components>\n<features>\n<feature>\n"
               "<name>feat_chassis</name>\n</feature>\n<feature>\n<name>feat_body</name>\n</feature>\n"
               "</features>\n</design>\n</designs>";
    };
    auto atHour = [](int hour) {
        return "<hours>" + std::to_string(hour) + ",</hours>\n<active>1,</active>\n<amounts>50.00";
    };
    // The limits are written out: each is a promise about the files the game reads.
    struct Case
    {
        std::string old, replacement;
        int leftOut;
        const char* element = nullptr; // the element the replacement takes the place of, instead of `old`
    };
    const Case cases[] = {
        {cash, "<cash>1000000000000</cash>", 0},
        {cash, "<cash>1000000000001</cash>", 1},
        {cash, "<cash>-1000000000000</cash>", 0},
        {cash, "<cash>-1000000000001</cash>", 1},
        {price, "<saleprice>1000000000000</saleprice>", 0},
        {price, "<saleprice>1000000000001</saleprice>", 1},
        {price, "<saleprice>0.00</saleprice>", 0},
        {price, "<saleprice>-0.01</saleprice>", 1},
        {price, "<saleprice>-1</saleprice>", 1},
        {"", worthPriced("0.00"), 0, "designs"},
        {"", worthPriced("-0.01"), 1, "designs"},
        {progress, "<progress>1000000000000</progress>", 0},
        {progress, "<progress>1000000000001</progress>", 1},
        {progress, "<progress>0</progress>", 0},
        {progress, "<progress>-0.00000001</progress>", 1},
        {amounts, "<amounts>1000000000000,</amounts>", 0},
        {amounts, "<amounts>1000000000001,</amounts>", 1},
        {amounts, "<amounts>-1000000000000,</amounts>", 0},
        {amounts, "<amounts>-1000000000001,</amounts>", 1},
        {totalAmount, "<amount>1000000000000</amount>", 0},
        {totalAmount, "<amount>1000000000001</amount>", 1},
        {totalAmount, "<amount>-1000000000000</amount>", 0},
        {totalAmount, "<amount>-1000000000001</amount>", 1},
        {hours, atHour(0), 0},
        {hours, atHour(-1), 1},
        {hours, atHour(now + 1), 1},
        {quantities, "<quantities>100000,</quantities>", 0},
        {quantities, "<quantities>100001,</quantities>", 1},
        {quantities, "<quantities>0,</quantities>", 0},
        {quantities, "<quantities>-1,</quantities>", 1},
        {totalQuantity, "<quantity>1000000000</quantity>", 0},
        {totalQuantity, "<quantity>1000000001</quantity>", 1},
        {totalQuantity, "<quantity>0</quantity>", 0},
        {totalQuantity, "<quantity>-1</quantity>", 1},
        {conveyor, facingOf("0"), 0},
        {conveyor, facingOf("-1"), 1},
        {conveyor, facingOf("4"), 0},
        {conveyor, facingOf("5"), 1},
        {"", stocked("1"), 0, "stock"},
        {"", stocked("0"), 1, "stock"},
        {"", stocked("1000000"), 0, "stock"},
        {"", stocked("1000001"), 1, "stock"},
        {supply, "<name>steel_sheet</name>\n<amount>0</amount>", 0},
        {supply, "<name>steel_sheet</name>\n<amount>-1</amount>", 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.replacement);
        const std::string text =
            c.element ? WithElement(base, c.element, c.replacement) : Replaced(base, c.old, c.replacement);
        EXPECT_EQ(LeftOutWithOneBox(text), c.leftOut);
    }

    // The clock: the first hour and the last one a game can reach, and the int range of the time.
    struct Clock
    {
        const char* hour;
        const char* gametime;
        int leftOut;
    };
    const Clock clocks[] = {
        {"0", "0", 0},         {"-1", "0", 1}, {"100000000", "2147483647", 0},
        {"100000001", "0", 1}, {"0", "-1", 1}, {"0", "2147483648", 1},
    };
    for (const Clock& c : clocks)
    {
        SCOPED_TRACE(std::string(c.hour) + " " + c.gametime);
        SaveReader in;
        in.SetShowErrorBox(false);
        in.Reset(std::string("<game>\n<hour>") + c.hour + "</hour>\n<gametime>" + c.gametime +
                 "</gametime>\n<mission>m01_first_factory</mission>\n</game>\n");
        GameSection::Values values;
        ASSERT_TRUE(GameSection::Read(in, values));
        EXPECT_EQ(in.DroppedCount(), c.leftOut);
        EXPECT_FALSE(in.HadError());
    }
}

TEST_F(SaveDamage, ADamagedSaveRaisesOneBox)
{
    // A byte that is no text in front of every name: no feature, resource or research the save
    // names is known any more.
    std::string text;
    size_t from = 0;
    for (size_t at = reference.find("<name>"); at != std::string::npos; at = reference.find("<name>", at + 1))
    {
        text.append(reference, from, at + 6 - from).push_back('\xC3');
        from = at + 6;
    }
    text.append(reference, from);
    world.listener.errorBoxes.clear();
    LoadAndRun(text);
    EXPECT_GT(SIM_LoadGame::Instance().LeftOutCount(), 20);
    EXPECT_EQ(world.listener.errorBoxes.size(), 1u);
    EXPECT_NE(world.ErrorLog().find("feat_chassis"), std::string::npos);
}

TEST_F(SaveDamage, ATwentyMegabyteNameIsRefusedWithShortLogLinesAndLittleMemory)
{
    const std::string name(20u << 20, 'n');
    // A mission (refused before anything changes), a slot's task and a zone of the list.
    const std::string texts[] = {
        WithElement(reference, "mission", "<mission>" + name + "</mission>"),
        Replaced(reference, "<taskname>task_fit_wheels</taskname>", "<taskname>" + name + "</taskname>"),
        Replaced(reference, "<unlocked>Main Hall,", "<unlocked>Main Hall," + name + ","),
    };
    for (const std::string& text : texts)
    {
        world.WriteSave("long", text);
        const long long size = static_cast<long long>(text.size());
        HeapMeter::StartPeak();
        SIM_LoadGame::Instance().LoadGame("long");
        const long long peak = HeapMeter::PeakSinceStart();
        if (HeapMeter::Available())
        {
            EXPECT_LT(peak, 2 * size);
            std::printf("a save of %lld bytes with a long name: load peak %lld bytes more on the heap\n", size, peak);
        }
        EXPECT_LT(LongestLine(world.DebugLog()), 1024u);
        EXPECT_LT(LongestLine(world.ErrorLog()), 1024u);
        std::printf("longest log lines: debug %zu, errors %zu characters\n", LongestLine(world.DebugLog()),
                    LongestLine(world.ErrorLog()));
        ASSERT_NE(SIM_Game::Instance().GetFactory(), nullptr);
        if (&text == &texts[1])
        {
            EXPECT_EQ(world.Tile(6, 10)->m_occupant, nullptr) << "the slot of the long task name is left out";
        }
    }
}

TEST_F(SaveDamage, AZoneNamedOverAndOverIsUnlockedOnce)
{
    // Unlocking walks the zone's tiles and re-tints the view: a list of four megabytes naming one
    // zone again and again once held the load for seconds per megabyte.
    uint64_t unlocks = SIM_BuildingZone::UnlockCount();
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(reference, "reference"));
    const uint64_t plainLoad = SIM_BuildingZone::UnlockCount() - unlocks;
    std::string names;
    for (int i = 0; i < 400000; ++i)
        names += i % 2 ? "South Wing," : "Main Hall,";
    unlocks = SIM_BuildingZone::UnlockCount();
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(
        Replaced(reference, "<unlocked>Main Hall,</unlocked>", "<unlocked>" + names + "</unlocked>"), "zones"));
    EXPECT_EQ(SIM_BuildingZone::UnlockCount() - unlocks, plainLoad + 1);
    EXPECT_EQ(SIM_Game::Instance().GetMission()->GetZoneByName("South Wing")->m_state,
              SIM_BuildingZone::STATE_UNLOCKED);
    EXPECT_EQ(world.Tile(10, 25)->m_zoneState, SIM_Tile::ZONE_OPEN);
    EXPECT_EQ(SIM_LoadGame::Instance().LeftOutCount(), 0);
}

TEST_F(SaveDamage, AnObjectBoundForAStockpileThatDoesNotAwaitItIsLeftOut)
{
    // The busy factory's seed has objects waiting at an outlet, each awaited by a stockpile's
    // request. Without its request the first of them would keep a pointer to its buyer after the
    // buyer is gone.
    std::ifstream file(std::string(FV_SOURCE_DIR) + "/tests/fuzz/corpus/savegame_run/busy_factory.xml",
                       std::ios::binary);
    std::stringstream seed;
    seed << file.rdbuf();
    const std::string text = seed.str();
    const size_t queued = text.find("<obj>\n<guid>", text.find("<queue>\n<obj>"));
    ASSERT_NE(queued, std::string::npos);
    const size_t start = queued + 12;
    const std::string guid = text.substr(start, text.find('<', start) - start);
    const size_t request = text.find("<req>\n<guid>" + guid + "</guid>");
    ASSERT_NE(request, std::string::npos);
    const std::string unrequested = text.substr(0, request) + text.substr(text.find("</req>\n", request) + 7);
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(unrequested, "unrequested"));
    EXPECT_EQ(SIM_LoadGame::Instance().LeftOutCount(), 1);
    EXPECT_FALSE(SIM_ResourceObjManager::Instance().Record(std::stoi(guid)).IsInUse());
    ExpectConsistent();
    world.Frames(20);
    // Every slot goes, the buyer first or last: no object is left pointing at it.
    FreshState::EndGame();
}
