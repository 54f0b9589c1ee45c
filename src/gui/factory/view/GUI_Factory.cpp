// The factory view: building the floor's view, the frame's order, and the simulation's calls into
// the view.
#include "gui/factory/view/GUI_Factory.h"

#include "engine/CBaseInputManager.h"
#include "engine/CLoadedTexture.h"
#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GQuadBatchScope.h"
#include "engine/GScreenSize.h"
#include "engine/GShaderEffect.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
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
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/slots/GUI_ExportSlot.h"
#include "gui/factory/slots/GUI_Facility.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/factory/slots/GUI_SlotExport.h"
#include "gui/factory/slots/GUI_SlotStockpile.h"
#include "gui/factory/slots/SlotTextLabel.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_FactoryCars.h"
#include "gui/factory/view/FloorClicks.h"
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
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"
#include "sim/world/TileWaypointGrid.h"

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

// Whether a game is being taken down now; a simulation never made ends none.
bool GameEnding()
{
    const SIM_Game* game = GLifetime::Find<SIM_Game>();
    return game && game->IsEnding();
}
} // namespace

GUI_Factory& GUI_Factory::Instance()
{
    return GLifetime::Get<GUI_Factory>();
}

GUI_Factory::GUI_Factory()
{
    g_mainThread = std::this_thread::get_id();
    for (int k = 0; k < PropRegistry::kLists; ++k)
    {
        m_propJobs[k].view = &m_frameView;
        m_propJobs[k].list = k;
    }
    m_vehicleJob.owner = this;
    m_vehicleJob.clock = &m_jobClock;
    m_sortJob.clock = &m_jobClock;
    for (PropJob& job : m_propJobs)
        job.clock = &m_jobClock;
    SetTakesMouse(false);
    // The placement tools arm and disarm through this view's flags.
    GUI_PlacementTools::UseFlags(&m_tools);
}

GUI_Factory::~GUI_Factory()
{
    GUI_PlacementTools::ForgetFlags(m_tools);
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
    m_grid.Build(*factory);
    const int width = m_grid.Width(), height = m_grid.Height();
    const SIM_Mission* mission = SIM_Game::Instance().GetMission();
    FV_ASSERT(mission != nullptr);
    if (mission)
    {
        // A later zone overwrites an earlier one where they overlap.
        for (const auto& zone : mission->m_zones)
            for (int a = std::max(zone->m_top, 0); a <= std::min(zone->m_bottom, width - 1); ++a)
                for (int b = std::max(zone->m_left, 0); b <= std::min(zone->m_right, height - 1); ++b)
                    m_grid.GetTile(a, b)->SetFloorTextureTinted(zone->GetRandomFloorTexture());
    }
    if (const SIM_Tile* middle = factory->GetTile(width / 2, height / 2))
        GUI_Camera::Instance().SetPosition(middle->m_worldX, middle->m_worldY);
    for (const auto& site : factory->m_importSites)
        if (site && site->m_tile)
            m_importMarkers.push_back(std::make_unique<GUI_PotentialImportBay>(site->m_tile));
    for (const auto& site : factory->m_exportSites)
        if (site && site->m_tile)
            m_exportMarkers.push_back(std::make_unique<GUI_PotentialExport>(site->m_tile));
    IsometricDrawQueue::Instance().Pages().Build(ScenePictures(mission));
    // The overlay's pages too, while the game loads: made in the first frame, the copying of
    // every picture onto them took that frame past its time on a big floor.
    m_overlayPages.Build(OverlayPagePlaces::Pictures());
}

void GUI_Factory::PrepareScene()
{
    // The pictures are named in the prop and resource definitions; every game reads those again as
    // it starts, with the same names.
    if (SIM_PropTypeManager::Instance().GetPropTypes().empty())
        SIM_PropTypeManager::Instance().Load();
    if (SIM_ResourceManager::Instance().GetResources().empty())
        SIM_ResourceManager::Instance().Load();
    GUI_AnimationManager::Instance().LoadAnimations();
    SIM_MissionManager& missions = SIM_MissionManager::Instance();
    missions.Load();
    std::vector<CLoadedTexture*> pictures = ScenePictures(nullptr);
    for (const SIM_Mission* mission : missions.GetMissions())
        AddWallPictures(*mission, pictures);
    IsometricDrawQueue::Instance().Pages().Build(pictures);
    // The pictures of the floor tiles (zones and slots) and the task icons of the slots' labels are
    // every game's too: loaded now rather than by the first game's load.
    for (const char* pattern : {"data/bitmaps/floors/*.dds", "data/bitmaps/icons/*.dds"})
    {
        GFileList files;
        files.Find(pattern);
        // By the file's own name, as the game asks for it.
        for (const std::string& path : files.GetFiles())
            CLoadedTexture::FindOrLoad(path.substr(files.m_folder.size()));
    }
}

