// Floor tiles: picture, tint, props, walls, outline and conveyor-view marks, hit test and clicks.
#include "gui/factory/floor/GUI_Tile.h"

#include "engine/CBaseInputManager.h"
#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "gui/factory/floor/FloorTileBatch.h"
#include "gui/factory/floor/GUI_FloorTileManager.h"
#include "gui/factory/floor/GUI_TileWall.h"
#include "gui/factory/objects/GUI_ResourceConveyor.h"
#include "gui/factory/props/GUI_AnimatedProp.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/props/GUI_SimpleAnimProp.h"
#include "gui/factory/scene/FactoryColours.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/FloorSlotView.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "platform/core/PRandom.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/views/SIM_SlotView.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <cmath>

struct GUI_Tile::Extras
{
    std::vector<std::unique_ptr<GUI_Prop>> props; // kept in depth order
    std::unique_ptr<GUI_TileWall> walls[4];
    std::unique_ptr<GUI_ResourceConveyor> conveyor;
};

namespace
{
constexpr const char* kOutsideFloor = "floor_plain_01.dds";

uint32_t Grey(int alpha, int grey)
{
    return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(grey) << 16 | static_cast<uint32_t>(grey) << 8 |
           static_cast<uint32_t>(grey);
}

// The light grey of a zone tile: 245 to 254 from the game's 15-bit generator.
int ZoneGrey()
{
    return 245 + static_cast<int>(10.0f * static_cast<float>(PRandom::Rand()) / 32768.0f);
}

const std::vector<std::unique_ptr<GUI_Prop>>& NoProps()
{
    static const std::vector<std::unique_ptr<GUI_Prop>> none;
    return none;
}
} // namespace

void TileQuadCorners(float x, float y, float zoom, float& left, float& top, float& right, float& bottom)
{
    const float hw = 512.0f * zoom * 0.5f, hh = 256.0f * zoom * 0.5f;
    left = x - hw;
    right = x + hw;
    top = y - hh;
    bottom = y + hh;
}

FactoryFrameView GUI_Tile::s_view;

void GUI_Tile::SetFrame(int frame, const FactoryFrameView& view)
{
    s_frame = frame;
    s_view = view;
}

bool GUI_Tile::IsQuadOnScreen(const FactoryFrameView& view, float x, float y)
{
    float left = 0, top = 0, right = 0, bottom = 0;
    TileQuadCorners(x, y, view.zoom, left, top, right, bottom);
    // 256 pixels of slack below the screen: tall props of tiles just below it still show.
    return !(right < 0.0f || left > view.screenWidth || bottom < 0.0f || top > view.screenHeight + 256.0f);
}

GUI_Tile::Place GUI_Tile::PlaceNow() const
{
    Place place{m_screenX, m_screenY, false};
    if (!m_simTile || s_frame == 0)
        return place;
    ScreenPosition(s_view, m_row, m_column, place.x, place.y);
    place.onScreen = IsQuadOnScreen(s_view, place.x, place.y);
    return place;
}

void GUI_Tile::AttachCell(FloorCell* cell, FloorArms* arms)
{
    m_cell = cell;
    m_arms = arms;
    SyncCell();
}

void GUI_Tile::WriteCell()
{
    m_cell->colour = m_floorColour;
    m_cell->batch = m_batch ? static_cast<uint16_t>(m_batch->GetNumber() + 1) : uint16_t{0};
    m_cell->busy = HasObjects();
    m_cell->armsOnly = m_armsConveyor && m_conveyorView && m_simTile && !m_hasWalls && !m_outlineRequested &&
                       !(m_slotView && m_anchor == this) && (!m_extras || m_extras->props.empty());
    if (m_arms)
        *m_arms = m_cell->armsOnly ? FloorArms{m_conveyorView, m_armsConveyor, m_armsEnd} : FloorArms{};
    else
        m_cell->armsOnly = false;
}

GUI_Tile::GUI_Tile() = default;
GUI_Tile::~GUI_Tile() = default;

GUI_Tile::Extras& GUI_Tile::GetExtras()
{
    if (!m_extras)
    {
        m_extras = std::make_unique<Extras>();
        SyncCell();
    }
    return *m_extras;
}

