// Mission editor map: grid geometry, the zone, import and export tools, drawing.
#include "gui/editors/mission/GUI_MissionEditorMap.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"

#include <algorithm>
#include <memory>

namespace
{
constexpr uint32_t kEditorMapBackground = 0xFF000000u;
constexpr uint32_t kEditorMapOutline = 0xFFFFFFFFu;
constexpr uint32_t kEditorGridOutline = 0xFF808080u;
constexpr uint32_t kEditorZoneFrame = 0xFFFF2020u;
constexpr uint32_t kEditorSelectedZoneFrame = 0xFFFFFFFFu;
constexpr uint32_t kEditorRubberBand = 0xFFDCDCDCu;
constexpr float kEditorFrameThickness = 2.0f;
// Below this many pixels a tile has no room for the dark gap around it.
constexpr float kEditorMinTileForGaps = 3.0f;

int TruncateToPixel(double value)
{
    return static_cast<int>(value);
}
} // namespace

GUI_MissionEditorMap::GUI_MissionEditorMap(SIM_Mission* mission) : m_mission(mission)
{
}

void GUI_MissionEditorMap::BuildGrid()
{
    FV_ASSERT(m_mission);
    m_tiles.clear();
    if (!m_mission)
        return;
    // A floor of no tiles (or beyond what the game builds) has no grid to draw or click.
    if (!m_mission->HasValidSize())
    {
        GDebugLog::Instance().LogError("Mission editor: the mission's floor size is outside 1 to 999");
        Layout();
        return;
    }
    m_tiles.resize(static_cast<size_t>(m_mission->m_worldX) * static_cast<size_t>(m_mission->m_worldY));
    Layout();
    RefreshTiles();
    MarkImportsExports();
}

void GUI_MissionEditorMap::Layout()
{
    m_cellRunsValid = false;
    m_tileSize = 0.0f;
    m_longSide = 0;
    m_gridX = m_left;
    m_gridY = m_top;
    m_gridRect = PRect{m_left, m_top, m_left, m_top};
    if (m_tiles.empty())
        return;
    const int worldX = m_mission->m_worldX;
    const int worldY = m_mission->m_worldY;
    // Not a whole number of pixels: a 999-tile floor on a map a few hundred pixels wide has
    // tiles under a pixel.
    m_longSide = std::max(worldX, worldY);
    m_tileSize = static_cast<float>(m_width) / static_cast<float>(m_longSide);
    m_gridX = m_left + (m_width - EdgeOffset(worldX)) / 2.0;
    m_gridY = m_top + (m_height - EdgeOffset(worldY)) / 2.0;
    m_gridRect = PRect{TruncateToPixel(m_gridX), TruncateToPixel(m_gridY),
                       TruncateToPixel(m_gridX + EdgeOffset(worldX)), TruncateToPixel(m_gridY + EdgeOffset(worldY))};
}

double GUI_MissionEditorMap::EdgeOffset(int tiles) const
{
    // Multiplied before dividing, so the grid's far edge lands on the whole pixel it should.
    return m_longSide > 0 ? static_cast<double>(tiles) * m_width / m_longSide : 0.0;
}

bool GUI_MissionEditorMap::IsOnGrid(int a, int b) const
{
    return !m_tiles.empty() && a >= 0 && b >= 0 && a < m_mission->m_worldX && b < m_mission->m_worldY;
}

size_t GUI_MissionEditorMap::IndexOf(int a, int b) const
{
    return static_cast<size_t>(a) * static_cast<size_t>(m_mission->m_worldY) + static_cast<size_t>(b);
}

GUI_EditorTile* GUI_MissionEditorMap::TileOf(int a, int b)
{
    return IsOnGrid(a, b) ? &m_tiles[IndexOf(a, b)] : nullptr;
}

const GUI_EditorTile& GUI_MissionEditorMap::GetTile(int a, int b) const
{
    static const GUI_EditorTile kOffGrid;
    return IsOnGrid(a, b) ? m_tiles[IndexOf(a, b)] : kOffGrid;
}

void GUI_MissionEditorMap::TileAt(float x, float y, int& a, int& b) const
{
    if (m_longSide <= 0)
    {
        a = -1;
        b = -1;
        return;
    }
    a = TruncateToPixel((x - m_gridX) * m_longSide / m_width);
    b = TruncateToPixel((y - m_gridY) * m_longSide / m_width);
}

