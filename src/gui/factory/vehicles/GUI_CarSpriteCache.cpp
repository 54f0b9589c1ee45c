// The car sprite cache: cells of one render target, rendered on demand and recycled.
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/vehicles/GUI_Vehicle.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleManager.h"

#include <cstring>
#include <utility>

GUI_CarSpriteCache& GUI_CarSpriteCache::Instance()
{
    return GLifetime::Get<GUI_CarSpriteCache>();
}

void GUI_CarSpriteCache::Init()
{
    CLoadedTexture* target = GUI_TextureCache::Get(GUI_TextureCache::CAR_SPRITE_CACHE);
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
        {
            CarSpriteCell& cell = m_cells[x][y];
            cell.m_gridX = x;
            cell.m_gridY = y;
            cell.m_inUse = false;
            cell.m_countdown = 0;
            cell.m_componentIds.clear();
            cell.m_sprite.m_texture.Set(target);
        }
    GD3DDevice& d3d = GD3DDevice::Instance();
    PGraphicsDevice* device = d3d.GetDevice();
    if (!device || !target || !target->m_texture)
        return;
    // Set up between frames (a new game starts from a click), the clear gets a scene of its own
    // and closes it again: left open, the next frame could not begin its own.
    const bool ownScene = !d3d.IsInScene();
    if (ownScene)
        d3d.BeginFrame();
    GUI_PostProcessor::SaveBackBuffer();
    GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::CAR_SPRITE_CACHE);
    ++m_targetSwitches;
    const PResult r = device->Clear(0x00000000u);
    if (PFailed(r))
        LogD3DError(r, "ClearScreen()");
    GUI_PostProcessor::RestoreBackBuffer();
    if (ownScene)
        d3d.EndFrame();
}

void GUI_CarSpriteCache::ReleaseGraphics()
{
    for (auto& column : m_cells)
        for (CarSpriteCell& cell : column)
        {
            cell.m_gridX = -1;
            cell.m_gridY = -1;
            cell.m_inUse = false;
            cell.m_componentIds.clear();
            cell.m_sprite.m_texture.Set(nullptr);
        }
}

CarSpriteCell* GUI_CarSpriteCache::FindOrRender(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components,
                                                int view, const int colour[4])
{
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
        {
            CarSpriteCell& cell = m_cells[x][y];
            if (cell.m_gridX < 0 || !cell.Matches(components, view, colour))
                continue;
            // A cell given back but not yet drawn over still shows the car: taken again, it
            // starts a new life as a freshly rendered one would, instead of being given back at
            // the very next ageing.
            if (!cell.m_inUse)
                cell.m_countdown = CarSpriteCell::kLifeFrames;
            cell.m_inUse = true;
            return &cell;
        }
    return Render(components, view, colour);
}

CarSpriteCell* GUI_CarSpriteCache::FindFreeCell()
{
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
            if (m_cells[x][y].m_gridX >= 0 && !m_cells[x][y].m_inUse)
                return &m_cells[x][y];
    return nullptr;
}

CarSpriteCell* GUI_CarSpriteCache::Render(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components,
                                          int view, const int colour[4])
{
    CarSpriteCell* cell = FindFreeCell();
    CLoadedTexture* target = GUI_TextureCache::Get(GUI_TextureCache::CAR_SPRITE_CACHE);
    // Without the render target a cell would show nothing: the car keeps drawing from its parts.
    if (!cell || !target || !target->m_texture)
        return nullptr;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (device)
    {
        GUI_PostProcessor::SaveBackBuffer();
        GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::CAR_SPRITE_CACHE);
        ++m_targetSwitches;
        // Only this cell is cleared: the others hold cars still on screen.
        PViewport whole;
        device->GetViewport(whole);
        PViewport rect = whole;
        rect.x = static_cast<uint32_t>(cell->m_gridX * CarSpriteCell::kSize);
        rect.y = static_cast<uint32_t>(cell->m_gridY * CarSpriteCell::kSize);
        rect.width = CarSpriteCell::kSize;
        rect.height = CarSpriteCell::kSize;
        device->SetViewport(rect);
        const PResult r = device->Clear(0x00000000u);
        device->SetViewport(whole);
        if (PFailed(r))
            DebugErrorBox("Failed to clear!", DebugSourceName(__FILE__), __LINE__);
        const int half = CarSpriteCell::kSize / 2;
        DrawComponents(components, view, colour, static_cast<float>(cell->m_gridX * CarSpriteCell::kSize + half),
                       static_cast<float>(cell->m_gridY * CarSpriteCell::kSize + half));
        GUI_PostProcessor::RestoreBackBuffer();
    }
    cell->m_view = view;
    std::memcpy(cell->m_colour, colour, sizeof(cell->m_colour));
    cell->m_componentIds.clear();
    for (const auto& component : components)
        cell->m_componentIds.push_back(component->GetType());
    cell->m_inUse = true;
    cell->m_countdown = CarSpriteCell::kLifeFrames;
    return cell;
}