GUI_Tile* GUI_Tile::ViewOf(const SIM_Tile* tile)
{
    return tile ? dynamic_cast<GUI_Tile*>(tile->m_view) : nullptr;
}

SIM_Tile* GUI_Tile::SimTileUnderMouse()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    if (!input || !factory)
        return nullptr;
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float zoom = camera.GetZoom();
    const float worldX = (input->GetMouseX() - static_cast<float>(GScreenSize::Width()) / 2.0f) / zoom + camera.GetX();
    const float worldY = (input->GetMouseY() - static_cast<float>(GScreenSize::Height()) / 2.0f) / zoom + camera.GetY();
    // The simulation's look-up holds a point off the floor to the nearest edge tile; a click out
    // there must hit nothing, or it would sell what stands on the edge.
    const double a = std::floor((2.0 * worldY + worldX) / 512.0 + 0.5);
    const double b = std::floor((2.0 * worldY - worldX) / 512.0 + 0.5);
    if (a < 0.0 || b < 0.0 || a >= factory->GetWidth() || b >= factory->GetHeight())
        return nullptr;
    return factory->GetTile(static_cast<int>(a), static_cast<int>(b));
}

void GUI_Tile::InitFromSimTile(SIM_Tile* tile, const SIM_Factory& factory)
{
    m_simTile = tile;
    if (!tile)
        return;
    tile->m_view = this;
    m_row = static_cast<uint16_t>(tile->m_gridX);
    m_column = static_cast<uint16_t>(tile->m_gridY);
    if (tile->m_zoneState == SIM_Tile::ZONE_NONE)
    {
        m_floorColour = Grey(255, 40 + static_cast<int>(8.0f * GRandom::NextFloat()));
        SetFloorTexture(std::string(kOutsideFloor));
        return;
    }
    m_floorColour = Grey(255, ZoneGrey());
    SyncCell();
    // Only the two back sides get walls: the far edges of the hall are walled, the near ones open.
    auto outside = [&](int x, int y) {
        const SIM_Tile* next = factory.GetTile(x, y);
        return !next || next->m_zoneState == SIM_Tile::ZONE_NONE;
    };
    if (outside(tile->m_gridX - 1, tile->m_gridY))
        EnsureWall(3);
    if (outside(tile->m_gridX, tile->m_gridY - 1))
        EnsureWall(0);
}

void GUI_Tile::EnsureWall(int side)
{
    if (side < 0 || side > 3)
        return;
    Extras& extras = GetExtras();
    if (extras.walls[side])
        return;
    extras.walls[side] = std::make_unique<GUI_TileWall>(this, side);
    extras.walls[side]->Build();
    m_hasWalls = true;
    SyncCell();
}

GUI_TileWall* GUI_Tile::GetWall(int side) const
{
    return m_extras && side >= 0 && side < 4 ? m_extras->walls[side].get() : nullptr;
}

void GUI_Tile::SetFloorTexture(const std::string& name)
{
    m_floorTexture = CLoadedTexture::FindOrLoad(name);
    m_batch = GUI_FloorTileManager::Instance().FindBatch(name);
    SyncCell();
}

void GUI_Tile::SetFloorTexture(const char* textureName)
{
    SetFloorTexture(std::string(textureName ? textureName : ""));
}

std::string GUI_Tile::GetFloorTextureName() const
{
    return m_floorTexture ? m_floorTexture->m_name : std::string();
}

void GUI_Tile::SetFloorTextureTinted(const std::string& name)
{
    const bool locked = m_simTile && m_simTile->m_zoneState == SIM_Tile::ZONE_LOCKED;
    m_floorColour = Grey(locked ? 64 : 255, ZoneGrey());
    SetFloorTexture(name);
}

void GUI_Tile::RandomiseFloorTint()
{
    m_floorColour = Grey(255, ZoneGrey());
    SyncCell();
    if (!m_extras)
        return;
    for (auto& wall : m_extras->walls)
        if (wall)
            wall->SetTint(false);
}

