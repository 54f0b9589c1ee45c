// Logs, timers, random floats and the text table used from several threads at once.
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "engine/core/GTextTable.h"
#include "engine/core/GTimer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace
{
std::string GDebugLogThreadedFolder()
{
    char tmpl[] = "/tmp/fv_threaded_XXXXXX";
    const char* made = mkdtemp(tmpl);
    return made ? made : "";
}

std::vector<std::string> GDebugLogThreadedLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}
}

TEST(GDebugLogThreaded, LinesFromManyThreadsNeverMix)
{
    const std::string folder = GDebugLogThreadedFolder();
    ASSERT_FALSE(folder.empty());
    GDebugLog::Instance().Open(folder);
    const int threads = 6;
    const int perThread = 200;
    const std::string payload(150, 'p');
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([t, &payload] {
            for (int i = 0; i < perThread; ++i)
            {
                std::string text = "T";
                text += std::to_string(t);
                text += ' ';
                text += std::to_string(i);
                text += ' ';
                text += payload;
                GDebugLog::Instance().Log(text);
                if (i % 20 == 0)
                    GDebugLog::Instance().LogError(text);
                if (i % 50 == 0)
                    FV_ASSERT(false);
            }
        });
    for (auto& w : workers)
        w.join();
    GDebugLog::Instance().Close();

    int logged = 0;
    for (const std::string& line : GDebugLogThreadedLines(folder + "/debug/debug.txt"))
    {
        if (line == "END DEBUG---" || line.find("----DEBUG FILE----") != std::string::npos)
            continue;
        size_t body = line.find("]- T");
        ASSERT_NE(body, std::string::npos) << line;
        ASSERT_EQ(line.front(), '[') << line;
        ASSERT_EQ(line.substr(line.size() - payload.size()), payload) << line;
        ++logged;
    }
    EXPECT_EQ(logged, threads * perThread);
    int errors = 0;
    for (const std::string& line : GDebugLogThreadedLines(folder + "/debug/errors.txt"))
    {
        bool whole =
            line.find(" - T") != std::string::npos || line.find(" - Assertion failure:filename:") != std::string::npos;
        ASSERT_TRUE(whole) << line;
        ++errors;
    }
    EXPECT_EQ(errors, threads * (perThread / 20 + perThread / 50));
    std::filesystem::remove_all(folder);
}

TEST(GDebugLogThreaded, TimersComeAndGoWhileTheGamePausesAndResumes)
{
    int before = GTimer::Count();
    std::atomic<bool> stop{false};
    std::thread pauser([&stop] {
        while (!stop.load())
        {
            GTimer::PauseAll();
            GTimer::ResumeAll();
        }
    });
    std::vector<std::thread> builders;
    for (int t = 0; t < 4; ++t)
        builders.emplace_back([] {
            // Building and destroying a timer only touches the list; stepping one while the
            // main thread pauses would be a use of the same object by two threads.
            for (int i = 0; i < 300; ++i)
            {
                GTimer timer;
                GTimer other;
            }
        });
    for (auto& b : builders)
        b.join();
    stop = true;
    pauser.join();
    EXPECT_EQ(GTimer::Count(), before);
}

TEST(GDebugLogThreaded, RandomFloatsAndTextsFromWorkers)
{
    GRandom::Init();
    std::vector<std::thread> workers;
    std::atomic<int> outOfRange{0};
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&outOfRange] {
            for (int i = 0; i < 2000; ++i)
            {
                float v = (i & 1) ? GRandom::NextFloat() : GRandom::NextFloat2();
                if (v < 0.0f || v >= 1.0f)
                    ++outOfRange;
                if (GTextTable::GetText("THREADED_KEY") != "THREADED_KEY")
                    ++outOfRange;
            }
        });
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(outOfRange.load(), 0);
}
