// The task editor on a copy of the game's definitions: the preview's scale, the grid's toggles,
// the tile properties following their tile, the nearest sub-tile, props placed, turned and
// removed on their own records, the sorted lists, and a saved layout that the game reads back
// and the data checker passes.
#include "TaskEditorTestSupport.h"

#include "DataChecker.h"
#include "engine/core/GBufferedFileManager.h"
#include "gui/editors/floors/GUI_Edit_FloorStrip.h"
#include "gui/editors/floors/GUI_Edit_FloorTexture.h"
#include "gui/editors/task/GUI_EditorProp.h"
#include "gui/editors/task/GUI_Editor_TileProperties.h"
#include "gui/editors/task/GUI_PropPicker.h"
#include "gui/editors/task/GUI_PropPickerStrip.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskEditorTile.h"
#include "gui/editors/task/GUI_TaskGrid.h"
#include "gui/editors/task/GUI_TaskLoader.h"
#include "gui/editors/task/GUI_TaskLoaderStrip.h"
#include "gui/editors/task/GUI_TaskPreview.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/widgets/GUI_DropDownListItem.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
std::array<bool, 25> Occupied(std::initializer_list<int> cells)
{
    std::array<bool, 25> occupied{};
    for (int cell : cells)
        occupied[static_cast<size_t>(cell)] = true;
    return occupied;
}

int CountSounds(const std::vector<std::string>& sounds, const std::string& name)
{
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

TaskTileDef* FindRecord(SIM_BaseTask* task, int x, int y)
{
    for (TaskTileDef& tile : task->m_tiles)
        if (tile.XOffset == x && tile.YOffset == y)
            return &tile;
    return nullptr;
}

// A sub-window that notes when its owner is freed. A window built anew may take the address of
// the one it replaces, so only this tells the two apart.
class FreedMarker : public GUI_WindowBase
{
public:
    explicit FreedMarker(bool* freed) : m_freed(freed) {}
    ~FreedMarker() override { *m_freed = true; }
    FreedMarker(const FreedMarker&) = delete;
    FreedMarker& operator=(const FreedMarker&) = delete;
    void Draw() override {}

private:
    bool* m_freed;
};
} // namespace