namespace
{
// The picture a sprite of this name draws from: its atlas sheet, or its own texture.
void AddScenePicture(std::vector<CLoadedTexture*>& pictures, const std::string& name)
{
    if (name.empty())
        return;
    const SpriteAtlasEntry* entry = ::FindAtlasEntry(name);
    pictures.push_back(CLoadedTexture::FindOrLoad(entry ? entry->atlasTexture : name));
}
} // namespace

std::vector<CLoadedTexture*> GUI_Factory::ScenePictures(const SIM_Mission* mission)
{
    std::vector<CLoadedTexture*> pictures;
    auto add = [&pictures](const std::string& name) { AddScenePicture(pictures, name); };
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
        AddWallPictures(*mission, pictures);
    return pictures;
}

void GUI_Factory::AddWallPictures(const SIM_Mission& mission, std::vector<CLoadedTexture*>& pictures)
{
    for (const auto& zone : mission.m_zones)
        for (int side = 0; side < SIM_BuildingZone::SIDE_COUNT; ++side)
        {
            for (const std::string& wall : zone->m_wallPools[side])
                AddScenePicture(pictures, wall);
            AddScenePicture(pictures, zone->m_importWalls[side]);
            AddScenePicture(pictures, zone->m_exportWalls[side]);
        }
}

void GUI_Factory::Clear()
{
    // The tools hold tiles of this floor and tasks of this game: they go with them, and so do the
    // marks of resources travelling on it. So do the sparkles and the sums rising from its tiles:
    // a load over the running game would otherwise show them over the next floor.
    GUI_PlacementTools::Reset();
    GUI_ResourceGraph::Instance().Clear();
    ClearParticleEmitters();
    GUI_FloatingValue::ResetPool();
    DropFloor(true);
}

void GUI_Factory::DropFloor(bool unlinkSimulation)
{
    m_hall.Stop();
    m_importMarkers.clear();
    m_exportMarkers.clear();
    m_roll.QueuedLabels().clear();
    m_conveyorModeTextures.clear();
    IsometricDrawQueue::Instance().Clear();
    m_tileJobs.Clear();
    // No frame of the next floor is drawn yet: until one is, its tiles stand nowhere on screen,
    // and the pointer hovers nothing by where the last game's picture had its tiles.
    GUI_Tile::SetFrame(0, FactoryFrameView{});
    // The floor's tiles go with the game. While the simulation's floor still stands (the game is
    // ending) its tiles let go of them first.
    m_grid.Drop(unlinkSimulation);
}

void GUI_Factory::StartAmbience()
{
    m_hall.Start(m_grid.IsBuilt() ? Floor() : nullptr);
}

void GUI_Factory::ReleaseGraphics()
{
    GUI_FloorTileManager::Instance().Reset();
    IsometricDrawQueue::Instance().Quads().Release();
    GUI_ZoomOutIcons::Instance().ReleaseGraphics();
    GUI_CarSpriteCache::Instance().ReleaseGraphics();
    GUI_FloatingValue::ReleaseGraphics();
    IsometricDrawQueue::Instance().Pages().Release();
    m_overlayPages.Release();
    m_conveyorOverlay = nullptr;
    m_spritePool.clear();
    m_spriteList.clear();
}

// --- the frame ---

void GUI_Factory::PropJob::Run()
{
    for (GUI_Prop* prop : PropRegistry::Instance().GetList(list))
        prop->PreDraw(*view);
}

