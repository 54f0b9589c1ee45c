// Far-zoom overlay of slots and cars.
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"

#include "engine/CLoadedTexture.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/zoomout/GUI_ZoomOutSlot.h"
#include "gui/factory/zoomout/GUI_ZoomOutVehicle.h"

#include <algorithm>

GUI_ZoomOutIcons& GUI_ZoomOutIcons::Instance()
{
    return GLifetime::Get<GUI_ZoomOutIcons>();
}

void GUI_ZoomOutIcons::Add(GUI_ZoomOutSlot* slot)
{
    if (slot)
        m_slots.Join(slot, slot->m_listPlace);
}

void GUI_ZoomOutIcons::Remove(GUI_ZoomOutSlot* slot)
{
    if (slot)
        m_slots.Leave(slot->m_listPlace);
}

void GUI_ZoomOutIcons::Add(GUI_ZoomOutVehicle* vehicle)
{
    if (vehicle)
        m_vehicles.Join(vehicle, vehicle->m_listPlace);
}

void GUI_ZoomOutIcons::Remove(GUI_ZoomOutVehicle* vehicle)
{
    if (vehicle)
        m_vehicles.Leave(vehicle->m_listPlace);
}

void GUI_ZoomOutIcons::ReleaseGraphics()
{
    m_tileTexture = nullptr;
    m_vehicleTexture = nullptr;
}

float GUI_ZoomOutIcons::FadeFor(float zoom)
{
    if (zoom > 0.25f)
        return 0.0f;
    if (zoom < 0.125f)
        return 1.0f;
    return std::clamp(1.0f - (zoom - 0.125f) * 4.0f, 0.0f, 1.0f);
}

void GUI_ZoomOutIcons::Draw()
{
    const FactoryFrameView view = FactoryFrameView::FromCamera();
    if (view.zoom > 0.25f)
        return;
    m_fade = FadeFor(view.zoom);
    if (!m_tileTexture)
        m_tileTexture = CLoadedTexture::FindOrLoad("tile_blank.dds");
    if (!m_vehicleTexture)
        m_vehicleTexture = CLoadedTexture::FindOrLoad("zoom_out_vehicle.dds");
    GVertexBuffer& batch = SharedVertexBatch();

    // Every slot's tiles in one run drawn with the blank tile, however many go in.
    m_tileQuads.clear();
    const std::vector<GUI_ZoomOutSlot*>& slots = m_slots.Members();
    const size_t count = slots.size();
    for (size_t i = 0; i < count; ++i)
    {
        if (i + 8 < count)
            slots[i + 8]->PrefetchSelf();
        if (i + 4 < count)
            slots[i + 4]->PrefetchOwner();
        slots[i]->DrawTiles(view, m_fade, m_tileQuads);
    }
    IsometricDrawQueue::Instance().Quads().Draw(m_tileTexture, {{m_tileQuads.data(), m_tileQuads.size()}});

    // Icons of different slots never overlap (their tiles are apart), so drawing them grouped by
    // picture shows the same as drawing them one by one.
    std::vector<GUI_ZoomOutSlot*> icons;
    icons.reserve(count);
    for (size_t i = 0; i < count; ++i)
    {
        if (i + 8 < count)
            slots[i + 8]->PrefetchSelf();
        if (i + 4 < count)
            slots[i + 4]->PrefetchMainTile();
        if (slots[i]->PlaceIcon(view, m_fade))
            icons.push_back(slots[i]);
    }
    std::stable_sort(icons.begin(), icons.end(), [](GUI_ZoomOutSlot* a, GUI_ZoomOutSlot* b) {
        return a->GetIcon().m_texture.Get() < b->GetIcon().m_texture.Get();
    });
    for (GUI_ZoomOutSlot* slot : icons)
    {
        batch.SetTexture(&slot->GetIcon().m_texture);
        slot->GetIcon().AddToBatch();
    }
    batch.Flush();

    CLoadedTextureRef dot;
    dot.Set(m_vehicleTexture);
    batch.SetTexture(&dot);
    for (GUI_ZoomOutVehicle* vehicle : m_vehicles.Members())
        vehicle->Draw(view, m_fade);
    batch.Flush();
}
