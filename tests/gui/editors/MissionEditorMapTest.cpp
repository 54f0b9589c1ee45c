// The mission editor's map as the player uses it: grid geometry from tiny to the largest floors,
// zones dragged out (and held inside the grid), zone look-up where zones overlap, import bays and
// exports placed and removed, and a removed zone that was selected.
#include "EditorTestSupport.h"

#include "engine/core/GBufferedFileManager.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/editors/mission/GUI_MissionEditorMap.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "sim/world/SIM_BuildingZone.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// A map alone in a panel: geometry does not need the dialog.
class MapPanel : public ToolkitTestPanel
{
public:
    explicit MapPanel(SIM_Mission* mission) { map = CreateSubWindow<GUI_MissionEditorMap>(mission); }
    GUI_MissionEditorMap* map;
};

struct GeometryCase
{
    int worldX, worldY;
    int mapLeft, mapTop, mapSide;
    float tileSize;
    PRect grid;
};
} // namespace

class MissionEditorMap : public MissionEditorTest
{
};

TEST_F(MissionEditorMap, GridGeometryFromTheSmallestToTheLargestFloors)
{
    const GeometryCase cases[] = {
        // Wider than high: the grid fills the width and is centred vertically.
        {60, 40, 0, 0, 600, 10.0f, PRect{0, 100, 600, 500}},
        {32, 32, 100, 50, 640, 20.0f, PRect{100, 50, 740, 690}},
        {1, 1, 0, 0, 686, 686.0f, PRect{0, 0, 686, 686}},
        // The largest floors on the smallest screen: tiles under a pixel, never a zero size.
        {999, 999, 272, 56, 686, 686.0f / 999.0f, PRect{272, 56, 958, 742}},
        {999, 3, 0, 0, 686, 686.0f / 999.0f, PRect{0, 341, 686, 344}},
    };
    for (const GeometryCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.worldX) + " x " + std::to_string(c.worldY));
        auto mission = MakeEmptyMission("geometry", c.worldX, c.worldY);
        MapPanel panel(mission.get());
        GUI_MissionEditorMap& map = *panel.map;
        map.SetRect(static_cast<float>(c.mapLeft), static_cast<float>(c.mapTop),
                    static_cast<float>(c.mapLeft + c.mapSide), static_cast<float>(c.mapTop + c.mapSide));
        map.BuildGrid();
        EXPECT_EQ(map.GetTileCount(), c.worldX * c.worldY);
        EXPECT_FLOAT_EQ(map.GetTileSize(), c.tileSize);
        EXPECT_EQ(map.GetGridRect().left, c.grid.left);
        EXPECT_EQ(map.GetGridRect().top, c.grid.top);
        EXPECT_EQ(map.GetGridRect().right, c.grid.right);
        EXPECT_EQ(map.GetGridRect().bottom, c.grid.bottom);
        // The last tile ends at the grid's far corner, and every corner tile maps back to itself.
        const PRect last = map.TileRect(c.worldX - 1, c.worldY - 1);
        EXPECT_EQ(last.right, c.grid.right);
        EXPECT_EQ(last.bottom, c.grid.bottom);
        const float ts = map.GetTileSize();
        for (const auto& [a, b] : {std::pair{0, 0}, std::pair{c.worldX - 1, c.worldY - 1}, std::pair{c.worldX / 2, 0}})
        {
            int ta = -1;
            int tb = -1;
            map.TileAt(static_cast<float>(map.GetGridX() + (a + 0.5) * ts),
                       static_cast<float>(map.GetGridY() + (b + 0.5) * ts), ta, tb);
            EXPECT_EQ(ta, a);
            EXPECT_EQ(tb, b);
        }
        // Less than a tile before the grid still counts as the first column and row.
        int ta = -1;
        int tb = -1;
        map.TileAt(static_cast<float>(map.GetGridX() - 0.4 * ts), static_cast<float>(map.GetGridY() - 0.4 * ts), ta,
                   tb);
        EXPECT_EQ(ta, 0);
        EXPECT_EQ(tb, 0);
        // A frame of the whole map draws without trouble at any size.
        map.Draw();
    }

    // A floor of no tiles is refused: no grid, and the tools find nothing to act on.
    auto empty = MakeEmptyMission("nofloor", 0, 40);
    MapPanel panel(empty.get());
    panel.map->SetRect(0, 0, 600, 600);
    panel.map->BuildGrid();
    EXPECT_EQ(panel.map->GetTileCount(), 0);
    panel.map->SetMode(GUI_MissionEditorMap::MODE_IMPORTS);
    EXPECT_TRUE(panel.map->OnClick(300, 300));
    EXPECT_TRUE(empty->m_imports.empty());
    panel.map->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    panel.map->OnClick(300, 300);
    panel.map->FinishZone(310, 310);
    EXPECT_TRUE(empty->m_zones.empty());
    panel.map->Draw();
}