void GUI_Factory::VehicleJob::Run()
{
    owner->m_cars.PreDrawQueued(owner->m_frameView);
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
    for (GUI_SlotExport* floor : m_roll.ExportFloors())
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
    const std::vector<GUI_SlotStockpile*>& floors = m_roll.StockpileFloors();
    const size_t count = floors.size();
    for (size_t i = 0; i < count; ++i)
    {
        if (i + 12 < count)
            floors[i + 12]->PrefetchView();
        if (i + 6 < count)
            floors[i + 6]->PrefetchTile();
        floors[i]->Queue(v, queue);
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
        draws += floors.Flush(*batch, m_frameView.zoom, IsometricDrawQueue::Instance().Quads());
    m_stats.floorDraws = draws;
}

void GUI_Factory::DrawUnbatchedTiles()
{
    const size_t count = m_tileJobs.UnbatchedCount();
    if (count == 0)
        return;
    if (m_spritePool.size() < count)
        m_spritePool.resize(count);
    m_spriteList.clear();
    size_t next = 0;
    m_tileJobs.ForEachUnbatched([&](GUI_Tile& tile) {
        CTexturedSprite& sprite = m_spritePool[next++];
        tile.FloorQuad(sprite.m_vertices);
        sprite.m_width = m_tileScreenWidth;
        sprite.m_height = m_tileScreenHeight;
        sprite.m_texture.Set(tile.GetFloorTexture());
        m_spriteList.push_back(&sprite);
    });
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
    const bool conveyorMode = m_tools.conveyorMode;
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
        m_tileJobs.ForEachOutlined(marks);
    }
    batch.Flush();
}

void GUI_Factory::Draw()
{
    if (!m_grid.IsBuilt() || !Floor())
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
    m_tileJobs.Post(m_frame);
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
    if (m_tools.conveyorMode)
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
    m_tileJobs.QueueObjects(queue);
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
    DrawResourceObjects(m_frameView, IsometricDrawQueue::Instance().Quads());
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
    m_stats.visibleTiles = m_tileJobs.VisibleCount();
    m_stats.mainMs = static_cast<double>(FactoryJobClock::ThreadCpuNow() - cpuStart - waited) / 1.0e6;
    m_stats.mainWaitMs = static_cast<double>(waited) / 1.0e6;
}

