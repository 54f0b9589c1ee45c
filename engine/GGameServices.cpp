// The headless defaults: what start-up, the frame and shutdown get when no game services are
// installed (engine tests and tools).
#include "engine/GGameServices.h"

#include "engine/GD3DDevice.h"
#include "engine/GHeadlessMode.h"
#include "engine/core/GDebugLog.h"

namespace
{
GGameServices* g_installedServices = nullptr;
}

GGameServices& GGameServices::Get()
{
    static GGameServices headless;
    return g_installedServices ? *g_installedServices : headless;
}

void GGameServices::Install(GGameServices* services)
{
    g_installedServices = services;
}

void GGameServices::LogSkipped(const char* what)
{
    GDebugLog::Instance().Log(std::string("Headless, skipped: ") + what);
}

void GGameServices::ApplyVolumes()
{
    LogSkipped("sound volumes");
}
void GGameServices::PlayMusic(const std::string& name, bool)
{
    LogSkipped(("music " + name).c_str());
}
void GGameServices::PlaySound(const std::string& name)
{
    LogSkipped(("sound " + name).c_str());
}
// Called every frame: a line per frame would bury the log, so this default stays silent.
void GGameServices::UpdateSound()
{
}
void GGameServices::PauseAllSounds(bool pause)
{
    LogSkipped(pause ? "sound pause" : "sound resume");
}
void GGameServices::ShutdownSound()
{
    LogSkipped("sound shutdown");
}

void GGameServices::InitTextureCache()
{
    LogSkipped("texture cache");
}
void GGameServices::InitPostProcessor()
{
    LogSkipped("post-processor");
}
void GGameServices::CompileAnimations()
{
    LogSkipped("animation compiler");
}
void GGameServices::PrepareFactoryView()
{
    LogSkipped("factory view pictures");
}
void GGameServices::InitPieChartColours()
{
    LogSkipped("chart colours");
}
void GGameServices::ClearParticleEmitters()
{
    LogSkipped("particle emitters");
}
void GGameServices::ClearParticleConfigs()
{
    LogSkipped("particle configurations (clear)");
}
void GGameServices::LoadParticleConfigs()
{
    LogSkipped("particle configurations (load)");
}

void GGameServices::BuildMainMenu()
{
    LogSkipped("main menu");
    GHeadlessMode::ForName("mainmenu");
}

void GGameServices::BuildOptions()
{
    LogSkipped("settings screen");
    GHeadlessMode::ForName("options");
}

void GGameServices::ShowPleaseWait(const std::string& text)
{
    LogSkipped(("please-wait window: " + text).c_str());
}
void GGameServices::ClosePleaseWait()
{
}

void GGameServices::BuildGameMode()
{
    LogSkipped("in-game mode");
    GHeadlessMode::ForName("game");
}

void GGameServices::BuildTaskEditor()
{
    // The game's services build the real editor; without them (tools, tests) the switch to it
    // still finds a screen.
    GHeadlessMode::ForName("taskeditor");
}

void GGameServices::OpenMissionEditor(const std::string& missionName)
{
    LogSkipped(("mission editor dialog for " + missionName).c_str());
}

bool GGameServices::WritePrefs(int width, int height, int windowed, int borderless)
{
    (void)width;
    (void)height;
    (void)windowed;
    (void)borderless;
    LogSkipped("screen settings file");
    return false;
}

void GGameServices::RequestSaveThumbnail(const std::string& path)
{
    // Without a game screen of its own the next presented frame is the picture.
    GD3DDevice::Instance().RequestScreenshot(path);
}

void GGameServices::BuildMissionEditor()
{
    LogSkipped("mission editor");
    GHeadlessMode::ForName("editor");
}
