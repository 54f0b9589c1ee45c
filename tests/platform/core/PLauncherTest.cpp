// Starting a program without a shell: arguments reach it word for word, a missing program is
// reported, and the started program outlives the call.
#include "platform/core/PLauncher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace
{
bool LaunchWaitForFile(const fs::path& path)
{
    for (int i = 0; i < 250 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return fs::exists(path);
}
} // namespace

TEST(Launcher, StartsProgramsWithLiteralArgumentsOnly)
{
    const fs::path dir = fs::path(::testing::TempDir()) / "launcher_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    // A name a shell would expand or split must arrive as it is.
    const fs::path odd = dir / "a file; $(rm -rf x) *";
    ASSERT_TRUE(PLauncher::Launch("/usr/bin/touch", {odd.string()}));
    EXPECT_TRUE(LaunchWaitForFile(odd));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    struct Case
    {
        const char* what;
        std::string path;
        bool started;
    };
    const Case cases[] = {
        {"missing program", (dir / "no-such-program").string(), false},
        {"empty path", "", false},
        {"a folder", dir.string(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PLauncher::Launch(c.path, {}), c.started) << c.what;
    fs::remove_all(dir);
}

TEST(Launcher, KnowsItsOwnProgramAndArguments)
{
    const std::string self = PLauncher::OwnExecutablePath();
    EXPECT_FALSE(self.empty());
    EXPECT_TRUE(fs::exists(self));
    // The test runner is started with at least its own name; the words after it are listed.
    const std::vector<std::string> args = PLauncher::OwnArguments();
    for (const std::string& a : args)
        EXPECT_FALSE(a.empty());
}
