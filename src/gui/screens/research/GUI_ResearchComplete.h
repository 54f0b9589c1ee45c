// The notice that a research item is finished: its icon and name, what it unlocked one line each,
// and a button to the research screen to choose the next item. Modal; the game runs on behind it.
// Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>
#include <vector>

class GUI_ButtonText;
class GUI_ResearchUnlock;
class GUI_TextContainer;
class SIM_Researchable;

class GUI_ResearchComplete : public GUI_Dialog
{
public:
    static constexpr int kWidth = 500;
    static constexpr int kLineHeight = 20;
    static constexpr int kIconSide = 64;
    // The name, the label and the unlock lines start this far right of the client area's left
    // edge: past the icon and a 10-pixel gap.
    static constexpr int kTextIndent = kIconSide + 10;
    // Extra height that makes room for the item's description.
    static constexpr int kDescriptionHeight = 60;

    explicit GUI_ResearchComplete(SIM_Researchable* item);
    ~GUI_ResearchComplete() override;

    // A research item was completed in play: closes an open notice and opens one for the item.
    static GUI_ResearchComplete* Show(SIM_Researchable* item);
    static GUI_ResearchComplete* GetOpen() { return s_single.Get(); }

    // The button: the notice closes and the research screen opens.
    void OnChooseResearch();
    void Draw() override;
    // The button along the bottom, the icon at the top-left, and beside the icon the
    // description and the unlock entries one under another.
    void Layout() override;

    SIM_Researchable* GetItem() const { return m_item; }
    GUI_TextContainer* GetDescription() const { return m_description; }
    const std::vector<GUI_ResearchUnlock*>& GetUnlockRows() const { return m_rows; }
    GUI_ButtonText* GetChooseButton() const { return m_chooseButton; }

private:
    static inline GUI_SingleWindow<GUI_ResearchComplete> s_single;

    GUI_ButtonText* m_chooseButton = nullptr;   // owned by the button list
    SIM_Researchable* m_item;                   // not owned: the research manager's
    GUI_TextContainer* m_description = nullptr; // owned as a sub-window; null without a description
    std::vector<GUI_ResearchUnlock*> m_rows;    // owned as sub-windows
    std::string m_unlockedLabel;
    CTexturedSprite m_icon;
    int m_labelTop = 0;
};
