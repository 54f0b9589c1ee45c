// Savegame files on disk: a save that fails never touches the previous file and never says it is
// complete; a load of a missing, empty or foreign file changes nothing; the dialogs' header peek
// reads every save; the quick keys and the autosave use one file on the autosave's cadence.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "SaveTestSupport.h"
#include "SimStateDump.h"

#include "engine/core/GOptions.h"
#include "platform/core/PClock.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFileOps.h"
#include "sim/SIM_Game.h"

using namespace savetest;

namespace
{
// A disk that fails in one chosen way.
class FailingDisk : public SaveFileOps
{
public:
    enum Fault
    {
        CANNOT_CREATE,
        FILLS_UP,
        FLUSH_FAILS,
        SYNC_FAILS,
        RENAME_FAILS,
    };
    explicit FailingDisk(Fault fault) : m_fault(fault) {}

protected:
    FILE* OpenForWrite(const std::string& path) override
    {
        return m_fault == CANNOT_CREATE ? nullptr : SaveFileOps::OpenForWrite(path);
    }
    size_t Write(FILE* file, const char* data, size_t size) override
    {
        // A full disk takes part of the first piece, then nothing.
        if (m_fault == FILLS_UP)
            return SaveFileOps::Write(file, data, size / 2);
        return SaveFileOps::Write(file, data, size);
    }
    bool Flush(FILE* file) override { return m_fault != FLUSH_FAILS && SaveFileOps::Flush(file); }
    bool Sync(FILE* file) override { return m_fault != SYNC_FAILS && SaveFileOps::Sync(file); }
    bool Rename(const std::string& from, const std::string& to) override
    {
        return m_fault != RENAME_FAILS && SaveFileOps::Rename(from, to);
    }

private:
    Fault m_fault;
};

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Whether reading the FIFO at path comes back within two seconds. A read that waits for a writer
// is given one then, so that the test never hangs, however the reader behaves.
bool FifoReadReturnsAtOnce(const std::string& path)
{
    std::atomic<bool> done{false};
    std::thread reader([&] {
        std::string text, reason;
        SaveFileOps::Default().ReadWhole(path, text, reason);
        done = true;
    });
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const bool atOnce = done;
    while (!done)
    {
        const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            close(writer);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reader.join();
    return atOnce;
}
} // namespace

class SaveFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(world.StartGame()); }
    void TearDown() override
    {
        SIM_SaveGame::Instance().SetFileOps(nullptr);
        SIM_LoadGame::Instance().SetFileOps(nullptr);
    }
    SaveWorld world;
};

TEST_F(SaveFiles, AFailedSaveKeepsTheOldFileAndIsNeverComplete)
{
    ASSERT_TRUE(world.BuildAssemblyLine());
    ASSERT_TRUE(SIM_SaveGame::Instance().SaveGame("precious"));
    const std::string old = world.ReadSave("precious");
    world.Frames(30);
    for (const FailingDisk::Fault fault : {FailingDisk::CANNOT_CREATE, FailingDisk::FILLS_UP, FailingDisk::FLUSH_FAILS,
                                           FailingDisk::SYNC_FAILS, FailingDisk::RENAME_FAILS})
    {
        SCOPED_TRACE(fault);
        FailingDisk disk(fault);
        SIM_SaveGame::Instance().SetFileOps(&disk);
        world.listener.stages.clear();
        EXPECT_FALSE(SIM_SaveGame::Instance().SaveGame("precious"));
        EXPECT_FALSE(Contains(world.listener.stages, "LS_SAVING_COMPLETE"));
        EXPECT_EQ(world.ReadSave("precious"), old);
        EXPECT_FALSE(std::filesystem::exists(world.SavePath("precious") + ".tmp"));
    }
    SIM_SaveGame::Instance().SetFileOps(nullptr);
    // On the real disk, where the file cannot be created, the box says why: on a full disk or a
    // read-only folder the logs holding the reason may not be written at all.
    const std::string blocker = world.SavePath("precious") + ".tmp";
    std::filesystem::create_directory(blocker);
    const size_t errors = world.ErrorLog().size();
    EXPECT_FALSE(SIM_SaveGame::Instance().SaveGame("precious"));
    EXPECT_NE(world.ErrorLog().find("Failed to write save game file: Is a directory:SIM_SaveGame.cpp", errors),
              std::string::npos)
        << world.ErrorLog().substr(errors);
    EXPECT_EQ(world.ReadSave("precious"), old);
    std::filesystem::remove(blocker);
    world.listener.stages.clear();
    EXPECT_TRUE(SIM_SaveGame::Instance().SaveGame("precious"));
    EXPECT_TRUE(Contains(world.listener.stages, "LS_SAVING_COMPLETE"));
    EXPECT_NE(world.ReadSave("precious"), old);
    EXPECT_FALSE(std::filesystem::exists(world.SavePath("precious") + ".tmp"));
}

