// The cash gauge of the top bar: the cash icon and the player's cash in whole dollars. A click
// opens or closes the finance dialog. One at a time; the simulation's cash changes reach it
// through GetOpen(). Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_Finances : public GUI_WindowBase
{
public:
    GUI_Finances();
    ~GUI_Finances() override;

    void Layout() override;
    void Draw() override;
    bool OnClick(float x, float y) override;
    // Rebuilds the text from the simulation's cash.
    void UpdateCashText();

    // "$1,234" or "$-1,234" from the cash cut toward zero; beyond 64-bit range it saturates.
    static std::string CashText(float cash);
    static GUI_Finances* GetOpen() { return s_single.Get(); }
    const std::string& GetText() const { return m_text; }

private:
    static constexpr float kTextLeft = 60.0f;
    static constexpr float kSmallestText = 0.5f;
    std::string m_text;
    CTexturedSprite m_icon;
    static inline GUI_SingleWindow<GUI_Finances> s_single;
};