TEST(TaskEditorScale, TheLayoutsWidthInTilesFillsThePreview)
{
    struct Case
    {
        std::initializer_list<int> cells;
        float tiles; // the layout's width in tiles
    };
    const Case cases[] = {
        {{12}, 1.0f},               // the anchor alone fills the width
        {{0, 6, 12, 18, 24}, 1.0f}, // the grid's diagonal stands in one column of the view
        {{12, 13}, 2.0f},
        {{12, 17, 7}, 2.0f},
        {{12, 20}, 5.0f}, // row 4, column 0: the widest reach
        {{12, 4}, 5.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(GUI_TaskEditor::ScaleForLayout(Occupied(c.cells), 1000.0f), 1000.0f / c.tiles / 512.0f);
}

TEST_F(TaskEditorTest, OpensOnTheDefaultTaskWithSortedListsOfEveryTaskAndProp)
{
    GUI_TaskEditor& editor = Editor();
    ASSERT_NE(editor.GetCurrentTask(), nullptr);
    EXPECT_EQ(editor.GetCurrentTask()->GetName(), "task_fuel_tank");
    // Its tiles reach one column off the diagonal: 2 tiles across 1024 pixels.
    EXPECT_FLOAT_EQ(editor.GetScale(), 1.0f);
    EXPECT_EQ(editor.GetPreview()->GetTiles().size(), editor.GetCurrentTask()->m_tiles.size());

    const auto& tasks = editor.GetLoader()->GetRows();
    EXPECT_EQ(tasks.size(), SIM_ProductionTaskManager::Instance().GetTasks().size() +
                                SIM_FacilityManager::Instance().GetTasks().size());
    const auto& props = editor.GetPropPicker()->GetRows();
    EXPECT_EQ(props.size(), SIM_PropTypeManager::Instance().GetPropTypes().size());
    for (const auto* rows : {&tasks, &props})
        EXPECT_TRUE(std::is_sorted(rows->begin(), rows->end(), [](const auto& a, const auto& b) {
            return GUI_EditorStrip::StripLabelLess(static_cast<const GUI_EditorStrip&>(*a),
                                                   static_cast<const GUI_EditorStrip&>(*b));
        }));
    // Rows name a task by its display name; a prop, which the data names only by its key, by that
    // key, the name a task file uses for it.
    for (const auto& row : tasks)
    {
        const auto& strip = static_cast<const GUI_TaskLoaderStrip&>(*row);
        EXPECT_EQ(strip.GetLabel(), strip.GetTask()->GetGuiName()) << strip.GetTask()->GetName();
    }
    for (const auto& row : props)
    {
        const auto& strip = static_cast<const GUI_PropPickerStrip&>(*row);
        EXPECT_EQ(strip.GetLabel(), strip.GetPropType()->GetName());
    }
    GUI_EditorStrip upper("Zeta", "");
    GUI_EditorStrip lower("alpha", "");
    GUI_EditorStrip longer("Zetas", "");
    EXPECT_TRUE(GUI_EditorStrip::StripLabelLess(upper, lower)) << "upper case before lower case";
    EXPECT_TRUE(GUI_EditorStrip::StripLabelLess(upper, longer));

    // A click on a strip loads its task; a facility edits its own file.
    SIM_BaseTask* facility = SIM_FacilityManager::Instance().GetTasks().front();
    for (const auto& row : tasks)
    {
        auto* strip = static_cast<GUI_TaskLoaderStrip*>(row.get());
        if (strip->GetTask() != facility)
            continue;
        editor.GetLoader()->GetScrollBar()->SetFirstRow(
            static_cast<int>(std::find(tasks.begin(), tasks.end(), row) - tasks.begin()));
        EditorFrame();
        LeftClickAt(static_cast<float>(strip->GetLeft() + 50), static_cast<float>(strip->GetTop() + 10));
    }
    EXPECT_EQ(editor.GetCurrentTask(), facility);
    EXPECT_EQ(CountSounds(m_editorServices.sounds, "select.ogg"), 1);
}

TEST_F(TaskEditorTest, EveryScreenSizeHoldsTheWholeEditorWithItsTextInsideItsParts)
{
    // The lists, the preview, the grid and the buttons stay on the screen and apart, and every
    // name stays inside its row, on the smallest screen the game offers and up.
    const int sizes[3][2] = {{1280, 768}, {1280, 1024}, {3840, 2160}};
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(std::to_string(size[0]) + "x" + std::to_string(size[1]));
        Editor().Release();
        UseScreen(size[0], size[1]);
        Editor().Init();
        m_rec->textCheck.enabled = true;
        m_rec->textCheck.Clear();
        m_input.MoveTo(static_cast<float>(size[0]) / 2.0f, static_cast<float>(size[1]) / 2.0f);
        EditorFrame();
        // The preview's tiles and props overlap one another by the floor's nature: only the
        // editor's own parts and the rows of its lists are held to the layout rules.
        std::vector<std::string> problems;
        CheckWindowLayout(Editor(), problems, false);
        CheckWindowLayout(*Editor().GetLoader(), problems);
        CheckWindowLayout(*Editor().GetPropPicker(), problems);
        CheckWindowLayout(*Editor().GetGrid(), problems);
        if (Editor().GetLeft() < 0 || Editor().GetTop() < 0 || Editor().GetRight() > size[0] ||
            Editor().GetBottom() > size[1])
            problems.push_back("the editor leaves the screen");
        for (const std::string& finding : m_rec->textCheck.Describe())
            problems.push_back(finding);
        for (const std::string& problem : problems)
            ADD_FAILURE() << problem;
    }
}

TEST_F(TaskEditorTest, GridCellsAddAndRemoveTilesButNeverTheAnchor)
{
    GUI_TaskEditor& editor = Editor();
    SIM_BaseTask* task = editor.GetCurrentTask();
    const size_t tiles = task->m_tiles.size();
    GUI_TaskGrid* grid = editor.GetGrid();
    EXPECT_EQ(grid->GetCellRect(0).right - grid->GetCellRect(0).left, 32);

    LeftClickAt(CellX(GUI_TaskGrid::kAnchorCell), CellY(GUI_TaskGrid::kAnchorCell));
    EXPECT_EQ(task->m_tiles.size(), tiles);
    EXPECT_TRUE(grid->IsOccupied(GUI_TaskGrid::kAnchorCell));

    // Cell 13 is one column right of the anchor: offsets (1, 0).
    LeftClickAt(CellX(13), CellY(13));
    ASSERT_EQ(task->m_tiles.size(), tiles + 1);
    const TaskTileDef& added = task->m_tiles.back();
    EXPECT_EQ(added.XOffset, 1);
    EXPECT_EQ(added.YOffset, 0);
    EXPECT_EQ(added.texture, "floor_metal_03.dds");
    EXPECT_EQ(added.type, TT_NORMAL);
    EXPECT_TRUE(grid->IsOccupied(13));
    GUI_TaskEditorTile* shown = GUI_TaskPreview::FindTile(1, 0);
    ASSERT_NE(shown, nullptr);

    // A prop on the new tile goes with it.
    editor.SetHeldPropType(SIM_PropTypeManager::Instance().GetPropType("pallet"));
    LeftClickAt(shown->GetSubTilePoint(15).x, shown->GetSubTilePoint(15).y);
    EXPECT_EQ(FindRecord(task, 1, 0)->props.size(), 1u);
    LeftClickAt(CellX(13), CellY(13));
    EXPECT_EQ(task->m_tiles.size(), tiles);
    EXPECT_EQ(FindRecord(task, 1, 0), nullptr);
    EXPECT_EQ(GUI_TaskPreview::FindTile(1, 0), nullptr);
    EXPECT_FALSE(grid->IsOccupied(13));

    // Between two cells: taken, nothing changes; a right click on a free cell opens nothing.
    const PRect& cell = grid->GetCellRect(13);
    m_input.MoveTo(static_cast<float>(cell.right + 1), CellY(13));
    EXPECT_TRUE(grid->OnClick(static_cast<float>(cell.right + 1), CellY(13)));
    EXPECT_EQ(task->m_tiles.size(), tiles);
    RightClickAt(CellX(13), CellY(13));
    EXPECT_EQ(GUI_Editor_TileProperties::GetOpen(), nullptr);
}

TEST_F(TaskEditorTest, TileTypeChangesFollowTheirRecordWhileTheDialogStaysOpen)
{
    GUI_TaskEditor& editor = Editor();
    SIM_BaseTask* task = editor.GetCurrentTask();
    // The fuel tank's stockpile is at (0, 1): cell 17.
    RightClickAt(CellX(17), CellY(17));
    GUI_Editor_TileProperties* first = GUI_Editor_TileProperties::GetOpen();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRecord(), FindRecord(task, 0, 1));
    EXPECT_EQ(first->GetTypeList()->GetDisplayText(), "Stockpile");
    EXPECT_TRUE(first->IsModal());
    bool firstFreed = false;
    first->CreateSubWindow<FreedMarker>(&firstFreed);

    // Another cell's dialog replaces the first.
    RightClickAt(CellX(GUI_TaskGrid::kAnchorCell), CellY(GUI_TaskGrid::kAnchorCell));
    Frame();
    GUI_Editor_TileProperties* dialog = GUI_Editor_TileProperties::GetOpen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(firstFreed);
    TaskTileDef* anchor = FindRecord(task, 0, 0);
    EXPECT_EQ(dialog->GetRecord(), anchor);
    EXPECT_EQ(dialog->GetTypeList()->GetDisplayText(), "Normal");

    // The floors offered are every floor picture, in name order whatever the case.
    std::vector<std::string> floors;
    for (const auto& row : dialog->GetFloorList()->GetRows())
        floors.push_back(static_cast<const GUI_Edit_FloorStrip&>(*row).GetTextureName());
    ASSERT_FALSE(floors.empty());
    EXPECT_TRUE(std::is_sorted(floors.begin(), floors.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    }));

    // Each change rebuilds every editor tile; the dialog goes on acting on the same record.
    GUI_TaskEditorTile* before = GUI_TaskPreview::FindTile(0, 0);
    ASSERT_NE(before, nullptr);
    bool tileFreed = false;
    before->CreateSubWindow<FreedMarker>(&tileFreed);
    dialog->SetTileType("Conveyor");
    EXPECT_EQ(anchor->type, TT_CONVEYOR);
    EXPECT_EQ(anchor->texture, "conveyor_insert01_SE.dds");
    EXPECT_EQ(GUI_Editor_TileProperties::GetOpen(), dialog);
    EXPECT_EQ(dialog->GetRecord(), anchor);
    EXPECT_TRUE(tileFreed);
    EXPECT_NE(GUI_TaskPreview::FindTile(0, 0), nullptr);
    dialog->SetTileType("Normal");
    EXPECT_EQ(anchor->type, TT_NORMAL);
    EXPECT_EQ(anchor->texture, "conveyor_insert01_SE.dds") << "normal keeps the floor";
    dialog->SetTileType("Sideways");
    EXPECT_EQ(anchor->type, TT_NORMAL);
    // Through the drop-down, as the player chooses.
    GUI_DropDownList* types = dialog->GetTypeList();
    for (GUI_DropDownListItem* item : types->GetItems())
        if (item->GetValue() == "Stockpile")
            types->Choose(*item);
    EXPECT_EQ(anchor->type, TT_STOCKPILE);
    GUI_TaskEditorTile* pallets = GUI_TaskPreview::FindTile(0, 0);
    ASSERT_NE(pallets, nullptr);
    EXPECT_EQ(pallets->GetProps().size(), anchor->props.size() + 16);

    // A floor picked in the list reaches the record and the tile now shown; the dialog closes.
    dialog->PickFloor("floor_concrete_01.dds");
    EXPECT_EQ(anchor->texture, "floor_concrete_01.dds");
    Frame();
    EXPECT_EQ(GUI_Editor_TileProperties::GetOpen(), nullptr);
}

