// The game's answer to what start-up, the frame and shutdown ask of the subsystems above the
// engine. Installed once by the program's entry; each subsystem fills in its own section.
#pragma once
#include "engine/GGameServices.h"

class GameServices : public GGameServices
{
public:
    // Installs the game's services (main thread, before start-up).
    static void InstallForGame();

    // --- sound ---
    void ApplyVolumes() override;
    void PlayMusic(const std::string& name, bool looping) override;
    void PlaySound(const std::string& name) override;
    void UpdateSound() override;
    void PauseAllSounds(bool pause) override;
    void ShutdownSound() override;

    // --- screens ---
    void BuildMainMenu() override;
    void BuildOptions() override;
    bool WritePrefs(int width, int height, int windowed, int borderless) override;
    void ShowPleaseWait(const std::string& text) override;
    void ClosePleaseWait() override;
    bool TakeUpdateAvailable() override;

    // --- windows (the widget toolkit) ---
    void UpdateWindows() override;
    void DrawWindows() override;
    bool WindowsLeftDown() override;
    bool WindowsRightDown() override;
    void WindowsWheel(bool up) override;
    void WindowsKeyDown(uint32_t virtualKey) override;
    void CloseAllWindows() override;
    // --- effects ---
    // Makes the off-screen render targets and fills the texture cache.
    void InitTextureCache() override;
    void InitPostProcessor() override;
    void CompileAnimations() override;
    void InitPieChartColours() override;
    void ClearParticleEmitters() override;
    void ClearParticleConfigs() override;
    void LoadParticleConfigs() override;
    void PrepareFactoryView() override;

    // --- editors ---
    void BuildMissionEditor() override;
    void BuildTaskEditor() override;
    void OpenMissionEditor(const std::string& missionName) override;

    // --- the game screen ---
    void BuildGameMode() override;
    void RequestSaveThumbnail(const std::string& path) override;
};
