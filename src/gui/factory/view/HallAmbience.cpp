// The hall's ambience and the sounds near the camera.
#include "gui/factory/view/HallAmbience.h"

#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "platform/audio/PAudioDevice.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

void HallAmbience::Start(const SIM_Factory* floor)
{
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    if (m_loop.IsValid())
        sounds.StopSound(m_loop);
    m_loop = PSoundHandle{};
    if (!sounds.IsMuted())
        m_loop = sounds.PlaySound(GUI_SoundNames::kAmbience, true, true, sounds.EffectVolume());
    Update(floor);
}

void HallAmbience::Stop()
{
    if (m_loop.IsValid())
        GUI_Sounds::Instance().StopSound(m_loop);
    m_loop = PSoundHandle{};
    m_roll.NearCamera().clear();
}

void HallAmbience::Update(const SIM_Factory* floor)
{
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    if (m_loop.IsValid())
    {
        const GUI_Camera& camera = GUI_Camera::Instance();
        const float range = camera.GetMaxZoom() - camera.GetMinZoom();
        // A floor so small that it cannot be zoomed counts as zoomed fully in.
        const float in = range > 0.0f ? std::clamp((camera.GetZoom() - camera.GetMinZoom()) / range, 0.0f, 1.0f) : 1.0f;
        sounds.GetDevice().SetVolume(m_loop, sounds.EffectVolume() * 0.1f * (0.25f + 0.75f * in));
    }
    MarkSlotsNearCamera(floor);
    PlayQueuedSoundRequests(SoundRequestQueue::Instance());
}

void HallAmbience::MarkSlotsNearCamera(const SIM_Factory* floor)
{
    for (GUI_SlotBase* view : m_roll.NearCamera())
        view->SetNearCamera(false);
    m_roll.NearCamera().clear();
    const int width = floor ? floor->GetWidth() : 0;
    const int height = floor ? floor->GetHeight() : 0;
    if (width <= 0 || height <= 0)
        return;
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float cx = camera.GetX(), cy = camera.GetY();
    // The simulation's own look-up of a world point: half a tile added, then cut toward zero.
    const float rowAt = (2.0f * cy + cx) / 512.0f + 0.5f;
    const float columnAt = (2.0f * cy - cx) / 512.0f + 0.5f;
    const int a = std::clamp(static_cast<int>(rowAt), 0, width - 1);
    const int b = std::clamp(static_cast<int>(columnAt), 0, height - 1);
    // Three tiles before the camera's tile and two after, each way.
    for (int x = std::max(a - 3, 0); x < std::min(a + 3, width); ++x)
    {
        for (int y = std::max(b - 3, 0); y < std::min(b + 3, height); ++y)
        {
            const SIM_Tile* tile = floor->GetTile(x, y);
            const SIM_PlaceableSlot* slot = tile ? tile->m_occupant : nullptr;
            if (auto* view = slot ? dynamic_cast<GUI_SlotBase*>(slot->GetGuiSlot()) : nullptr)
                m_roll.MarkNearCamera(*view);
        }
    }
}
