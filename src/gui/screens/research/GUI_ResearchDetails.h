// The dialog a click on a tech-tree box opens: the item's name, icon on a panel of its kind's
// colour, points gathered against the cost and description, and the one button in the game that
// makes an item the research the offices work on. Modal. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "platform/video/PGraphicsTypes.h"

#include <array>
#include <string>

class GUI_ButtonText;
class GUI_TextContainer;
class SIM_Researchable;

class GUI_ResearchDetails : public GUI_Dialog
{
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 300;

    explicit GUI_ResearchDetails(SIM_Researchable* item);
    ~GUI_ResearchDetails() override;

    // Closes an open details dialog and opens one for the item.
    static GUI_ResearchDetails* Show(SIM_Researchable* item);
    static GUI_ResearchDetails* GetOpen() { return s_single.Get(); }

    // The research button: the item becomes the current research, the screen shows it, and the
    // dialog closes.
    void OnResearch();
    void Draw() override;

    GUI_ButtonText* GetResearchButton() const { return m_researchButton; }
    const PRect& GetContentRect() const { return m_content; }
    uint32_t GetKindColour() const;

private:
    void SetItem(SIM_Researchable* item);

    static inline GUI_SingleWindow<GUI_ResearchDetails> s_single;

    GUI_ButtonText* m_researchButton = nullptr; // owned by the button list
    CTexturedSprite m_icon;
    SIM_Researchable* m_item = nullptr; // not owned: the research manager's
    std::string m_description;
    PRect m_content;
    GUI_TextContainer* m_descriptionBox = nullptr; // owned as a sub-window
    PRect m_descriptionRect;
    std::array<int, 4> m_kindColour{255, 255, 255, 255};
    std::string m_pointsLabel;
};