void GUI_Tile::SortProps()
{
    auto& props = m_extras->props;
    std::stable_sort(props.begin(), props.end(),
                     [](const std::unique_ptr<GUI_Prop>& a, const std::unique_ptr<GUI_Prop>& b) {
                         return PropDepthLess(a.get(), b.get());
                     });
}

GUI_Prop* GUI_Tile::AddPlainProp(bool mirrored, const std::string& texture, float height, float width, float offsetX,
                                 float offsetY)
{
    auto& props = GetExtras().props;
    props.push_back(std::make_unique<GUI_Prop>(this, mirrored, texture, height, width, offsetX, offsetY));
    GUI_Prop* prop = props.back().get();
    SortProps();
    SyncCell();
    return prop;
}

void GUI_Tile::AddPallets(const SIM_Prop& pallet, bool keep)
{
    for (int place = 0; place < 16; ++place)
    {
        const SubTileOffset offset = GetSubTileOffset(place, 1);
        GUI_Prop* prop =
            AddPlainProp(false, pallet.GetTextureName(1), pallet.m_height, pallet.m_width, offset.x, offset.y);
        prop->SetSkip(keep);
    }
}

void GUI_Tile::AddProp(bool flag, const char* spriteName, float height, float width, float offsetX, float offsetY)
{
    AddPlainProp(flag, spriteName ? spriteName : "", height, width, offsetX, offsetY);
}

GUI_Prop* GUI_Tile::AddTypedProp(const PropPlacement& placement, int slotFacing)
{
    std::unique_ptr<GUI_Prop> prop;
    const int kind = placement.type ? placement.type->m_kind : PROP_STATIC;
    if (kind == PROP_ANIMATED)
        prop = std::make_unique<GUI_AnimatedProp>(placement, this, slotFacing);
    else if (kind == PROP_SIMPLEANIMATED)
        prop = std::make_unique<GUI_SimpleAnimProp>(placement, this, slotFacing);
    else
        prop = std::make_unique<GUI_Prop>(placement, this, slotFacing);
    auto& props = GetExtras().props;
    props.push_back(std::move(prop));
    GUI_Prop* added = props.back().get();
    SortProps();
    SyncCell();
    return added;
}

std::unique_ptr<GUI_Prop> GUI_Tile::UnlinkPropAt(float x, float y)
{
    if (!m_extras)
        return nullptr;
    auto& props = m_extras->props;
    // The last one added at that place: the props are kept in depth order, which equal offsets
    // share, and a stable sort keeps their order of arrival.
    for (auto it = props.rbegin(); it != props.rend(); ++it)
    {
        GUI_Prop* prop = it->get();
        // Only the still pictures of stored objects are taken; a machine that happens to stand on
        // the same place is listed by its slot and stays.
        if (prop->IsSkipped() || prop->GetKind() != GUI_Prop::KIND_PLAIN || prop->GetOffsetX() != x ||
            prop->GetOffsetY() != y)
            continue;
        std::unique_ptr<GUI_Prop> taken = std::move(*it);
        props.erase(std::next(it).base());
        SyncCell();
        return taken;
    }
    return nullptr;
}

void GUI_Tile::RemovePropAt(float x, float y)
{
    // Nobody else holds the prop of a stored object, so it is deleted here rather than lost.
    UnlinkPropAt(x, y);
}

void GUI_Tile::ClearProps()
{
    if (m_extras)
        m_extras->props.clear();
    SyncCell();
}

const std::vector<std::unique_ptr<GUI_Prop>>& GUI_Tile::GetProps() const
{
    return m_extras ? m_extras->props : NoProps();
}

void GUI_Tile::SetConveyorView(std::unique_ptr<GUI_ResourceConveyor> view)
{
    m_conveyorView = view.get();
    m_armsConveyor = view ? view->GetConveyor() : nullptr;
    m_armsEnd = view && view->EndsInDrop();
    GetExtras().conveyor = std::move(view);
    SyncCell();
}

std::unique_ptr<GUI_ResourceConveyor> GUI_Tile::TakeConveyorView()
{
    m_conveyorView = nullptr;
    m_armsConveyor = nullptr;
    m_armsEnd = false;
    SyncCell();
    return m_extras ? std::move(m_extras->conveyor) : nullptr;
}

