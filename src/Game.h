// The application object: owns the version, the player's folders, the screen size and,
// through its engine base, the current game mode. Start-up, the frame, shutdown, screenshots.
#pragma once
#include "engine/GGame.h"

#include <string>

class Game : public GGame
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static Game& Instance();

    enum Folder
    {
        FOLDER_USER = 0,
        FOLDER_SAVEGAMES = 1,
        FOLDER_DEBUG = 2,
        FOLDER_SCREENSHOTS = 3,
        FOLDER_WEBDEBUG = 4,
        FOLDER_COUNT = 5,
    };

    bool Init() override;
    void Update() override;
    void Shutdown() override;
    void Quit() override;

    // A copy of folder 0-4 (empty for any other index).
    std::string GetFolder(int index) const;
    // Writes prefs.ini in the user folder. False when it cannot be written.
    bool WritePrefs(int width, int height, int windowed, int borderless);
    // Asks for a picture of the next presented frame in the screenshots folder.
    void TakeScreenshot();

    // Font selectors screens use before they draw text.
    void SelectFontExtraBold36();
    void SelectFontSemibold20OnBlack();
    void SelectFontSemibold16();

    const std::string& GetVersionText() const { return m_versionText; }
    float GetVersionNumber() const { return m_versionNumber; }
    float GetScreenWidth() const { return m_screenWidth; }
    float GetScreenHeight() const { return m_screenHeight; }
    int GetRenderTargetWidth() const { return m_renderTargetWidth; }
    int GetRenderTargetHeight() const { return m_renderTargetHeight; }
    // Path of the last screenshot asked for (empty before the first).
    const std::string& GetLastScreenshotPath() const { return m_lastScreenshotPath; }

    // The smallest of 256 ... 8192 not below size (8192 above 4096); the render-target size
    // on devices that only take power-of-two textures.
    static int PowerOfTwoTarget(int size);
    // Screenshot file name for a local date and time: screenshot_dd-MM-yyyy_hh-mm-ss.jpg.
    static std::string ScreenshotName(int day, int month, int year, int hour, int minute, int second);

private:
    Game() = default;

    void CreateUserFolders();
    void ReadScreenSizeAndPrefs(int& width, int& height);
    void HandleCrashMarker(int width, int height);
    bool InitDevice(int width, int height, bool windowed);
    void LoadFonts();
    std::string PrefsPath() const;
    std::string CrashMarkerPath() const;

    std::string m_versionText = "alpha 1.07";
    float m_screenWidth = 0.0f;
    float m_screenHeight = 0.0f;
    std::string m_folders[FOLDER_COUNT];
    int m_renderTargetWidth = 0;
    int m_renderTargetHeight = 0;
    float m_versionNumber = 1.07f;
    int m_minScreenHeight = 768;

    bool m_windowed = false;
    bool m_borderless = false;
    bool m_shutDown = false;
    std::string m_lastScreenshotPath;
    // Why the user folder is not under Documents, logged once the logs are open.
    std::string m_folderFallbackNote;
};
