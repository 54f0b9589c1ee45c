// The application object: start-up in its fixed order, the frame, shutdown and screenshots.
#include "Game.h"

#include "CInput.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GFontSheets.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GCommandLine.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GOptions.h"
#include "engine/core/GRandom.h"
#include "engine/core/GSystemUtils.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "platform/core/PClock.h"
#include "platform/core/PDirectory.h"
#include "platform/core/PFile.h"
#include "platform/core/PRandom.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PWindow.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "update/SIM_UpdateCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace
{
// Sizes above this are not a screen any device can show; prefs holding them are junk.
constexpr int kGameLargestScreenSide = 16384;

int GameReadPrefsInt(const IniLoader& ini, const char* key)
{
    // Copied into a bounded buffer and converted like atoi, as the stored file is plain text.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", ini.GetValue(key).c_str());
    return std::atoi(buffer);
}
} // namespace

Game& Game::Instance()
{
    return GLifetime::Get<Game>();
}

std::string Game::GetFolder(int index) const
{
    if (index < 0 || index >= FOLDER_COUNT)
        return std::string();
    return m_folders[index];
}

std::string Game::PrefsPath() const
{
    return m_folders[FOLDER_USER] + "/prefs.ini";
}

std::string Game::CrashMarkerPath() const
{
    return m_folders[FOLDER_USER] + "/firstruncrash.txt";
}

int Game::PowerOfTwoTarget(int size)
{
    for (int p = 256; p <= 4096; p *= 2)
        if (p >= size)
            return p;
    return 8192;
}

std::string Game::ScreenshotName(int day, int month, int year, int hour, int minute, int second)
{
    char name[256];
    std::snprintf(name, sizeof name, "screenshot_%02d-%02d-%04d_%02d-%02d-%02d.jpg", day, month, year, hour, minute,
                  second);
    return name;
}

void Game::CreateUserFolders()
{
    std::string documents = PDirectory::DocumentsFolder();
    std::string base;
    if (documents.empty())
    {
        DebugTrace("Failed to get mydocuments", "Game", 291);
        base = "userdir";
    }
    else
    {
        base = documents + "/My Games";
        // A Documents folder that cannot be written would end the program at the first
        // folder; the relative user folder beside the game is the fallback the game already
        // knows for systems without Documents.
        if (!PDirectory::CreatePath(base + "/ferrovane"))
        {
            m_folderFallbackNote = "Cannot create " + base + "/ferrovane, using userdir";
            base = "userdir";
        }
    }
    EnsureDirectoryExists(base);
    m_folders[FOLDER_USER] = base + "/ferrovane";
    EnsureDirectoryExists(m_folders[FOLDER_USER]);
    static const char* const kSubfolders[] = {"%s/savegames", "%s/debug", "%s/screenshots", "%s/webdebug"};
    for (int i = 0; i < 4; ++i)
    {
        char path[1024];
        std::snprintf(path, sizeof path, kSubfolders[i], m_folders[FOLDER_USER].c_str());
        EnsureDirectoryExists(path);
        m_folders[FOLDER_SAVEGAMES + i] = path;
    }
}

bool Game::WritePrefs(int width, int height, int windowed, int borderless)
{
    char text[256];
    std::snprintf(text, sizeof text, "[prefs]\nwidth = %d\nheight = %d\nwindowed = %d\nborderless = %d\n", width,
                  height, windowed, borderless);
    // Rewritten after a crash during set-up, when a second crash is likeliest: replaced all at
    // once, so the player's size survives a kill at any moment.
    const bool ok = GFile::Replace(PrefsPath(), text);
    DebugAssert(ok, "Game", 88);
    return ok;
}

void Game::ReadScreenSizeAndPrefs(int& width, int& height)
{
    PWindow& window = PWindow::Instance();
    int desktopW = 0, desktopH = 0;
    window.GetDesktopSize(desktopW, desktopH);
    width = desktopW;
    height = desktopH;
    char line[2048];
    std::snprintf(line, sizeof line, "Desktop resolution is %d x %d", width, height);
    GDebugLog::Instance().Log(line);
    if (height < m_minScreenHeight)
    {
        height = m_minScreenHeight;
        GDebugLog::Instance().LogError("WARNING: Desktop Screen Resolution is below MinScreenHeight");
    }
    m_windowed = false;
    m_borderless = false;

    bool usable = false;
    if (PFile::Exists(PrefsPath()))
    {
        IniLoader ini;
        ini.Load("prefs", PrefsPath());
        const int storedW = GameReadPrefsInt(ini, "width");
        const int storedH = GameReadPrefsInt(ini, "height");
        const int storedWindowed = GameReadPrefsInt(ini, "windowed");
        // Zero, negative or junk sizes would reach window and device creation; such a file
        // counts as missing and is written again with the desktop defaults.
        if (storedW >= 1 && storedH >= 1 && storedW <= kGameLargestScreenSide && storedH <= kGameLargestScreenSide)
        {
            usable = true;
            width = storedW;
            height = storedH;
            m_windowed = storedWindowed != 0;
            window.GetDesktopSize(desktopW, desktopH);
            if (width == desktopW && height == desktopH)
            {
                m_windowed = true;
                m_borderless = true;
                GDebugLog::Instance().Log(
                    "Windowed but matching fullscreen dimensions == initialising borderless window mode");
            }
        }
        else
        {
            std::snprintf(line, sizeof line, "prefs.ini holds an unusable size %d x %d; using the desktop size",
                          storedW, storedH);
            GDebugLog::Instance().LogError(line);
        }
    }
    if (!usable)
    {
        m_windowed = true;
        m_borderless = true;
        WritePrefs(width, height, 1, 1);
    }
}