TEST_F(TaskEditorTest, NearestSubTileSkipsStockpilesAndKeepsTheEarlierPointOnATie)
{
    GUI_TaskEditor& editor = Editor();
    SIM_BaseTask* task = editor.GetCurrentTask();
    // A stockpile anchor between two plain tiles that mirror each other across the view's
    // centre line; at scale 1 their nearest points lie 64 pixels either side of it.
    auto layout = [&](bool leftFirst) {
        task->m_tiles.clear();
        TaskTileDef anchor;
        anchor.type = TT_STOCKPILE;
        task->m_tiles.push_back(std::move(anchor));
        for (int k = 0; k < 2; ++k)
        {
            TaskTileDef tile;
            const bool left = (k == 0) == leftFirst;
            tile.XOffset = left ? 0 : 1;
            tile.YOffset = left ? 1 : 0;
            tile.texture = "floor_metal_03.dds";
            task->m_tiles.push_back(std::move(tile));
        }
        editor.SetTask(task);
    };
    layout(true);
    ASSERT_FLOAT_EQ(editor.GetScale(), 1.0f);
    const GUI_TaskPreview* preview = editor.GetPreview();
    const float cx = static_cast<float>(preview->GetLeft() + preview->GetRight()) / 2.0f;
    const float cy = static_cast<float>(preview->GetTop() + preview->GetBottom()) / 2.0f;
    GUI_TaskEditorTile* tile = nullptr;
    int index = -1;
    m_input.MoveTo(cx, cy + 128.0f);
    ASSERT_TRUE(editor.FindNearestSubTile(tile, index));
    EXPECT_EQ(tile, GUI_TaskPreview::FindTile(0, 1));
    EXPECT_EQ(index, 3);
    layout(false);
    ASSERT_TRUE(editor.FindNearestSubTile(tile, index));
    EXPECT_EQ(tile, GUI_TaskPreview::FindTile(1, 0));
    EXPECT_EQ(index, 12);
    // The mouse on the stockpile's own points still finds a plain tile.
    m_input.MoveTo(cx, cy);
    ASSERT_TRUE(editor.FindNearestSubTile(tile, index));
    EXPECT_NE(tile, GUI_TaskPreview::FindTile(0, 0));

    // Only stockpiles: nothing is found, and a held prop is dropped without being placed.
    for (TaskTileDef& record : task->m_tiles)
        record.type = TT_STOCKPILE;
    editor.SetTask(task);
    EXPECT_FALSE(editor.FindNearestSubTile(tile, index));
    editor.SetHeldPropType(SIM_PropTypeManager::Instance().GetPropType("pallet"));
    LeftClickAt(cx, cy);
    EXPECT_EQ(editor.GetHeldPropType(), nullptr);
    for (const TaskTileDef& record : task->m_tiles)
        EXPECT_TRUE(record.props.empty());
}