TEST_F(MissionEditorMap, ADraggedZoneEndsBeforeTheReleaseTileAndStaysInTheGrid)
{
    auto mission = MakeEmptyMission("drag", 60, 40);
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    GUI_MissionEditorMap* map = dialog->GetMap();
    const PRect grid = map->GetGridRect();
    const float ts = map->GetTileSize();

    struct DragCase
    {
        const char* what;
        float x0, y0, x1, y1;
        int top, left, bottom, right;
    };
    const DragCase drags[] = {
        {"one tile: released on the tile right of and below the start", TileX(3), TileY(4), TileX(4), TileY(5), 3, 4, 3,
         4},
        {"a block", TileX(10), TileY(2), TileX(20), TileY(12), 10, 2, 19, 11},
        {"released on the start tile: empty, still made", TileX(7), TileY(7), TileX(7), TileY(7), 7, 7, 6, 6},
        {"released left of and above the start: inverted, still made", TileX(9), TileY(9), TileX(5), TileY(6), 9, 9, 4,
         5},
        {"released beyond the grid: ends at its far edge", TileX(50), TileY(30), static_cast<float>(grid.right) + 60.0f,
         static_cast<float>(grid.bottom) + 40.0f, 50, 30, 59, 39},
        {"pressed in the margin above the grid: starts in the first row", TileX(2),
         static_cast<float>(grid.top) - 3.0f * ts, TileX(4), TileY(3), 2, 0, 3, 2},
    };
    size_t count = 0;
    for (const DragCase& d : drags)
    {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(ClickAt(static_cast<float>(dialog->GetCreateZoneButton()->GetLeft() + 10),
                            static_cast<float>(dialog->GetCreateZoneButton()->GetTop() + 10)));
        EXPECT_EQ(map->GetMode(), GUI_MissionEditorMap::MODE_ZONE_ARMED);
        Drag(d.x0, d.y0, d.x1, d.y1);
        EXPECT_EQ(map->GetMode(), GUI_MissionEditorMap::MODE_SELECT);
        ASSERT_EQ(mission->m_zones.size(), ++count);
        const SIM_BuildingZone& zone = *mission->m_zones.back();
        EXPECT_EQ(zone.m_top, d.top);
        EXPECT_EQ(zone.m_left, d.left);
        EXPECT_EQ(zone.m_bottom, d.bottom);
        EXPECT_EQ(zone.m_right, d.right);
        EXPECT_EQ(zone.m_state, SIM_BuildingZone::STATE_UNREAD);
        // A new zone is not selected.
        EXPECT_EQ(dialog->GetSelectedZone(), nullptr);
    }
    // The cells follow the zones: inside the block, and not past the empty zone's start.
    EXPECT_EQ(map->GetTile(15, 5).GetKind(), GUI_EditorTile::KIND_ZONE);
    EXPECT_EQ(map->GetTile(59, 39).GetKind(), GUI_EditorTile::KIND_ZONE);
    EXPECT_EQ(map->GetTile(7, 7).GetKind(), GUI_EditorTile::KIND_EMPTY);
    EXPECT_EQ(map->GetTile(0, 0).GetKind(), GUI_EditorTile::KIND_EMPTY);
}