void GUI_Factory::Update()
{
    if (g_slotDialogDirty.exchange(false) && m_tools.refreshSlotTooltip)
        m_tools.refreshSlotTooltip(nullptr);
    if (!m_grid.IsBuilt())
        return;
    if (!GUI_WindowManager::Instance().HasModal())
    {
        // Each slot once: its hover, outline and label are the same however many tiles it has.
        for (GUI_SlotBase* view : std::vector<GUI_SlotBase*>(m_roll.SlotViews()))
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
    return GUI_Tile::SimTileUnderMouse();
}

bool GUI_Factory::OnClick(float x, float y)
{
    return FloorClicks::OnLeftClick(x, y, m_tools);
}

bool GUI_Factory::OnRightClick(float x, float y)
{
    (void)x;
    (void)y;
    return FloorClicks::OnRightClick();
}

void GUI_Factory::RemoveAtTile(SIM_Tile* tile)
{
    FloorClicks::RemoveAt(tile);
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
    const OverlayPagePlaces places(m_overlayPages);
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
    for (const SlotTextLabel* label : m_roll.QueuedLabels())
        draw(label);
    m_roll.QueuedLabels().clear();
}

void GUI_Factory::ApplySlotOverlay(int mode)
{
    if (mode == 3)
        return;
    for (GUI_ProductionSlot* view : GUISlotList::Instance().productionSlots.Members())
        view->ApplyOverlay(mode);
}

void GUI_Factory::DrawNotices()
{
    // Far out thousands of notices show at once, each a stem, a circle and a symbol: they go to
    // the card in a few runs, still each over the ones before it.
    const OverlayPagePlaces places(m_overlayPages);
    const GQuadBatchScope gather(places);
    GUI_NoticeBase::BeginTextRuns();
    for (GUI_NoticeBase* notice : NoticeList())
        notice->Draw();
    GUI_NoticeBase::EndTextRuns();
}

void GUI_Factory::DrawWaypoints()
{
    // Nine squares on every tile on screen: far out that is thousands, drawn in a few runs.
    const OverlayPagePlaces places(m_overlayPages);
    const GQuadBatchScope gather(places);
    ForEachVisibleTile([](const GUI_Tile& tile) {
        if (const SIM_Tile* simTile = tile.GetSimTile(); simTile && simTile->m_waypoints)
            simTile->m_waypoints->DrawDebug();
    });
}

// --- sounds ---

void GUI_Factory::UpdateSounds()
{
    m_hall.Update(m_grid.IsBuilt() ? Floor() : nullptr);
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
    // A load takes the running factory down and builds the saved one tile by tile, and the end of
    // a game takes it down: sparkling each of those tiles would start thousands of effects at
    // once, never seen and held until the next game.
    if (!tile || (m_tools.isLoadingSave && m_tools.isLoadingSave()) || GameEnding())
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

void GUI_Factory::DrawDebugMarker(float worldX, float worldY, int sizePx, unsigned char r, unsigned char g,
                                  unsigned char b)
{
    const int left = static_cast<int>(m_frameView.ToScreenX(worldX)) - sizePx / 2;
    const int top = static_cast<int>(m_frameView.ToScreenY(worldY)) - sizePx / 2;
    const uint32_t colour = 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
    GD3DDevice::Instance().FillRect(PRect{left, top, left + sizePx, top + sizePx}, colour);
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
        m_roll.Enter(*view);
        return view;
    }
    if (auto* facility = dynamic_cast<SIM_FacilitySlot*>(&slot))
    {
        auto* view = new GUI_Facility(facility);
        facility->SetGuiFacility(view); // the slot owns its view from here
        m_roll.Enter(*view);
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
        GUI_Tile* tile = GUI_Tile::ViewOf(simTile);
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
    view->SetFloorTexture(GUI_Tile::ViewOf(anchor),
                          task && !task->m_tiles.empty() ? task->m_tiles.front().texture : "");
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
    GUI_Tile* tile = GUI_Tile::ViewOf(conveyor.m_tile);
    if (tile && (!tile->GetConveyorView() || tile->GetConveyorView()->GetConveyor() != &conveyor))
        ConveyorLaid(conveyor, loading);
}

void GUI_Factory::ConveyorLaid(SIM_ResourceConveyor& conveyor, bool loading)
{
    (void)loading;
    GUI_Tile* tile = GUI_Tile::ViewOf(conveyor.m_tile);
    FV_ASSERT(tile != nullptr);
    if (tile)
        tile->SetConveyorView(std::make_unique<GUI_ResourceConveyor>(&conveyor, tile));
}

void GUI_Factory::ConveyorRemoved(SIM_ResourceConveyor& conveyor)
{
    GUI_Tile* tile = GUI_Tile::ViewOf(conveyor.m_tile);
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
    const GUI_Tile* view = GUI_Tile::ViewOf(tile);
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
    auto* floor = new GUI_SlotStockpile(stockpile);
    m_roll.Enter(*floor);
    return floor;
}

SIM_StockpileView* GUI_Factory::CreateComponentStockpileView(SIM_ComponentStockpile& stockpile)
{
    auto* floor = new GUI_SlotExport(stockpile);
    m_roll.Enter(*floor);
    return floor;
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
    if (m_tools.refreshSlotTooltip)
        m_tools.refreshSlotTooltip(nullptr);
}

void GUI_Factory::RefreshSlotTooltip(SIM_PlaceableSlot* slot)
{
    if (!OnMainThread())
    {
        g_slotDialogDirty.store(true);
        return;
    }
    if (m_tools.refreshSlotTooltip)
        m_tools.refreshSlotTooltip(slot);
}

void GUI_Factory::OnSlotUpgradePurchased(SIM_PlaceableSlot* slot)
{
    RefreshSlotTooltip(slot);
}

SIM_CarView* GUI_Factory::CreateCarView(SIM_Vehicle* car)
{
    return m_cars.CreateCarView(car);
}

SIM_CarNotice* GUI_Factory::CreateCarNotice(SIM_Vehicle* car)
{
    return m_cars.CreateCarNotice(car);
}

SIM_CarComponentView* GUI_Factory::CreateCarComponentView(SIM_VehicleComponent* component)
{
    return m_cars.CreateCarComponentView(component);
}

void GUI_Factory::InitCarSpriteCache()
{
    m_cars.InitCarSpriteCache();
}

void GUI_Factory::AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp& prop, int slotFacing)
{
    GUI_Tile* view = GUI_Tile::ViewOf(tile);
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
