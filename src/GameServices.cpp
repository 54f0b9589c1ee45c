// Start-up, frame and shutdown services of the game, section by section.
#include "GameServices.h"

#include "gui/factory/view/GUI_Factory.h"

#include "Game.h"
#include "engine/core/GLifetime.h"
#include "gui/editors/mission/GUI_MissionEditor.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/screens/cars/GUI_CarScreens.h"
#include "gui/screens/front/GUI_MainMenu.h"
#include "gui/screens/front/GUI_PleaseWait.h"
#include "gui/screens/front/GUI_UpdateNotice.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/options/GUI_Options.h"
#include "gui/screens/upgrades/GUI_UpgradePicker.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/effects/GUI_AnimationCompressor.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Presentation.h"
#include "update/SIM_UpdateCheck.h"

void GameServices::InstallForGame()
{
    static GameServices services;
    GGameServices::Install(&services);
    // The game screen answers the simulation from the start, so the first game set up already
    // reaches the factory view and the top bar. Screens with a share of the simulation's calls
    // join that one answer here with GUI_GamePresentation::Instance().AddPart(...).
    SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
    static GUI_CarScreens carScreens;
    GUI_GamePresentation::Instance().AddPart(&carScreens);
    // The car screens take the factory view's clicks when the in-game mode enters, the one mode
    // that hands the view clicks: the view itself is made on first use, after the device.
    GUI_UpgradePicker::ConnectSlotDialog();
}

// --- sound ---

void GameServices::ApplyVolumes()
{
    // The first use creates the manager and opens the sound output.
    GUI_Sounds::Instance().ApplyVolumes();
}

void GameServices::PlayMusic(const std::string& name, bool looping)
{
    GUI_Sounds::Instance().PlayMusic(false, looping, name);
}

void GameServices::PlaySound(const std::string& name)
{
    GUI_Sounds::Instance().PlayEffect(name);
}

void GameServices::UpdateSound()
{
    // The listener stands above the camera, so positional sounds pan and fade as the view moves.
    const GUI_Camera& camera = GUI_Camera::Instance();
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    sounds.SetListenerView(GUI_SoundListenerView{camera.GetX(), camera.GetY(), camera.GetZoom(), camera.GetMinZoom(),
                                                 camera.GetMaxZoom()});
    sounds.Update();
}

void GameServices::PauseAllSounds(bool pause)
{
    GUI_Sounds::Instance().PauseAll(pause);
}

void GameServices::ShutdownSound()
{
    // Nothing may start a sound from here on; whatever still plays ends with the program.
    GUI_Sounds* sounds = GLifetime::Find<GUI_Sounds>();
    if (!sounds)
        return;
    sounds->SetMuted(true);
    sounds->StopMusic();
}

// --- screens ---

void GameServices::BuildMainMenu()
{
    const Game& game = Game::Instance();
    GUI_UpdateNotice::SetSources(game.GetFolder(Game::FOLDER_WEBDEBUG) + "/patchnotes.ini", game.GetVersionText());
    GUI_MainMenu& menu = GUI_MainMenu::Instance();
    menu.SetVersionText(game.GetVersionText());
    menu.CreateButtons();
}

void GameServices::BuildOptions()
{
    GUI_Options::Instance();
}

bool GameServices::WritePrefs(int width, int height, int windowed, int borderless)
{
    return Game::Instance().WritePrefs(width, height, windowed, borderless);
}

void GameServices::ShowPleaseWait(const std::string& text)
{
    GUI_PleaseWait::Show();
    GUI_PleaseWait::SetMessage(text);
}

void GameServices::ClosePleaseWait()
{
    GUI_PleaseWait::CloseOpen();
}

bool GameServices::TakeUpdateAvailable()
{
    if (!SIM_UpdateCheck::IsUpdateAvailable())
        return false;
    SIM_UpdateCheck::ClearUpdateAvailable();
    return true;
}

// --- windows ---

void GameServices::UpdateWindows()
{
    GUI_WindowManager::Instance().Update();
}

void GameServices::DrawWindows()
{
    GUI_WindowManager::Instance().Draw();
    GUI_Tooltip::DrawQueuedTooltips();
    GUI_Cursor::Instance().Update();
}

bool GameServices::WindowsLeftDown()
{
    return GUI_WindowManager::Instance().OnClick();
}

bool GameServices::WindowsRightDown()
{
    return GUI_WindowManager::Instance().OnRightClick();
}

void GameServices::WindowsWheel(bool up)
{
    if (up)
        GUI_WindowManager::Instance().OnWheelUp();
    else
        GUI_WindowManager::Instance().OnWheelDown();
}

void GameServices::WindowsKeyDown(uint32_t virtualKey)
{
    GUI_WindowManager::Instance().OnKeyDown(virtualKey);
}

void GameServices::CloseAllWindows()
{
    if (GUI_WindowManager* windows = GLifetime::Find<GUI_WindowManager>())
        windows->CloseAll();
}

// --- effects ---

void GameServices::InitTextureCache()
{
    const Game& game = Game::Instance();
    GUI_TextureCache::CreateRenderTargets(game.GetRenderTargetWidth(), game.GetRenderTargetHeight());
    GUI_TextureCache::Init();
}

void GameServices::InitPostProcessor()
{
    const Game& game = Game::Instance();
    GUI_PostProcessor::Init(static_cast<int>(game.GetScreenWidth()), static_cast<int>(game.GetScreenHeight()),
                            game.GetRenderTargetWidth(), game.GetRenderTargetHeight());
}

void GameServices::CompileAnimations()
{
    ::CompileAnimations();
}

void GameServices::PrepareFactoryView()
{
    GUI_Factory::PrepareScene();
}

void GameServices::InitPieChartColours()
{
    ::InitPieChartColours();
}

void GameServices::ClearParticleEmitters()
{
    ::ClearParticleEmitters();
}

void GameServices::ClearParticleConfigs()
{
    ::ClearParticleConfigs();
}

void GameServices::LoadParticleConfigs()
{
    ::LoadParticleConfigs();
}

// --- editors ---

void GameServices::BuildMissionEditor()
{
    GUI_MissionEditor::Instance();
}

void GameServices::BuildTaskEditor()
{
    // Every visit starts from the files: what was not saved last time is gone.
    GUI_TaskEditor::Instance().Init();
}

void GameServices::OpenMissionEditor(const std::string& missionName)
{
    if (!GUI_MissionEditor::EditNamed(missionName))
        GGameServices::OpenMissionEditor(missionName);
}

// --- the game screen ---

void GameServices::BuildGameMode()
{
    GUI_Game::Instance();
}

void GameServices::RequestSaveThumbnail(const std::string& path)
{
    // The game screen takes the picture after its next whole frame, top bar and windows included.
    GUI_Game::Instance().RequestThumbnail(path);
}
