// The band across the top of the research screen: the item being researched now with its icon,
// points, description and what it unlocks, and beside it how many research offices the factory
// has and how many points they earn together. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>
#include <utility>
#include <vector>

class GUI_TextContainer;
class SIM_Researchable;

class GUI_CurrentResearch : public GUI_WindowBase
{
public:
    static constexpr int kHeight = 128;
    // The statistics column on the right.
    static constexpr int kStatsWidth = 396;
    // Unlock columns stand this far apart, each at most this wide.
    static constexpr int kUnlockColumnPitch = 420;
    static constexpr int kUnlockColumnWidth = 400;

    GUI_CurrentResearch();
    ~GUI_CurrentResearch() override;

    // The panel open now, or null.
    static GUI_CurrentResearch* GetOpen() { return s_single.Get(); }

    // Once, after the panel has its rectangle: the parts, the office statistics and the current
    // research.
    void Layout() override;
    // Shows the item (not null).
    void SetResearch(SIM_Researchable* item);
    void Draw() override;

    SIM_Researchable* GetItem() const { return m_item; }
    const std::string& GetLabCountValue() const { return m_labCount; }
    const std::string& GetPointsPerSecondValue() const { return m_pointsPerSecond; }
    const PRect& GetFrameRect() const { return m_frame; }
    const PRect& GetInfoRect() const { return m_info; }
    const PRect& GetStatsRect() const { return m_stats; }
    const PRect& GetDescriptionRect() const { return m_descriptionRect; }
    GUI_TextContainer* GetDescription() const { return m_description; }
    // Where each unlock text is printed (x, y), as the last draw placed them.
    const std::vector<std::pair<float, float>>& GetUnlockPlaces() const { return m_unlockPlaces; }
    // The lowest point the description and the unlock texts reached in the last draw.
    float GetUnlockBottom() const { return m_unlockBottom; }
    // The line counting the unlocks the band had no room for, and where it stands; empty when
    // every unlock is shown.
    const std::string& GetMoreText() const { return m_moreText; }
    std::pair<float, float> GetMorePlace() const { return m_morePlace; }

private:
    void DrawUnlocks();

    static inline GUI_SingleWindow<GUI_CurrentResearch> s_single;

    CTexturedSprite m_icon;
    std::string m_title;
    std::string m_pointsLabel;
    std::string m_labCountLabel;
    std::string m_pointsPerSecondLabel;
    std::string m_moreLabel; // after the count of unlocks not shown: "+3 more"
    std::string m_labCount;
    std::string m_pointsPerSecond;
    PRect m_frame;
    PRect m_info;
    PRect m_stats;
    PRect m_descriptionRect;
    SIM_Researchable* m_item = nullptr;         // not owned: the research manager's
    GUI_TextContainer* m_description = nullptr; // owned as a sub-window
    std::vector<std::pair<float, float>> m_unlockPlaces;
    float m_unlockBottom = 0.0f;
    std::string m_moreText;
    std::pair<float, float> m_morePlace{0.0f, 0.0f};
};
