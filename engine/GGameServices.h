// What start-up, the frame and shutdown ask of subsystems that sit above the engine: sound,
// effects, the screens and the editors. The game installs its implementation before start-up.
// Without one (engine tests and tools) every call here is skipped with one line in the debug log,
// and each screen is a plain mode that shows its name, so the program still runs end to end.
#pragma once
#include <cstdint>
#include <string>

class GGameServices
{
public:
    virtual ~GGameServices() = default;

    // The installed implementation, or the headless defaults.
    static GGameServices& Get();
    // Installs (or, with null, removes) an implementation. Main thread, before start-up.
    static void Install(GGameServices* services);

    // --- sound ---
    // Volumes from the settings "OPTIONS_SFX", "OPTIONS_MUSIC", "OPTIONS_MASTERVOLUME".
    virtual void ApplyVolumes();
    virtual void PlayMusic(const std::string& name, bool looping);
    virtual void PlaySound(const std::string& name);
    virtual void UpdateSound();
    // Pauses (true) or resumes (false) every sound; the window lost or regained the focus.
    virtual void PauseAllSounds(bool pause);
    // Sets the shutting-down flag and stops and releases the playing music.
    virtual void ShutdownSound();

    // --- effects: texture cache, post-processing, animations, charts, particles ---
    virtual void InitTextureCache();
    virtual void InitPostProcessor();
    virtual void CompileAnimations();
    virtual void InitPieChartColours();
    virtual void ClearParticleEmitters();
    virtual void ClearParticleConfigs();
    virtual void LoadParticleConfigs();
    // Loads what the factory view draws in every game and keeps it for all of them.
    virtual void PrepareFactoryView();

    // --- screens ---
    // Builds the main menu (it registers itself as "mainmenu") and its buttons.
    virtual void BuildMainMenu();
    // Builds the settings screen (it registers itself as "options").
    virtual void BuildOptions();
    // Opens the modal please-wait window with a text; closes it. Main thread only.
    virtual void ShowPleaseWait(const std::string& text);
    virtual void ClosePleaseWait();
    // Makes sure the in-game mode exists (it registers itself as "game"); the new-game and
    // load paths call it before they switch to "game".
    virtual void BuildGameMode();
    // Makes sure the task editor exists (as "taskeditor") and prepares it for a visit.
    virtual void BuildTaskEditor();
    // After the switch to "editor": opens the mission editor's dialog on the named mission.
    virtual void OpenMissionEditor(const std::string& missionName);
    // True once after the daily update check found a newer version (the answer is cleared).
    virtual bool TakeUpdateAvailable() { return false; }
    // Rewrites prefs.ini with the screen settings the next start uses; false when it could not.
    virtual bool WritePrefs(int width, int height, int windowed, int borderless);
    // The save dialog wrote a game: its thumbnail, the next frame the game presents, goes to path.
    virtual void RequestSaveThumbnail(const std::string& path);

    // --- windows (the widget toolkit) ---
    // A screen's process step: the windows' per-frame update.
    virtual void UpdateWindows() {}
    // A screen's draw step, after its own drawing: the windows, then the queued tooltip, then
    // the mouse pointer's shape and a window being dragged, over everything.
    virtual void DrawWindows() {}
    // Mouse and keys go to the windows before the screen looks at them; true when a window
    // took the click.
    virtual bool WindowsLeftDown() { return false; }
    virtual bool WindowsRightDown() { return false; }
    virtual void WindowsWheel(bool up) { (void)up; }
    virtual void WindowsKeyDown(uint32_t virtualKey) { (void)virtualKey; }
    // Shutdown: every window goes while the device and the logs still exist.
    virtual void CloseAllWindows() {}

    // --- editors ---
    // Builds the mission editor and registers it as "editor".
    virtual void BuildMissionEditor();

protected:
    static void LogSkipped(const char* what);
};
