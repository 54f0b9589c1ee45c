// The row of seven icon buttons at the top-left corner of the game screen: back to the main menu
// (after a question), options, save, research, the build menu, the car stock and the efficiency
// screen. The car button carries a bubble with the number of cars in stock, and the research
// button's tooltip shows how far the current research has come. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <array>
#include <string>

class GUI_IconButton;

class GUI_InGameMenu : public GUI_WindowBase
{
public:
    enum Button
    {
        MENU = 0,
        OPTIONS = 1,
        SAVE = 2,
        RESEARCH = 3,
        SLOTS = 4,
        CAR = 5,
        EFFICIENCY = 6,
        BUTTON_COUNT = 7,
    };

    GUI_InGameMenu();

    void Layout() override;
    void Draw() override;
    void Update() override;

    // Every placement tool is cancelled, then the button's screen opens or closes.
    static void OnButton(int button);
    // The answer "yes" to leaving for the main menu.
    static void OnConfirmMainMenu();

    // "Engine Assembly (25%)": the research tooltip while an item is being researched.
    static std::string ResearchTooltip(const std::string& name, float progress, float cost);
    // The cars in stock over all designs (saturating at the largest int).
    static long long CountCarsInStock();

    GUI_IconButton* GetButton(int button) const { return m_buttons[static_cast<size_t>(button)]; }
    const std::string& GetStockText() const { return m_stockText; }

private:
    std::array<GUI_IconButton*, BUTTON_COUNT> m_buttons{}; // owned by the button list
    std::string m_stockText;
    CTexturedSprite m_bubble;
    float m_bubbleX = 0.0f;
    float m_bubbleY = 0.0f;
};