void Game::HandleCrashMarker(int width, int height)
{
    const std::string marker = CrashMarkerPath();
    if (PFile::Exists(marker))
    {
        GDebugLog::Instance().LogError("First run crash detected, switching to windowed mode automagically");
        m_windowed = true;
        WritePrefs(width, height, 1, m_borderless ? 1 : 0);
        GFile::Delete(marker);
    }
    else
    {
        FILE* f = GFile::Open(marker, "wt");
        if (f)
            std::fclose(f);
    }
}

bool Game::InitDevice(int width, int height, bool windowed)
{
    GD3DDevice& device = GD3DDevice::Instance();
    if (!device.Init(width, height, windowed))
        return false;
    if (windowed)
    {
        PWindow::Instance().GetClientSize(width, height);
    }
    else
    {
        // A display without the stored mode gives the nearest it has. Laid out at the stored size,
        // the picture would be shifted and cut off and clicks would miss what is drawn; the
        // stored size stays in prefs.ini for a display that has it.
        int shownW = 0, shownH = 0;
        device.GetBackBufferSize(shownW, shownH);
        if (shownW > 0 && shownH > 0 && (shownW != width || shownH != height))
        {
            char line[256];
            std::snprintf(line, sizeof line, "Full screen at %d x %d: the display shows %d x %d", width, height, shownW,
                          shownH);
            GDebugLog::Instance().Log(line);
            width = shownW;
            height = shownH;
        }
    }
    m_screenWidth = static_cast<float>(width);
    m_screenHeight = static_cast<float>(height);
    GScreenSize::Set(width, height);
    SharedVertexBatch().Create(8000);
    if (device.AllowsNonPowerOfTwo())
    {
        m_renderTargetWidth = width;
        m_renderTargetHeight = height;
    }
    else
    {
        m_renderTargetWidth = PowerOfTwoTarget(width);
        m_renderTargetHeight = PowerOfTwoTarget(height);
    }
    device.CreateRenderTarget("rt_car_sprite_cache", 4096, 2048, PFormat::A8R8G8B8);
    GUI_ShaderManager::Instance().LoadAll();
    SetFrameDevice(&GD3DDevice::Instance());
    return true;
}

void Game::LoadFonts()
{
    GFontManager& fonts = GFontManager::Instance();
    fonts.Init();
    for (const GFontSheet& f : kGameFontSheets)
    {
        LibFont* font = fonts.CreateFont(f.pointSize, f.cell, f.rows, f.perRow, GFontWidthTablePath(f), f.texture);
        if (font)
            font->m_letterSpacing = f.letterSpacing;
    }
}

void Game::SelectFontExtraBold36()
{
    GFontManager::Instance().SelectFont("Open Sans ExtraBold_36.dds", 36.0f);
}

void Game::SelectFontSemibold20OnBlack()
{
    GFontManager::Instance().SelectFont("Open Sans Semibold_20_onblack.dds", 20.0f);
}

void Game::SelectFontSemibold16()
{
    GFontManager::Instance().SelectFont("Open Sans Semibold_16.dds", 16.0f);
}

