// The mission editor dialog as the player uses it: a zone's values written back when another is
// selected, lists applying at once, new zones saved with a type, and the file the save button
// writes, byte for byte, for every shipped mission, read back by the game's own mission reader.
#include "EditorTestSupport.h"

#include "engine/core/GBufferedFileManager.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/editors/mission/GUI_MissionEditorMap.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "platform/core/PDirectory.h"
#include "platform/core/PFile.h"
#include "sim/world/SIM_BuildingZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace
{
// Everything the game reads from a mission, compared field by field.
void ExpectSameMission(const SIM_Mission& a, const SIM_Mission& b)
{
    EXPECT_EQ(a.m_name, b.m_name);
    EXPECT_EQ(a.m_guiName, b.m_guiName);
    EXPECT_EQ(a.m_icon, b.m_icon);
    EXPECT_EQ(a.m_worldX, b.m_worldX);
    EXPECT_EQ(a.m_worldY, b.m_worldY);
    EXPECT_EQ(a.m_startingCash, b.m_startingCash);
    EXPECT_EQ(a.m_guiId, b.m_guiId);
    EXPECT_EQ(a.m_startAreaWidth, b.m_startAreaWidth);
    EXPECT_EQ(a.m_startAreaHeight, b.m_startAreaHeight);
    ASSERT_EQ(a.m_imports.size(), b.m_imports.size());
    for (size_t i = 0; i < a.m_imports.size(); ++i)
        EXPECT_TRUE(a.m_imports[i].x == b.m_imports[i].x && a.m_imports[i].y == b.m_imports[i].y) << "import " << i;
    ASSERT_EQ(a.m_exports.size(), b.m_exports.size());
    for (size_t i = 0; i < a.m_exports.size(); ++i)
        EXPECT_TRUE(a.m_exports[i].x == b.m_exports[i].x && a.m_exports[i].y == b.m_exports[i].y) << "export " << i;
    ASSERT_EQ(a.m_zones.size(), b.m_zones.size());
    for (size_t i = 0; i < a.m_zones.size(); ++i)
    {
        const SIM_BuildingZone& za = *a.m_zones[i];
        const SIM_BuildingZone& zb = *b.m_zones[i];
        SCOPED_TRACE("zone " + std::to_string(i));
        EXPECT_EQ(za.m_left, zb.m_left);
        EXPECT_EQ(za.m_top, zb.m_top);
        EXPECT_EQ(za.m_right, zb.m_right);
        EXPECT_EQ(za.m_bottom, zb.m_bottom);
        EXPECT_EQ(za.m_state, zb.m_state);
        EXPECT_EQ(za.m_rentPerTile, zb.m_rentPerTile);
        EXPECT_EQ(za.m_rent, zb.m_rent);
        EXPECT_EQ(za.m_wallId, zb.m_wallId);
        EXPECT_EQ(za.m_floorTextureList, zb.m_floorTextureList);
        EXPECT_EQ(za.m_guiName, zb.m_guiName);
    }
}

void ExpectShows(GUI_MissionEditorDialog& dialog, const std::string& name, const std::string& rent,
                 const std::string& walls, const std::string& floor, const std::string& type)
{
    EXPECT_EQ(dialog.GetNameField()->GetText(), name);
    EXPECT_EQ(dialog.GetRentField()->GetText(), rent);
    EXPECT_EQ(dialog.GetWallsList()->GetSelected(), walls);
    EXPECT_EQ(dialog.GetWallsList()->GetDisplayText(), walls);
    EXPECT_EQ(dialog.GetFloorList()->GetSelected(), floor);
    EXPECT_EQ(dialog.GetFloorList()->GetDisplayText(), floor);
    EXPECT_EQ(dialog.GetTypeList()->GetSelected(), type);
}
} // namespace

class MissionEditorDialog : public MissionEditorTest
{
};

