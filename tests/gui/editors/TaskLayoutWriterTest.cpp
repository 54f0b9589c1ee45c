// The task footprint writer: what a save makes of a task file, compared byte for byte with the
// stored files in tests/gui/editors/golden (written instead with FV_WRITE_REFERENCES=1), floors
// the task list filled in, and the files it refuses to touch.
#include "tests/engine/core/EngineTestFiles.h"

#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/editors/task/TaskLayoutWriter.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{
// A task file as a modder might leave it: a comment, quoted values, tile sections between the others.
const char* const kOldTaskFile = "[task]\n"
                                 "name = task_test_press\n"
                                 "// an old note the game never reads\n"
                                 "guiname = \"Test Press\"\n"
                                 "\n"
                                 "[tile]\n"
                                 "type = TT_NORMAL\n"
                                 "prop0 = 3,pallet,0\n"
                                 "\n"
                                 "[tiles1]\n"
                                 "XOffset = 1\n"
                                 "YOffset = 0\n"
                                 "\n"
                                 "[upgrades]\n"
                                 "u0 = upg_fast_tools\n"
                                 "\n"
                                 "[subtasksapplied]\n"
                                 "task_test_press\n";

void ExpectMatchesGolden(const std::string& text, const std::string& name)
{
    const std::string path = std::string(FV_TEST_DIR) + "/gui/editors/golden/" + name;
    if (std::getenv("FV_WRITE_REFERENCES"))
    {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    EXPECT_EQ(text, EngineTestFiles::ReadAll(path)) << name;
}
} // namespace

class TaskLayoutWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"pallet", "robot2", "robot3", "employee"})
        {
            auto prop = std::make_unique<SIM_Prop>();
            prop->m_name = name;
            m_props.push_back(std::move(prop));
        }
        m_task.m_name = "task_test_press";
        m_task.m_file = m_files.Write("task_test_press.ini", kOldTaskFile);
        GBufferedFileManager::Instance().Reload(m_task.m_file);
    }
    void TearDown() override { FreshState::Forget<GBufferedFileManager>(); }

    SIM_Prop* Prop(const std::string& name)
    {
        for (const auto& prop : m_props)
            if (prop->m_name == name)
                return prop.get();
        return nullptr;
    }
    TaskTileDef& AddTile(int x, int y, const std::string& texture, int type)
    {
        TaskTileDef tile;
        tile.XOffset = x;
        tile.YOffset = y;
        tile.texture = texture;
        tile.type = type;
        m_task.m_tiles.push_back(std::move(tile));
        return m_task.m_tiles.back();
    }
    void AddProp(TaskTileDef& tile, int position, const std::string& type, int facing)
    {
        auto prop = std::make_unique<TaskPropDef>();
        prop->position = position;
        prop->propType = Prop(type);
        prop->facing = facing;
        tile.props.push_back(std::move(prop));
    }
    std::string Saved()
    {
        EXPECT_TRUE(TaskLayoutWriter::Save(m_task));
        return EngineTestFiles::ReadAll(m_task.m_file);
    }

    EngineTestFiles m_files;
    std::vector<std::unique_ptr<SIM_Prop>> m_props;
    SIM_BaseTask m_task;
};

TEST_F(TaskLayoutWriterTest, AnchorFirstKeepsTheOtherSectionsAndNumbersTilesByTheirPlace)
{
    TaskTileDef& anchor = AddTile(0, 0, "conveyor_insert01_SE.dds", TT_NORMAL);
    // The reader adds the anchor's robots itself; a prop numbering with gaps would stop it early.
    AddProp(anchor, 1, "robot2", 1);
    AddProp(anchor, 10, "pallet", 2);
    AddProp(anchor, 13, "robot3", 3);
    AddProp(anchor, 12, "employee", 0);
    AddTile(1, 0, "floor_metal_03.dds", TT_STOCKPILE);
    // A type the reader does not know is written as a normal tile.
    TaskTileDef& odd = AddTile(-2, 2, "floor_metal_04.dds", 7);
    AddProp(odd, 15, "pallet", 3);
    const std::string first = Saved();
    ExpectMatchesGolden(first, "task_layout_anchor_first.ini");
    // Saving the saved layout again changes nothing.
    GBufferedFileManager::Instance().Reload(m_task.m_file);
    EXPECT_EQ(Saved(), first);
}

TEST_F(TaskLayoutWriterTest, AnchorLastAndOnlyAnchor)
{
    AddTile(0, -1, "floor_metal_04.dds", TT_EXPORT);
    AddTile(-1, 0, "floor_metal_03.dds", TT_CONVEYOR);
    AddTile(0, 0, "", TT_NORMAL);
    ExpectMatchesGolden(Saved(), "task_layout_anchor_last.ini");

    m_task.m_tiles.clear();
    AddTile(0, 0, "floor_plain_01.dds", TT_NORMAL);
    GBufferedFileManager::Instance().Reload(m_task.m_file);
    const std::string onlyAnchor = Saved();
    EXPECT_NE(onlyAnchor.find("[tile]\n"), std::string::npos);
    EXPECT_EQ(onlyAnchor.find("[tiles"), std::string::npos);
    EXPECT_EQ(onlyAnchor.find("[tile]"), onlyAnchor.rfind("[tile]"));
}

TEST_F(TaskLayoutWriterTest, AFloorTheTaskListFilledInIsWrittenEmptyOnlyWhileUntouched)
{
    struct Case
    {
        const char* what;
        const char* texture;
        int type;
        const char* written;
    };
    const Case cases[] = {
        {"untouched", "floor_metal_03.dds", TT_NORMAL, "texture\n"},
        {"another floor picked", "floor_metal_04.dds", TT_NORMAL, "texture = floor_metal_04.dds\n"},
        // The loader fills in only normal tiles: a stockpile would come back without a floor.
        {"turned into a stockpile", "floor_metal_03.dds", TT_STOCKPILE, "texture = floor_metal_03.dds\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_task.m_tiles.clear();
        TaskTileDef& anchor = AddTile(0, 0, c.texture, c.type);
        anchor.defaultTexture = "floor_metal_03.dds";
        std::string text;
        std::string error;
        ASSERT_TRUE(TaskLayoutWriter::Compose(m_task, text, error)) << error;
        EXPECT_NE(text.find("[tile]\nXOffset = 0\nYOffset = 0\n" + std::string(c.written)), std::string::npos) << text;
    }
}

TEST_F(TaskLayoutWriterTest, RefusesFilesItWouldDamageAndLeavesThemAlone)
{
    AddTile(0, 0, "floor_metal_03.dds", TT_NORMAL);
    struct Case
    {
        const char* what;
        const char* content; // null: the file does not exist
    };
    const Case cases[] = {
        {"only tile sections", "[tile]\ntype = TT_NORMAL\n\n[tiles1]\nXOffset = 1\n"},
        {"empty", ""},
        {"missing", nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const std::string path = m_files.Path(std::string("refused_") + (c.content ? "x" : "missing") + ".ini");
        if (c.content)
            m_files.Write("refused_x.ini", c.content);
        GBufferedFileManager::Instance().Reload(path);
        m_task.m_file = path;
        std::string text;
        std::string error;
        EXPECT_FALSE(TaskLayoutWriter::Compose(m_task, text, error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(TaskLayoutWriter::Save(m_task));
        EXPECT_EQ(EngineTestFiles::ReadAll(path), c.content ? c.content : "");
    }
    m_task.m_file.clear();
    EXPECT_FALSE(TaskLayoutWriter::Save(m_task)) << "a task read from no file";
}
