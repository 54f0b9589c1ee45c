// Mission files: reading, zone sections, positions, writing back, and the mission list.
#include "tests/sim/SimTestSupport.h"

#include "engine/core/GDebugLog.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <gtest/gtest.h>

namespace sim_mission_test
{
using simtest::DataPath;
using simtest::ScratchDir;

const char* const kConfig = "[config]\nname = m\nworldx = 10\nworldy = 10\n\n";
const char kBinaryMission[] = "[config]\n\0\xff\xfe=\x01\nworldx=\x80\n";

TEST(SimMission, ReadsConfigPositionsAndZonesOfAFile)
{
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(DataPath("missions/m_harbour.txt")));
    EXPECT_EQ(mission.m_name, "harbour");
    EXPECT_EQ(mission.m_guiName, "MISSION_HARBOUR");
    EXPECT_EQ(mission.m_icon, "mission_harbour.dds");
    EXPECT_EQ(mission.m_worldX, 12);
    EXPECT_EQ(mission.m_worldY, 8);
    EXPECT_EQ(mission.m_startingCash, 250000);
    EXPECT_EQ(mission.m_guiId, 2);
    ASSERT_EQ(mission.m_imports.size(), 2u);
    EXPECT_EQ(mission.m_imports[1].x, 11);
    EXPECT_EQ(mission.m_imports[1].y, 7);
    ASSERT_EQ(mission.m_exports.size(), 2u);
    EXPECT_EQ(mission.m_exports[1].x, 40);

    ASSERT_EQ(mission.m_zones.size(), 2u);
    const SIM_BuildingZone& hall = *mission.m_zones[0];
    EXPECT_EQ(hall.m_state, SIM_BuildingZone::STATE_UNLOCKED);
    EXPECT_EQ(hall.m_guiName, "Main Hall");
    EXPECT_FLOAT_EQ(hall.m_rent, 10.0f * 3 * 5);
    EXPECT_EQ(hall.m_floorTextures, (std::vector<std::string>{"floor_a.dds", " floor_b.dds"}));
    const SIM_BuildingZone& wing = *mission.m_zones[1];
    EXPECT_EQ(wing.m_state, SIM_BuildingZone::STATE_LOCKED);
    EXPECT_FLOAT_EQ(wing.m_rentPerTile, 12.0f); // only the whole part counts
    EXPECT_EQ(wing.m_importWalls[0], "wall2_NE_import.dds");
    // The open zone gives the starting area.
    EXPECT_EQ(mission.m_startAreaWidth, 3);
    EXPECT_EQ(mission.m_startAreaHeight, 5);
}

TEST(SimMission, ZoneSectionsAreThoseWhoseNameContainsZone)
{
    ScratchDir dir;
    const std::string path = dir.Write("z.txt", std::string(kConfig) + "[zone]\nGUIName = a\ntype = LOCKED\n\n"
                                                                       "[zone7]\nGUIName = b\ntype = LOCKED\n\n"
                                                                       "[oldzone]\nGUIName = c\ntype = LOCKED\n\n"
                                                                       "[Zone1]\nGUIName = d\ntype = LOCKED\n\n"
                                                                       "[imports]\n0 = 1,1\n");
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(path));
    ASSERT_EQ(mission.m_zones.size(), 3u);
    EXPECT_EQ(mission.m_zones[0]->m_guiName, "a");
    EXPECT_EQ(mission.m_zones[1]->m_guiName, "b");
    EXPECT_EQ(mission.m_zones[2]->m_guiName, "c");
    EXPECT_EQ(mission.GetZoneByName("d"), nullptr);
    EXPECT_EQ(mission.GetZoneByName("b"), mission.m_zones[1].get());
}

TEST(SimMission, PositionValuesReadLikeTheReader)
{
    struct Case
    {
        std::string value;
        int x, y;
    };
    const Case cases[] = {
        {"3,4", 3, 4},
        {"3, 4", 3, 4},
        {"3", 3, 0},
        {"3 ,4 ", 3, 4},
        {"junk", 0, 0},
        {"-2,7", -2, 7},
        {"99999999999999999999,1", 2147483647, 1},
        {"5,6,7", 5, 6},
        // A number is read from its first 63 characters, a position from its first 255.
        {std::string(62, '0') + "1,2", 1, 2},
        {std::string(63, '0') + "1,2", 0, 2},
        {"7" + std::string(252, ' ') + ",5", 7, 5},
        {"7" + std::string(253, ' ') + ",5", 7, 0},
    };
    for (const Case& c : cases)
    {
        ScratchDir dir;
        const std::string path = dir.Write("p.txt", std::string(kConfig) + "[imports]\n0 = " + c.value + "\n");
        SIM_Mission mission;
        mission.Load(path);
        ASSERT_EQ(mission.m_imports.size(), 1u) << c.value;
        EXPECT_EQ(mission.m_imports[0].x, c.x) << c.value;
        EXPECT_EQ(mission.m_imports[0].y, c.y) << c.value;
    }
}

