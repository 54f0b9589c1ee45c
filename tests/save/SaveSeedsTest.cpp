// The savegames kept as seeds of the savegame fuzz target are real saves of this version: each
// loads whole and saves again to the same bytes. With FV_WRITE_SAVE_SEEDS set they are written
// afresh first (after a format change).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "SaveTestSupport.h"
#include "SimStateDump.h"

#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "sim/SIM_Game.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"

using namespace savetest;

namespace
{
const std::filesystem::path kFuzz = std::filesystem::path(FV_SOURCE_DIR) / "tests/fuzz";

// The seeds: a game just started, a busy factory a day in with a bought zone, sales on its books
// and objects waiting at its outlets, and the same factory as soon as it holds all three. In
// both factories the stations have used up what they had stored, since a load's cost follows the
// objects. The target that only loads starts from the two small ones, which hold every section
// a save can; the target that also runs and saves the game gets the busy factory as well.
struct Seed
{
    const char* folder;
    const char* name;
    const char* target; // the fuzz target whose length limit the seed must keep to
};
const Seed kSeeds[] = {{"savegame", "new_game.xml", "fuzz_savegame"},
                       {"savegame_run", "busy_factory.xml", "fuzz_savegame_run"},
                       {"savegame", "first_sales.xml", "fuzz_savegame"}};

std::filesystem::path SeedPath(const Seed& seed)
{
    return kFuzz / "corpus" / seed.folder / seed.name;
}

bool HoldsQueuesSalesAndZone(const std::string& text)
{
    const size_t sales = text.find("<sales>");
    return text.find("<obj>\n<guid>", text.find("<queue>")) != std::string::npos &&
           text.find("<unlocked>Main Hall,South Wing,</unlocked>") != std::string::npos && sales != std::string::npos &&
           text.find("<hours></hours>", sales) == std::string::npos;
}

// Every station uses up what lies in its input stockpile, as its work would: what waits at the
// outlets, what is on its way and the stores' own stock stay, and the save loses most of its
// objects.
void UseUpStoredResources()
{
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
        if (SIM_ResourceStockpile* stockpile = static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
            while (!stockpile->Stored().empty())
                stockpile->RemoveStored(stockpile->Stored().front()->m_resource);
}

std::string MakeSeed(SaveWorld& world, int which)
{
    if (!world.StartGame())
        return {};
    if (which == 0)
        return SIM_SaveGame::Instance().BuildSaveText();
    if (!world.BuildAssemblyLine() || !world.BuildPartShopsAndSupply())
        return {};
    SIM_Game::Instance().GetMission()->GetZoneByName("South Wing")->Unlock(SIM_Game::Instance().GetFactory(), true);
    SIM_Game::Instance().SetSpeed(4.0f);
    if (which == 2)
    {
        for (int frame = 0; frame < 200000; frame += 50)
        {
            world.Frames(50);
            if (HoldsQueuesSalesAndZone(SIM_SaveGame::Instance().BuildSaveText()))
            {
                UseUpStoredResources();
                return SIM_SaveGame::Instance().BuildSaveText();
            }
        }
        return {};
    }
    world.PlayHours(24);
    for (int frame = 0; frame < 20000 && OutletQueues().empty(); ++frame)
        world.Frames(1);
    UseUpStoredResources();
    return SIM_SaveGame::Instance().BuildSaveText();
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

TEST(SaveSeeds, TheFuzzSeedsAreWholeSavesOfThisVersion)
{
    if (std::getenv("FV_WRITE_SAVE_SEEDS"))
    {
        for (int i = 0; i < 3; ++i)
        {
            std::filesystem::create_directories(SeedPath(kSeeds[i]).parent_path());
            SaveWorld world;
            std::ofstream(SeedPath(kSeeds[i]), std::ios::binary) << MakeSeed(world, i);
        }
    }
    SaveWorld world;
    // The busy factory and the first sales hold what the fuzzer should start from: objects
    // waiting at an outlet, sales records and a zone bought beside the first.
    EXPECT_TRUE(HoldsQueuesSalesAndZone(ReadFile(SeedPath(kSeeds[1]))));
    EXPECT_TRUE(HoldsQueuesSalesAndZone(ReadFile(SeedPath(kSeeds[2]))));
    for (const Seed& seed : kSeeds)
    {
        const char* name = seed.name;
        SCOPED_TRACE(name);
        const std::string text = ReadFile(SeedPath(seed));
        ASSERT_FALSE(text.empty());
        // The fuzzer cuts a seed to its length limit, which would take the sales and the end of
        // every later section away from it.
        const std::string target = ReadFile(kFuzz / (std::string(seed.target) + ".cpp"));
        const size_t limitAt = target.find("// fuzz-max-len: ");
        ASSERT_NE(limitAt, std::string::npos);
        EXPECT_LE(text.size(), std::stoul(target.substr(limitAt + 17)));
        EXPECT_TRUE(SIM_LoadGame::Instance().LoadFromText(text, name));
        EXPECT_EQ(SIM_LoadGame::Instance().LeftOutCount(), 0);
        EXPECT_EQ(world.listener.stages.back(), "LS_RECALCULATING_VARIABLES");
        // Saved again it is the very same file, byte for byte: the writer has not moved under the
        // saves the players keep.
        EXPECT_EQ(SIM_SaveGame::Instance().BuildSaveText(), text);
    }
}

// Each load replaces the game whole: what a load made, the next one frees, so that a player who
// loads again and again (or a fuzzer that loads thousands of saves) holds no more memory than
// after the first. The busy factory's designs bring their features with them. The definitions
// are kept, as the fuzzer keeps them: read again, they are added to the ones before.
TEST(SaveSeeds, LoadingASaveAgainHoldsNoMoreMemoryThanLoadingItOnce)
{
    if (!HeapMeter::Available())
        GTEST_SKIP() << "needs the address sanitizer's count of the heap";
    SaveWorld world;
    struct KeptDefinitions
    {
        KeptDefinitions() { SIM_LoadGame::Instance().SetDefinitions(SIM_Game::Definitions::Kept); }
        ~KeptDefinitions() { SIM_LoadGame::Instance().SetDefinitions(SIM_Game::Definitions::Reload); }
        KeptDefinitions(const KeptDefinitions&) = delete;
        KeptDefinitions& operator=(const KeptDefinitions&) = delete;
    } kept;
    const std::string busy = ReadFile(SeedPath(kSeeds[1]));
    ASSERT_NE(busy.find("<feature>"), std::string::npos);
    // The first loads fill what the game keeps for good (definitions, buffers at their size).
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(busy, "busy"));
    // Only the game is weighed: the test's listener keeps every stage and sound it is given.
    const auto forget = [&world] {
        world.listener.stages.clear();
        world.listener.sounds.clear();
    };
    forget();
    HeapMeter::StartPeak();
    constexpr int kLoads = 5;
    for (int i = 0; i < kLoads; ++i)
    {
        ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(busy, "busy"));
        forget();
    }
    // A container that doubles its room may keep a little more; a design's features alone are
    // hundreds of bytes a load.
    EXPECT_LT(HeapMeter::HeldSinceStart(), 64 * kLoads);
}