TEST_F(TaskEditorTest, PropsArePlacedTurnedAndRemovedOnTheirOwnRecords)
{
    GUI_TaskEditor& editor = Editor();
    SIM_BaseTask* task = editor.GetCurrentTask();
    TaskTileDef* anchor = FindRecord(task, 0, 0);
    const size_t before = anchor->props.size();
    const size_t staff = task->m_staff.size();

    // The pallet's strip holds it; a right click drops it again, a second strip replaces it.
    GUI_PropPicker* picker = editor.GetPropPicker();
    auto stripOf = [&](const std::string& name) -> GUI_PropPickerStrip* {
        const auto& rows = picker->GetRows();
        for (size_t i = 0; i < rows.size(); ++i)
        {
            auto* strip = static_cast<GUI_PropPickerStrip*>(rows[i].get());
            if (strip->GetLabel() != name)
                continue;
            picker->GetScrollBar()->SetFirstRow(static_cast<int>(i));
            EditorFrame();
            return strip;
        }
        return nullptr;
    };
    auto pick = [&](const std::string& name) {
        GUI_PropPickerStrip* strip = stripOf(name);
        ASSERT_NE(strip, nullptr) << name;
        LeftClickAt(static_cast<float>(strip->GetLeft() + 60), static_cast<float>(strip->GetTop() + 10));
    };
    pick("employee");
    EXPECT_EQ(editor.GetHeldPropType()->GetName(), "employee");
    pick("pallet");
    EXPECT_EQ(editor.GetHeldPropType()->GetName(), "pallet");

    // Two pallets on one free sub-tile of the anchor.
    GUI_TaskEditorTile* tile = GUI_TaskPreview::FindTile(0, 0);
    const GUI_TaskEditorTile::Point at = tile->GetSubTilePoint(5);
    LeftClickAt(at.x, at.y);
    EXPECT_EQ(editor.GetHeldPropType(), nullptr);
    pick("pallet");
    LeftClickAt(at.x, at.y);
    ASSERT_EQ(anchor->props.size(), before + 2);
    TaskPropDef* firstRecord = anchor->props[before].get();
    TaskPropDef* secondRecord = anchor->props[before + 1].get();
    EXPECT_EQ(firstRecord->position, 5);
    EXPECT_EQ(secondRecord->position, 5);
    EXPECT_EQ(CountSounds(m_editorServices.sounds, "fv_place_slot_1.ogg"), 2);

    // A click turns the hovered prop, the first on that sub-tile.
    LeftClickAt(at.x, at.y);
    GUI_EditorProp* hovered = editor.GetHoveredProp();
    ASSERT_NE(hovered, nullptr);
    EXPECT_EQ(hovered->GetRecord(), firstRecord);
    EXPECT_EQ(firstRecord->facing, 1);
    EXPECT_EQ(secondRecord->facing, 0);

    // A right click removes it: its own record goes at once, the other pallet's stays.
    RightClickAt(at.x, at.y);
    ASSERT_EQ(anchor->props.size(), before + 1);
    EXPECT_EQ(anchor->props[before].get(), secondRecord);
    EXPECT_EQ(CountSounds(m_editorServices.sounds, "slot_place.ogg"), 1);
    EXPECT_TRUE(hovered->IsRemoved());
    // Removed twice before the next draw: queued once, heard once.
    tile->RemoveProp(hovered);
    EXPECT_EQ(CountSounds(m_editorServices.sounds, "slot_place.ogg"), 1);
    EditorFrame();
    EXPECT_EQ(std::count(tile->GetProps().begin(), tile->GetProps().end(), hovered), 0);
    // The second pallet is the hovered one now; four turns bring it back.
    for (int turn = 0; turn < 4; ++turn)
        LeftClickAt(at.x, at.y);
    EXPECT_EQ(editor.GetHoveredProp()->GetRecord(), secondRecord);
    EXPECT_EQ(secondRecord->facing, 0);

    // Staff placed and removed in the editor are counted and uncounted at once.
    pick("employee");
    const GUI_TaskEditorTile::Point corner = tile->GetSubTilePoint(0);
    LeftClickAt(corner.x, corner.y);
    EXPECT_EQ(task->m_staff.size(), staff + 1);
    RightClickAt(corner.x, corner.y);
    EXPECT_EQ(task->m_staff.size(), staff);
}