TEST_F(MissionEditorMap, OverlapsResolveToTheFirstZoneAndMarkersComeOffTogether)
{
    auto mission = MakeEmptyMission("overlap", 40, 30);
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    GUI_MissionEditorMap* map = dialog->GetMap();
    map->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(0, 0, 10, 10);
    map->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(5, 5, 15, 15);
    ASSERT_EQ(mission->m_zones.size(), 2u);
    SIM_BuildingZone* first = mission->m_zones[0].get();
    SIM_BuildingZone* second = mission->m_zones[1].get();

    // Left clicks select the earlier zone on the overlap, the later one beside it, none outside.
    ClickTile(7, 7);
    EXPECT_EQ(dialog->GetSelectedZone(), first);
    ClickTile(12, 12);
    EXPECT_EQ(dialog->GetSelectedZone(), second);
    ClickTile(30, 25);
    EXPECT_EQ(dialog->GetSelectedZone(), nullptr);

    // Two import bays on one tile and one elsewhere; one right click takes both of the first off.
    map->SetMode(GUI_MissionEditorMap::MODE_IMPORTS);
    ClickTile(7, 7);
    ClickTile(3, 20);
    ClickTile(7, 7);
    EXPECT_EQ(map->GetMode(), GUI_MissionEditorMap::MODE_IMPORTS) << "the tool stays on after placing";
    ASSERT_EQ(mission->m_imports.size(), 3u);
    EXPECT_EQ(map->GetTile(7, 7).GetKind(), GUI_EditorTile::KIND_IMPORT);
    map->SetMode(GUI_MissionEditorMap::MODE_EXPORTS);
    ClickTile(14, 14);
    EXPECT_EQ(map->GetTile(14, 14).GetKind(), GUI_EditorTile::KIND_EXPORT);
    // In the black band below the grid nothing is placed.
    ClickAt(TileX(1), static_cast<float>(map->GetGridRect().bottom) + 2.0f * map->GetTileSize());
    EXPECT_EQ(mission->m_exports.size(), 1u);

    EXPECT_TRUE(RightClickTile(7, 7));
    ASSERT_EQ(mission->m_imports.size(), 1u);
    EXPECT_EQ(mission->m_imports[0].x, 3);
    EXPECT_EQ(mission->m_imports[0].y, 20);
    // The tile shows its zone again, and the zone is still there.
    EXPECT_EQ(map->GetTile(7, 7).GetKind(), GUI_EditorTile::KIND_ZONE);
    ASSERT_EQ(mission->m_zones.size(), 2u);
    EXPECT_TRUE(RightClickTile(14, 14));
    EXPECT_TRUE(mission->m_exports.empty());

    // A right click on the overlap removes the earlier zone; the later one now answers there.
    EXPECT_TRUE(RightClickTile(7, 7));
    ASSERT_EQ(mission->m_zones.size(), 1u);
    EXPECT_EQ(mission->m_zones[0].get(), second);
    EXPECT_EQ(map->GetTile(2, 2).GetKind(), GUI_EditorTile::KIND_EMPTY);
    EXPECT_EQ(map->GetTile(7, 7).GetKind(), GUI_EditorTile::KIND_ZONE);

    // With nothing under it, a right click drops the tool.
    map->SetMode(GUI_MissionEditorMap::MODE_EXPORTS);
    EXPECT_TRUE(RightClickTile(30, 25));
    EXPECT_EQ(map->GetMode(), GUI_MissionEditorMap::MODE_SELECT);
    EXPECT_EQ(mission->m_zones.size(), 1u);
    // Outside the map the clicks are not the map's.
    EXPECT_FALSE(map->OnClick(static_cast<float>(map->GetLeft() - 5), TileY(3)));
    EXPECT_FALSE(map->OnRightClick(static_cast<float>(map->GetLeft() - 5), TileY(3)));
}

