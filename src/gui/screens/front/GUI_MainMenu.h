// The main menu: the first screen after start-up and the one every game, editor and front-end
// screen returns to. The logo across the screen (its edge columns stretched out to the screen's
// edges), the version, a row of seven menu buttons, and the update notice once the daily check
// found a newer version. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/screens/front/GUI_FrontEndMode.h"

#include <string>

class GUI_MainMenu : public GUI_FrontEndMode
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // The buttons, left to right, by the argument their clicks carry.
    enum Button
    {
        BUTTON_NEWGAME = 0,
        BUTTON_LOADGAME,
        BUTTON_OPTIONS,
        BUTTON_TASKEDITOR,
        BUTTON_FORUMS,
        BUTTON_VIDEOS,
        BUTTON_QUIT,
        BUTTON_COUNT,
    };
    static constexpr float kLogoWidth = 999.0f;
    static constexpr float kLogoHeight = 565.0f;
    static constexpr float kButtonRowWidth = 1200.0f;
    static constexpr float kButtonHeight = 42.0f;
    static constexpr const char* kForumAddress = "https://ferrovane.net/community";
    static constexpr const char* kVideoAddress = "https://ferrovane.net/videos";

    // The program's main menu, built on first use (start-up builds it and its buttons).
    static GUI_MainMenu& Instance();

    // Registers the screen as "mainmenu".
    GUI_MainMenu();

    // The logo and the button row for the current screen size.
    void CreateButtons();
    void SetVersionText(const std::string& text) { m_versionText = text; }

    void Draw() override;
    void Process() override;
    void OnLeftDown() override;
    // Escape ends the program; every key then goes to the open windows.
    void OnKeyDown(uint32_t virtualKey) override;
    void OnChar(uint32_t character) override { (void)character; }

    // The action of a button (one of Button).
    static void OnButton(int button);
    // Closes an open update notice and opens a new one.
    static void ShowUpdateNotice();

    const CTexturedSprite& GetLogo() const { return m_logo; }
    const CTexturedSprite& GetLeftStrip() const { return m_leftStrip; }
    const CTexturedSprite& GetRightStrip() const { return m_rightStrip; }

private:
    // Opens the page of the Community or the Videos button in the player's web program, or
    // shows its address in a box when none could be started.
    static void OpenWebPage(int button);
    // A sprite's corners on whole pixels less a half, so its texels land exactly on pixels.
    static void SnapToPixels(CTexturedSprite& sprite);

    CTexturedSprite m_leftStrip;
    CTexturedSprite m_logo;
    CTexturedSprite m_rightStrip;
    std::string m_versionText;
};