TEST(SimMission, ZoneRentIsAreaTimesRentAndOneTileZonesAreFree)
{
    struct Case
    {
        int left, top, right, bottom, rent;
        float hourly;
    };
    const Case cases[] = {
        {0, 0, 9, 9, 3, 81.0f * 3},
        {4, 4, 4, 4, 100, 0.0f},
        {0, 0, 9, 4, 2, 9.0f * 4 * 2},
    };
    for (const Case& c : cases)
    {
        ScratchDir dir;
        char zone[256];
        std::snprintf(zone, sizeof(zone),
                      "[zone0]\nleft = %d\ntop = %d\nright = %d\nbottom = %d\nrent = %d\ntype = LOCKED\n", c.left,
                      c.top, c.right, c.bottom, c.rent);
        SIM_Mission mission;
        mission.Load(dir.Write("r.txt", std::string(kConfig) + zone));
        ASSERT_EQ(mission.m_zones.size(), 1u);
        EXPECT_FLOAT_EQ(mission.m_zones[0]->m_rent, c.hourly);
    }
}

TEST(SimMission, ZoneLookUpUsesTopBottomForXAndFirstZoneWins)
{
    ScratchDir dir;
    // A zone two rows deep (x 0..1) and five columns wide (y 0..4), and an overlapping one.
    const std::string path =
        dir.Write("a.txt", std::string(kConfig) +
                               "[zone0]\nleft = 0\ntop = 0\nright = 4\nbottom = 1\nGUIName = first\ntype = LOCKED\n\n"
                               "[zone1]\nleft = 0\ntop = 0\nright = 9\nbottom = 9\nGUIName = second\ntype = LOCKED\n");
    SIM_Mission mission;
    mission.Load(path);
    EXPECT_EQ(mission.GetZoneAt(1, 4)->m_guiName, "first");
    EXPECT_EQ(mission.GetZoneAt(4, 1)->m_guiName, "second");
    EXPECT_EQ(mission.GetZoneAt(2, 0)->m_guiName, "second");
    EXPECT_EQ(mission.GetZoneAt(10, 0), nullptr);
    EXPECT_EQ(mission.GetZoneAt(-1, 0), nullptr);
}

TEST(SimMission, BadInputIsDefaultedOrRefusedNeverACrash)
{
    struct Case
    {
        const char* name;
        std::string text;
        bool playable;
    };
    const std::string longValue(5000, '7');
    const Case cases[] = {
        {"missing file", "", false},
        {"no size", "[config]\nname = x\n", false},
        {"zero width", "[config]\nworldx = 0\nworldy = 5\n", false},
        {"too high", "[config]\nworldx = 5\nworldy = 1000\n", false},
        {"negative", "[config]\nworldx = -3\nworldy = 5\n", false},
        {"junk numbers", "[config]\nworldx = abc\nworldy = 5x\n", false},
        {"long number", "[config]\nworldx = " + longValue + "\nworldy = 4\n", false},
        {"largest", "[config]\nworldx = 999\nworldy = 1\n", true},
        {"smallest", "[config]\nworldx = 1\nworldy = 999\n", true},
        {"too wide", "[config]\nworldx = 1000\nworldy = 5\n", false},
        {"zero height", "[config]\nworldx = 5\nworldy = 0\n", false},
        {"leading digits", "[config]\nworldx = 12abc\nworldy = 3.9\n", true},
        {"unknown zone type", "[config]\nworldx = 4\nworldy = 4\n[zone0]\ntype = locked\nright = 2\nbottom = 2\n",
         true},
        {"huge zone",
         "[config]\nworldx = 4\nworldy = 4\n[zone0]\nleft = -2147483648\nright = 2147483647\nbottom = 2147483647\ntype "
         "= LOCKED\n",
         true},
        {"long import", "[config]\nworldx = 4\nworldy = 4\n[imports]\n0 = " + longValue + ",1\n", true},
        {"binary", std::string(kBinaryMission, sizeof(kBinaryMission) - 1), false},
    };
    for (const Case& c : cases)
    {
        ScratchDir dir;
        const std::string path = c.text.empty() ? dir.File("absent.txt") : dir.Write("b.txt", c.text);
        SIM_Mission mission;
        EXPECT_EQ(mission.Load(path), c.playable) << c.name;
        EXPECT_EQ(mission.HasValidSize(), c.playable) << c.name;
    }
}