TEST_F(MissionEditorMap, RemovingTheSelectedZoneLetsGoOfItFirst)
{
    auto mission = MakeEmptyMission("remove", 20, 20);
    GUI_MissionEditorDialog* dialog = OpenEditor(*mission);
    dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(2, 2, 8, 8);
    ClickTile(4, 4);
    ASSERT_NE(dialog->GetSelectedZone(), nullptr);
    Type(dialog->GetNameField(), "Doomed Hall");
    EXPECT_TRUE(RightClickTile(4, 4));
    EXPECT_EQ(dialog->GetSelectedZone(), nullptr);
    EXPECT_TRUE(mission->m_zones.empty());
    EXPECT_EQ(dialog->GetNameField()->GetText(), "");
    // The fields no longer edit anything; frames and saving go on without the zone.
    Frame();
    EXPECT_TRUE(dialog->OnSave());
    SIM_Mission reloaded;
    ASSERT_TRUE(reloaded.Load(mission->m_file));
    EXPECT_TRUE(reloaded.m_zones.empty());
}

TEST_F(MissionEditorMap, AZoneReachingFarPastTheFloorIsClippedToTheGridAndCanBeRemoved)
{
    // A damaged or hand-made file: sides as far apart as the reader lets them be.
    const std::string path =
        m_scratch.Write("far.txt", "[config]\nname = far\nworldx = 12\nworldy = 8\n\n"
                                   "[zone0]\nleft = -99999999999\ntop = -2147483648\n"
                                   "right = 99999999999\nbottom = 2147483647\n"
                                   "GUIName = Everywhere\nrent = 3\nwallid = 1\ntype = UNLOCKED\n\n");
    GBufferedFileManager::Instance().Reload(path);
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(path));
    ASSERT_EQ(mission.m_zones.size(), 1u);
    EXPECT_EQ(mission.m_startAreaWidth, 7);
    EXPECT_EQ(mission.m_startAreaHeight, 11);
    GUI_MissionEditorDialog* dialog = OpenEditor(mission);
    GUI_MissionEditorMap* map = dialog->GetMap();
    // The frame runs round the tiles of the grid.
    const PRect frame = map->ZoneRect(*mission.m_zones[0]);
    EXPECT_EQ(frame.left, map->TileRect(0, 0).left);
    EXPECT_EQ(frame.top, map->TileRect(0, 0).top);
    EXPECT_EQ(frame.right, map->TileRect(11, 7).right);
    EXPECT_EQ(frame.bottom, map->TileRect(11, 7).bottom);
    EXPECT_EQ(map->GetTile(11, 7).GetKind(), GUI_EditorTile::KIND_ZONE);

    // Selected, applied, drawn, saved and read back, then removed like any other zone.
    ClickTile(3, 3);
    ASSERT_EQ(dialog->GetSelectedZone(), mission.m_zones[0].get());
    dialog->ApplyToZone();
    EXPECT_TRUE(std::isfinite(mission.m_zones[0]->m_rent));
    Frame();
    ASSERT_TRUE(dialog->OnSave());
    SIM_Mission reread;
    ASSERT_TRUE(reread.Load(path));
    ASSERT_EQ(reread.m_zones.size(), 1u);
    EXPECT_EQ(reread.m_zones[0]->m_bottom, 11);
    EXPECT_TRUE(RightClickTile(3, 3));
    EXPECT_TRUE(mission.m_zones.empty());
    EXPECT_EQ(dialog->GetSelectedZone(), nullptr);
    EXPECT_EQ(map->GetTile(11, 7).GetKind(), GUI_EditorTile::KIND_EMPTY);
}