TEST(TaskEditorPropPicture, FacingChoosesThePictureAndItsMirror)
{
    SIM_Prop type;
    for (int i = 0; i < 4; ++i)
        type.m_sprites[i] = "picture_" + std::to_string(i) + ".dds";
    type.m_spriteFlags[1] = 1;
    type.m_spriteFlags[3] = 1;
    struct Case
    {
        int facing;
        int picture;
        bool mirrored;
    };
    for (const Case& c : {Case{0, 1, true}, Case{1, 2, false}, Case{2, 3, true}, Case{3, 0, false}})
    {
        SCOPED_TRACE(c.facing);
        EXPECT_EQ(GUI_EditorProp::TextureIndexForFacing(c.facing), c.picture);
        CTexturedSprite shown;
        GUI_EditorProp::ApplyFacingPicture(shown, type, c.facing);
        CTexturedSprite plain;
        GUI_TaskEditorTile::SetSpritePicture(plain, type.m_sprites[c.picture]);
        const float left = c.mirrored ? plain.m_vertices[1].u : plain.m_vertices[0].u;
        EXPECT_EQ(shown.m_vertices[0].u, left);
        EXPECT_EQ(shown.m_vertices[0].v, plain.m_vertices[0].v);
        EXPECT_EQ(shown.m_vertices[3].v, plain.m_vertices[3].v);
    }
}