PRect GUI_MissionEditorMap::TileRect(int a, int b) const
{
    return PRect{TruncateToPixel(m_gridX + EdgeOffset(a)), TruncateToPixel(m_gridY + EdgeOffset(b)),
                 TruncateToPixel(m_gridX + EdgeOffset(a + 1)), TruncateToPixel(m_gridY + EdgeOffset(b + 1))};
}

PRect GUI_MissionEditorMap::ZoneRect(const SIM_BuildingZone& zone) const
{
    // A zone from a damaged file may reach far past the floor: its frame stops a tile beyond
    // the grid, so the pixel sums stay within what a pixel coordinate holds.
    const auto edge = [](long long tile, int tiles) { return static_cast<int>(std::clamp(tile, -1LL, tiles + 1LL)); };
    const int worldX = m_mission ? m_mission->m_worldX : 0;
    const int worldY = m_mission ? m_mission->m_worldY : 0;
    return PRect{TruncateToPixel(m_gridX + EdgeOffset(edge(zone.m_top, worldX))),
                 TruncateToPixel(m_gridY + EdgeOffset(edge(zone.m_left, worldY))),
                 TruncateToPixel(m_gridX + EdgeOffset(edge(zone.m_bottom + 1LL, worldX))),
                 TruncateToPixel(m_gridY + EdgeOffset(edge(zone.m_right + 1LL, worldY)))};
}

void GUI_MissionEditorMap::RefreshTiles()
{
    m_cellRunsValid = false;
    for (GUI_EditorTile& tile : m_tiles)
        tile.SetKind(GUI_EditorTile::KIND_EMPTY);
    if (!m_mission)
        return;
    for (const auto& zone : m_mission->m_zones)
        MarkZone(*zone);
}

void GUI_MissionEditorMap::MarkZone(const SIM_BuildingZone& zone)
{
    m_cellRunsValid = false;
    if (m_tiles.empty())
        return;
    // Only the part of the zone that lies on the grid has cells.
    const int a0 = std::max(zone.m_top, 0);
    const int a1 = std::min(zone.m_bottom, m_mission->m_worldX - 1);
    const int b0 = std::max(zone.m_left, 0);
    const int b1 = std::min(zone.m_right, m_mission->m_worldY - 1);
    for (int a = a0; a <= a1; ++a)
    {
        for (int b = b0; b <= b1; ++b)
        {
            GUI_EditorTile* tile = TileOf(a, b);
            if (tile->GetKind() != GUI_EditorTile::KIND_IMPORT && tile->GetKind() != GUI_EditorTile::KIND_EXPORT)
                tile->SetKind(GUI_EditorTile::KIND_ZONE);
        }
    }
}

void GUI_MissionEditorMap::MarkImportsExports()
{
    m_cellRunsValid = false;
    if (!m_mission)
        return;
    for (const SIM_GridPos& pos : m_mission->m_imports)
        if (GUI_EditorTile* tile = TileOf(pos.x, pos.y))
            tile->SetKind(GUI_EditorTile::KIND_IMPORT);
    for (const SIM_GridPos& pos : m_mission->m_exports)
        if (GUI_EditorTile* tile = TileOf(pos.x, pos.y))
            tile->SetKind(GUI_EditorTile::KIND_EXPORT);
}

void GUI_MissionEditorMap::AddImport(int a, int b)
{
    GUI_EditorTile* tile = TileOf(a, b);
    if (!tile)
        return;
    tile->SetKind(GUI_EditorTile::KIND_IMPORT);
    m_cellRunsValid = false;
    m_mission->m_imports.push_back(SIM_GridPos{a, b});
}

void GUI_MissionEditorMap::AddExport(int a, int b)
{
    GUI_EditorTile* tile = TileOf(a, b);
    if (!tile)
        return;
    tile->SetKind(GUI_EditorTile::KIND_EXPORT);
    m_cellRunsValid = false;
    m_mission->m_exports.push_back(SIM_GridPos{a, b});
}

void GUI_MissionEditorMap::RemovePairs(bool imports, int a, int b)
{
    std::vector<SIM_GridPos>& list = imports ? m_mission->m_imports : m_mission->m_exports;
    list.erase(
        std::remove_if(list.begin(), list.end(), [a, b](const SIM_GridPos& pos) { return pos.x == a && pos.y == b; }),
        list.end());
    RefreshTiles();
    MarkImportsExports();
}

void GUI_MissionEditorMap::RemoveImport(int a, int b)
{
    RemovePairs(true, a, b);
}

