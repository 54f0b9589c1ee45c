// The game screen, mode "game": the factory is played here. Once per frame it steps the
// simulation and draws the factory view and everything over it in a fixed order, then the top
// bar and the windows; it routes the mouse to the windows, the placement tools, the camera and
// the view, holds the game's hot keys, and takes the thumbnail of a savegame. Made on first use.
// Main thread.
#pragma once

#include "engine/GGameMode.h"

#include <memory>
#include <string>

class GCommandLine;
class GUI_Interface;

class GUI_Game : public GGameMode
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* kModeName = "game";
    static constexpr uint32_t kClearColour = 0xFF1B1B1Bu;

    static GUI_Game& Instance();
    ~GUI_Game() override;

    void Draw() override;
    void Process() override;
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnMiddleDown() override;
    void Enter() override;
    void Exit() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    void OnLeftUp() override;
    void OnChar(uint32_t character) override;
    void OnKeyDown(uint32_t virtualKey) override;

    // The waiting slot and the waiting facility turn (middle button, R).
    static void RotatePlacer();
    // The next drawn frame becomes the thumbnail at this path (a savegame's ".jpg").
    void RequestThumbnail(const std::string& path);
    bool IsThumbnailPending() const { return m_screenshotPending; }

    // Ends the game for the main menu: with the sound off, the screen switches to "mainmenu"
    // (every game window closes with it) and then the simulation is reset.
    static void EndGame();
    // F2 and F3.
    static bool QuickSave();
    static void QuickLoad();

    // The start words the mode acts on: "-debug" draws the waypoints of every tile on screen over
    // the floor (held reddish, free grey). Read from the game's own command line when the mode is
    // made; off without the word.
    void ReadStartWords(const GCommandLine& words);
    bool IsDebugOverlayOn() const { return m_debugOverlay; }

    // The last frame's length in 1/60 s, held within 0.1 .. 4.0; camera and props scale by it.
    float GetFrameFactor() const { return m_frameFactor; }
    static float FrameFactorFor(double elapsedMs);

private:
    GUI_Game();
    void SaveScreenshot();
    void CloseGameWindows();
    static void StepZoom(bool in);

    double m_lastFrameMs = -1.0;
    float m_frameFactor = 1.0f;
    std::unique_ptr<GUI_Interface> m_interface;
    bool m_screenshotPending = false;
    std::string m_screenshotPath;
    bool m_debugOverlay = false;
};