TEST(SimMission, ZonesReachingOffTheFloorAreClippedAndThoseWhollyOffItRefusedWithALine)
{
    ScratchDir logs;
    GDebugLog::Instance().Open(logs.File("user"));
    struct Case
    {
        int left, top, right, bottom;
        bool kept;
        int clippedLeft, clippedTop, clippedRight, clippedBottom;
        const char* line; // "" for none
    };
    // kConfig's floor is 10 x 10: left and right bound y, top and bottom x.
    const Case cases[] = {
        {0, 0, 9, 9, true, 0, 0, 9, 9, ""},
        {-70000, 1, 5, 5, true, 0, 1, 5, 5, "reaches off the 10 x 10 floor (left -70000, top 1, right 5, bottom 5)"},
        {2, -1, 12, 30, true, 2, 0, 9, 9, "clipped to left 2, top 0, right 9, bottom 9"},
        {0, 10, 9, 20, false, 0, 0, 0, 0, "refused: it lies wholly off the 10 x 10 floor"},
        {-5, 0, -1, 9, false, 0, 0, 0, 0, "refused"},
        {0, -5, 9, -1, false, 0, 0, 0, 0, "refused: it lies wholly off"},
        {10, 0, 20, 9, false, 0, 0, 0, 0, "refused: it lies wholly off"},
        // The floor's first and last tiles each way are on it.
        {0, 0, 0, 0, true, 0, 0, 0, 0, ""},
        {9, 9, 9, 9, true, 9, 9, 9, 9, ""},
        {9, 9, 10, 10, true, 9, 9, 9, 9, "clipped to left 9, top 9, right 9, bottom 9"},
        // Sides the wrong way round: an area below zero, whose rent would be paid to the player.
        {5, 1, 4, 5, false, 0, 0, 0, 0, "refused: its sides are swapped (left 5, top 1, right 4, bottom 5)"},
        {1, 5, 5, 4, false, 0, 0, 0, 0, "refused: its sides are swapped (left 1, top 5, right 5, bottom 4)"},
        {30, -3, 21, 40, false, 0, 0, 0, 0, "refused: its sides are swapped"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.line);
        ScratchDir dir;
        const std::string zone = "[zone0]\nleft = " + std::to_string(c.left) + "\ntop = " + std::to_string(c.top) +
                                 "\nright = " + std::to_string(c.right) + "\nbottom = " + std::to_string(c.bottom) +
                                 "\nGUIName = Hall\nrent = 2\ntype = UNLOCKED\n\n";
        const std::string path =
            dir.Write("c.txt", std::string(kConfig) + zone + "[zone1]\nGUIName = Yard\ntype = LOCKED\n");
        const std::string before = simtest::ReadText(GDebugLog::Instance().GetErrorPath());
        SIM_Mission mission;
        ASSERT_TRUE(mission.Load(path));
        const std::string lines = simtest::ReadText(GDebugLog::Instance().GetErrorPath()).substr(before.size());
        if (*c.line)
        {
            EXPECT_NE(lines.find("Mission [" + path + "] zone [zone0] \"Hall\" "), std::string::npos) << lines;
        }
        EXPECT_NE(lines.find(c.line), std::string::npos) << lines;
        EXPECT_EQ(lines.empty(), !*c.line) << lines;
        ASSERT_EQ(mission.m_zones.size(), c.kept ? 2u : 1u);
        if (!c.kept)
            continue;
        const SIM_BuildingZone& hall = *mission.m_zones[0];
        EXPECT_EQ(hall.m_left, c.clippedLeft);
        EXPECT_EQ(hall.m_top, c.clippedTop);
        EXPECT_EQ(hall.m_right, c.clippedRight);
        EXPECT_EQ(hall.m_bottom, c.clippedBottom);
        // Rent and the starting area count the tiles on the floor.
        EXPECT_FLOAT_EQ(hall.m_rent,
                        2.0f * static_cast<float>((c.clippedRight - c.clippedLeft) * (c.clippedBottom - c.clippedTop)));
        EXPECT_EQ(mission.m_startAreaWidth, c.clippedRight - c.clippedLeft);
    }

    // The editor's save cannot write such a zone either, nor one it made of a drag released above
    // its start.
    ScratchDir dir;
    const std::string path =
        dir.Write("e.txt", std::string(kConfig) + "[zone0]\nright = 9\nbottom = 9\ntype = LOCKED\n\n"
                                                  "[zone1]\nright = 9\nbottom = 9\ntype = LOCKED\n\n"
                                                  "[zone2]\nright = 9\nbottom = 9\ntype = LOCKED\n");
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(path));
    mission.m_zones[0]->m_right = 400;
    mission.m_zones[1]->m_top = -30;
    mission.m_zones[1]->m_bottom = -2;
    mission.m_zones[2]->m_top = 6;
    mission.m_zones[2]->m_bottom = 5;
    ASSERT_TRUE(mission.Save());
    SIM_Mission again;
    ASSERT_TRUE(again.Load(path));
    ASSERT_EQ(again.m_zones.size(), 1u);
    EXPECT_EQ(again.m_zones[0]->m_right, 9);
    EXPECT_EQ(simtest::ReadText(path).find("400"), std::string::npos);
    GDebugLog::Instance().Close();
}