void GUI_MissionEditorMap::RemoveExport(int a, int b)
{
    RemovePairs(false, a, b);
}

bool GUI_MissionEditorMap::OnClick(float x, float y)
{
    if (!IsInside(x, y) || !m_mission)
        return false;
    int a = 0;
    int b = 0;
    TileAt(x, y, a, b);
    switch (m_mode)
    {
    case MODE_ZONE_ARMED:
        if (m_tiles.empty())
            break;
        // A drag begun in the margin beside the grid starts at the nearest tile, so the zone
        // never reaches past the floor.
        m_mode = MODE_ZONE_DRAG;
        m_dragStartA = std::clamp(a, 0, m_mission->m_worldX - 1);
        m_dragStartB = std::clamp(b, 0, m_mission->m_worldY - 1);
        break;
    case MODE_IMPORTS:
        AddImport(a, b);
        break;
    case MODE_EXPORTS:
        AddExport(a, b);
        break;
    default:
        if (GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen())
            dialog->SelectZone(m_mission->GetZoneAt(a, b));
        break;
    }
    return true;
}

bool GUI_MissionEditorMap::OnRightClick(float x, float y)
{
    if (!IsInside(x, y) || !m_mission)
        return false;
    int a = 0;
    int b = 0;
    TileAt(x, y, a, b);
    const GUI_EditorTile* tile = TileOf(a, b);
    if (tile && tile->GetKind() == GUI_EditorTile::KIND_IMPORT)
    {
        RemoveImport(a, b);
        return true;
    }
    if (tile && tile->GetKind() == GUI_EditorTile::KIND_EXPORT)
    {
        RemoveExport(a, b);
        return true;
    }
    if (SIM_BuildingZone* zone = m_mission->GetZoneAt(a, b))
    {
        // The dialog lets go of the zone (its fields written back) before the zone is freed.
        GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen();
        if (dialog && dialog->GetSelectedZone() == zone)
            dialog->SelectZone(nullptr);
        auto& zones = m_mission->m_zones;
        zones.erase(std::remove_if(zones.begin(), zones.end(),
                                   [zone](const std::unique_ptr<SIM_BuildingZone>& z) { return z.get() == zone; }),
                    zones.end());
        RefreshTiles();
        MarkImportsExports();
        return true;
    }
    m_mode = MODE_SELECT;
    return true;
}

void GUI_MissionEditorMap::Update()
{
    GUI_WindowBase::Update();
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (m_mode == MODE_ZONE_DRAG && input && !input->IsLeftHeld())
        FinishZone(input->GetMouseX(), input->GetMouseY());
}

void GUI_MissionEditorMap::FinishZone(float x, float y)
{
    m_mode = MODE_SELECT;
    GUI_Cursor::Instance().Request(GUI_Cursor::ARROW);
    if (!m_mission || m_tiles.empty())
        return;
    int a = 0;
    int b = 0;
    TileAt(x, y, a, b);
    // The release tile is the first one past the zone: held to one past the last tile, a drag
    // released beyond the grid ends the zone at the grid's edge.
    a = std::clamp(a, 0, m_mission->m_worldX);
    b = std::clamp(b, 0, m_mission->m_worldY);
    auto zone = std::make_unique<SIM_BuildingZone>();
    zone->m_top = m_dragStartA;
    zone->m_left = m_dragStartB;
    zone->m_bottom = a - 1;
    zone->m_right = b - 1;
    MarkZone(*zone);
    m_mission->m_zones.push_back(std::move(zone));
}

void GUI_MissionEditorMap::DrawCell(int a, int b)
{
    PRect r = TileRect(a, b);
    if (m_tileSize >= kEditorMinTileForGaps)
        r = PRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    // However small the tiles, a marker stays visible.
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    GD3DDevice::Instance().FillRect(r, GetTile(a, b).GetColour());
}

