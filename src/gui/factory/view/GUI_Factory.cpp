// The factory view: building the floor's view, the frame, clicks, selling, sounds, and the
// simulation's calls into the view.
#include "gui/factory/view/GUI_Factory.h"

#include "engine/CBaseInputManager.h"
#include "engine/CLoadedTexture.h"
#include "engine/CTexturedSprite.h"
#include "engine/GQuadBatchScope.h"
#include "engine/GScreenSize.h"
#include "engine/GShaderEffect.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/floor/GUI_FloorTileManager.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/notices/GUI_ConveyorLabel.h"
#include "gui/factory/notices/GUI_Notice.h"
#include "gui/factory/notices/GUI_NoticeBase.h"
#include "gui/factory/notices/OverlayPagePlaces.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/objects/GUI_PotentialMarker.h"
#include "gui/factory/objects/GUI_ResourceConveyor.h"
#include "gui/factory/objects/GUI_ResourceGraph.h"
#include "gui/factory/objects/GUI_ResourceImportBay.h"
#include "gui/factory/objects/GUI_ResourceObject.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/props/PropRegistry.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/LargeQuadBuffer.h"
#include "gui/factory/scene/SceneTexturePages.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/slots/GUI_ExportSlot.h"
#include "gui/factory/slots/GUI_Facility.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/factory/slots/GUI_SlotExport.h"
#include "gui/factory/slots/GUI_SlotStockpile.h"
#include "gui/factory/slots/SlotTextLabel.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_FactoryCars.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PWindowMessage.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_AtlasEntry.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace
{
constexpr const char* kConveyorOverlay = "conveyor_gui.dds";
constexpr const char* kConveyorModeEffect = "conveyor_mode.fx";

// The thread that made the view: the game's main thread.
std::thread::id g_mainThread;
// A stockpile changed on another thread: the slot dialog refreshes on the main thread.
std::atomic<bool> g_slotDialogDirty{false};

bool OnMainThread()
{
    return std::this_thread::get_id() == g_mainThread;
}

const SIM_Factory* Floor()
{
    return SIM_Game::Instance().GetFactory();
}
} // namespace

GUI_Factory& GUI_Factory::Instance()
{
    return GLifetime::Get<GUI_Factory>();
}

GUI_Factory::GUI_Factory()
{
    g_mainThread = std::this_thread::get_id();
    for (int k = 0; k < 4; ++k)
    {
        m_tileJobs[k].owner = this;
        m_tileJobs[k].part = k;
    }
    for (int k = 0; k < PropRegistry::kLists; ++k)
    {
        m_propJobs[k].view = &m_frameView;
        m_propJobs[k].list = k;
    }
    m_vehicleJob.owner = this;
    SetTakesMouse(false);
}

GUI_Factory::~GUI_Factory() = default;