TEST_F(MissionEditorDialog, SelectingAnotherZoneWritesTheFieldsBackBeforeShowingIt)
{
    auto mission = LoadCopy("m01_first_factory.txt");
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    // A fresh dialog shows the last value added to each list.
    ExpectShows(*dialog, "", "", "3", "floor_metal_03.dds", "UNLOCKED");
    ASSERT_EQ(dialog->GetFloorList()->GetItems().size(), 6u) << "every sprite of the floor atlas";
    SIM_BuildingZone* hall = mission->m_zones[0].get();
    SIM_BuildingZone* wing = mission->m_zones[1].get();

    // Main Hall covers columns 1-20 and rows 1-20; South Wing the same columns, rows 21-30.
    ClickTile(5, 5);
    ASSERT_EQ(dialog->GetSelectedZone(), hall);
    ExpectShows(*dialog, "Main Hall", "1.00", "1", "floor_concrete_01.dds", "UNLOCKED");
    Type(dialog->GetNameField(), "Great, Hall");
    EXPECT_EQ(dialog->GetNameField()->GetText(), "Great Hall") << "no commas: savegames list zones by name";
    Type(dialog->GetRentField(), "12.75");
    EXPECT_EQ(hall->m_guiName, "Main Hall") << "typing alone changes nothing yet";

    ClickTile(5, 25);
    ASSERT_EQ(dialog->GetSelectedZone(), wing);
    EXPECT_EQ(hall->m_guiName, "Great Hall");
    EXPECT_EQ(hall->m_rentPerTile, 12.0f) << "the whole units the game reads";
    EXPECT_EQ(hall->m_rent, 12.0f * 19.0f * 19.0f);
    // Passing through keeps the hall's two floors: only a floor picked in the list replaces them.
    EXPECT_EQ(hall->m_floorTextureList, "floor_concrete_01.dds,floor_concrete_02.dds");
    EXPECT_EQ(hall->m_state, SIM_BuildingZone::STATE_UNLOCKED);
    ExpectShows(*dialog, "South Wing", "2.00", "2", "floor_metal_01.dds", "LOCKED");

    // A list choice applies to the selected zone at once.
    Choose(dialog->GetFloorList(), "floor_metal_02.dds");
    EXPECT_EQ(wing->m_floorTextureList, "floor_metal_02.dds");
    Choose(dialog->GetTypeList(), "UNLOCKED");
    EXPECT_EQ(wing->m_state, SIM_BuildingZone::STATE_UNLOCKED);
    Choose(dialog->GetWallsList(), "3");
    EXPECT_EQ(wing->m_wallId, 3);
    EXPECT_EQ(wing->m_importWalls[0], "wall3_NE_import.dds") << "the wall pictures follow the wall set";

    // Text that is no number, or no finite one, is no rent.
    Type(dialog->GetRentField(), "nan");
    ClickTile(0, 0);
    EXPECT_EQ(wing->m_rentPerTile, 0.0f);
    EXPECT_EQ(dialog->GetSelectedZone(), nullptr);
    ExpectShows(*dialog, "", "", "", "", "");

    // A zone never typed leaves the type list as it was; applying gives it a type.
    dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(31, 0, 32, 10);
    SIM_BuildingZone* strip = mission->m_zones.back().get();
    ASSERT_EQ(strip->m_state, SIM_BuildingZone::STATE_UNREAD);
    ClickTile(31, 3);
    ASSERT_EQ(dialog->GetSelectedZone(), strip);
    EXPECT_EQ(dialog->GetTypeList()->GetSelected(), "");
    Choose(dialog->GetTypeList(), "UNLOCKED");
    EXPECT_EQ(strip->m_state, SIM_BuildingZone::STATE_UNLOCKED);
}

TEST_F(MissionEditorDialog, ZonesNeverTypedAreSavedLockedAndLoadWithoutComplaint)
{
    auto mission = MakeEmptyMission("untyped", 30, 30);
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(2, 2, 10, 10);
    // Saving with no zone selected writes the mission as it stands.
    ASSERT_EQ(dialog->GetSelectedZone(), nullptr);
    ASSERT_TRUE(dialog->OnSave());
    EXPECT_NE(EngineTestFiles::ReadAll(mission->m_file)
                  .find("[zone0]\nleft = 2\ntop = 2\nright = 9\nbottom = 9\n"
                        "GUIName = Zone 1\nrent = 0.0000\nwallid = 0\ntype = LOCKED\n"
                        "floortextures\n\n"),
              std::string::npos);
    SIM_Mission reloaded;
    ASSERT_TRUE(reloaded.Load(mission->m_file));
    ASSERT_EQ(reloaded.m_zones.size(), 1u);
    EXPECT_EQ(reloaded.m_zones[0]->m_state, SIM_BuildingZone::STATE_LOCKED);
    EXPECT_EQ(ErrorLog().find("Unknown Building Zone Type"), std::string::npos);
}

