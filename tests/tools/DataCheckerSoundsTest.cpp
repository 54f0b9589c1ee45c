// The data checker's sound check: every sound the code plays and every placement sound the data
// names must be shipped as a playable file; the check runs alone or with the other art groups.
#include "DataChecker.h"

#include "engine/core/GBufferedFileManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
std::vector<std::string> SoundFindings(const fs::path& root, unsigned groups)
{
    FreshState::Forget<GBufferedFileManager>();
    DataChecker checker(root.string());
    checker.SetArtGroups(groups);
    std::vector<std::string> sounds;
    for (const std::string& f : checker.Run())
        if (f.find("sound '") != std::string::npos || f.find("music '") != std::string::npos)
            sounds.push_back(f);
    return sounds;
}
} // namespace

TEST(DataCheckerSounds, EveryMissingOrBrokenSoundIsReported)
{
    const fs::path root = fs::temp_directory_path() / ("fv_datacheck_art_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    for (const char* part : {"simulation", "missions", "sounds", "strings.ini", "simconfig.txt"})
        fs::copy(fs::path(FV_SOURCE_DIR) / "data" / part, root / part, fs::copy_options::recursive);
    EXPECT_TRUE(SoundFindings(root, DataChecker::ART_SOUNDS).empty());

    fs::remove(root / "sounds/fv_servo_7.ogg");
    fs::remove(root / "sounds/music/fv_music.ogg");
    std::ofstream(root / "sounds/screenshot.ogg", std::ios::binary) << "OggS but nothing after";
    std::ofstream(root / "simulation/facilities/fac_power_plant.ini", std::ios::app)
        << "\n[task]\nplacement_sound = fv_turbine_start.ogg\n";
    const std::vector<std::string> findings = SoundFindings(root, DataChecker::ART_SOUNDS);
    const char* expected[] = {"fv_servo_7.ogg", "fv_music.ogg", "screenshot.ogg", "fv_turbine_start.ogg"};
    for (const char* name : expected)
        EXPECT_EQ(std::count_if(findings.begin(), findings.end(),
                                [&](const std::string& f) { return f.find(name) != std::string::npos; }),
                  1)
            << name;
    EXPECT_EQ(findings.size(), 4u);
    // The other groups leave the sounds alone.
    EXPECT_TRUE(SoundFindings(root, DataChecker::ART_UI | DataChecker::ART_WORLD).empty());
    fs::remove_all(root);
}

TEST(DataCheckerSounds, ArtGroupsAreNamedOnTheCommandLine)
{
    struct Case
    {
        const char* text;
        bool ok;
        unsigned groups;
    };
    const Case cases[] = {
        {"", true, DataChecker::ART_ALL},
        {"sounds", true, DataChecker::ART_SOUNDS},
        {"sounds,world", true, DataChecker::ART_SOUNDS | DataChecker::ART_WORLD},
        {"ui", true, DataChecker::ART_UI},
        {"music", false, 0},
        {"sounds,", true, DataChecker::ART_SOUNDS},
    };
    for (const Case& c : cases)
    {
        unsigned groups = 0;
        EXPECT_EQ(DataChecker::ParseArtGroups(c.text, groups), c.ok) << c.text;
        if (c.ok)
        {
            EXPECT_EQ(groups, c.groups) << c.text;
        }
    }
}