void GUI_CarSpriteCache::DrawComponents(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components, int view,
                                        const int colour[4], float centreX, float centreY)
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    GShaderEffect* overlay = GUI_ShaderManager::Instance().FindShader("overlay.fx");
    const uint32_t paint = 0xFF000000u | (static_cast<uint32_t>(colour[0] & 0xFF) << 16) |
                           (static_cast<uint32_t>(colour[1] & 0xFF) << 8) | static_cast<uint32_t>(colour[2] & 0xFF);
    for (const auto& component : components)
    {
        const SIM_VehicleComponentType* type = component->GetType();
        if (!type)
            continue;
        for (int layer = 0; layer < 2; ++layer)
        {
            const SIM_ComponentLayer& record = type->GetLayer(view, layer);
            if (record.sprite.empty() || !record.inAtlas)
                continue;
            const float width = static_cast<float>(static_cast<int>(record.width * 256.0f));
            const float height = static_cast<float>(static_cast<int>(record.height * 128.0f));
            const float offsetX = (record.flag ? -record.centreX : record.centreX) * 256.0f;
            const float x = centreX + offsetX, y = centreY + record.centreY * 128.0f;
            float uLeft = record.texCoords[0], uRight = record.texCoords[2];
            if (record.flag)
                std::swap(uLeft, uRight);
            const float vTop = record.texCoords[1], vBottom = record.texCoords[3];
            const bool tinted = type->m_colourable[layer] != 0;
            const uint32_t c = tinted ? paint : 0xFFFFFFFFu;
            const float l = x - width / 2.0f, r = x + width / 2.0f, t = y - height / 2.0f, b = y + height / 2.0f;
            const PVertex quad[4] = {{l, t, 0.0f, 1.0f, c, uLeft, vTop},
                                     {r, t, 0.0f, 1.0f, c, uRight, vTop},
                                     {l, b, 0.0f, 1.0f, c, uLeft, vBottom},
                                     {r, b, 0.0f, 1.0f, c, uRight, vBottom}};
            // Each layer binds its own picture: a design may mix layers of both car atlases.
            CLoadedTexture* texture = CLoadedTexture::FindOrLoad(record.texture);
            device->SetTexture(0, texture ? texture->m_texture : nullptr);
            const bool effect = tinted && overlay;
            if (effect)
                overlay->Begin();
            device->DrawPrimitiveUP(PPrimitive::TriangleStrip, 2, quad, sizeof(PVertex));
            if (effect)
                overlay->End();
        }
    }
    GTextureManager::Instance().SetForceRebind();
}

void GUI_CarSpriteCache::AgeCells()
{
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
        {
            CarSpriteCell& cell = m_cells[x][y];
            // A free cell has nothing to give back; its countdown restarts when it is rendered.
            if (!cell.m_inUse || --cell.m_countdown >= 1)
                continue;
            for (SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
                if (auto* view = dynamic_cast<GUI_Vehicle*>(car->GetView()))
                    view->ForgetCell(&cell);
            cell.m_inUse = false;
        }
}