FloorSlotView* GUI_Tile::GetOccupantView() const
{
    const SIM_PlaceableSlot* slot = m_simTile ? m_simTile->m_occupant : nullptr;
    return slot ? dynamic_cast<FloorSlotView*>(slot->GetGuiSlot()) : nullptr;
}

bool GUI_Tile::IsMouseOver(float mouseX, float mouseY) const
{
    if (!IsOnScreen())
        return false;
    const float cx = GetScreenX(), cy = GetScreenY();
    float left = 0, top = 0, right = 0, bottom = 0;
    TileQuadCorners(cx, cy, s_view.zoom, left, top, right, bottom);
    if (!(left < mouseX && mouseX < right && top < mouseY && mouseY < bottom))
        return false;
    const float h = mouseX < cx ? mouseX - left : right - mouseX;
    const float v = std::abs(mouseY - cy);
    // Inside the diamond when h / v > 2 (its 2 : 1 slope); on the centre line v is 0 and the
    // point is inside.
    return h > 2.0f * v;
}

bool GUI_Tile::IsMouseOver() const
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    return input && IsMouseOver(input->GetMouseX(), input->GetMouseY());
}

void GUI_Tile::FloorQuad(PVertex out[4]) const
{
    float left = 0, top = 0, right = 0, bottom = 0;
    TileQuadCorners(GetScreenX(), GetScreenY(), s_view.zoom, left, top, right, bottom);
    out[0] = {left, top, 0.0f, 1.0f, m_floorColour, 0.0f, 0.0f};
    out[1] = {right, top, 0.0f, 1.0f, m_floorColour, 1.0f, 0.0f};
    out[2] = {left, bottom, 0.0f, 1.0f, m_floorColour, 0.0f, 1.0f};
    out[3] = {right, bottom, 0.0f, 1.0f, m_floorColour, 1.0f, 1.0f};
}

void GUI_Tile::Transform(const FactoryFrameView& view, float x, float y, int frame)
{
    KeepScreenPosition(x, y, frame);
    // Plain props only need placing while their tile shows; the animated ones are stepped by
    // their own jobs whether seen or not.
    if (m_extras && view.zoom > 0.2f)
        for (const auto& prop : m_extras->props)
            if (prop->GetKind() == GUI_Prop::KIND_PLAIN)
                prop->PreDrawAt(view, x, y);
}

void GUI_Tile::QueueWalls(const FactoryFrameView& view, IsometricDrawQueue& queue)
{
    if (!m_hasWalls)
        return;
    for (auto& wall : m_extras->walls)
        if (wall)
            wall->Queue(view, queue);
}

bool GUI_Tile::NeedsMainThreadDraw(const FactoryFrameView& view) const
{
    // What QueueWalls and DrawObjects do besides appending the arms.
    return !m_simTile || m_hasWalls || (m_slotView && m_anchor == this) ||
           (m_extras && view.zoom > 0.2f && !m_extras->props.empty());
}

void GUI_Tile::DrawObjects(const FactoryFrameView& view, IsometricDrawQueue& queue,
                           const IsometricDrawQueue::Staged* staged, size_t count)
{
    if (!m_simTile)
        return;
    // A slot of several tiles draws what stands on it once, from its main tile.
    if (m_slotView && m_anchor == this)
        m_slotView->DrawOnFloor(queue);
    // The conveyor arms: placed and made ready by the tile's job.
    queue.AppendStaged(staged, count);
    if (m_extras && view.zoom > 0.2f)
        for (const auto& prop : m_extras->props)
            prop->QueueDraw(queue);
}

