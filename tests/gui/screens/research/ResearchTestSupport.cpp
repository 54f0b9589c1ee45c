// Set-up of the research screens' tests.
#include "ResearchTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/research/GUI_ResearchComplete.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/screens/research/GUI_TechTreeEntry.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "sim/SIM_Presentation.h"
#include "sim/research/SIM_ResearchManager.h"

// The registry test also opens the toolkit's own question box, which this suite links only for
// what the screens use: naming it here brings its registration in.
using ConfirmOpen = GUI_ConfirmDialog* (*)(GUI_Callback, const std::string&, const std::string&);
extern const ConfirmOpen kScreensTestsKeepConfirmDialog;
const ConfirmOpen kScreensTestsKeepConfirmDialog = &GUI_ConfirmDialog::Open;

void ResearchTestListener::ShowResearchComplete(SIM_Researchable* item)
{
    GUI_ResearchComplete::Show(item);
}

void ResearchTestListener::RefreshTechTree()
{
    if (GUI_TechTree* tree = GUI_TechTree::GetOpen())
        tree->RefreshEntries();
}

void ResearchTestListener::SlotRemoved(SIM_PlaceableSlot& slot)
{
    GUI_FacilityDialog::CloseWindowsOf(&slot);
}

void ResearchScreenTest::SetUp()
{
    ToolkitTest::SetUp();
    GScreenSize::Set(kScreenWidth, kScreenHeight);
    LoadFonts();
    GUI_Sounds::Instance().SetMuted(false);
    m_game = std::make_unique<savetest::SaveWorld>();
    SIM_Presentation::Instance().SetListener(&m_listener);
    ASSERT_TRUE(m_game->StartGame());
}

void ResearchScreenTest::TearDown()
{
    m_world.Remove();
    m_game.reset();
    ToolkitTest::TearDown();
}

bool ResearchScreenTest::ClickEntry(const GUI_TechTreeEntry& entry)
{
    return ClickAt(static_cast<float>(entry.GetLeft() + entry.GetRight()) / 2.0f,
                   static_cast<float>(entry.GetTop() + entry.GetBottom()) / 2.0f);
}

SIM_Researchable* ResearchScreenTest::Item(const char* name) const
{
    return SIM_ResearchManager::Instance().GetResearchable(name);
}