TEST(SimMission, EachLineOfAMissionIsWrittenOnceHoweverOftenItIsRead)
{
    ScratchDir logs;
    GDebugLog::Instance().Open(logs.File("user"));
    ScratchDir dir;
    auto write = [&dir](int left) {
        return dir.Write("once.txt", "[config]\nname = m\nworldx = 10\nworldy = 10\ngui_id = 2x\n\n"
                                     "[zone0]\nleft = " +
                                         std::to_string(left) +
                                         "\ntop = 1\nright = 5\nbottom = 5\nGUIName = Hall\ntype = UNLOCKED\n\n"
                                         "[zone1]\nleft = 6\ntop = 1\nright = 9\nbottom = 9x\nGUIName = Yard\n"
                                         "type = locked\n\n"
                                         "[zone2]\nleft = 9\ntop = 6\nright = 8\nbottom = 9\nGUIName = Back\n"
                                         "type = LOCKED\n");
    };
    const std::string path = write(-3);
    auto count = [](const std::string& text, const std::string& part) {
        int found = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++found;
        return found;
    };
    const std::string before = simtest::ReadText(GDebugLog::Instance().GetErrorPath());
    // The mission list reads it, every game started on it reads its zones again, and so does the
    // editor when it opens the mission.
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(path));
    mission.ReloadZones();
    mission.ReloadZones();
    ASSERT_TRUE(mission.Load(path));
    std::string lines = simtest::ReadText(GDebugLog::Instance().GetErrorPath()).substr(before.size());
    EXPECT_EQ(count(lines, "\n"), 5) << lines;
    EXPECT_EQ(count(lines, "[zone0] \"Hall\" reaches off the 10 x 10 floor (left -3,"), 1) << lines;
    EXPECT_EQ(count(lines, "[zone1] bottom '9x' is not a whole number"), 1) << lines;
    EXPECT_EQ(count(lines, "[config] gui_id '2x'"), 1) << lines;
    EXPECT_EQ(count(lines, "Unknown Building Zone Type"), 1) << lines;
    EXPECT_EQ(count(lines, "[zone2] \"Back\" refused: its sides are swapped"), 1) << lines;
    ASSERT_EQ(mission.m_zones.size(), 2u);

    // A file changed between two readings says what is new about it.
    write(-4);
    ASSERT_TRUE(mission.Load(path));
    mission.ReloadZones();
    lines = simtest::ReadText(GDebugLog::Instance().GetErrorPath()).substr(before.size());
    EXPECT_EQ(count(lines, "\n"), 6) << lines;
    EXPECT_EQ(count(lines, "reaches off the 10 x 10 floor (left -4,"), 1) << lines;
    GDebugLog::Instance().Close();
}

TEST(SimMission, UnknownZoneTypeLeavesTheZoneUnreadAndWritesNoType)
{
    ScratchDir dir;
    const std::string path =
        dir.Write("u.txt", std::string(kConfig) + "[zone0]\ntype = Locked\nrent = 4\nright = 2\nbottom = 2\n");
    SIM_Mission mission;
    mission.Load(path);
    ASSERT_EQ(mission.m_zones.size(), 1u);
    EXPECT_EQ(mission.m_zones[0]->m_state, SIM_BuildingZone::STATE_UNREAD);
    EXPECT_EQ(mission.m_startAreaWidth, 0);
    ASSERT_TRUE(mission.Save());
    EXPECT_EQ(simtest::ReadText(path).find("type"), std::string::npos);
}

