// The picture shown while a game is started, loaded or saved: those steps run outside the frame
// loop, so each stage draws and presents one whole frame by itself (the logo, a row of 32 gear
// cells filled up to the progress, the stage's text). Main thread only.
#pragma once

#include "engine/BaseSprite.h"
#include "engine/CLoadedTextureRef.h"
#include "engine/CTexturedSprite.h"

#include <string>

class GUI_LoadingScreen
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int kCellCount = 32;
    static constexpr float kCellSize = 32.0f;
    static constexpr uint32_t kCellDone = 0xFF000000u;
    static constexpr uint32_t kCellToDo = 0xFFC8C8C8u;

    // The program's loading screen, made on first use.
    static GUI_LoadingScreen& Instance();

    GUI_LoadingScreen();
    virtual ~GUI_LoadingScreen() = default;

    // Places the logo and the cells for the current screen size.
    void Layout();
    // Draws and presents one frame for the stage (a text key) at progress 0..1.
    void ShowStage(const std::string& textKey, float progress);

    // How many cells a progress fills: cell i counts once progress reaches i / 32.
    static int FilledCells(float progress);
    const CTexturedSprite& GetLogo() const { return m_logo; }
    const BaseSprite& GetCell(int i) const { return m_cells[i]; }
    // The top of the stage text.
    float TextTop() const;

private:
    CTexturedSprite m_logo;
    CLoadedTextureRef m_gear;
    BaseSprite m_cells[kCellCount];
};
