// The mission editor's map: the mission's factory floor as a square grid of coloured cells, the
// building zones as frames, import bays and car exports as green and red cells. A left drag draws
// a new zone, left clicks place import bays or exports or select a zone, a right click removes a
// marker or a zone or drops the tool. It edits the mission in memory; saving is the dialog's.
//
// Tiles are named (a, b): a is the column (grid x, 0..worldx - 1, left to right), b the row (grid
// y, 0..worldy - 1, top to bottom). A zone's top and bottom bound a, its left and right bound b,
// exactly as the game reads them.
// Main thread only.
#pragma once

#include "gui/editors/mission/GUI_EditorTile.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <vector>

class SIM_BuildingZone;
class SIM_Mission;

class GUI_MissionEditorMap : public GUI_WindowBase
{
public:
    enum Mode
    {
        MODE_SELECT = 0,
        MODE_ZONE_ARMED = 1,
        MODE_ZONE_DRAG = 2,
        MODE_EXPORTS = 3,
        MODE_IMPORTS = 4,
    };

    // mission: edited in place, not owned; it must outlive the map.
    explicit GUI_MissionEditorMap(SIM_Mission* mission);

    // Makes one cell per tile and marks zones, imports and exports. Once, after the map has its
    // rectangle (the grid follows the rectangle from then on).
    void BuildGrid();
    // Tile size and the grid's place in the map's rectangle.
    void Layout() override;

    // Over the map: the current tool acts on the tile under the mouse (true); else false.
    bool OnClick(float x, float y) override;
    bool OnRightClick(float x, float y) override;
    // A zone drag ends when the left button is up: the zone is made.
    void Update() override;
    void Draw() override;

    // Every cell empty, then every zone marked in list order (markers are not kept).
    void RefreshTiles();
    // The zone's cells that hold no import or export become zone cells.
    void MarkZone(const SIM_BuildingZone& zone);
    void MarkImportsExports();
    void AddImport(int a, int b);
    void AddExport(int a, int b);
    // Takes every pair equal to (a, b) out of the list, the others keeping their order.
    void RemoveImport(int a, int b);
    void RemoveExport(int a, int b);
    // Ends a zone drag with the mouse at (x, y): the new zone spans from the start tile to the
    // tile before the one under the mouse, and is appended to the mission's zones (unselected).
    void FinishZone(float x, float y);

    // The tile under a point, truncated toward zero (it may lie outside the grid).
    void TileAt(float x, float y, int& a, int& b) const;
    bool IsOnGrid(int a, int b) const;
    // The cell of a tile (an empty one off the grid).
    const GUI_EditorTile& GetTile(int a, int b) const;
    // Screen rectangle of a tile, and of a zone's frame.
    PRect TileRect(int a, int b) const;
    PRect ZoneRect(const SIM_BuildingZone& zone) const;

    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    float GetTileSize() const { return m_tileSize; }
    const PRect& GetGridRect() const { return m_gridRect; }
    // The grid's top-left corner before it is cut to whole pixels.
    double GetGridX() const { return m_gridX; }
    double GetGridY() const { return m_gridY; }
    int GetTileCount() const { return static_cast<int>(m_tiles.size()); }

private:
    // Pixels from the grid's edge to the edge of tile number tiles.
    double EdgeOffset(int tiles) const;
    size_t IndexOf(int a, int b) const;
    GUI_EditorTile* TileOf(int a, int b);
    void RemovePairs(bool imports, int a, int b);
    // Cells in runs of equal colour, the 1-pixel gaps between tiles, then the markers.
    void DrawTiles();
    // The rectangles of equal cells, made again after the cells or the grid changed.
    void BuildCellRuns();
    void DrawCell(int a, int b);

    struct CellRun
    {
        PRect rect;
        uint32_t colour;
    };

    std::vector<GUI_EditorTile> m_tiles; // a x worldy + b
    std::vector<CellRun> m_cellRuns;
    bool m_cellRunsValid = false;
    SIM_Mission* m_mission; // not owned: the mission list or the test owns it
    float m_tileSize = 0.0f;
    int m_longSide = 0; // tiles along the longer side of the floor; the grid spans the map there
    double m_gridX = 0.0;
    double m_gridY = 0.0;
    int m_mode = MODE_SELECT;
    PRect m_gridRect;
    int m_dragStartA = 0;
    int m_dragStartB = 0;
};