void GUI_MissionEditorMap::BuildCellRuns()
{
    m_cellRuns.clear();
    m_cellRunsValid = true;
    if (m_tiles.empty())
        return;
    const int worldX = m_mission->m_worldX;
    const int worldY = m_mission->m_worldY;
    // Runs of one colour down a column; neighbouring columns with the same runs (the columns
    // of one zone) share rectangles, so a frame costs about one rectangle per zone and gap.
    struct Run
    {
        uint32_t colour;
        int b0, b1;
        bool operator==(const Run& other) const { return colour == other.colour && b0 == other.b0 && b1 == other.b1; }
    };
    std::vector<Run> previous;
    std::vector<Run> current;
    int groupStart = 0;
    for (int a = 0; a <= worldX; ++a)
    {
        current.clear();
        if (a < worldX)
        {
            int runStart = 0;
            for (int b = 1; b <= worldY; ++b)
            {
                const uint32_t colour = GetTile(a, runStart).GetColour();
                if (b < worldY && GetTile(a, b).GetColour() == colour)
                    continue;
                current.push_back(Run{colour, runStart, b - 1});
                runStart = b;
            }
            if (a > 0 && current == previous)
                continue;
        }
        for (const Run& run : previous)
        {
            const PRect r{TileRect(groupStart, run.b0).left, TileRect(groupStart, run.b0).top,
                          TileRect(a - 1, run.b1).right, TileRect(a - 1, run.b1).bottom};
            if (r.right > r.left && r.bottom > r.top)
                m_cellRuns.push_back(CellRun{r, run.colour});
        }
        previous.swap(current);
        groupStart = a;
    }
}

void GUI_MissionEditorMap::DrawTiles()
{
    GD3DDevice& device = GD3DDevice::Instance();
    const int worldX = m_mission->m_worldX;
    const int worldY = m_mission->m_worldY;
    if (!m_cellRunsValid)
        BuildCellRuns();
    for (const CellRun& run : m_cellRuns)
        device.FillRect(run.rect, run.colour);
    // The dark line between neighbouring tiles: each tile's cell is inset by a pixel.
    if (m_tileSize >= kEditorMinTileForGaps)
    {
        for (int a = 0; a <= worldX; ++a)
        {
            const int x = TruncateToPixel(m_gridX + EdgeOffset(a));
            device.FillRect(PRect{x - 1, m_gridRect.top, x + 1, m_gridRect.bottom}, kEditorMapBackground);
        }
        for (int b = 0; b <= worldY; ++b)
        {
            const int y = TruncateToPixel(m_gridY + EdgeOffset(b));
            device.FillRect(PRect{m_gridRect.left, y - 1, m_gridRect.right, y + 1}, kEditorMapBackground);
        }
    }
    for (const SIM_GridPos& pos : m_mission->m_imports)
        if (IsOnGrid(pos.x, pos.y))
            DrawCell(pos.x, pos.y);
    for (const SIM_GridPos& pos : m_mission->m_exports)
        if (IsOnGrid(pos.x, pos.y))
            DrawCell(pos.x, pos.y);
}

void GUI_MissionEditorMap::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect area{m_left, m_top, m_right, m_bottom};
    device.FillRect(area, kEditorMapBackground);
    device.DrawRectLines(area, kEditorMapOutline);
    if (!m_mission || m_tiles.empty())
        return;
    DrawTiles();
    device.DrawRectLines(m_gridRect, kEditorGridOutline);

    const GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen();
    const SIM_BuildingZone* selected = dialog ? dialog->GetSelectedZone() : nullptr;
    const SIM_BuildingZone* selectedShown = nullptr;
    for (const auto& zone : m_mission->m_zones)
    {
        if (zone.get() == selected)
        {
            selectedShown = zone.get();
            continue;
        }
        device.DrawFrame(ZoneRect(*zone), kEditorZoneFrame, kEditorFrameThickness);
    }
    // Over the others; a zone removed from the list is no longer drawn even while selected.
    if (selectedShown)
        device.DrawFrame(ZoneRect(*selectedShown), kEditorSelectedZoneFrame, kEditorFrameThickness);

    if (m_mode == MODE_ZONE_ARMED || m_mode == MODE_ZONE_DRAG)
        GUI_Cursor::Instance().Request(GUI_Cursor::CROSS);
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (m_mode == MODE_ZONE_DRAG && input && input->IsLeftHeld())
    {
        int a = 0;
        int b = 0;
        TileAt(input->GetMouseX(), input->GetMouseY(), a, b);
        const PRect band{TruncateToPixel(m_gridX + EdgeOffset(m_dragStartA)),
                         TruncateToPixel(m_gridY + EdgeOffset(m_dragStartB)), TruncateToPixel(m_gridX + EdgeOffset(a)),
                         TruncateToPixel(m_gridY + EdgeOffset(b))};
        device.DrawFrame(band, kEditorRubberBand, kEditorFrameThickness);
    }
}
