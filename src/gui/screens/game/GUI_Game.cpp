// The game screen, mode "game".
#include "gui/screens/game/GUI_Game.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GGame.h"
#include "engine/GGameServices.h"
#include "engine/core/GCommandLine.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/dialogs/FactoryDialogs.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/objects/GUI_ResourceGraph.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/screens/cars/GUI_CarScreens.h"
#include "gui/screens/facilities/FacilityScreenHooks.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePlacers.h"
#include "gui/screens/game/GUI_Interface.h"
#include "gui/screens/game/GUI_SpeedControls.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_RenderTargetViewer.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/core/PClock.h"
#include "platform/video/PWindowMessage.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"

#include <algorithm>

namespace
{
constexpr float kGameNominalFrameMs = 16.666666f;
// No slot overlay is chosen from this screen; the view draws the plain floors.
constexpr int kGameNoSlotOverlay = 3;

double GameFrameClockMs()
{
    int64_t counter = 0;
    int64_t frequency = 0;
    if (PClock::QueryCounter(counter) && PClock::QueryFrequency(frequency) && frequency > 0)
        return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency);
    return static_cast<double>(PClock::TimeGetTime());
}
} // namespace

GUI_Game& GUI_Game::Instance()
{
    return GLifetime::Get<GUI_Game>();
}

GUI_Game::GUI_Game()
{
    Register(kModeName);
    ReadStartWords(GCommandLine::Instance());
}

void GUI_Game::ReadStartWords(const GCommandLine& words)
{
    m_debugOverlay = words.HasDebug();
}

GUI_Game::~GUI_Game() = default;

float GUI_Game::FrameFactorFor(double elapsedMs)
{
    float factor = static_cast<float>(elapsedMs) / kGameNominalFrameMs;
    if (!(factor >= 0.1f))
        factor = 0.1f;
    if (factor > 4.0f)
        factor = 4.0f;
    return factor;
}

void GUI_Game::Process()
{
    CBaseInputManager* input = CBaseInputManager::Active();
    if (input)
        input->Update();
    GGameServices::Get().UpdateWindows();
    GUI_Factory::Instance().Update();
    GUI_Camera::Instance().Update(m_frameFactor);
}

void GUI_Game::Draw()
{
    const double now = GameFrameClockMs();
    const double elapsed = m_lastFrameMs < 0.0 ? kGameNominalFrameMs : now - m_lastFrameMs;
    m_lastFrameMs = now;
    m_frameFactor = FrameFactorFor(elapsed);
    GUI_Factory& view = GUI_Factory::Instance();
    view.SetFrameFactor(m_frameFactor);

    SIM_Game::Instance().Update();

    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
    {
        const PResult result = device->Clear(kClearColour);
        if (result != PRES_OK)
            LogD3DError(result, "ClearScreen()");
    }
    view.Draw();
    if (m_debugOverlay)
        view.DrawWaypoints();
    const GUI_Camera& camera = GUI_Camera::Instance();
    UpdateAndDrawParticleEmitters(ParticleView{camera.GetX(), camera.GetY(), camera.GetZoom()});
    while (RetireFinishedParticleEmitter())
    {
    }
    GUI_ZoomOutIcons::Instance().Draw();
    view.DrawLabels();
    view.ApplySlotOverlay(kGameNoSlotOverlay);
    GUI_ResourceGraph::Instance().Draw();
    GUI_FloatingValue::DrawAll();
    GUI_GamePlacers::Get().DrawGhosts();
    // A slot's problem stays readable over a ghost or a sum rising from a tile near it.
    view.DrawNotices();
    // The render-target viewer shows only once something shows it.
    GUI_RenderTargetViewer::Instance().Draw();
    // The windows (the top bar among them), the tooltip and the pointer.
    GGameServices::Get().DrawWindows();
    if (m_screenshotPending)
        SaveScreenshot();
}

void GUI_Game::OnLeftDown()
{
    if (GGameServices::Get().WindowsLeftDown())
        return;
    if (GUI_GamePlacers::Get().OnLeftDown())
        return;
    if (const CBaseInputManager* input = CBaseInputManager::Active())
        GUI_Factory::Instance().OnClick(input->GetMouseX(), input->GetMouseY());
}

void GUI_Game::OnRightDown()
{
    // A tool in use takes the right click whole: it only drops what the tool held.
    if (GUI_GamePlacers::Get().OnRightDown())
        return;
    if (GGameServices::Get().WindowsRightDown())
        return;
    if (const CBaseInputManager* input = CBaseInputManager::Active())
        GUI_Factory::Instance().OnRightClick(input->GetMouseX(), input->GetMouseY());
}

void GUI_Game::OnMiddleDown()
{
    RotatePlacer();
}

void GUI_Game::OnLeftUp()
{
    GUI_GamePlacers::Get().OnLeftUp();
}

void GUI_Game::RotatePlacer()
{
    GUI_GamePlacers::Get().RotatePlacers();
}

void GUI_Game::StepZoom(bool in)
{
    GUI_Camera::Instance().StepZoom(in);
}

void GUI_Game::OnWheelUp()
{
    GGameServices::Get().WindowsWheel(true);
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input || !input->IsMouseTaken())
        StepZoom(true);
}