TEST(SimMission, SaveWritesTheEditorFormatAndDropsOtherSections)
{
    ScratchDir dir;
    const std::string path = dir.Write(
        "s.txt", "// a comment line\n[config]\nname = saved\nworldx = 6\nworldy = 5\nicon =\n\n"
                 "[notes]\nkeep = no\n\n"
                 "[azone]\nleft = 1\ntop = 2\nright = 3\nbottom = 4\nGUIName = Front Yard\nrent = 12.75\n"
                 "wallid = 3\ntype = UNLOCKED\nfloortextures = f1.dds, f2.dds\n\n"
                 "[zone9]\nleft = 0\ntop = 0\nright = 1\nbottom = 1\nGUIName = Back\nrent = 7\ntype = LOCKED\n\n"
                 "[imports]\nx = 1, 2\n\n[exports]\n0 = 4,4\n1 = 5\n");
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(path));
    ASSERT_TRUE(mission.Save());
    const std::string expected =
        "[config]\nname = saved\nworldx = 6\nworldy = 5\nicon\n\n"
        "[zone0]\nleft = 1\ntop = 2\nright = 3\nbottom = 4\nGUIName = Front Yard\nrent = 12.0000\nwallid = 3\n"
        "type = UNLOCKED\nfloortextures = f1.dds, f2.dds\n\n"
        "[zone1]\nleft = 0\ntop = 0\nright = 1\nbottom = 1\nGUIName = Back\nrent = 7.0000\nwallid = 0\n"
        "type = LOCKED\nfloortextures\n\n"
        "[imports]\n0 = 1,2\n\n"
        "[exports]\n0 = 4,4\n1 = 5,0\n\n";
    EXPECT_EQ(simtest::ReadText(path), expected);

    // What was written reads back to the same mission.
    SIM_Mission again;
    ASSERT_TRUE(again.Load(path));
    ASSERT_EQ(again.m_zones.size(), 2u);
    EXPECT_EQ(again.m_zones[0]->m_guiName, "Front Yard");
    EXPECT_EQ(again.m_zones[1]->m_state, SIM_BuildingZone::STATE_LOCKED);
    EXPECT_EQ(again.m_exports.size(), 2u);
}

TEST(SimMission, ReloadZonesRestoresTheLocksOfTheFile)
{
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(DataPath("missions/m_harbour.txt")));
    mission.m_zones[1]->m_state = SIM_BuildingZone::STATE_UNLOCKED;
    mission.ReloadZones();
    ASSERT_EQ(mission.m_zones.size(), 2u);
    EXPECT_EQ(mission.m_zones[1]->m_state, SIM_BuildingZone::STATE_LOCKED);
}

TEST(SimMissionManager, ListsPlayableMissionsInGuiIdOrder)
{
    SIM_MissionManager manager;
    manager.Load((DataPath("missions") + "/*.txt").c_str());
    std::vector<std::string> names;
    for (const SIM_Mission* mission : manager.GetMissions())
        names.push_back(mission->m_name);
    // "nosize" has gui_id 0 but no floor size: refused, not listed.
    EXPECT_EQ(names, (std::vector<std::string>{"first", "harbour", "wide"}));
    EXPECT_EQ(manager.GetMission("wide")->m_worldX, 40);
    EXPECT_EQ(manager.GetMission("nosize"), nullptr);
    EXPECT_EQ(manager.GetMission("Wide"), nullptr);

    // The list is filled once; equal gui_ids keep the order of their files.
    ScratchDir dir;
    dir.Write("b.txt", "[config]\nname = b\nworldx = 2\nworldy = 2\ngui_id = 5\n");
    dir.Write("a.txt", "[config]\nname = a\nworldx = 2\nworldy = 2\ngui_id = 5\n");
    manager.Load((dir.Path().string() + "/*.txt").c_str());
    EXPECT_EQ(manager.GetMissions().size(), 3u);
    manager.Unload();
    manager.Load((dir.Path().string() + "/*.txt").c_str());
    ASSERT_EQ(manager.GetMissions().size(), 2u);
    EXPECT_EQ(manager.GetMissions()[0]->m_name, "a");
}
}