TEST_F(MissionEditorDialog, EveryZoneIsSavedUnderANameNoOtherZoneHas)
{
    // Savegames find the zones the player bought by name, so names must tell zones apart.
    auto mission = MakeEmptyMission("names", 40, 40);
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    const char* typed[] = {"", "Zone 1", "Hall", " Hall ", "", "Hall 2"};
    for (int i = 0; i < 6; ++i)
    {
        dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
        DragTiles(i * 6, 0, i * 6 + 5, 5);
        ClickTile(i * 6 + 1, 1);
        Type(dialog->GetNameField(), typed[i]);
    }
    ASSERT_EQ(mission->m_zones.size(), 6u);
    ASSERT_TRUE(dialog->OnSave());
    // The first of each name keeps it; spaces at the ends do not make a name another.
    const char* expected[] = {"Zone 2", "Zone 1", "Hall", "Hall 3", "Zone 3", "Hall 2"};
    SIM_Mission reloaded;
    ASSERT_TRUE(reloaded.Load(mission->m_file));
    ASSERT_EQ(reloaded.m_zones.size(), 6u);
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(mission->m_zones[i]->m_guiName, expected[i]) << i;
        EXPECT_EQ(reloaded.m_zones[i]->m_guiName, expected[i]) << i;
        EXPECT_EQ(reloaded.GetZoneByName(expected[i]), reloaded.m_zones[i].get()) << i;
    }
    // The selected zone's field shows the name it was saved under.
    EXPECT_EQ(dialog->GetSelectedZone(), mission->m_zones[5].get());
    EXPECT_EQ(dialog->GetNameField()->GetText(), "Hall 2");
    ClickTile(25, 1);
    EXPECT_EQ(dialog->GetNameField()->GetText(), "Zone 3");
}

TEST_F(MissionEditorDialog, EveryShippedMissionSavesToItsGoldenFileAndReadsBackTheSame)
{
    const bool write = std::getenv("FV_WRITE_REFERENCES") != nullptr;
    for (const char* file : {"m01_first_factory.txt", "m02_riverside_works.txt", "m03_tight_corner.txt"})
    {
        SCOPED_TRACE(file);
        auto mission = LoadCopy(file);
        SIM_Mission shipped;
        ASSERT_TRUE(shipped.Load(std::string("data/missions/") + file));
        GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
        ASSERT_TRUE(dialog->OnSave());
        const std::string saved = EngineTestFiles::ReadAll(mission->m_file);
        const std::string golden = std::string(FV_TEST_DIR) + "/gui/editors/golden/" + file;
        if (write)
            std::ofstream(golden, std::ios::binary) << saved;
        EXPECT_EQ(saved, EngineTestFiles::ReadAll(golden));
        EXPECT_FALSE(PFile::Exists(mission->m_file + ".tmp")) << "no temporary file is left behind";

        // The game reads back exactly what it read from the shipped file, and a second save
        // changes nothing.
        SIM_Mission reread;
        ASSERT_TRUE(reread.Load(mission->m_file));
        ExpectSameMission(reread, shipped);
        ASSERT_TRUE(dialog->OnSave());
        EXPECT_EQ(EngineTestFiles::ReadAll(mission->m_file), saved);
        dialog->Close();
    }
}

TEST_F(MissionEditorDialog, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    auto mission = LoadCopy("m03_tight_corner.txt");
    const std::string before = EngineTestFiles::ReadAll(mission->m_file);
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_IMPORTS);
    ClickTile(0, 0);
    // The temporary file cannot be made where a folder of its name stands.
    ASSERT_TRUE(PDirectory::Create(mission->m_file + ".tmp"));
    EXPECT_FALSE(dialog->OnSave());
    GBufferedFileManager::Instance().Reload(mission->m_file);
    EXPECT_EQ(EngineTestFiles::ReadAll(mission->m_file), before);
    EXPECT_NE(ErrorLog().find("could not be written"), std::string::npos);
}
