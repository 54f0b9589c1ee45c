// A car's view on the factory floor.
#include "gui/factory/vehicles/GUI_Vehicle.h"

#include "engine/CBaseInputManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/vehicles/CarSpriteCell.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/vehicles/GUI_FactoryCars.h"
#include "gui/factory/vehicles/GUI_IsoVehicle.h"
#include "gui/factory/vehicles/GUI_VehicleComponent.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/factory/zoomout/GUI_ZoomOutVehicle.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

GUI_Vehicle::GUI_Vehicle(SIM_Vehicle* vehicle, GUI_FactoryCars* cars)
    : m_zoomOutIcon(std::make_unique<GUI_ZoomOutVehicle>(vehicle)), m_proxy(std::make_unique<GUI_IsoVehicle>(this)),
      m_vehicle(vehicle), m_cars(cars)
{
    m_cachedSprite.m_sprite.m_noRotation = true;
}

GUI_Vehicle::~GUI_Vehicle()
{
    if (m_cars)
        m_cars->Forget(this, m_madePlace);
}

FactoryFrameView GUI_Vehicle::Frame() const
{
    return m_cars ? m_cars->Frame() : FactoryFrameView::FromCamera();
}

void GUI_Vehicle::DrawInStation(IsometricDrawQueue& queue)
{
    Draw(queue, Frame());
}

void GUI_Vehicle::Update()
{
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

bool GUI_Vehicle::IsMouseOver()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input || !m_vehicle)
        return false;
    const int facing = m_vehicle->GetFacing() & 3;
    for (const auto& component : m_vehicle->GetComponents())
    {
        auto* view = dynamic_cast<GUI_VehicleComponent*>(component->GetView());
        if (view && view->HasLayer(facing, 0) &&
            view->GetSprite(facing, 0).m_sprite.IsInside(input->GetMouseX(), input->GetMouseY()))
            return true;
    }
    return false;
}

void GUI_Vehicle::Draw()
{
    Draw(IsometricDrawQueue::Instance(), Frame());
}

void GUI_Vehicle::Draw(IsometricDrawQueue& queue, const FactoryFrameView& view)
{
    if (GUI_ZoomOutIcons::FadeFor(view.zoom) >= 1.0f || !m_vehicle)
        return;
    // A car without its station or the station's tile has nowhere to stand: it is left out.
    SIM_ProductionSlot* slot = m_vehicle->GetSlot();
    FV_ASSERT(slot != nullptr);
    if (!slot)
        return;
    const SIM_Tile* tile = slot->GetTile();
    FV_ASSERT(tile != nullptr);
    if (!tile)
        return;
    const float z = view.zoom;
    const float sx = view.ToScreenX(tile->m_worldX), sy = view.ToScreenY(tile->m_worldY);
    if (!GUI_Camera::Instance().IsRectOnScreen(static_cast<int>(sx - 256.0f * z), static_cast<int>(sy - 128.0f * z),
                                               static_cast<int>(sx + 256.0f * z), static_cast<int>(sy + 128.0f * z)))
        return;
    const float depth = tile->m_worldY + GetSubTileOffset(10, slot->GetFacing()).y;
    if (z < kCachedZoom && EnsureCachedSprites())
    {
        // The cell drawn as a plain sprite of the cache's texture: what DrawCached would show,
        // batched with the other cars. Seen on screen, the cell stays alive.
        bool mirror = false;
        CarSpriteCell* cell = CachedCellForFacing(mirror);
        if (cell->Place(mirror, view.ToScreenX(m_vehicle->GetX()), view.ToScreenY(m_vehicle->GetY()), z,
                        m_cachedSprite.m_sprite))
        {
            KeepCellsAlive();
            m_cachedSprite.m_sprite.m_texture.Set(cell->m_sprite.m_texture.Get());
            m_cachedSprite.m_depth = depth;
            queue.Append(&m_cachedSprite);
        }
        return;
    }
    // Drawn from its parts: each layer goes into the queue as a sprite at the car's depth, in
    // order, where the proxy would stand; the queue then sends the like layers of the cars
    // around to the card together instead of the whole car being one draw (or several) that
    // breaks every batch around it. The parts job still places every facing, for the hover.
    m_proxy->m_depth = depth;
    GShaderEffect* paint = nullptr;
    for (const auto& component : m_vehicle->GetComponents())
        if (auto* part = dynamic_cast<GUI_VehicleComponent*>(component->GetView()))
        {
            if (!paint && part->IsPainted())
                paint = GUI_ShaderManager::Instance().FindShader("overlay.fx");
            part->Queue(queue, view, depth, paint);
        }
    if (m_cars)
        m_cars->QueuePreDraw(this);
}