TEST_F(TaskEditorTest, ASavedLayoutLoadsBackAndTheDataStaysClean)
{
    GUI_TaskEditor& editor = Editor();
    SIM_BaseTask* task = editor.GetCurrentTask();
    const std::string file = task->m_file;
    ASSERT_EQ(file.rfind(m_dataRoot, 0), 0u) << "the editor edits the copy";
    LeftClickAt(CellX(13), CellY(13));
    editor.SetHeldPropType(SIM_PropTypeManager::Instance().GetPropType("pallet"));
    const GUI_TaskEditorTile::Point at = GUI_TaskPreview::FindTile(1, 0)->GetSubTilePoint(6);
    LeftClickAt(at.x, at.y);
    LeftClickAt(at.x, at.y);

    // The save button, at the top of the screen.
    LeftClickAt(static_cast<float>(kScreenWidth) / 2.0f + 100.0f, 15.0f);
    EXPECT_TRUE(editor.IsRebuildRequested());
    const std::string saved = EngineTestFiles::ReadAll(file);
    EXPECT_NE(saved.find("[tiles3]\nXOffset = 1\nYOffset = 0\ntexture = floor_metal_03.dds\ntype = TT_NORMAL\n"
                         "prop0 = 6,pallet,1\n"),
              std::string::npos)
        << saved;
    EXPECT_EQ(saved.rfind("[task]", 0), 0u);
    // The anchor's texture, left empty in the file for the task list's floor, stays empty.
    EXPECT_NE(saved.find("[tile]\nXOffset = 0\nYOffset = 0\ntexture\ntype = TT_NORMAL\n"), std::string::npos) << saved;

    // The next frame reads everything again and shows the default task from the new file.
    EditorFrame();
    SIM_BaseTask* reloaded = editor.GetCurrentTask();
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->GetName(), "task_fuel_tank");
    ASSERT_NE(FindRecord(reloaded, 0, 0), nullptr);
    EXPECT_EQ(FindRecord(reloaded, 0, 0)->texture, "floor_metal_03.dds");
    TaskTileDef* tile = FindRecord(reloaded, 1, 0);
    ASSERT_NE(tile, nullptr);
    ASSERT_EQ(tile->props.size(), 1u);
    EXPECT_EQ(tile->props[0]->propType->GetName(), "pallet");
    EXPECT_EQ(tile->props[0]->facing, 1);
    EXPECT_TRUE(GUI_TaskPreview::FindTile(1, 0) != nullptr);

    FreshState::Forget<GBufferedFileManager>();
    DataChecker checker(m_dataRoot);
    const std::vector<std::string>& findings = checker.Run();
    for (const std::string& finding : findings)
        ADD_FAILURE() << finding;
    // The shipped file is untouched.
    EXPECT_NE(EngineTestFiles::ReadAll("data/simulation/tasks/task_fuel_tank.ini"), saved);
}

TEST_F(TaskEditorTest, WithoutItsDefaultTaskTheEditorStartsEmpty)
{
    std::remove((m_dataRoot + "/simulation/tasks/task_fuel_tank.ini").c_str());
    FreshState::Forget<GBufferedFileManager>();
    GUI_TaskEditor& editor = Editor();
    editor.Init();
    EXPECT_EQ(editor.GetCurrentTask(), nullptr);
    ASSERT_NE(editor.GetPreview(), nullptr);
    EXPECT_TRUE(editor.GetPreview()->GetTiles().empty());
    // A frame, a click on the grid and a save all find nothing to act on.
    LeftClickAt(CellX(13), CellY(13));
    EXPECT_FALSE(editor.GetPreview()->SaveTaskLayout());
    EditorFrame();
    EXPECT_FALSE(editor.IsRebuildRequested());
}