void GUI_Tile::DrawOutlineEdge(int side) const
{
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    const SIM_Tile* neighbour = factory && m_simTile ? factory->GetNeighbourTile(m_simTile, side) : nullptr;
    if (neighbour)
    {
        const GUI_Tile* group = m_anchor ? m_anchor : this;
        const SIM_Tile* groupTile = group->m_simTile;
        const SIM_PlaceableSlot* slot = groupTile ? groupTile->m_occupant : nullptr;
        if (slot && slot->GetTask() && slot->GetTask()->IsConveyor())
            return;
        const auto* next = dynamic_cast<const GUI_Tile*>(neighbour->m_view);
        if (next && next->m_anchor == group)
            return;
    }
    const float cx = GetScreenX(), cy = GetScreenY();
    float left = 0, top = 0, right = 0, bottom = 0;
    TileQuadCorners(cx, cy, s_view.zoom, left, top, right, bottom);
    switch (side)
    {
    case 0:
        DrawLineSprite(FactoryColours::kFloorOverlayRed, cx, top, right, cy, 4.0f);
        break;
    case 1:
        DrawLineSprite(FactoryColours::kFloorOverlayRed, cx, bottom, right, cy, 4.0f);
        break;
    case 2:
        DrawLineSprite(FactoryColours::kFloorOverlayRed, left, cy, cx, bottom, 4.0f);
        break;
    case 3:
        DrawLineSprite(FactoryColours::kFloorOverlayRed, left, cy, cx, top, 4.0f);
        break;
    default:
        break;
    }
}

void GUI_Tile::DrawConveyorModeOverlay() const
{
    if (!m_simTile)
        return;
    PVertex quad[4];
    FloorQuad(quad);
    auto add = [&](uint32_t colour, const float(&uv)[4][2]) {
        for (int i = 0; i < 4; ++i)
        {
            quad[i].colour = colour;
            quad[i].u = uv[i][0];
            quad[i].v = uv[i][1];
        }
        SharedVertexBatch().AddQuad(quad);
    };
    const SIM_ResourceConveyor* conveyor = m_simTile->m_conveyor;
    if (m_simTile->m_hasStockpile)
    {
        static const float kUpperHalf[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 0.5f}, {1.0f, 0.5f}};
        add(conveyor ? FactoryColours::kConveyorGreen : FactoryColours::kConveyorRed, kUpperHalf);
    }
    if (!conveyor)
        return;
    // The conveyor arm is the lower half of the picture, mirrored to point at each side.
    static const float kArms[4][4][2] = {
        {{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.5f}, {0.0f, 0.5f}},
        {{1.0f, 0.5f}, {0.0f, 0.5f}, {1.0f, 1.0f}, {0.0f, 1.0f}},
        {{0.0f, 0.5f}, {1.0f, 0.5f}, {0.0f, 1.0f}, {1.0f, 1.0f}},
        {{0.0f, 1.0f}, {1.0f, 1.0f}, {0.0f, 0.5f}, {1.0f, 0.5f}},
    };
    for (int side = 0; side < 4; ++side)
        if (conveyor->m_sides[side])
            add(FactoryColours::kConveyorGreen, kArms[side]);
}

void GUI_Tile::DrawConveyorOverlay(const FactoryFrameView& view, bool conveyorMode)
{
    (void)view;
    if (m_outlineRequested)
    {
        for (int side : {1, 2, 0, 3})
            DrawOutlineEdge(side);
        m_outlineRequested = false;
        SyncCell();
    }
    if (conveyorMode)
        DrawConveyorModeOverlay();
}

bool GUI_Tile::OnClick(float x, float y, const GUI_FactoryTools& tools)
{
    if (tools.conveyorPlacerArmed || tools.slotChainArmed || !m_simTile)
        return false;
    if (m_simTile->m_occupant)
    {
        FloorSlotView* view = GetOccupantView();
        return view && view->OnClick(x, y);
    }
    if (m_anchor && m_anchor->m_simTile && m_anchor->m_simTile->m_occupant)
        if (FloorSlotView* anchorView = m_anchor->GetOccupantView())
            anchorView->OpenTooltip();
    if (m_simTile->m_zoneState == SIM_Tile::ZONE_LOCKED)
    {
        const SIM_Mission* mission = SIM_Game::Instance().GetMission();
        SIM_BuildingZone* zone = mission ? mission->GetZoneAt(m_simTile->m_gridX, m_simTile->m_gridY) : nullptr;
        if (zone && tools.showExpansionDialog)
            tools.showExpansionDialog(*zone);
    }
    return false;
}

void GUI_Tile::Update()
{
    if (FloorSlotView* view = GetOccupantView())
        view->Update();
}
