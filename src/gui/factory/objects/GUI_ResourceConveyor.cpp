// Overhead conveyor arms.
#include "gui/factory/objects/GUI_ResourceConveyor.h"

#include "engine/BaseSprite.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/TileUnderfoot.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <cstring>
#include <iterator>

// A whole floor of conveyors shows only eight pictures: each arm's frame is its tile's screen
// position plus what every arm of its picture shares. Working from these instead of from the
// arms' own sprites spares the tile jobs tens of thousands of scattered objects a frame zoomed
// far out. The arithmetic is the arms' own placing (position, trim, snap), step for step, so the
// corners are exactly those the sprites would have had.
struct GUI_ResourceConveyor::ArmTemplate
{
    bool ready = false;
    float zoom = 0.0f;
    float offsetX = 0.0f, offsetY = 0.0f;
    float halfWidth = 0.0f, halfHeight = 0.0f; // half the untrimmed size on screen
    float trimLeft = 0.0f, trimTop = 0.0f;     // the atlas trim's left and top times that size
    float halfTrimWidth = 0.0f, halfTrimHeight = 0.0f;
    bool trimmed = false;
    // What the queue takes of an arm apart from its corners' positions, and the rest of its
    // corners (texture corners, colour), which every arm of the picture draws with.
    IsometricDrawQueue::Staged staged{};
    PVertex corners[4];
};

GUI_ResourceConveyor::ArmTemplate GUI_ResourceConveyor::s_templates[2][4];

namespace
{
// The live views of each kind of arm (plain, ending in a drop), so a frame finds one of each;
// held by the program's owner.
struct LiveConveyorViews
{
    GRoster<GUI_ResourceConveyor, false> lists[2]; // not owned: the tiles own their views
};

GRoster<GUI_ResourceConveyor, false>& LiveViews(int ends)
{
    return GLifetime::Get<LiveConveyorViews>().lists[ends];
}
} // namespace

void GUI_ResourceConveyor::ForgetAllViews()
{
    if (LiveConveyorViews* live = GLifetime::Find<LiveConveyorViews>())
        for (GRoster<GUI_ResourceConveyor, false>& list : live->lists)
            list.Clear();
}

GUI_ResourceConveyor::GUI_ResourceConveyor(SIM_ResourceConveyor* conveyor, const TileUnderfoot* tile)
    : m_conveyor(conveyor)
{
    FV_ASSERT(tile != nullptr);
    if (!tile)
        return;
    const bool ends = tile->GetSimTile() && tile->GetSimTile()->m_hasStockpile;
    const char* const names[4] = {
        ends ? "overhead_terminate_NE.dds" : "overhead_NE.dds", ends ? "overhead_terminate_SE.dds" : "overhead_SE.dds",
        ends ? "overhead_terminate_SW.dds" : "overhead_SW.dds", ends ? "overhead_terminate_NW.dds" : "overhead_NW.dds"};
    // The arms hang a quarter of a tile above the floor's centre line.
    for (int side = 0; side < 4; ++side)
        m_pieces[side].emplace(tile, false, names[side], 512.0f, 512.0f, 0.0f, kArmOffsetY);
    m_tileWorldY = tile->GetSimTile() ? tile->GetSimTile()->m_worldY : 0.0f;
    m_ends = ends ? 1 : 0;
    m_hasArms = true;
    LiveViews(m_ends).Join(this, m_livePlace);
}

GUI_ResourceConveyor::~GUI_ResourceConveyor()
{
    // At the end of the run the lists may have gone first; none is made again for this view.
    if (!m_hasArms)
        return;
    if (LiveConveyorViews* live = GLifetime::Find<LiveConveyorViews>())
        live->lists[m_ends].Leave(m_livePlace);
}