GUI_Tile* GUI_Factory::GetTile(int x, int y) const
{
    if (!m_tiles || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return nullptr;
    // The same index as the simulation's grid: the row length is the height, so grids wider than
    // high stay inside the array.
    return &m_tiles[static_cast<size_t>(x) * static_cast<size_t>(m_height) + static_cast<size_t>(y)];
}

GUI_Tile* GUI_Factory::ViewOf(const SIM_Tile* tile)
{
    return tile ? dynamic_cast<GUI_Tile*>(tile->m_view) : nullptr;
}

// --- game life ---

void GUI_Factory::Init()
{
    const SIM_Factory* factory = Floor();
    FV_ASSERT(factory != nullptr);
    if (!factory)
        return;
    // The floor of a game that was not ended first is gone already: its tiles are not touched.
    DropFloor(false);
    m_width = factory->GetWidth();
    m_height = factory->GetHeight();
    m_tiles = std::make_unique<GUI_Tile[]>(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
    m_cells = std::make_unique<FloorCell[]>(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
    m_arms = std::make_unique<FloorArms[]>(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
    for (size_t i = 0; i < static_cast<size_t>(m_width) * static_cast<size_t>(m_height); ++i)
        m_tiles[i].AttachCell(&m_cells[i], &m_arms[i]);
    for (int a = 0; a < m_width; ++a)
        for (int b = 0; b < m_height; ++b)
            GetTile(a, b)->InitFromSimTile(factory->GetTile(a, b), *factory);
    const SIM_Mission* mission = SIM_Game::Instance().GetMission();
    FV_ASSERT(mission != nullptr);
    if (mission)
    {
        // A later zone overwrites an earlier one where they overlap.
        for (const auto& zone : mission->m_zones)
            for (int a = std::max(zone->m_top, 0); a <= std::min(zone->m_bottom, m_width - 1); ++a)
                for (int b = std::max(zone->m_left, 0); b <= std::min(zone->m_right, m_height - 1); ++b)
                    GetTile(a, b)->SetFloorTextureTinted(zone->GetRandomFloorTexture());
    }
    if (const SIM_Tile* middle = factory->GetTile(m_width / 2, m_height / 2))
        GUI_Camera::Instance().SetPosition(middle->m_worldX, middle->m_worldY);
    for (const auto& site : factory->m_importSites)
        if (site && site->m_tile)
            m_importMarkers.push_back(std::make_unique<GUI_PotentialImportBay>(site->m_tile));
    for (const auto& site : factory->m_exportSites)
        if (site && site->m_tile)
            m_exportMarkers.push_back(std::make_unique<GUI_PotentialExport>(site->m_tile));
    SceneTexturePages::Instance().Build(ScenePictures(mission));
}

std::vector<CLoadedTexture*> GUI_Factory::ScenePictures(const SIM_Mission* mission)
{
    std::vector<CLoadedTexture*> pictures;
    auto add = [&pictures](const std::string& name) {
        if (name.empty())
            return;
        const SpriteAtlasEntry* entry = ::FindAtlasEntry(name);
        pictures.push_back(CLoadedTexture::FindOrLoad(entry ? entry->atlasTexture : name));
    };
    // What stands on the slots first: machines, robots, staff and their animations' sheets.
    for (const SIM_Prop* type : SIM_PropTypeManager::Instance().GetPropTypes())
    {
        for (int facing = 0; facing < 4; ++facing)
        {
            add(type->GetTextureName(facing));
            for (const SIM_PropAnimation& animation : type->m_animations[facing])
                if (type->m_kind == PROP_ANIMATED)
                    add(animation.name + ".dds");
        }
    }
    // Conveyor arms, stockpile plates and the resources stored and hanging.
    for (const char* side : {"NE", "SE", "SW", "NW"})
    {
        add(std::string("overhead_") + side + ".dds");
        add(std::string("overhead_terminate_") + side + ".dds");
    }
    add("floor_metal_04.dds");
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
        add(resource->GetSpriteName());
    // The hall's walls and doors last.
    if (mission)
        for (const auto& zone : mission->m_zones)
            for (int side = 0; side < SIM_BuildingZone::SIDE_COUNT; ++side)
            {
                for (const std::string& wall : zone->m_wallPools[side])
                    add(wall);
                add(zone->m_importWalls[side]);
                add(zone->m_exportWalls[side]);
            }
    return pictures;
}

void GUI_Factory::Clear()
{
    // The tools hold tiles of this floor and tasks of this game: they go with them, and so do the
    // marks of resources travelling on it.
    GUI_PlacementTools::Reset();
    GUI_ResourceGraph::Instance().Clear();
    DropFloor(true);
}

void GUI_Factory::DropFloor(bool unlinkSimulation)
{
    if (m_ambience.IsValid())
        GUI_Sounds::Instance().StopSound(m_ambience);
    m_ambience = PSoundHandle{};
    m_importMarkers.clear();
    m_exportMarkers.clear();
    m_queuedLabels.clear();
    m_nearCamera.clear();
    m_conveyorModeTextures.clear();
    IsometricDrawQueue::Instance().Clear();
    for (auto& job : m_tileJobs)
    {
        job.visible = 0;
        job.rowBegin = job.rowEnd = 0;
        job.outlined.clear();
        job.unbatched.clear();
    }
    // The floor's tiles go with the game. While the simulation's floor still stands (the game is
    // ending) its tiles let go of them first.
    if (m_tiles && unlinkSimulation)
        for (size_t i = 0; i < static_cast<size_t>(m_width) * static_cast<size_t>(m_height); ++i)
            if (SIM_Tile* tile = m_tiles[i].GetSimTile(); tile && tile->m_view == &m_tiles[i])
                tile->m_view = nullptr;
    m_tiles.reset();
    m_cells.reset();
    m_arms.reset();
    m_width = m_height = 0;
}

void GUI_Factory::StartAmbience()
{
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    if (m_ambience.IsValid())
        sounds.StopSound(m_ambience);
    m_ambience = PSoundHandle{};
    if (!sounds.IsMuted())
        m_ambience = sounds.PlaySound(GUI_SoundNames::kAmbience, true, true, sounds.EffectVolume());
    UpdateSounds();
}

void GUI_Factory::ReleaseGraphics()
{
    GUI_FloorTileManager::Instance().Reset();
    LargeQuadBuffer::Instance().Release();
    GUI_ZoomOutIcons::Instance().ReleaseGraphics();
    GUI_CarSpriteCache::Instance().ReleaseGraphics();
    GUI_FloatingValue::ReleaseGraphics();
    SceneTexturePages::Instance().Release();
    SceneTexturePages::Overlay().Release();
    m_conveyorOverlay = nullptr;
    m_spritePool.clear();
    m_spriteList.clear();
}

// --- the frame ---

void GUI_Factory::VisibleColumns(int row, int& first, int& last) const
{
    // A tile's quad is 512 x 256 world units around (256 (x - y), 128 (x + y)); it is on screen
    // when it meets the screen with 256 pixels of slack below. Solved for x - y and x + y with a
    // tile of margin; the tile job applies the exact test.
    const FactoryFrameView& v = m_frameView;
    const float z = std::max(v.zoom, 0.0001f);
    const float uLow = ((-v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f - 1.0f - 1.0f;
    const float uHigh = ((v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f + 1.0f + 1.0f;
    const float sLow = ((-v.screenHeight * 0.5f) / z + v.cameraY) / 128.0f - 1.0f - 1.0f;
    const float sHigh = ((v.screenHeight * 0.5f + 256.0f) / z + v.cameraY) / 128.0f + 1.0f + 1.0f;
    // y = x - u and y = s - x.
    const double x = row;
    double lo = std::max(x - static_cast<double>(uHigh), static_cast<double>(sLow) - x);
    double hi = std::min(x - static_cast<double>(uLow), static_cast<double>(sHigh) - x);
    lo = std::max(lo, 0.0);
    hi = std::min(hi, static_cast<double>(m_height - 1));
    if (lo > hi)
    {
        first = 0;
        last = -1;
        return;
    }
    first = static_cast<int>(std::floor(lo));
    last = static_cast<int>(std::ceil(hi));
    last = std::min(last, m_height - 1);
}

void GUI_Factory::PlanTileJobs()
{
    // Rows that can hold a visible tile, then split into four parts of about equal tile counts.
    const FactoryFrameView& v = m_frameView;
    const float z = std::max(v.zoom, 0.0001f);
    const float uLow = ((-v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f - 2.0f;
    const float uHigh = ((v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f + 2.0f;
    const float sLow = ((-v.screenHeight * 0.5f) / z + v.cameraY) / 128.0f - 2.0f;
    const float sHigh = ((v.screenHeight * 0.5f + 256.0f) / z + v.cameraY) / 128.0f + 2.0f;
    // x = (u + s) / 2.
    int rowBegin = static_cast<int>(std::floor((static_cast<double>(uLow) + sLow) / 2.0)) - 1;
    int rowEnd = static_cast<int>(std::ceil((static_cast<double>(uHigh) + sHigh) / 2.0)) + 2;
    rowBegin = std::clamp(rowBegin, 0, m_width);
    rowEnd = std::clamp(rowEnd, rowBegin, m_width);
    long long total = 0;
    for (int row = rowBegin; row < rowEnd; ++row)
    {
        int first = 0, last = -1;
        VisibleColumns(row, first, last);
        total += std::max(0, last - first + 1);
    }
    long long running = 0;
    int row = rowBegin;
    for (int k = 0; k < 4; ++k)
    {
        TileJob& job = m_tileJobs[k];
        job.rowBegin = row;
        const long long target = total * (k + 1) / 4;
        while (row < rowEnd && (running < target || k == 3))
        {
            int first = 0, last = -1;
            VisibleColumns(row, first, last);
            running += std::max(0, last - first + 1);
            ++row;
        }
        job.rowEnd = row;
    }
}

void GUI_Factory::TileJob::Run()
{
    visible = 0;
    unbatched.clear();
    staged.clear();
    steps.clear();
    outlined.clear();
    const FactoryFrameView& view = owner->m_frameView;
    const int frame = owner->m_frame;
    const auto& batches = GUI_FloorTileManager::Instance().GetBatches();
    stagedKeys.clear();
    stagedTexture = nullptr;
    stagedMixed = false;
    // Runs of tiles with nothing but arms share one step: their arms are appended at once. The
    // arms' keys, and whether they all share one batch texture, are noted while they are at hand.
    auto endStep = [this](GUI_Tile* tile) {
        for (size_t i = stagedKeys.size(); i < staged.size(); ++i)
        {
            if (i == 0)
                stagedTexture = staged[i].box.texture;
            stagedKeys.push_back(staged[i].key);
            stagedMixed = stagedMixed || staged[i].selfDrawn || staged[i].box.texture != stagedTexture;
        }
        const auto end = static_cast<uint32_t>(staged.size());
        if (tile)
            steps.push_back({tile, end});
        else if (!steps.empty() && !steps.back().tile)
            steps.back().stagedEnd = end;
        else
            steps.push_back({nullptr, end});
    };
    for (int row = rowBegin; row < rowEnd; ++row)
    {
        int first = 0, last = -1;
        owner->VisibleColumns(row, first, last);
        if (first > last)
            continue;
        const size_t base =
            static_cast<size_t>(row) * static_cast<size_t>(owner->m_height) + static_cast<size_t>(first);
        GUI_Tile* tile = owner->m_tiles.get() + base;
        const FloorCell* cell = owner->m_cells.get() + base;
        const FloorArms* arms = owner->m_arms.get() + base;
        for (int column = first; column <= last; ++column, ++tile, ++cell, ++arms)
        {
            // Most tiles are read only through their cells, and conveyor tiles through their arms
            // as well. The others are asked for some tiles ahead; so is the simulation's conveyor
            // piece of an arms-only tile, which says which arms show.
            if (column + 8 <= last && cell[8].busy)
            {
                if (cell[8].armsOnly)
                    __builtin_prefetch(arms[8].conveyor);
                else
                {
                    const auto* ahead = reinterpret_cast<const char*>(tile + 8);
                    __builtin_prefetch(ahead, 1);
                    __builtin_prefetch(ahead + sizeof(GUI_Tile) - 1, 1);
                }
            }
            float x = 0, y = 0;
            GUI_Tile::ScreenPosition(view, row, column, x, y);
            if (!GUI_Tile::IsQuadOnScreen(view, x, y))
                continue;
            ++visible;
            // A batch number the manager no longer has (its batches were let go) draws the tile
            // as a picture without a batch.
            const bool batched = cell->batch != 0 && cell->batch <= batches.size();
            if (batched)
                batches[cell->batch - 1]->Add(part, x, y, cell->colour);
            const float worldY = 128.0f * static_cast<float>(row + column);
            if (cell->armsOnly && batched)
            {
                GUI_ResourceConveyor::StageArms(arms->view, arms->conveyor, arms->ends, view, x, y, worldY, staged);
                endStep(nullptr);
                continue;
            }
            if (cell->busy || !batched)
                tile->Transform(view, x, y, frame);
            if (!batched)
                unbatched.push_back(tile);
            if (!cell->busy)
                continue;
            if (tile->IsOutlineRequested())
                outlined.push_back(tile);
            if (const SIM_ResourceConveyor* conveyor = tile->GetArmsConveyor())
                GUI_ResourceConveyor::StageArms(tile->GetConveyorView(), conveyor, tile->ArmsEnd(), view, x, y, worldY,
                                                staged);
            endStep(tile->NeedsMainThreadDraw(view) ? tile : nullptr);
        }
    }
}

void GUI_Factory::PropJob::Run()
{
    for (GUI_Prop* prop : PropRegistry::Instance().GetList(list))
        prop->PreDraw(*view);
}

void GUI_Factory::VehicleJob::Run()
{
    GUI_FactoryCars::Instance().PreDrawQueued(owner->m_frameView);
}

void GUI_Factory::SortJob::Run()
{
    IsometricDrawQueue::Instance().Sort();
}

void GUI_Factory::DrawStockpileFloors()
{
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    const FactoryFrameView& v = m_frameView;
    // The export floors are drawn at once, before the floor tiles, all with one picture: one
    // batch shows the same as one draw each.
    GVertexBuffer& batch = SharedVertexBatch();
    bool any = false;
    for (GUI_SlotExport* floor : m_exportFloors)
    {
        if (!floor->Place(v.cameraX, v.cameraY, v.zoom, v.screenWidth, v.screenHeight))
            continue;
        if (!any)
        {
            batch.Flush();
            batch.SetTexture(&floor->GetSprite().m_texture);
            any = true;
        }
        floor->GetSprite().AddToBatch();
    }
    if (any)
        batch.Flush();
    const size_t count = m_stockpileFloors.size();
    for (size_t i = 0; i < count; ++i)
    {
        if (i + 12 < count)
            m_stockpileFloors[i + 12]->PrefetchView();
        if (i + 6 < count)
            m_stockpileFloors[i + 6]->PrefetchTile();
        m_stockpileFloors[i]->Queue(v, queue);
    }
}

const std::string& GUI_Factory::GetConveyorModeTexture(const SIM_BuildingZone* zone)
{
    for (const auto& entry : m_conveyorModeTextures)
        if (entry.first == zone)
            return entry.second;
    m_conveyorModeTextures.emplace_back(zone, zone ? zone->GetRandomFloorTexture() : std::string());
    return m_conveyorModeTextures.back().second;
}

void GUI_Factory::DrawZoneFloors()
{
    const SIM_Mission* mission = SIM_Game::Instance().GetMission();
    if (!mission)
        return;
    GVertexBuffer& batch = SharedVertexBatch();
    for (const auto& zone : mission->m_zones)
    {
        CLoadedTextureRef texture;
        texture.SetByName(GetConveyorModeTexture(zone.get()));
        batch.SetTexture(&texture);
        ForEachVisibleTile([&](GUI_Tile& tile) {
            const SIM_Tile* simTile = tile.GetSimTile();
            if (!simTile || !zone->Contains(simTile->m_gridX, simTile->m_gridY))
                return;
            PVertex quad[4];
            tile.FloorQuad(quad);
            for (PVertex& corner : quad)
                corner.colour = 0xFFFFFFFFu;
            batch.AddQuad(quad);
        });
        batch.Flush();
    }
}

void GUI_Factory::DrawTiles()
{
    int draws = 0;
    GUI_FloorTileManager& floors = GUI_FloorTileManager::Instance();
    for (const auto& batch : floors.GetBatches())
        draws += floors.Flush(*batch, m_frameView.zoom);
    m_stats.floorDraws = draws;
}

void GUI_Factory::DrawUnbatchedTiles()
{
    size_t count = 0;
    for (const auto& job : m_tileJobs)
        count += job.unbatched.size();
    if (count == 0)
        return;
    if (m_spritePool.size() < count)
        m_spritePool.resize(count);
    m_spriteList.clear();
    size_t next = 0;
    for (const auto& job : m_tileJobs)
    {
        for (GUI_Tile* tile : job.unbatched)
        {
            CTexturedSprite& sprite = m_spritePool[next++];
            tile->FloorQuad(sprite.m_vertices);
            sprite.m_width = m_tileScreenWidth;
            sprite.m_height = m_tileScreenHeight;
            sprite.m_texture.Set(tile->GetFloorTexture());
            m_spriteList.push_back(&sprite);
        }
    }
    SortSpriteListByTexture(m_spriteList);
    DrawSpriteListBatched(m_spriteList);
}

void GUI_Factory::DrawMarkers()
{
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    for (const auto& marker : m_importMarkers)
        marker->Draw(m_frameView, queue);
    for (const auto& marker : m_exportMarkers)
        marker->Draw(m_frameView, queue);
}

void GUI_Factory::DrawConveyorOverlays()
{
    if (!m_conveyorOverlay)
        m_conveyorOverlay = CLoadedTexture::FindOrLoad(kConveyorOverlay);
    const bool conveyorMode = GUI_FactoryTools::Instance().conveyorMode;
    GVertexBuffer& batch = SharedVertexBatch();
    CLoadedTextureRef overlay;
    overlay.Set(m_conveyorOverlay);
    batch.SetTexture(&overlay);
    auto marks = [&](GUI_Tile& tile) {
        if (tile.IsOutlineRequested() || conveyorMode)
            tile.DrawConveyorOverlay(m_frameView, conveyorMode);
    };
    if (conveyorMode)
    {
        ForEachVisibleTile(marks);
    }
    else
    {
        // Outlines are asked for before the frame (slot updates, dialogs): the tile jobs noted
        // which busy tiles have one.
        for (const auto& job : m_tileJobs)
            for (GUI_Tile* tile : job.outlined)
                marks(*tile);
    }
    batch.Flush();
}

void GUI_Factory::Draw()
{
    if (!m_tiles || !Floor())
        return;
    const int64_t cpuStart = FactoryJobClock::ThreadCpuNow();
    int64_t waited = 0;
    auto wait = [&waited]() {
        // The main thread runs queued jobs itself while it waits; that time is the jobs'.
        const int64_t before = FactoryJobClock::ThreadCpuNow();
        SIM_ThreadManager::Instance().WaitForAllJobs();
        waited += FactoryJobClock::ThreadCpuNow() - before;
    };
    IsometricDrawQueue& queue = IsometricDrawQueue::Instance();
    GUI_FactoryTools& tools = GUI_FactoryTools::Instance();

    // 1. The frame's camera.
    m_frameView = FactoryFrameView::FromCamera(m_frameFactor);
    m_tileScreenWidth = m_frameView.zoom * 512.0f;
    m_tileScreenHeight = m_frameView.zoom * 256.0f;
    ++m_frame;
    if (m_frame <= 0)
        m_frame = 1;
    GUI_Tile::SetFrame(m_frame, m_frameView);

    // 2. The visible tiles, in four jobs.
    GUI_ResourceConveyor::PrepareFrame(m_frameView);
    PlanTileJobs();
    for (auto& job : m_tileJobs)
        PostFactoryViewJob(TRANSFORMTILES, job);
    wait();
    // 3. The animated props.
    for (auto& job : m_propJobs)
        PostFactoryViewJob(PREDRAWPROPS, job);
    wait();
    int64_t mark = FactoryJobClock::ThreadCpuNow();
    auto lap = [&mark]() {
        const int64_t now = FactoryJobClock::ThreadCpuNow();
        const double ms = static_cast<double>(now - mark) / 1.0e6;
        mark = now;
        return ms;
    };
    // 4. Stockpile floors.
    DrawStockpileFloors();
    // 5. The conveyor view's plain zone floors, and its look over the scene.
    GShaderEffect* effect = nullptr;
    if (tools.conveyorMode)
    {
        DrawZoneFloors();
        effect = GUI_ShaderManager::Instance().FindShader(kConveyorModeEffect);
        if (effect)
            effect->Begin();
    }
    // 6. The floor.
    DrawTiles();
    m_stats.floorMs = lap();
    // 7. Walls and what stands on each visible tile, in the floor's order.
    for (const auto& job : m_tileJobs)
    {
        uint32_t begin = 0;
        for (const TileJob::Step& step : job.steps)
        {
            const IsometricDrawQueue::Staged* arms = job.staged.data() + begin;
            const uint32_t count = step.stagedEnd - begin;
            begin = step.stagedEnd;
            if (!step.tile)
            {
                queue.AppendStagedRun(arms, job.stagedKeys.data() + (arms - job.staged.data()), count,
                                      job.stagedTexture, job.stagedMixed);
                continue;
            }
            step.tile->QueueWalls(m_frameView, queue);
            step.tile->DrawObjects(m_frameView, queue, arms, count);
        }
    }
    m_stats.objectsMs = lap();
    // 8. The cars, on a worker.
    PostFactoryViewJob(PREDRAWVEHICLES, m_vehicleJob);
    // 9. Import and export sites.
    DrawMarkers();
    // 10. Floor tiles of pictures without a batch.
    DrawUnbatchedTiles();
    m_stats.markersMs = lap();
    // 11.
    wait();
    lap();
    // 12. The depth sort on a worker while the sounds are updated.
    PostFactoryViewJob(SORTOBJECTS, m_sortJob);
    UpdateSounds();
    m_stats.soundsMs = lap();
    wait();
    lap();
    // 13. The scene.
    m_stats.queueLength = static_cast<int>(queue.GetCount());
    queue.SetCellSize(static_cast<int>(32.0f * m_frameView.zoom));
    queue.Flush(effect);
    m_stats.queueBatches = queue.GetLastFlushBatches();
    m_stats.sceneMs = lap();
    // 14. What hangs from the conveyors, over everything on the floor.
    DrawResourceObjects(m_frameView);
    m_stats.resourcesMs = lap();
    // 15.
    if (effect)
        effect->End();
    // 16. Outlines and the conveyor view's marks.
    DrawConveyorOverlays();
    m_stats.overlaysMs = lap();

    GUI_Prop::AdvanceDropClock(m_frameFactor);
    // 17. Car cells nobody drew for 100 frames go back to the cache.
    GUI_CarSpriteCache::Instance().AgeCells();
    int visible = 0;
    for (const auto& job : m_tileJobs)
        visible += job.visible;
    m_stats.visibleTiles = visible;
    m_stats.mainMs = static_cast<double>(FactoryJobClock::ThreadCpuNow() - cpuStart - waited) / 1.0e6;
    m_stats.mainWaitMs = static_cast<double>(waited) / 1.0e6;
}

void GUI_Factory::Update()
{
    if (g_slotDialogDirty.exchange(false) && GUI_FactoryTools::Instance().refreshSlotTooltip)
        GUI_FactoryTools::Instance().refreshSlotTooltip(nullptr);
    if (!m_tiles)
        return;
    if (!GUI_WindowManager::Instance().HasModal())
    {
        // Each slot once: its hover, outline and label are the same however many tiles it has.
        for (GUI_SlotBase* view : std::vector<GUI_SlotBase*>(m_slotViews))
            view->Update();
        GUI_WindowBase::Update();
    }
    const SIM_Tile* tile = GetTileUnderMouse();
    if (tile && tile->m_zoneState == SIM_Tile::ZONE_LOCKED)
        GUI_Cursor::Instance().RequestHandCursor();
}

// --- clicks ---

SIM_Tile* GUI_Factory::GetTileUnderMouse() const
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    const SIM_Factory* factory = Floor();
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

bool GUI_Factory::OnClick(float x, float y)
{
    SIM_Tile* tile = GetTileUnderMouse();
    if (!tile)
        return false;
    GUI_FactoryTools& tools = GUI_FactoryTools::Instance();
    if (tools.deleteMode)
    {
        RemoveAtTile(tile);
        return true;
    }
    if (GUI_Tile* view = ViewOf(tile); view && view->OnClick(x, y))
        return true;
    if (!tools.conveyorPlacerArmed && !tools.slotChainArmed)
        GUI_Camera::Instance().BeginDrag();
    return true;
}

bool GUI_Factory::OnRightClick(float x, float y)
{
    (void)x;
    (void)y;
    SIM_Tile* tile = GetTileUnderMouse();
    if (!tile)
        return false;
    RemoveAtTile(tile);
    return true;
}

void GUI_Factory::RemoveAtTile(SIM_Tile* tile)
{
    FV_ASSERT(tile != nullptr);
    if (!tile)
        return;
    const bool shift = PKeyState::IsHeld(PVK_SHIFT);
    const bool conveyorFirst = tile->m_conveyor && (shift || !tile->m_builtOn);
    // An import bay, the conveyor piece under it and its importer slot are one purchase: they go
    // together and are paid back once, whichever of them the player removes. Otherwise the slot
    // or the bay left behind would be refunded a second time later.
    SIM_PlaceableSlot* importer = tile->m_occupant;
    const bool isImporter =
        importer && importer->GetTask() && importer->GetTask()->m_name == SIM_DataNames::kTaskResourceImporter;
    SIM_Tile* bayTile = isImporter ? importer->GetTile() : nullptr;
    if (bayTile && SIM_ResourceConveyorManager::Instance().GetImportBayOn(bayTile) &&
        (tile == bayTile || !conveyorFirst))
    {
        if (bayTile->m_conveyor)
        {
            SIM_Placement::RemoveConveyor(bayTile, true);
            if (bayTile->m_occupant == importer)
                SIM_Placement::RemoveSlot(importer, true, false);
        }
        else
        {
            SIM_Placement::RemoveSlot(importer, false, true);
        }
        return;
    }
    SIM_Placement::RemoveAt(tile, shift);
}

void GUI_Factory::RefundSlot(SIM_Tile* tile, float refund)
{
    if (tile)
        GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, tile->m_worldX, tile->m_worldY, refund);
}

// --- labels, overlay, notices ---

void GUI_Factory::DrawLabels()
{
    // Far out every import bay's label shows at once; their boxes, frames, icons and stems go
    // in runs, broken only by the text.
    const OverlayPagePlaces places;
    const GQuadBatchScope gather(places);
    m_labelPlacer.Begin(PRect{0, m_coveredTop, GScreenSize::Width(), GScreenSize::Height()});
    for (GUI_ConveyorLabel* label : ConveyorLabelList())
        label->Draw(m_labelPlacer);
    // A label asked for twice (hovered, selected and queued at once) is drawn once: drawn again
    // it would be moved off itself.
    GUISlotList& list = GUISlotList::Instance();
    std::vector<const SlotTextLabel*> drawn;
    auto draw = [&](const SlotTextLabel* label) {
        if (!label || std::find(drawn.begin(), drawn.end(), label) != drawn.end())
            return;
        label->Draw(m_labelPlacer);
        drawn.push_back(label);
    };
    draw(list.hovered);
    draw(list.selected);
    list.hovered = nullptr;
    list.selected = nullptr;
    for (const SlotTextLabel* label : m_queuedLabels)
        draw(label);
    m_queuedLabels.clear();
}

void GUI_Factory::ApplySlotOverlay(int mode)
{
    if (mode == 3)
        return;
    for (GUI_ProductionSlot* view : GUISlotList::Instance().productionSlots)
        view->ApplyOverlay(mode);
}

void GUI_Factory::DrawNotices()
{
    // Far out thousands of notices show at once, each a stem, a circle and a symbol: they go to
    // the card in a few runs, still each over the ones before it.
    const OverlayPagePlaces places;
    const GQuadBatchScope gather(places);
    GUI_NoticeBase::BeginTextRuns();
    for (GUI_NoticeBase* notice : NoticeList())
        notice->Draw();
    GUI_NoticeBase::EndTextRuns();
}

// --- sounds ---

void GUI_Factory::UpdateSounds()
{
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    if (m_ambience.IsValid())
    {
        const GUI_Camera& camera = GUI_Camera::Instance();
        const float range = camera.GetMaxZoom() - camera.GetMinZoom();
        // A floor so small that it cannot be zoomed counts as zoomed fully in.
        const float in = range > 0.0f ? std::clamp((camera.GetZoom() - camera.GetMinZoom()) / range, 0.0f, 1.0f) : 1.0f;
        sounds.GetDevice().SetVolume(m_ambience, sounds.EffectVolume() * 0.1f * (0.25f + 0.75f * in));
    }
    MarkSlotsNearCamera();
    PlayQueuedSoundRequests(SoundRequestQueue::Instance());
}

void GUI_Factory::MarkSlotsNearCamera()
{
    for (GUI_SlotBase* view : m_nearCamera)
        view->SetNearCamera(false);
    m_nearCamera.clear();
    const SIM_Factory* factory = Floor();
    if (!factory || m_width <= 0 || m_height <= 0)
        return;
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float cx = camera.GetX(), cy = camera.GetY();
    // The simulation's own look-up of a world point: half a tile added, then cut toward zero.
    const float rowAt = (2.0f * cy + cx) / 512.0f + 0.5f;
    const float columnAt = (2.0f * cy - cx) / 512.0f + 0.5f;
    const int a = std::clamp(static_cast<int>(rowAt), 0, m_width - 1);
    const int b = std::clamp(static_cast<int>(columnAt), 0, m_height - 1);
    // Three tiles before the camera's tile and two after, each way.
    for (int x = std::max(a - 3, 0); x < std::min(a + 3, m_width); ++x)
    {
        for (int y = std::max(b - 3, 0); y < std::min(b + 3, m_height); ++y)
        {
            const SIM_Tile* tile = factory->GetTile(x, y);
            const SIM_PlaceableSlot* slot = tile ? tile->m_occupant : nullptr;
            auto* view = slot ? dynamic_cast<GUI_SlotBase*>(slot->GetGuiSlot()) : nullptr;
            if (view && !view->IsNearCamera())
            {
                view->SetNearCamera(true);
                m_nearCamera.push_back(view);
            }
        }
    }
}

// --- registrations ---

void GUI_Factory::AddSlotView(GUI_SlotBase* view)
{
    m_slotViews.push_back(view);
}

void GUI_Factory::RemoveSlotView(GUI_SlotBase* view)
{
    m_slotViews.erase(std::remove(m_slotViews.begin(), m_slotViews.end(), view), m_slotViews.end());
    m_nearCamera.erase(std::remove(m_nearCamera.begin(), m_nearCamera.end(), view), m_nearCamera.end());
}

void GUI_Factory::AddStockpileFloor(GUI_SlotStockpile* floor)
{
    m_stockpileFloors.push_back(floor);
}

void GUI_Factory::RemoveStockpileFloor(GUI_SlotStockpile* floor)
{
    m_stockpileFloors.erase(std::remove(m_stockpileFloors.begin(), m_stockpileFloors.end(), floor),
                            m_stockpileFloors.end());
}

void GUI_Factory::AddExportFloor(GUI_SlotExport* floor)
{
    m_exportFloors.push_back(floor);
}

void GUI_Factory::RemoveExportFloor(GUI_SlotExport* floor)
{
    m_exportFloors.erase(std::remove(m_exportFloors.begin(), m_exportFloors.end(), floor), m_exportFloors.end());
}

// --- the simulation's calls ---

void GUI_Factory::LoadAnimations()
{
    // Read once per run: the store keeps what it read for every later game.
    GUI_AnimationManager::Instance().LoadAnimations();
}

void GUI_Factory::ComputeCameraMinZoom()
{
    if (const SIM_Factory* factory = Floor())
    {
        GUI_Camera& camera = GUI_Camera::Instance();
        camera.ComputeMinZoom(factory->GetWidth(), factory->GetHeight());
        // Every new or loaded game holds the view over its own floor.
        camera.SetLimits(factory->GetWidth(), factory->GetHeight());
    }
}

void GUI_Factory::RetintPotentialSiteMarkers()
{
    for (const auto& marker : m_importMarkers)
        marker->UpdateTint();
    for (const auto& marker : m_exportMarkers)
        marker->UpdateTint();
}

void GUI_Factory::SpawnSlotPlaceParticles(SIM_Tile* tile)
{
    if (!tile)
        return;
    GUI_ParticleEmmiter* emitter = SpawnPlaceSlotParticles(tile->m_worldX, tile->m_worldY);
    if (!emitter)
        return;
    // The sparkle covers the tile: the live particles spread over its sixteen places.
    int k = 0;
    for (int i = 0; i < GUI_ParticleEmmiter::kMaxParticles; ++i)
    {
        GUI_Particle& particle = emitter->GetParticle(i);
        if (!particle.alive)
            continue;
        const SubTileOffset offset = GetSubTileOffset(k % 16, 1);
        particle.x = particle.initialX = tile->m_worldX + offset.x;
        particle.y = particle.initialY = tile->m_worldY + offset.y;
        ++k;
    }
}

void GUI_Factory::PlayEffectSound(const char* name)
{
    if (name && *name)
        GUI_Sounds::Instance().PlayEffect(name);
}

GUI_SlotBase* GUI_Factory::CreateSlotView(SIM_PlaceableSlot& slot)
{
    if (auto* existing = dynamic_cast<GUI_SlotBase*>(slot.GetGuiSlot()))
        return existing;
    if (auto* production = dynamic_cast<SIM_ProductionSlot*>(&slot))
    {
        const SIM_BaseTask* task = production->GetTask();
        GUI_ProductionSlot* view = task && task->m_name == SIM_DataNames::kTaskExport
                                       ? new GUI_ExportSlot(production)
                                       : new GUI_ProductionSlot(production);
        production->SetGuiSlot(view); // the slot owns its view from here
        return view;
    }
    if (auto* facility = dynamic_cast<SIM_FacilitySlot*>(&slot))
    {
        auto* view = new GUI_Facility(facility);
        facility->SetGuiFacility(view); // the slot owns its view from here
        return view;
    }
    return nullptr;
}

void GUI_Factory::CommitSlotView(SIM_PlaceableSlot& slot, GUI_SlotBase& view, bool loading)
{
    (void)loading;
    const SIM_BaseTask* task = slot.GetTask();
    SIM_Tile* anchor = slot.GetTile();
    const SIM_Factory* factory = Floor();
    if (!task || !anchor || !factory)
        return;
    view.SetMainTile(anchor);
    const int facing = slot.GetFacing();
    for (const TaskTileDef& def : task->m_tiles)
    {
        int dx = 0, dy = 0;
        RotateTileOffset(facing, def.XOffset, def.YOffset, dx, dy);
        SIM_Tile* simTile = factory->GetTile(anchor->m_gridX + dx, anchor->m_gridY + dy);
        // A footprint reaching off the floor (a damaged savegame) skips the missing tile.
        FV_ASSERT(simTile != nullptr);
        GUI_Tile* tile = ViewOf(simTile);
        if (!tile)
            continue;
        for (const auto& prop : def.props)
            if (prop && prop->propType)
                tile->AddTypedProp(PropPlacement{prop->position, prop->propType, prop->facing}, facing);
        view.SetFloorTexture(tile, def.texture);
    }
    view.CreateZoomOutIcon();
    view.SetPlaced(true);
    view.RandomisePropTimers();
    view.RefreshFacingSprites();
    if (!task->IsConveyor())
        view.CreateNameLabel(task->GetGuiName());
    view.CollectAnimatedProps();
}

void GUI_Factory::SlotPlaced(SIM_PlaceableSlot& slot, bool loading)
{
    if (GUI_SlotBase* view = CreateSlotView(slot))
        CommitSlotView(slot, *view, loading);
}

void GUI_Factory::ChainSlotPlaced(SIM_PlaceableSlot& slot, bool loading)
{
    (void)loading;
    GUI_SlotBase* view = CreateSlotView(slot);
    SIM_Tile* anchor = slot.GetTile();
    if (!view || !anchor)
        return;
    view->SetMainTile(anchor);
    const SIM_BaseTask* task = slot.GetTask();
    view->SetFloorTexture(ViewOf(anchor), task && !task->m_tiles.empty() ? task->m_tiles.front().texture : "");
    view->SetPlaced(true);
    view->RefreshFacingSprites();
}

void GUI_Factory::SlotRemoved(SIM_PlaceableSlot& slot)
{
    // The slot deletes its view with itself; what it left on the floor is cleared by then.
    (void)slot;
}

void GUI_Factory::ImportBayFinished(SIM_ResourceImportBay& bay, SIM_ResourceConveyor& conveyor, bool loading)
{
    (void)bay;
    GUI_Tile* tile = ViewOf(conveyor.m_tile);
    if (tile && (!tile->GetConveyorView() || tile->GetConveyorView()->GetConveyor() != &conveyor))
        ConveyorLaid(conveyor, loading);
}

void GUI_Factory::ConveyorLaid(SIM_ResourceConveyor& conveyor, bool loading)
{
    (void)loading;
    GUI_Tile* tile = ViewOf(conveyor.m_tile);
    FV_ASSERT(tile != nullptr);
    if (tile)
        tile->SetConveyorView(std::make_unique<GUI_ResourceConveyor>(&conveyor, tile));
}

void GUI_Factory::ConveyorRemoved(SIM_ResourceConveyor& conveyor)
{
    GUI_Tile* tile = ViewOf(conveyor.m_tile);
    if (tile && tile->GetConveyorView() && tile->GetConveyorView()->GetConveyor() == &conveyor)
        tile->TakeConveyorView();
}

void GUI_Factory::ShowMoney(SIM_Tile* tile, float amount)
{
    if (tile)
        GUI_FloatingValue::Spawn(GUI_FloatingValue::kCashIcon, tile->m_worldX, tile->m_worldY, amount);
}

SIM_SlotNotice* GUI_Factory::CreateSlotNotice(SIM_PlaceableSlot* slot)
{
    return new GUI_Notice(slot);
}

void GUI_Factory::ShowResourceConsumed(SIM_Tile* tile, const SIM_Resource* resource)
{
    const GUI_Tile* view = ViewOf(tile);
    if (!view || !resource || !view->IsOnScreen())
        return;
    GUI_FloatingValue::Spawn(resource->GetIcon(), tile->m_worldX, tile->m_worldY, 1.0f);
}

SIM_ResourceObjectView* GUI_Factory::CreateResourceObjectView(SIM_ResourceObject& object)
{
    return new GUI_ResourceObject(object);
}

SIM_ImportBayView* GUI_Factory::CreateImportBayView(SIM_ResourceImportBay& bay)
{
    return new GUI_ResourceImportBay(bay);
}

SIM_ConveyorLabelView* GUI_Factory::CreateConveyorLabel(SIM_ResourceImportBay& bay)
{
    return new GUI_ConveyorLabel(bay);
}

SIM_StockpileView* GUI_Factory::CreateResourceStockpileView(SIM_ResourceStockpile& stockpile)
{
    return new GUI_SlotStockpile(stockpile);
}

SIM_StockpileView* GUI_Factory::CreateComponentStockpileView(SIM_ComponentStockpile& stockpile)
{
    return new GUI_SlotExport(stockpile);
}

void GUI_Factory::StockpileContentsChanged(const void* viewLink)
{
    (void)viewLink;
    // The dialog is a window: only the main thread may rebuild it.
    if (!OnMainThread())
    {
        g_slotDialogDirty.store(true);
        return;
    }
    if (GUI_FactoryTools::Instance().refreshSlotTooltip)
        GUI_FactoryTools::Instance().refreshSlotTooltip(nullptr);
}

void GUI_Factory::RefreshSlotTooltip(SIM_PlaceableSlot* slot)
{
    if (!OnMainThread())
    {
        g_slotDialogDirty.store(true);
        return;
    }
    if (GUI_FactoryTools::Instance().refreshSlotTooltip)
        GUI_FactoryTools::Instance().refreshSlotTooltip(slot);
}

void GUI_Factory::OnSlotUpgradePurchased(SIM_PlaceableSlot* slot)
{
    RefreshSlotTooltip(slot);
}

SIM_CarView* GUI_Factory::CreateCarView(SIM_Vehicle* car)
{
    return GUI_FactoryCars::Instance().CreateCarView(car);
}

SIM_CarNotice* GUI_Factory::CreateCarNotice(SIM_Vehicle* car)
{
    return GUI_FactoryCars::Instance().CreateCarNotice(car);
}

SIM_CarComponentView* GUI_Factory::CreateCarComponentView(SIM_VehicleComponent* component)
{
    return GUI_FactoryCars::Instance().CreateCarComponentView(component);
}

void GUI_Factory::InitCarSpriteCache()
{
    GUI_FactoryCars::Instance().InitCarSpriteCache();
}

void GUI_Factory::AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp& prop, int slotFacing)
{
    GUI_Tile* view = ViewOf(tile);
    if (!view || !prop.propType)
        return;
    view->AddTypedProp(PropPlacement{prop.position, prop.propType, prop.facing}, slotFacing);
    SpawnSlotPlaceParticles(tile);
}

void GUI_Factory::RebuildSlotAnimatedProps(SIM_PlaceableSlot* slot)
{
    if (SIM_SlotView* view = slot ? slot->GetGuiSlot() : nullptr)
        view->RebuildAnimatedProps();
}

bool GUI_Factory::FindAtlasEntry(const std::string& sprite, SIM_AtlasEntry& out)
{
    const SpriteAtlasEntry* entry = ::FindAtlasEntry(sprite);
    if (!entry)
        return false;
    out.texture = entry->atlasTexture;
    out.left = entry->xMin;
    out.top = entry->yMin;
    out.right = entry->xMax;
    out.bottom = entry->yMax;
    out.texCoords[0] = entry->uMin;
    out.texCoords[1] = entry->vMin;
    out.texCoords[2] = entry->uMax;
    out.texCoords[3] = entry->vMax;
    return true;
}
