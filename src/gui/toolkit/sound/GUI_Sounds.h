// The game's one sound manager: plays the interface and factory sound effects (flat, or placed
// on the factory floor), one music track at a time, at the player's three volumes; keeps track
// of the effects it started until they end; and places the listener above the camera every frame.
// Effects come from data/sounds, music from data/sounds/music.
//
// Everything here runs on the main thread. Worker jobs ask for placed sounds through the sound
// request queue (SoundRequestQueue.h), which the main thread plays after the jobs.
#pragma once
#include "gui/toolkit/sound/GUI_SoundBank.h"
#include "gui/toolkit/sound/TrackedSound.h"
#include "platform/audio/PSoundHandle.h"

#include <memory>
#include <string>
#include <vector>

class MySoundEndReceiver;
class PAudioDevice;

// The five interface sounds, by their index in the manager's list of names.
enum GUI_UISound
{
    UI_SOUND_CLICK = 0,
    UI_SOUND_MOUSEOVER = 1,
    UI_SOUND_HEAVY_CLICK = 2,
    UI_SOUND_SCROLL = 3,
    UI_SOUND_ROTATE = 4,
    UI_SOUND_COUNT = 5
};

// Where the camera looks and how far it is zoomed; the listener stands above that point.
struct GUI_SoundListenerView
{
    float x = 0.0f;
    float y = 0.0f;
    float zoom = 1.0f;
    float minZoom = 0.125f;
    float maxZoom = 1.0f;
};

class GUI_Sounds
{
public:
    // The game's manager, created on first use (start-up creates it before the music starts)
    // on the sound output, or silently when there is none.
    static GUI_Sounds& Instance();

    // A manager playing through device, reading effects from soundFolder and music from
    // soundFolder/music.
    GUI_Sounds(std::unique_ptr<PAudioDevice> device, std::string soundFolder = "data/sounds");
    virtual ~GUI_Sounds();
    GUI_Sounds(const GUI_Sounds&) = delete;
    GUI_Sounds& operator=(const GUI_Sounds&) = delete;

    // Reads "OPTIONS_SFX", "OPTIONS_MUSIC" and "OPTIONS_MASTERVOLUME" and sets the playing
    // music's volume from them. Effects already playing keep their volume.
    void ApplyVolumes();

    // A flat effect from data/sounds, at volume (callers pass master x effects x their own
    // factor; see EffectVolume). The invalid handle when the file is missing ("Sound not found"
    // is traced) or the engine cannot start it. keep says the caller holds the handle to stop a
    // looping sound later; every handle stays safe to pass to StopSound.
    PSoundHandle PlaySound(const std::string& name, bool loop, bool keep, float volume);
    // An effect placed at (x, y) on the factory floor (world units), heard from the listener.
    PSoundHandle PlaySoundAt(const std::string& name, bool loop, float x, float y, float volume);
    // The usual interface effect: unless muted, name played once, flat, at master x effects x
    // factor. The invalid handle when muted.
    PSoundHandle PlayEffect(const std::string& name, float factor = 1.0f);
    // One of the five interface sounds, as PlayEffect.
    PSoundHandle PlayUISound(GUI_UISound which);

    // Starts a music track, replacing the current one; nothing when that name already plays.
    // name is under data/sounds/music unless nameIsPath.
    void PlayMusic(bool nameIsPath, bool loop, const std::string& name);
    // Stops the music and forgets its name (shutdown).
    void StopMusic();
    // Stops a tracked effect that is still playing. Invalid, stale and unknown handles are ignored.
    void StopSound(PSoundHandle sound);
    // Pauses (true) or resumes (false) every sound and the music: the window lost or regained
    // the focus. The manager's own state is not touched.
    void PauseAll(bool pause);

    // Once per frame, after the frame is shown: places the listener and retires ended effects.
    void Update();
    // The engine reports an effect's end (through the receiver, on the main thread).
    void OnSoundStopped(PSoundHandle sound);
    // True while a tracked effect has exactly this name.
    bool IsSoundPlaying(const std::string& name) const;

    // The camera the listener stands above, given every frame before Update.
    void SetListenerView(const GUI_SoundListenerView& view) { m_listenerView = view; }
    // The listener's height above the floor for a zoom: 2000 at the smallest zoom, 0 at the
    // largest.
    static float ListenerHeight(float zoom, float minZoom, float maxZoom);

    // master x effects: what an ordinary effect plays at.
    float EffectVolume() const { return m_masterVolume * m_effectsVolume; }
    // While muted, callers start no effect (a game being torn down, shutdown).
    bool IsMuted() const { return m_muted; }
    void SetMuted(bool muted) { m_muted = muted; }
    const std::string& GetUISoundName(GUI_UISound which) const;
    const std::string& GetMusicName() const { return m_musicName; }
    const std::vector<TrackedSound>& GetTrackedSounds() const { return m_tracked; }
    PAudioDevice& GetDevice() { return *m_device; }

private:
    friend class GLifetime; // the program's owner creates it on the sound output, if there is one
    GUI_Sounds();

    void AddTrackedSound(PSoundHandle sound, const std::string& name);
    // Main-thread guard for the play operations; worker threads must use the request queue.
    bool OnMainThread(const char* operation) const;
    // The file's path, or "" after tracing "Sound not found" when it does not exist.
    std::string FindSoundFile(const std::string& name) const;

    float m_masterVolume = 1.0f;
    float m_musicVolume = 1.0f;
    float m_effectsVolume = 1.0f;
    std::unique_ptr<PAudioDevice> m_device;
    std::string m_soundFolder;
    std::string m_musicName;
    GUI_SoundBank m_banks[2];
    std::string m_uiSoundNames[UI_SOUND_COUNT];
    std::vector<TrackedSound> m_tracked;
    std::unique_ptr<MySoundEndReceiver> m_endReceiver;
    GUI_SoundListenerView m_listenerView;
    bool m_muted = false;
};