void GUI_ResourceConveyor::PrepareFrame(const FactoryFrameView& view)
{
    const float z = view.zoom;
    for (int ends = 0; ends < 2; ++ends)
    {
        const std::vector<GUI_ResourceConveyor*>& live = LiveViews(ends).Members();
        for (int side = 0; side < 4; ++side)
        {
            ArmTemplate& t = s_templates[ends][side];
            t.ready = false;
            if (live.empty())
                continue;
            GUI_Prop& piece = *live.front()->m_pieces[side];
            // The sprite's texture corners and colours stand for every arm of the picture; where
            // it lies does not matter, the template is placed per arm.
            GUI_IsometricSprite& sprite = piece.GetSprite();
            if (sprite.m_sprite.m_angle != 0.0f)
                continue;
            t.offsetX = piece.GetOffsetX();
            t.offsetY = piece.GetOffsetY();
            const float fullW = piece.GetWidth() * z, fullH = piece.GetHeight() * z;
            t.halfWidth = fullW * 0.5f;
            t.halfHeight = fullH * 0.5f;
            const SpriteAtlasEntry* entry = piece.GetAtlasEntry();
            t.trimmed = entry != nullptr;
            if (entry)
            {
                const float w = fullW * (entry->xMax - entry->xMin), h = fullH * (entry->yMax - entry->yMin);
                t.trimLeft = entry->xMin * fullW;
                t.trimTop = entry->yMin * fullH;
                t.halfTrimWidth = w * 0.5f;
                t.halfTrimHeight = h * 0.5f;
            }
            t.staged = IsometricDrawQueue::Staged{};
            IsometricDrawQueue::Stage(sprite, t.staged);
            std::copy(std::begin(sprite.m_sprite.m_vertices), std::end(sprite.m_sprite.m_vertices), t.corners);
            t.staged.look = t.corners;
            t.staged.boxCorners = true;
            t.zoom = z;
            t.ready = true;
        }
    }
}

void GUI_ResourceConveyor::PreDraw(const FactoryFrameView& view, float tileX, float tileY,
                                   std::vector<IsometricDrawQueue::Staged>& out)
{
    if (m_hasArms)
        StageArms(this, m_conveyor, m_ends != 0, view, tileX, tileY, m_tileWorldY, out);
}

void GUI_ResourceConveyor::StageArms(GUI_ResourceConveyor* arms, const SIM_ResourceConveyor* conveyor, bool ends,
                                     const FactoryFrameView& view, float tileX, float tileY, float tileWorldY,
                                     std::vector<IsometricDrawQueue::Staged>& out)
{
    if (!conveyor || !arms)
        return;
    const float z = view.zoom;
    // As each arm's prop was given it: the tile's centre line, raised.
    const float depth = tileWorldY + kArmOffsetY;
    for (int side = 0; side < 4; ++side)
    {
        if (!conveyor->m_sides[side])
            continue;
        const ArmTemplate& t = s_templates[ends ? 1 : 0][side];
        // Every view made its four arms: naming one reads nothing of the view.
        GUI_Prop& piece = *arms->m_pieces[side];
        if (!t.ready || t.zoom != z)
        {
            // No template for this frame (a view made after it was prepared): the arm places itself.
            piece.PreDrawAt(view, tileX, tileY);
            piece.StageDraw(out);
            continue;
        }
        // The untrimmed quad around the arm's point, then the trimmed one inside it.
        const float x = tileX + t.offsetX * z;
        const float y = tileY + t.offsetY * z;
        float left = x - t.halfWidth, right = x + t.halfWidth;
        float top = y - t.halfHeight, bottom = y + t.halfHeight;
        if (t.trimmed)
        {
            const float cx = t.trimLeft + left + t.halfTrimWidth;
            const float cy = t.trimTop + top + t.halfTrimHeight;
            left = cx - t.halfTrimWidth;
            right = cx + t.halfTrimWidth;
            top = cy - t.halfTrimHeight;
            bottom = cy + t.halfTrimHeight;
        }
        if (!BaseSprite::IsRectOnScreen(left, top, right, bottom))
            continue;
        // Onto the pixel grid, as every scene sprite is drawn.
        left = static_cast<float>(static_cast<int>(left)) - 0.5f;
        right = static_cast<float>(static_cast<int>(right)) - 0.5f;
        top = static_cast<float>(static_cast<int>(top)) - 0.5f;
        bottom = static_cast<float>(static_cast<int>(bottom)) - 0.5f;
        IsometricDrawQueue::Staged& s = out.emplace_back(t.staged);
        s.object = &piece.GetSprite();
        s.key = IsometricDrawQueue::SortKey(depth);
        s.box.left = left;
        s.box.top = top;
        s.box.right = right;
        s.box.bottom = bottom;
    }
}