void GUI_Game::OnWheelDown()
{
    GGameServices::Get().WindowsWheel(false);
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input || !input->IsMouseTaken())
        StepZoom(false);
}

void GUI_Game::OnChar(uint32_t character)
{
    // What is typed into a text field is the field's alone (a save named "My Save 2" must not
    // change the speed); the hot keys also rest while a modal window is open.
    if (!IsTyping() && !GUI_WindowManager::Instance().HasModal())
    {
        switch (character)
        {
        case ' ':
            SIM_Game::Instance().TogglePause();
            GUI_SpeedControls::SyncIfOpen();
            break;
        case '1':
            GUI_SpeedControls::ChooseSpeed(1.0f);
            break;
        case '2':
            GUI_SpeedControls::ChooseSpeed(2.0f);
            break;
        case '3':
            GUI_SpeedControls::ChooseSpeed(4.0f);
            break;
        case 'R':
        case 'r':
            RotatePlacer();
            break;
        default:
            break;
        }
    }
    GGameMode::OnChar(character);
}

void GUI_Game::OnKeyDown(uint32_t virtualKey)
{
    // A text field keeps the keys it edits with and the hot keys rest; Escape still cancels.
    if (IsTyping() && virtualKey != PVK_ESCAPE)
    {
        GGameMode::OnKeyDown(virtualKey);
        return;
    }
    switch (virtualKey)
    {
    case PVK_ESCAPE:
        // A tool in hand is dropped and the key goes no further.
        if (GUI_GamePlacers::Get().OnEscape())
            return;
        // The lost game is not escaped: its dialog stays until its own button.
        if (!GUI_GameOver::GetOpen())
            GUI_WindowManager::Instance().CloseTopDialog();
        break;
    case PVK_PRIOR:
        StepZoom(true);
        break;
    case PVK_NEXT:
        StepZoom(false);
        break;
    case PVK_F2:
        QuickSave();
        break;
    case PVK_F3:
        QuickLoad();
        break;
    default:
        break;
    }
    GGameMode::OnKeyDown(virtualKey);
}

bool GUI_Game::QuickSave()
{
    if (!SIM_SaveGame::Instance().QuickSave())
        return false;
    // The quick save gets its picture in the load list like any other save.
    Instance().RequestThumbnail(SaveFolder::Get() + "/" + SaveFolder::kQuickSaveName + ".jpg");
    return true;
}

void GUI_Game::QuickLoad()
{
    // Without an autosave the reader shows its first stage and says so in a box, as for any
    // save it cannot open.
    SIM_LoadGame& loader = SIM_LoadGame::Instance();
    if (!loader.QuickLoad())
    {
        // The reader has shown what went wrong. A load refused before it began keeps the game
        // the player was playing; a game that could not be read whole is not played on.
        if (loader.ChangedGame())
            EndGame();
        return;
    }
    GUI_SpeedControls::SyncIfOpen();
}

void GUI_Game::Enter()
{
    // Entering again (a savegame loaded from the game itself) builds a fresh bar.
    CloseGameWindows();
    // The first frame counts as a nominal one: the camera's first update must not run at the
    // pace of the last frame of the game before.
    m_lastFrameMs = -1.0;
    m_frameFactor = 1.0f;
    m_interface = std::make_unique<GUI_Interface>();
    m_interface->Init();
    GUI_Factory& view = GUI_Factory::Instance();
    // The labels over the floor keep clear of the bar.
    view.SetCoveredTop(GUI_Interface::kHeight);
    // What a click on the floor opens: a car's details, a facility's dialog or popup, a zone's offer.
    GUI_CarScreens::ConnectFactoryView(view.GetTools());
    InstallFacilityScreenHooks(view.GetTools());
    // A production slot's information dialog and a supply stockpile's dialog.
    FactoryDialogs::Install(view.GetTools());
    view.GetTools().isLoadingSave = [] { return SIM_LoadGame::Instance().IsLoading(); };
}

void GUI_Game::Exit()
{
    CloseGameWindows();
}

void GUI_Game::CloseGameWindows()
{
    GUI_FloatingValue::ResetPool();
    GUI_ResourceGraph::Instance().Clear();
    ClearParticleEmitters();
    ClearParticleConfigs();
    if (m_interface)
    {
        m_interface->DeleteMenu();
        m_interface.reset();
    }
    GUI_TaskPicker::CloseOpen();
    GUI_WindowManager::Instance().CloseAllDialogs();
}

void GUI_Game::RequestThumbnail(const std::string& path)
{
    m_screenshotPath = path;
    m_screenshotPending = true;
}

void GUI_Game::SaveScreenshot()
{
    GD3DDevice::Instance().RequestScreenshot(m_screenshotPath);
    m_screenshotPending = false;
}

void GUI_Game::EndGame()
{
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    const bool wasMuted = sounds.IsMuted();
    // Removing every slot makes no sound.
    sounds.SetMuted(true);
    GUI_GamePlacers::Get().Reset();
    // Every window that shows part of the factory goes before the factory does.
    GGame* game = GGame::Active();
    if (game)
        game->SetGameMode("mainmenu");
    if (!game || GGameMode::Current() == &Instance())
        Instance().CloseGameWindows();
    SIM_Game::Instance().Reset();
    sounds.SetMuted(wasMuted);
}