bool Game::Init()
{
    GGameServices& services = GGameServices::Get();
    PRandom::Seed(PClock::TimeGetTime());

    CreateUserFolders();
    // Savegames go to the user's savegames folder and carry this version in their header.
    SaveFolder::Set(m_folders[FOLDER_SAVEGAMES]);
    SIM_SaveGame::Instance().SetVersionText(m_versionText);

    GDebugLog::Instance().Open(m_folders[FOLDER_USER]);
    char banner[256];
    std::snprintf(banner, sizeof banner, "Ferrovane Debug File version: %s", m_versionText.c_str());
    GDebugLog::Instance().Log(banner);
    if (!m_folderFallbackNote.empty())
        GDebugLog::Instance().LogError(m_folderFallbackNote);
    // Without its data the game can show nothing at all: say where it looked, and stop.
    if (!PDirectory::Exists("data"))
    {
        std::error_code ignored;
        const std::string folder = (std::filesystem::current_path(ignored) / "data").string();
        DebugErrorBox("The game's data folder was not found: " + folder, "Game", __LINE__);
        return false;
    }

    GOptions::Instance().SetPath(m_folders[FOLDER_USER] + "/config.txt");
    GOptions::Instance().Load();

    PWindow& window = PWindow::Instance();
    if (!window.StartVideo())
        GDebugLog::Instance().LogError("No display could be opened");
    int width = 0, height = 0;
    ReadScreenSizeAndPrefs(width, height);
    HandleCrashMarker(width, height);

    if (!window.Create(width, height, m_windowed, m_borderless, "Ferrovane"))
        WindowsError("CreateWindow");
    PGraphics::SetGameWindow(window.Handle());
    window.SetIconFromFile("data/ferrovane.bmp");
    window.Show();

    if (!InitDevice(width, height, m_windowed))
    {
        // Going on without a device would crash at the first frame. The crash marker stays,
        // so the next start falls back to a window.
        DebugErrorBox("The graphics device could not be started", "Game", 412);
        return false;
    }
    GFile::Delete(CrashMarkerPath());

    GOptions::Instance().AddFloatIfMissing("OPT_CONVEYOR_GUI", 1.0f);
    SIM_ThreadManager::Instance().Init();
    services.ApplyVolumes();
    services.PlayMusic(GUI_SoundNames::kMusic, true);
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GTextureManager::Instance().AddFolder(m_folders[FOLDER_SAVEGAMES]);
    services.InitTextureCache();
    services.InitPostProcessor();
    services.CompileAnimations();
    GRandom::Init();
    LoadFonts();
    services.InitPieChartColours();
    // The table is read now, on the main thread, so no worker is ever the first to ask.
    GTextTable::Instance().SetFileName("data/strings.ini");
    GTextTable::Instance().Load();
    services.ClearParticleEmitters();
    services.ClearParticleConfigs();
    services.LoadParticleConfigs();
    // What the factory view draws in every game is loaded once, here, not in every game's load.
    services.PrepareFactoryView();
    services.BuildMainMenu();
    services.BuildMissionEditor();
    // After a relaunch the first screen is the settings screen, which must exist by then.
    services.BuildOptions();
    if (GCommandLine::Instance().HasSilent())
        SetGameMode("options");
    else
        SetGameMode("mainmenu");
    SIM_UpdateCheck::Instance().Run();
    return true;
}

void Game::Update()
{
    Frame();
    GGameServices::Get().UpdateSound();
    // The update check finishes on a worker; its window is closed here, on the main thread.
    SIM_UpdateCheck::Instance().PollFinished();
}

void Game::Quit()
{
    SetRunning(false);
    Shutdown();
}

void Game::Shutdown()
{
    // Quitting from a mode's Process runs shutdown there and again at the end of the frame;
    // the second run must find nothing left to do.
    if (m_shutDown)
        return;
    m_shutDown = true;
    // The end only tears down what the run made: an object made now would be destroyed out of
    // order, after what it uses. So each step below asks whether its object exists.
    GLifetime::Program().BeginEnd();
    GGameServices& services = GGameServices::Get();
    services.CloseAllWindows();
    services.ShutdownSound();
    if (GUI_ShaderManager* shaders = GLifetime::Find<GUI_ShaderManager>())
        shaders->ReleaseAll();
    services.ClearParticleEmitters();
    services.ClearParticleConfigs();
    // A running update check is stopped and waited for: nothing may log into a closed log.
    SIM_UpdateCheck* check = GLifetime::Find<SIM_UpdateCheck>();
    if (check)
        check->Cancel();
    if (SIM_ThreadManager* threads = GLifetime::Find<SIM_ThreadManager>())
        threads->WaitForAllJobs();
    if (check)
        check->PollFinished();
    if (SIM_Game* game = GLifetime::Find<SIM_Game>())
        game->Reset();
    PWindow::Instance().PostQuit(0);
    SetRunning(false);
    if (GDebugLog* log = GLifetime::Find<GDebugLog>())
        log->Close();
}

void Game::TakeScreenshot()
{
    GGameServices::Get().PlaySound(GUI_SoundNames::kScreenshot);
    const PSystemTime now = PClock::LocalTime();
    const std::string name = ScreenshotName(now.day, now.month, now.year, now.hour, now.minute, now.second);
    // Two pictures within one second share the name; the second gets a number instead of
    // overwriting the first.
    std::string path = m_folders[FOLDER_SCREENSHOTS] + "/" + name;
    for (int n = 2; PFile::Exists(path) || path == m_lastScreenshotPath; ++n)
        path = m_folders[FOLDER_SCREENSHOTS] + "/" + name.substr(0, name.size() - 4) + "_" + std::to_string(n) + ".jpg";
    m_lastScreenshotPath = path;
    GDebugLog::Instance().Log("Screenshot requested: " + m_lastScreenshotPath);
    GD3DDevice::Instance().RequestScreenshot(m_lastScreenshotPath);
}
