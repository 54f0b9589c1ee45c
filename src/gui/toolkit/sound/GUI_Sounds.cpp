// The sound manager.
#include "gui/toolkit/sound/GUI_Sounds.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GOptions.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/MySoundEndReceiver.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/core/PFile.h"
#include "platform/core/PThread.h"

#include <algorithm>

namespace
{
// The engine's distance model: a placed sound falls off steeply beyond its minimum distance, so
// only what is near the camera is heard.
constexpr float kRolloff = 10.0f;
constexpr float kFlatMinDistance = 180.0f;
constexpr float kPlacedMinDistance = 400.0f;
// The listener rises to this height above the floor at the smallest zoom.
constexpr float kListenerTop = 2000.0f;
} // namespace

GUI_Sounds& GUI_Sounds::Instance()
{
    return GLifetime::Get<GUI_Sounds>();
}

GUI_Sounds::GUI_Sounds() : GUI_Sounds(nullptr)
{
}

GUI_Sounds::GUI_Sounds(std::unique_ptr<PAudioDevice> device, std::string soundFolder)
    : m_device(std::move(device)), m_soundFolder(std::move(soundFolder))
{
    GDebugLog::Instance().Log("Initialising Sound Engine");
    ApplyVolumes();
    if (!m_device)
    {
        std::string note;
        m_device = PAudioDevice::OpenDefault(note);
        GDebugLog::Instance().Log(note);
    }
    m_device->SetRolloffFactor(kRolloff);
    GDebugLog::Instance().Log("Finished Initialising Sound Engine");
    m_uiSoundNames[UI_SOUND_CLICK] = GUI_SoundNames::kClick;
    m_uiSoundNames[UI_SOUND_MOUSEOVER] = GUI_SoundNames::kMouseOver;
    m_uiSoundNames[UI_SOUND_HEAVY_CLICK] = GUI_SoundNames::kHeavyClick;
    m_uiSoundNames[UI_SOUND_SCROLL] = GUI_SoundNames::kScroll;
    m_uiSoundNames[UI_SOUND_ROTATE] = GUI_SoundNames::kRotate;
    m_endReceiver = std::make_unique<MySoundEndReceiver>(*this);
    m_device->SetStopListener(m_endReceiver.get());
}

GUI_Sounds::~GUI_Sounds()
{
    m_device->SetStopListener(nullptr);
    m_device->StopAll();
    m_device->StopMusic();
}

void GUI_Sounds::ApplyVolumes()
{
    GOptions& options = GOptions::Instance();
    m_effectsVolume = options.GetFloat("OPTIONS_SFX");
    m_musicVolume = options.GetFloat("OPTIONS_MUSIC");
    m_masterVolume = options.GetFloat("OPTIONS_MASTERVOLUME");
    if (m_device && !m_device->GetMusicState().path.empty())
        m_device->SetMusicVolume(std::clamp(m_masterVolume * m_musicVolume, 0.0f, 1.0f));
}

bool GUI_Sounds::OnMainThread(const char* operation) const
{
    if (PThread::IsMainThread())
        return true;
    // Sound is the main thread's; a worker that got here would race the engine.
    GDebugLog::Instance().LogError(std::string("Sound played off the main thread: ") + operation);
    return false;
}

std::string GUI_Sounds::FindSoundFile(const std::string& name) const
{
    std::string path = m_soundFolder + "/" + name;
    if (PFile::Exists(path))
        return path;
    FV_TRACE("Sound not found:[" + name + "]");
    return "";
}

PSoundHandle GUI_Sounds::PlaySound(const std::string& name, bool loop, bool keep, float volume)
{
    (void)keep; // every handle stays valid to test and stop; nothing is released by hand
    if (!OnMainThread("PlaySound"))
        return {};
    const std::string path = FindSoundFile(name);
    if (path.empty())
        return {};
    const PSoundHandle sound = m_device->Play2D(path, loop, volume, kFlatMinDistance);
    if (sound.IsValid())
        AddTrackedSound(sound, name);
    return sound;
}

PSoundHandle GUI_Sounds::PlaySoundAt(const std::string& name, bool loop, float x, float y, float volume)
{
    if (!OnMainThread("PlaySoundAt"))
        return {};
    const std::string path = FindSoundFile(name);
    if (path.empty())
        return {};
    const PSoundHandle sound = m_device->Play3D(path, x, y, 0.0f, loop, volume, kPlacedMinDistance);
    if (sound.IsValid())
        AddTrackedSound(sound, name);
    return sound;
}

PSoundHandle GUI_Sounds::PlayEffect(const std::string& name, float factor)
{
    if (m_muted)
        return {};
    return PlaySound(name, false, false, EffectVolume() * factor);
}

PSoundHandle GUI_Sounds::PlayUISound(GUI_UISound which)
{
    return PlayEffect(GetUISoundName(which));
}

const std::string& GUI_Sounds::GetUISoundName(GUI_UISound which) const
{
    static const std::string none;
    return which >= 0 && which < UI_SOUND_COUNT ? m_uiSoundNames[which] : none;
}

void GUI_Sounds::PlayMusic(bool nameIsPath, bool loop, const std::string& name)
{
    if (!OnMainThread("PlayMusic") || name == m_musicName)
        return;
    StopMusic();
    const std::string path = nameIsPath ? name : m_soundFolder + "/music/" + name;
    // A track that cannot start leaves no name behind, so asking for it again tries again.
    if (m_device->PlayMusic(path, loop, std::clamp(m_masterVolume * m_musicVolume, 0.0f, 1.0f)))
        m_musicName = name;
    else
        GDebugLog::Instance().Log("Music could not be started: " + path);
}

void GUI_Sounds::StopMusic()
{
    m_device->StopMusic();
    m_musicName.clear();
}

void GUI_Sounds::StopSound(PSoundHandle sound)
{
    const bool tracked =
        std::any_of(m_tracked.begin(), m_tracked.end(), [&](const TrackedSound& t) { return t.sound == sound; });
    if (tracked && !m_device->IsFinished(sound))
        m_device->Stop(sound);
}

void GUI_Sounds::PauseAll(bool pause)
{
    m_device->SetAllPaused(pause);
}

float GUI_Sounds::ListenerHeight(float zoom, float minZoom, float maxZoom)
{
    // A factory so small that its whole floor fits at the largest zoom has no zoom range.
    if (!(maxZoom > minZoom))
        return 0.0f;
    const float height = kListenerTop - kListenerTop * (zoom - minZoom) / (maxZoom - minZoom);
    return std::max(height, 0.0f);
}

void GUI_Sounds::Update()
{
    const GUI_SoundListenerView& view = m_listenerView;
    m_device->SetListener(view.x, view.y, ListenerHeight(view.zoom, view.minZoom, view.maxZoom));
    m_device->Update();
}

void GUI_Sounds::OnSoundStopped(PSoundHandle sound)
{
    m_tracked.erase(
        std::remove_if(m_tracked.begin(), m_tracked.end(), [&](const TrackedSound& t) { return t.sound == sound; }),
        m_tracked.end());
}

bool GUI_Sounds::IsSoundPlaying(const std::string& name) const
{
    return std::any_of(m_tracked.begin(), m_tracked.end(), [&](const TrackedSound& t) { return t.name == name; });
}

void GUI_Sounds::AddTrackedSound(PSoundHandle sound, const std::string& name)
{
    m_tracked.push_back(TrackedSound{sound, name});
}
