// The research screens' tests run against a real game on a shipped mission: the toolkit's
// recording device, mouse and window manager, the savegame tests' world (data, clock, placement)
// and a presentation that forwards what the simulation tells the screens as the game's does.
#pragma once

#include "gui/toolkit/ToolkitTestSupport.h"
#include "save/SaveTestSupport.h"

#include <memory>

class GUI_TechTreeEntry;
class SIM_Researchable;

class ResearchTestListener : public savetest::SaveTestListener
{
public:
    void ShowResearchComplete(SIM_Researchable* item) override;
    void RefreshTechTree() override;
    void SlotRemoved(SIM_PlaceableSlot& slot) override;
    void SyncSpeedButtons() override { ++speedSyncs; }

    int speedSyncs = 0;
};

class ResearchScreenTest : public ToolkitTest
{
protected:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 768;

    void SetUp() override;
    void TearDown() override;

    // Clicks the middle of a box of the open research screen's tree.
    bool ClickEntry(const GUI_TechTreeEntry& entry);
    SIM_Researchable* Item(const char* name) const;

    std::unique_ptr<savetest::SaveWorld> m_game;
    ResearchTestListener m_listener;
};