bool GUI_Vehicle::EnsureCachedSprites()
{
    if (m_cellFacing2 && m_cellFacing0)
        return true;
    if (!m_vehicle || static_cast<int>(m_vehicle->GetComponents().size()) < kMinCachedComponents)
        return false;
    GUI_CarSpriteCache& cache = GUI_CarSpriteCache::Instance();
    m_cellFacing2 = cache.FindOrRender(m_vehicle->GetComponents(), 2, m_vehicle->GetColor());
    m_cellFacing0 = cache.FindOrRender(m_vehicle->GetComponents(), 0, m_vehicle->GetColor());
    return m_cellFacing2 && m_cellFacing0;
}

void GUI_Vehicle::DrawNow()
{
    if (!m_vehicle)
        return;
    if (GUI_Camera::Instance().GetZoom() < kCachedZoom && EnsureCachedSprites())
    {
        DrawCached();
        return;
    }
    const int facing = m_vehicle->GetFacing() & 3;
    m_bodyTexture.SetByName(facing == 0 || facing == 3 ? "car1_ne.dds" : "car1_sw.dds");
    GVertexBuffer& batch = SharedVertexBatch();
    batch.SetTexture(&m_bodyTexture);
    for (const auto& component : m_vehicle->GetComponents())
        if (auto* view = dynamic_cast<GUI_VehicleComponent*>(component->GetView()))
            view->Draw();
    batch.Flush();
}

void GUI_Vehicle::DrawCached()
{
    const FactoryFrameView view = Frame();
    bool mirror = false;
    if (CarSpriteCell* cell = CachedCellForFacing(mirror))
        if (cell->Draw(mirror, view.ToScreenX(m_vehicle->GetX()), view.ToScreenY(m_vehicle->GetY())))
            KeepCellsAlive();
}

void GUI_Vehicle::KeepCellsAlive()
{
    // Both cells, not only the one on screen: the car needs the other the moment it turns, and
    // were it given back the car would forget both and ask for them again every frame.
    for (CarSpriteCell* cell : {m_cellFacing2, m_cellFacing0})
        if (cell)
            cell->m_countdown = CarSpriteCell::kLifeFrames;
}

CarSpriteCell* GUI_Vehicle::CachedCellForFacing(bool& mirror) const
{
    const int facing = m_vehicle ? m_vehicle->GetFacing() & 3 : 0;
    mirror = facing == 1 || facing == 3;
    return facing == 0 || facing == 3 ? m_cellFacing0 : m_cellFacing2;
}

void GUI_Vehicle::ClearCachedSprites()
{
    m_cellFacing2 = nullptr;
    m_cellFacing0 = nullptr;
}

void GUI_Vehicle::ForgetCell(const CarSpriteCell* cell)
{
    if (cell && (m_cellFacing2 == cell || m_cellFacing0 == cell))
        ClearCachedSprites();
}

void GUI_Vehicle::PreDraw(const FactoryFrameView& view)
{
    if (!m_vehicle)
        return;
    for (const auto& component : m_vehicle->GetComponents())
        if (auto* part = dynamic_cast<GUI_VehicleComponent*>(component->GetView()))
            part->PreDraw(view);
}
