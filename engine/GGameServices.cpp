// Stand-ins for the subsystems that start-up and the frame call but that are not built yet.
#include "engine/GGameServices.h"

#include "engine/GD3DDevice.h"
#include "engine/GPlaceholderMode.h"
#include "engine/core/GDebugLog.h"

namespace
{
GGameServices* g_installedServices = nullptr;
}

GGameServices& GGameServices::Get()
{
    static GGameServices standIn;
    return g_installedServices ? *g_installedServices : standIn;
}

void GGameServices::Install(GGameServices* services)
{
    g_installedServices = services;
}

void GGameServices::LogMissing(const char* what)
{
    GDebugLog::Instance().Log(std::string("Not built yet: ") + what);
}

void GGameServices::ApplyVolumes()
{
    LogMissing("sound volumes");
}
void GGameServices::PlayMusic(const std::string& name, bool)
{
    LogMissing(("music " + name).c_str());
}
void GGameServices::PlaySound(const std::string& name)
{
    LogMissing(("sound " + name).c_str());
}
// Called every frame: a line per frame would bury the log, so the stand-in stays silent.
void GGameServices::UpdateSound()
{
}
void GGameServices::PauseAllSounds(bool pause)
{
    LogMissing(pause ? "sound pause" : "sound resume");
}
void GGameServices::ShutdownSound()
{
    LogMissing("sound shutdown");
}

void GGameServices::InitTextureCache()
{
    LogMissing("texture cache");
}
void GGameServices::InitPostProcessor()
{
    LogMissing("post-processor");
}
void GGameServices::CompileAnimations()
{
    LogMissing("animation compiler");
}
void GGameServices::InitPieChartColours()
{
    LogMissing("chart colours");
}
void GGameServices::ClearParticleEmitters()
{
    LogMissing("particle emitters");
}
void GGameServices::ClearParticleConfigs()
{
    LogMissing("particle configurations (clear)");
}
void GGameServices::LoadParticleConfigs()
{
    LogMissing("particle configurations (load)");
}

void GGameServices::BuildMainMenu()
{
    LogMissing("main menu");
    GPlaceholderMode::ForName("mainmenu");
}

void GGameServices::BuildOptions()
{
    LogMissing("settings screen");
    GPlaceholderMode::ForName("options");
}

void GGameServices::ShowPleaseWait(const std::string& text)
{
    LogMissing(("please-wait window: " + text).c_str());
}
void GGameServices::ClosePleaseWait()
{
}

void GGameServices::BuildGameMode()
{
    LogMissing("in-game mode");
    GPlaceholderMode::ForName("game");
}

void GGameServices::BuildTaskEditor()
{
    // The game's services build the real editor; without them (tools, tests) the switch to it
    // still finds a screen.
    GPlaceholderMode::ForName("taskeditor");
}

void GGameServices::OpenMissionEditor(const std::string& missionName)
{
    LogMissing(("mission editor dialog for " + missionName).c_str());
}

bool GGameServices::WritePrefs(int width, int height, int windowed, int borderless)
{
    (void)width;
    (void)height;
    (void)windowed;
    (void)borderless;
    LogMissing("screen settings file");
    return false;
}

void GGameServices::RequestSaveThumbnail(const std::string& path)
{
    // Without a game screen of its own the next presented frame is the picture.
    GD3DDevice::Instance().RequestScreenshot(path);
}

void GGameServices::BuildMissionEditor()
{
    LogMissing("mission editor");
    GPlaceholderMode::ForName("editor");
}