TEST_F(SaveFiles, ALoadThatCannotGoAheadChangesNothing)
{
    ASSERT_TRUE(world.BuildAssemblyLine());
    world.Frames(30);
    ASSERT_TRUE(SIM_SaveGame::Instance().SaveGame("good"));
    std::string unknownMission = world.ReadSave("good");
    unknownMission.replace(unknownMission.find("m01_first_factory"), 17, "no_such_mission__");
    world.WriteSave("unknown_mission", unknownMission);
    world.WriteSave("empty", "");
    world.WriteSave("foreign", "<?xml version=\"1.0\"?>\n<project><name>not a game</name></project>\n");
    world.WriteSave("no_game", "<xml>\n<header>\n</header>\n<load_data>\n</load_data>\n<zones>\n</zones>\n</xml>\n");
    // Names of saves that are no files: a FIFO would hold the game until something wrote to it.
    ASSERT_EQ(mkfifo(world.SavePath("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(world.SavePath("folder"));
    std::filesystem::create_symlink("/dev/null", world.SavePath("device"));
    ASSERT_TRUE(FifoReadReturnsAtOnce(world.SavePath("pipe"))) << "the FIFO's open waited for a writer";
    const std::string before = DumpSimulation();
    for (const char* name : {"missing", "empty", "foreign", "no_game", "unknown_mission", "pipe", "folder", "device"})
    {
        SCOPED_TRACE(name);
        world.listener.stages.clear();
        const size_t errors = world.ErrorLog().size();
        EXPECT_FALSE(SIM_LoadGame::Instance().LoadGame(name));
        EXPECT_EQ(world.listener.stages, std::vector<std::string>{"LS_READING_SAVE_FILE"});
        EXPECT_EQ(FirstDifference(before, DumpSimulation()), "");
        EXPECT_FALSE(SIM_LoadGame::Instance().IsLoading());
        EXPECT_NE(world.ErrorLog().find("Failed to open save game", errors), std::string::npos) << "the box";
    }
    for (const char* name : {"pipe", "folder", "device"})
    {
        std::string date, mission;
        EXPECT_FALSE(SIM_LoadGame::Instance().ReadHeader(date, mission, name)) << name;
    }
    EXPECT_EQ(world.listener.prepareForLoad, 0) << "no dialog was closed for a load that did not happen";
}

TEST_F(SaveFiles, TheHeaderPeekReadsEverySaveAndKeepsNothing)
{
    ASSERT_TRUE(SIM_SaveGame::Instance().SaveGame("listed"));
    world.WriteSave("foreign", "<project>junk</project>");
    // The dialogs read only the start of a save; one whose header is far longer than the game
    // ever writes is still described.
    std::string longHeader = world.ReadSave("listed");
    const size_t version = longHeader.find("</version>");
    ASSERT_NE(version, std::string::npos);
    longHeader.insert(version, std::string(100000, 'v'));
    world.WriteSave("long_header", longHeader);
    const std::string before = DumpSimulation();
    for (int i = 0; i < 100; ++i)
    {
        std::string date = "unchanged", mission = "unchanged";
        ASSERT_TRUE(SIM_LoadGame::Instance().ReadHeader(date, mission, "listed"));
        EXPECT_EQ(date, "6/12/2026 (DD-MM-YYYY) - 9:05");
        EXPECT_EQ(mission, "m01_first_factory");
        date = mission = "unchanged";
        ASSERT_TRUE(SIM_LoadGame::Instance().ReadHeader(date, mission, "long_header"));
        EXPECT_EQ(mission, "m01_first_factory");
        date = mission = "unchanged";
        EXPECT_FALSE(SIM_LoadGame::Instance().ReadHeader(date, mission, "foreign"));
        EXPECT_FALSE(SIM_LoadGame::Instance().ReadHeader(date, mission, "missing"));
        EXPECT_EQ(date, "unchanged");
        EXPECT_EQ(mission, "unchanged");
    }
    EXPECT_EQ(FirstDifference(before, DumpSimulation()), "");
}

TEST_F(SaveFiles, TheAutosaveFollowsTheOptionTheCadenceAndThePlayer)
{
    GOptions& options = GOptions::Instance();
    options.AddFloatIfMissing("OPT_AUTOSAVE", 1.0f);
    GOptionFloat* autosave = options.FindFloat("OPT_AUTOSAVE");
    const float saved = autosave->value;
    SIM_Game& game = SIM_Game::Instance();
    // The game set-up started the timer; a minute of real time is one clock step here.
    auto minutes = [&](int count) {
        for (int i = 0; i < count; ++i)
        {
            PClock::AdvanceManual(60000ull * 1000000ull);
            game.Update();
        }
    };
    const std::string file = world.SavePath("autosave");

    autosave->value = 0.0f;
    minutes(11);
    EXPECT_FALSE(std::filesystem::exists(file)) << "off means never";
    EXPECT_EQ(SIM_SaveGame::Instance().AutosaveTimer().m_total, 0.0) << "and the timer does not run";

    autosave->value = 1.0f;
    minutes(5);
    EXPECT_FALSE(std::filesystem::exists(file)) << "five minutes have not passed yet";
    world.listener.autosaveBlocked = true;
    minutes(3);
    EXPECT_FALSE(std::filesystem::exists(file)) << "a pending placement holds the autosave back";
    world.listener.autosaveBlocked = false;
    world.Frames(1);
    EXPECT_TRUE(std::filesystem::exists(file)) << "the first step after the player is done saves";
    EXPECT_LT(SIM_SaveGame::Instance().AutosaveTimer().m_total, 1000.0) << "and the cadence starts again";
    autosave->value = saved;

    // F2 and F3 share the file with the autosave.
    std::filesystem::remove(file);
    ASSERT_TRUE(SIM_SaveGame::Instance().QuickSave());
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(SIM_LoadGame::Instance().QuickLoad());
}
