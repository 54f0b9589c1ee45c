// The research screen, its tree, details, popup and completion notice, the facility dialog and the
// expansion dialog, driven through the window manager against a running game on the first mission.
#include "ResearchTestSupport.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/slots/GUI_Facility.h"
#include "gui/screens/expansion/GUI_ExpansionDialog.h"
#include "gui/screens/facilities/FacilityScreenHooks.h"
#include "gui/screens/facilities/GUI_FacilityAnchor.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/research/GUI_CurrentResearch.h"
#include "gui/screens/research/GUI_ResearchComplete.h"
#include "gui/screens/research/GUI_ResearchDetails.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/research/GUI_ResearchPopup.h"
#include "gui/screens/research/GUI_ResearchUnlock.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/screens/research/GUI_TechTreeEntry.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_CloseButton.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "tests/support/FreshState.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace
{
// A facility seen at a fixed place on screen, so the dialogs' placement can be checked.
class FixedAnchor : public GUI_FacilityAnchor
{
public:
    FixedAnchor(SIM_FacilitySlot* slot, float x, float y) : GUI_FacilityAnchor(slot), m_x(x), m_y(y) {}
    bool GetScreenPosition(float& x, float& y) const override
    {
        x = m_x;
        y = m_y;
        return true;
    }
    void Highlight() override { ++highlights; }
    int highlights = 0;

private:
    float m_x;
    float m_y;
};

PRect BoundsOf(const GUI_BaseElement& e)
{
    return PRect{e.GetLeft(), e.GetTop(), e.GetRight(), e.GetBottom()};
}

void ExpectRect(const PRect& actual, const PRect& expected, const char* what)
{
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

bool TechTreeVisible(const GUI_TechTree& tree, const GUI_TechTreeEntry& entry)
{
    for (const GUI_WindowBase* sub : tree.GetSubWindows())
        if (sub == &entry)
            return true;
    return false;
}

void ClickButton(ToolkitTestWorld& world, const GUI_ButtonBase& button)
{
    world.ClickAt(static_cast<float>(button.GetLeft() + button.GetRight()) / 2.0f,
                  static_cast<float>(button.GetTop() + button.GetBottom()) / 2.0f);
    world.Frame();
}
} // namespace

TEST_F(ResearchScreenTest, TheScreenHoldsTheGameAndGivesItsSpeedBackIncludingPauseAndReopening)
{
    SIM_Game& game = SIM_Game::Instance();
    for (float speed : {1.0f, 2.0f, 4.0f})
    {
        SCOPED_TRACE(speed);
        game.SetSpeed(speed);
        GUI_ResearchDialog* screen = GUI_ResearchDialog::Show();
        EXPECT_EQ(game.GetSpeed(), 0.0f);
        EXPECT_EQ(game.HourTimer().GetTimeScale(), 0.0f);
        EXPECT_EQ(game.FrameTimer().GetTimeScale(), 0.0f);
        m_world.Frame();
        ClickButton(m_world, *screen->GetCloseButton());
        EXPECT_EQ(GUI_ResearchDialog::GetOpen(), nullptr);
        EXPECT_EQ(game.GetSpeed(), speed);
        EXPECT_EQ(game.HourTimer().GetTimeScale(), speed);
        EXPECT_EQ(game.FrameTimer().GetTimeScale(), speed);
    }
    EXPECT_EQ(m_listener.speedSyncs, 6);

    // Opened again while open (from the popup, say): the old screen gives the speed back first,
    // so the new one holds the real speed and closing it restores that speed.
    game.SetSpeed(4.0f);
    GUI_ResearchDialog::Show();
    GUI_ResearchDialog* second = GUI_ResearchDialog::Show();
    EXPECT_EQ(game.GetSpeed(), 0.0f);
    EXPECT_EQ(game.GetSavedSpeed(), 4.0f);
    m_world.Frame();
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().size(), 1u);
    EXPECT_TRUE(GUI_WindowManager::Instance().CloseTopDialog());
    m_world.Frame();
    EXPECT_EQ(GUI_ResearchDialog::GetOpen(), nullptr);
    EXPECT_EQ(game.GetSpeed(), 4.0f);
    (void)second;

    // Opened while paused: 0 is saved, so the game stays paused after closing and the pause
    // toggle then has no speed to go back to; a speed button starts it again.
    game.TogglePause();
    EXPECT_EQ(game.GetSavedSpeed(), 4.0f);
    GUI_ResearchDialog::Show();
    EXPECT_EQ(game.GetSavedSpeed(), 0.0f);
    GUI_WindowManager::Instance().CloseAll();
    EXPECT_EQ(game.GetSpeed(), 0.0f);
    game.TogglePause();
    EXPECT_EQ(game.GetSpeed(), 0.0f);

    // With the sound off no loop starts, and none is stopped.
    // The loop plays while the screen is open and stops with it; with the sound off none starts.
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    GUI_ResearchDialog* loud = GUI_ResearchDialog::Show();
    EXPECT_TRUE(loud->GetLoopSound().IsValid());
    EXPECT_TRUE(sounds.IsSoundPlaying(GUI_SoundNames::kResearchLoop));
    GUI_WindowManager::Instance().CloseAll();
    sounds.Update();
    EXPECT_FALSE(sounds.IsSoundPlaying(GUI_SoundNames::kResearchLoop));
    sounds.SetMuted(true);
    GUI_ResearchDialog* quiet = GUI_ResearchDialog::Show();
    EXPECT_FALSE(quiet->GetLoopSound().IsValid());
    EXPECT_FALSE(sounds.IsSoundPlaying(GUI_SoundNames::kResearchLoop));
}

TEST_F(ResearchScreenTest, EntriesShowWhatCanBeChosenInTheirColoursAndTooltips)
{
    GUI_ResearchDialog* screen = GUI_ResearchDialog::Show();
    GUI_TechTree& tree = *screen->GetTechTree();
    ASSERT_EQ(tree.GetEntries().size(), SIM_ResearchManager::Instance().GetItems().size());
    struct Row
    {
        const char* item;
        bool available;
        GUI_TechTreeEntry::Colour fill;
        GUI_TechTreeEntry::Colour rest;
        const char* cost;
    } rows[] = {
        // A root costs nothing and is complete; its dependents are open to choose.
        {"research_basics", true, GUI_TechTreeEntry::kProcessFill, GUI_TechTreeEntry::kRestAvailable, "0"},
        {"research_expansion", true, GUI_TechTreeEntry::kProcessFill, GUI_TechTreeEntry::kRestAvailable, "120"},
        {"research_fast_tools", true, GUI_TechTreeEntry::kTechnologyFill, GUI_TechTreeEntry::kRestAvailable, "200"},
        // Its prerequisite is still unresearched.
        {"research_fast_belts", false, GUI_TechTreeEntry::kTechnologyFill, GUI_TechTreeEntry::kRestLocked, "250"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.item);
        const GUI_TechTreeEntry* entry = tree.FindEntry(Item(row.item));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->IsAvailable(), row.available);
        EXPECT_EQ(entry->GetFillColour(), row.fill);
        EXPECT_EQ(entry->GetRestColour(), row.rest);
        EXPECT_EQ(entry->GetCostText(), row.cost);
    }
    EXPECT_EQ(GUI_TechTreeEntry::ToArgb(GUI_TechTreeEntry::kRestLocked), 0xC8FA7878u);

    // The shipped tree: one column per depth, dependents in file order.
    const GUI_TechTreeEntry* basics = tree.FindEntry(Item("research_basics"));
    const GUI_TechTreeEntry* body = tree.FindEntry(Item("research_body_work"));
    EXPECT_EQ(basics->GetColumn(), 0);
    EXPECT_EQ(body->GetColumn(), 3);
    EXPECT_EQ(body->GetLeft(), tree.GetViewport().left + 10 + 3 * 400);

    // The tooltip: the description, then what the item unlocks.
    const GUI_Tooltip* tip = body->GetTooltip();
    ASSERT_NE(tip, nullptr);
    ASSERT_EQ(tip->GetLines().size(), 5u);
    EXPECT_EQ(tip->GetLines()[1], Item("research_body_work")->m_description);
    EXPECT_EQ(tip->GetLines()[2].rfind("New station:", 0), 0u) << tip->GetLines()[2];
    EXPECT_EQ(tip->GetLines()[4].rfind("New upgrade:", 0), 0u) << tip->GetLines()[4];

    // Nothing to tell gives no tooltip; seven unlocks show five and "...".
    SIM_Researchable silent;
    silent.m_unlocks = {"nothing_by_this_name"};
    silent.m_cost = 1500.0f;
    GUI_TechTreeEntry quiet(&silent);
    quiet.SetRect(0, 0, 350, 60);
    quiet.Refresh();
    EXPECT_EQ(quiet.GetTooltip(), nullptr);
    EXPECT_EQ(quiet.GetCostText(), "1,500");
    SIM_Researchable many;
    many.m_unlocks = {"task_fit_sunroof",   "",
                      "task_fit_spoiler",   "upg_rust_proofing",
                      "task_running_gear",  "task_make_engine",
                      "upg_turbine_tuning", "upg_alloy_wheels"};
    GUI_TechTreeEntry crowded(&many);
    ASSERT_NE(crowded.GetTooltip(), nullptr);
    ASSERT_EQ(crowded.GetTooltip()->GetLines().size(), 7u);
    EXPECT_EQ(crowded.GetTooltip()->GetLines().back(), "...");

    // A locked box ignores the click and gives no hand; an open one gives the hand.
    const GUI_TechTreeEntry* belts = tree.FindEntry(Item("research_fast_belts"));
    ASSERT_TRUE(TechTreeVisible(tree, *belts));
    ClickEntry(*belts);
    EXPECT_EQ(GUI_ResearchDetails::GetOpen(), nullptr);
    m_input.MoveTo(static_cast<float>(belts->GetLeft() + 20), static_cast<float>(belts->GetTop() + 20));
    Frame();
    EXPECT_NE(GUI_Cursor::Instance().GetCurrent(), GUI_Cursor::HAND);
    const GUI_TechTreeEntry* tools = tree.FindEntry(Item("research_fast_tools"));
    m_input.MoveTo(static_cast<float>(tools->GetLeft() + 20), static_cast<float>(tools->GetTop() + 20));
    Frame();
    EXPECT_EQ(GUI_Cursor::Instance().GetCurrent(), GUI_Cursor::HAND);
}

TEST_F(ResearchScreenTest, EveryShippedItemsDescriptionAndUnlocksStayInsideTheBand)
{
    GUI_ResearchDialog* screen = GUI_ResearchDialog::Show();
    GUI_CurrentResearch& panel = *screen->GetPanel();
    const PRect info = panel.GetInfoRect();
    for (SIM_Researchable* item : SIM_ResearchManager::Instance().GetItems())
    {
        SCOPED_TRACE(item->m_name);
        panel.SetResearch(item);
        Frame();
        EXPECT_TRUE(panel.GetDescription()->Fits());
        size_t texts = 0;
        for (const std::string& name : item->m_unlocks)
            texts += item->GetUnlockText(name).empty() ? 0 : 1;
        EXPECT_EQ(panel.GetUnlockPlaces().size(), texts);
        for (const auto& [x, y] : panel.GetUnlockPlaces())
        {
            EXPECT_GE(x, static_cast<float>(panel.GetDescriptionRect().left));
            EXPECT_LE(x + static_cast<float>(GUI_CurrentResearch::kUnlockColumnWidth) / 2.0f,
                      static_cast<float>(info.right - 10));
            EXPECT_GE(y, static_cast<float>(info.top));
        }
        EXPECT_LE(panel.GetUnlockBottom(), static_cast<float>(info.bottom));
        EXPECT_EQ(panel.GetMoreText(), "");
    }
}

TEST_F(ResearchScreenTest, ManyUnlocksContinueInColumnsAndWhatFindsNoRoomIsCountedNeverCut)
{
    SIM_Researchable many;
    many.m_guiName = "Everything";
    many.m_description = "Opens every station at once.";
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        if (!task->IsConveyor())
            many.m_unlocks.push_back(task->m_name);
    size_t texts = 0;
    for (const std::string& name : many.m_unlocks)
        texts += many.GetUnlockText(name).empty() ? 0 : 1;
    ASSERT_GT(texts, 12u);
    const std::string more = " " + GTextTable::GetText("RESEARCH_MORE_UNLOCKS");
    // The wide screen has room for three columns, the narrow one for one.
    for (const auto& [width, height, columns] : {std::tuple{1920, 1080, 3}, std::tuple{1280, 768, 1}})
    {
        SCOPED_TRACE(width);
        GScreenSize::Set(width, height);
        GUI_CurrentResearch& panel = *GUI_ResearchDialog::Show()->GetPanel();
        const PRect info = panel.GetInfoRect();
        panel.SetResearch(&many);
        Frame();
        std::vector<float> lefts;
        for (const auto& [x, y] : panel.GetUnlockPlaces())
        {
            if (lefts.empty() || lefts.back() != x)
                lefts.push_back(x);
            EXPECT_GE(y, static_cast<float>(info.top));
        }
        ASSERT_EQ(lefts.size(), static_cast<size_t>(columns));
        for (size_t c = 1; c < lefts.size(); ++c)
            EXPECT_FLOAT_EQ(lefts[c] - lefts[c - 1], static_cast<float>(GUI_CurrentResearch::kUnlockColumnPitch));
        EXPECT_LE(panel.GetUnlockBottom(), static_cast<float>(info.bottom));
        // The last line says how many more there are, inside the band.
        const size_t hidden = texts - panel.GetUnlockPlaces().size();
        ASSERT_GT(hidden, 0u);
        EXPECT_EQ(panel.GetMoreText(), "+" + std::to_string(hidden) + more);
        const auto [mx, my] = panel.GetMorePlace();
        EXPECT_GE(mx, lefts.front());
        EXPECT_LE(mx + static_cast<float>(GFontManager::Instance().GetTextWidth(panel.GetMoreText())),
                  static_cast<float>(info.right - 10));
        EXPECT_GE(my, static_cast<float>(info.top));
        EXPECT_LE(my + 16.0f, static_cast<float>(info.bottom));
        GUI_WindowManager::Instance().CloseAll();
    }
}

TEST_F(ResearchScreenTest, ChoosingThroughTheDetailsDialogChangesTheCurrentResearch)
{
    GUI_ResearchDialog* screen = GUI_ResearchDialog::Show();
    Frame();
    GUI_CurrentResearch& panel = *screen->GetPanel();
    EXPECT_EQ(panel.GetItem(), nullptr);
    EXPECT_EQ(panel.GetLabCountValue(), "0");
    EXPECT_EQ(panel.GetPointsPerSecondValue(), "0.00");

    // A complete item opens with its button disabled.
    GUI_TechTree& tree = *screen->GetTechTree();
    ClickEntry(*tree.FindEntry(Item("research_basics")));
    GUI_ResearchDetails* done = GUI_ResearchDetails::GetOpen();
    ASSERT_NE(done, nullptr);
    EXPECT_FALSE(done->GetResearchButton()->IsEnabled());
    EXPECT_EQ(done->GetResearchButton()->GetCaption(), "Already researched");
    EXPECT_TRUE(GUI_WindowManager::Instance().CloseTopDialog());
    Frame();

    SIM_Researchable* tools = Item("research_fast_tools");
    tools->m_progress = 50.0f;
    ASSERT_TRUE(ClickEntry(*tree.FindEntry(tools)));
    GUI_ResearchDetails* details = GUI_ResearchDetails::GetOpen();
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), details);
    EXPECT_EQ(details->GetTitle(), "Power Tools");
    EXPECT_EQ(details->GetKindColour(), 0xFFFABF8Fu);
    EXPECT_EQ(m_services.sounds.back(), GUI_SoundNames::kClick);
    ClickButton(m_world, *details->GetResearchButton());

    EXPECT_EQ(SIM_ResearchManager::Instance().GetCurrentResearch(), tools);
    EXPECT_EQ(GUI_ResearchDetails::GetOpen(), nullptr);
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), nullptr);
    EXPECT_EQ(panel.GetItem(), tools);
    EXPECT_EQ(panel.GetDescription()->GetText(), tools->m_description);
    // Switching away keeps the progress of each item.
    EXPECT_EQ(tools->m_progress, 50.0f);

    // Completing the prerequisite opens its dependents in the tree.
    SIM_ResearchManager::Instance().AddResearchPoints(150.0f);
    EXPECT_TRUE(tree.FindEntry(Item("research_fast_belts"))->IsAvailable());
    EXPECT_NE(GUI_ResearchComplete::GetOpen(), nullptr);
}

TEST_F(ResearchScreenTest, DialogsTakeTheirPlacesAndSizes)
{
    GUI_ResearchDialog* screen = GUI_ResearchDialog::Show();
    ExpectRect(BoundsOf(*screen), PRect{0, 0, 1280, 768}, "screen");
    const GUI_CurrentResearch& panel = *screen->GetPanel();
    ExpectRect(BoundsOf(panel), PRect{16, 46, 1264, 174}, "panel");
    ExpectRect(panel.GetFrameRect(), PRect{20, 50, 1260, 170}, "panel frame");
    ExpectRect(panel.GetInfoRect(), PRect{24, 54, 856, 166}, "panel info");
    ExpectRect(panel.GetStatsRect(), PRect{860, 54, 1256, 166}, "panel stats");
    // Right of the title, level with it: the band has no room under the title for the texts.
    GUI_Fonts::SelectExtraBold36();
    const int titleRight = 24 + 10 + GFontManager::Instance().GetTextWidth("Current research");
    GUI_Fonts::SelectSemibold16();
    const PRect text = panel.GetDescriptionRect();
    EXPECT_GE(text.left, std::max(298, titleRight + 20));
    EXPECT_LE(text.left, std::max(298, titleRight + 20) + 1);
    EXPECT_EQ(text.top, 58);
    EXPECT_EQ(text.bottom, 106);
    EXPECT_EQ(text.right, std::min(text.left + 400, 846));
    const GUI_TechTree& tree = *screen->GetTechTree();
    ExpectRect(BoundsOf(tree), PRect{16, 184, 1264, 752}, "tree");
    ExpectRect(tree.GetViewport(), PRect{20, 188, 1240, 728}, "tree viewport");
    ExpectRect(BoundsOf(*tree.GetVerticalBar()), PRect{1244, 192, 1260, 724}, "vertical bar");
    ExpectRect(BoundsOf(*tree.GetHorizontalBar()), PRect{20, 732, 1240, 748}, "horizontal bar");
    // The shipped tree is four columns deep: one more than the three in view.
    EXPECT_EQ(tree.GetHorizontalBar()->GetMaxFirstRow(), 1);
    GUI_TechTreeEntry* basics = tree.FindEntry(Item("research_basics"));
    tree.GetHorizontalBar()->SetFirstRow(1);
    Frame();
    EXPECT_EQ(basics->GetLeft(), 30 - 400);
    EXPECT_FALSE(TechTreeVisible(tree, *basics));
    EXPECT_TRUE(TechTreeVisible(tree, *tree.FindEntry(Item("research_expansion"))));
    m_input.MoveTo(600, 400);
    screen->GetTechTree()->OnWheelUp();
    EXPECT_FALSE(tree.GetVerticalBar()->IsChanged());
    GUI_WindowManager::Instance().CloseAll();

    GUI_ResearchDetails* details = GUI_ResearchDetails::Show(Item("research_expansion"));
    ExpectRect(BoundsOf(*details), PRect{340, 234, 940, 534}, "details");
    ExpectRect(details->GetContentRect(), PRect{360, 284, 920, 484}, "details panel");
    ExpectRect(BoundsOf(*details->GetResearchButton()), PRect{364, 494, 916, 524}, "details button");
    GUI_WindowManager::Instance().CloseAll();

    // The notice: 20 pixels a line plus 162, and 60 more for a description.
    SIM_Researchable plain;
    plain.m_unlocks = {"task_fit_sunroof", "task_fit_spoiler", "upg_rust_proofing"};
    GUI_ResearchComplete* notice = GUI_ResearchComplete::Show(&plain);
    EXPECT_EQ(notice->GetHeight(), 222);
    EXPECT_EQ(notice->GetWidth(), 500);
    ASSERT_EQ(notice->GetUnlockRows().size(), 3u);
    EXPECT_EQ(notice->GetUnlockRows()[0]->GetTop(), notice->GetClientRect().top + 40);
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), notice);
    GUI_ResearchComplete* described = GUI_ResearchComplete::Show(Item("research_body_work"));
    EXPECT_EQ(described->GetHeight(), 282);
    EXPECT_LE(described->GetDescription()->GetBottom(), described->GetUnlockRows()[0]->GetTop() - 20);
    SIM_Researchable bare;
    EXPECT_EQ(GUI_ResearchComplete::Show(&bare)->GetHeight(), 162);
    // A line too long for the notice wraps inside it, and every wrapped line counts 20 pixels;
    // the users of an upgrade are listed with a blank after each comma.
    GUI_ResearchComplete* tools = GUI_ResearchComplete::Show(Item("research_fast_tools"));
    ASSERT_EQ(tools->GetUnlockRows().size(), 2u);
    const GUI_ResearchUnlock& first = *tools->GetUnlockRows()[0];
    EXPECT_NE(first.GetText().find("Fit Spoiler, Fit Sunroof"), std::string::npos) << first.GetText();
    EXPECT_EQ(first.GetHeight(), 40) << "two lines for " << first.GetText();
    EXPECT_EQ(tools->GetUnlockRows()[1]->GetHeight(), 40) << tools->GetUnlockRows()[1]->GetText();
    EXPECT_EQ(tools->GetHeight(), 20 * 4 + 162 + 60);
    EXPECT_LE(tools->GetUnlockRows()[1]->GetBottom(), tools->GetChooseButton()->GetTop());
    // An item that unlocks no task or upgrade says what it opens up instead.
    GUI_ResearchComplete* expansion = GUI_ResearchComplete::Show(Item("research_expansion"));
    ASSERT_EQ(expansion->GetUnlockRows().size(), 1u);
    EXPECT_EQ(expansion->GetUnlockRows()[0]->GetText(), GTextTable::GetText("UNLOCKED_EXPANSION"));
    GUI_ResearchComplete* belts = GUI_ResearchComplete::Show(Item("research_fast_belts"));
    ASSERT_EQ(belts->GetUnlockRows().size(), 1u);
    EXPECT_EQ(belts->GetUnlockRows()[0]->GetText(), GTextTable::GetText("UNLOCKED_CONVEYOR_SPEED"));
    GUI_WindowManager::Instance().CloseAll();

    // Popup and facility dialog stand beside the facility, away from the screen's nearer edge.
    GUI_ResearchPopup* left = GUI_ResearchPopup::Show(std::make_unique<FixedAnchor>(nullptr, 100.0f, 300.0f));
    ExpectRect(BoundsOf(*left), PRect{300, 284, 850, 484}, "popup right of a facility on the left");
    GUI_ResearchPopup* right = GUI_ResearchPopup::Show(std::make_unique<FixedAnchor>(nullptr, 1000.0f, 300.0f));
    ExpectRect(BoundsOf(*right), PRect{250, 284, 800, 484}, "popup left of a facility on the right");
    SIM_FacilitySlot* plant = m_game->PlaceFacility("fac_power_plant", 4, 14);
    ASSERT_NE(plant, nullptr);
    GUI_FacilityDialog* bare_dialog = GUI_FacilityDialog::Show(std::make_unique<FixedAnchor>(plant, 100.0f, 50.0f));
    EXPECT_EQ(bare_dialog->GetHeight(), 92);
    EXPECT_EQ(bare_dialog->GetLeft(), 300);
    EXPECT_EQ(bare_dialog->GetTitle(), plant->GetTask()->GetGuiName());
    const std::vector<SIM_SlotUpgrade*>& upgrades = SIM_SlotUpgradeManager::Instance().GetUpgrades();
    ASSERT_GE(upgrades.size(), 2u);
    plant->GetUpgrades() = {upgrades[0], upgrades[1]};
    GUI_FacilityDialog* dialog = GUI_FacilityDialog::Show(std::make_unique<FixedAnchor>(plant, 1000.0f, 50.0f));
    EXPECT_EQ(dialog->GetHeight(), 124);
    EXPECT_EQ(dialog->GetLeft(), 250);
    EXPECT_EQ(dialog->GetTop(), 384 - 62);
    plant->GetUpgrades().clear();
    Frame();
    EXPECT_GT(static_cast<FixedAnchor&>(dialog->GetFacility()).highlights, 0);
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().size(), 2u) << "one popup and one facility dialog";
    GUI_WindowManager::Instance().CloseAll();

    SIM_BuildingZone* wing = SIM_Game::Instance().GetMission()->GetZoneByName("South Wing");
    ASSERT_NE(wing, nullptr);
    GUI_ExpansionDialog* offer = GUI_ExpansionDialog::Show(wing);
    ExpectRect(BoundsOf(*offer), PRect{340, 280, 940, 488}, "expansion");
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), offer);
}

TEST_F(ResearchScreenTest, TheResearchPopupShowsTheResearchAtOpeningAndLeadsToTheScreen)
{
    SIM_FacilitySlot* office = m_game->PlaceFacility("fac_research_office", 9, 14);
    ASSERT_NE(office, nullptr);
    GUI_ResearchPopup* empty = GUI_ResearchPopup::Show(std::make_unique<GUI_FacilityAnchor>(office));
    EXPECT_EQ(empty->GetPercentText(), "0%");
    EXPECT_EQ(empty->GetItemName(), "");
    EXPECT_EQ(empty->GetDescription(), nullptr);
    EXPECT_EQ(empty->GetTitle(), office->GetTask()->GetGuiName());
    Frame();
    EXPECT_EQ(empty->GetFilledRect().right, empty->GetBarRect().left);

    SIM_Researchable* tools = Item("research_fast_tools");
    SIM_ResearchManager::Instance().SetCurrentResearch(tools);
    tools->m_progress = 25.0f;
    GUI_ResearchPopup* popup = GUI_ResearchPopup::Show(std::make_unique<GUI_FacilityAnchor>(office));
    Frame();
    EXPECT_EQ(GUI_ResearchPopup::GetOpen(), popup);
    EXPECT_EQ(popup->GetPercentText(), "12.50%");
    EXPECT_EQ(popup->GetItemName(), "Power Tools");
    const PRect bar = popup->GetBarRect();
    EXPECT_EQ(popup->GetFilledRect().right - bar.left, (bar.right - bar.left) / 8);

    ClickButton(m_world, *popup->GetDetailsButton());
    EXPECT_EQ(GUI_ResearchPopup::GetOpen(), nullptr);
    ASSERT_NE(GUI_ResearchDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_ResearchDialog::GetOpen()->GetPanel()->GetItem(), tools);
    EXPECT_EQ(GUI_ResearchDialog::GetOpen()->GetPanel()->GetLabCountValue(), "1");
}

TEST_F(ResearchScreenTest, ABulldozedFacilityClosesItsDialogAndPopup)
{
    SIM_FacilitySlot* office = m_game->PlaceFacility("fac_research_office", 9, 14);
    SIM_FacilitySlot* plant = m_game->PlaceFacility("fac_power_plant", 4, 14);
    ASSERT_NE(office, nullptr);
    ASSERT_NE(plant, nullptr);
    GUI_ResearchPopup::Show(std::make_unique<GUI_FacilityAnchor>(office));
    GUI_FacilityDialog::Show(std::make_unique<GUI_FacilityAnchor>(plant));
    Frame();

    SIM_Placement::RemoveSlot(office, false, true);
    Frame();
    EXPECT_EQ(GUI_ResearchPopup::GetOpen(), nullptr);
    ASSERT_NE(GUI_FacilityDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().size(), 1u);

    SIM_Placement::RemoveSlot(plant, false, true);
    Frame();
    EXPECT_EQ(GUI_FacilityDialog::GetOpen(), nullptr);
    EXPECT_TRUE(GUI_WindowManager::Instance().GetWindows().empty());

    // Told by nobody, a dialog still closes before it would draw a facility that is gone.
    SIM_FacilitySlot* second = m_game->PlaceFacility("fac_research_office", 9, 14);
    ASSERT_NE(second, nullptr);
    GUI_ResearchPopup::Show(std::make_unique<GUI_FacilityAnchor>(second));
    Frame();
    SIM_Presentation::Instance().SetListener(&m_game->listener);
    SIM_Placement::RemoveSlot(second, false, true);
    SIM_Presentation::Instance().SetListener(&m_listener);
    Frame();
    EXPECT_EQ(GUI_ResearchPopup::GetOpen(), nullptr);
    Frame();
    EXPECT_TRUE(GUI_WindowManager::Instance().GetWindows().empty());
}

TEST_F(ResearchScreenTest, ACompletedItemIsAnnouncedAndTheNoticeLeadsToTheScreen)
{
    SIM_Researchable* tools = Item("research_fast_tools");
    SIM_ResearchManager::Instance().SetCurrentResearch(tools);
    SIM_ResearchManager::Instance().AddResearchPoints(200.0f);
    GUI_ResearchComplete* notice = GUI_ResearchComplete::GetOpen();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->GetItem(), tools);
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), notice);
    ASSERT_EQ(notice->GetUnlockRows().size(), 2u);
    EXPECT_EQ(notice->GetUnlockRows()[0]->GetText().rfind("New upgrade:", 0), 0u);
    EXPECT_EQ(notice->GetCloseButton(), nullptr);
    Frame();

    ClickButton(m_world, *notice->GetChooseButton());
    EXPECT_EQ(GUI_ResearchComplete::GetOpen(), nullptr);
    ASSERT_NE(GUI_ResearchDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().size(), 1u);
}

TEST_F(ResearchScreenTest, ALockedZoneIsRentedOnceExpansionIsResearched)
{
    SIM_BuildingZone* wing = SIM_Game::Instance().GetMission()->GetZoneByName("South Wing");
    ASSERT_NE(wing, nullptr);
    GUI_ExpansionDialog* locked = GUI_ExpansionDialog::Show(wing);
    EXPECT_FALSE(locked->GetUnlockButton()->IsEnabled());
    EXPECT_EQ(locked->GetUnlockButton()->GetCaption(), "Not researched yet");
    EXPECT_EQ(locked->GetZoneName(), "South Wing");
    EXPECT_EQ(locked->GetSizeText(), "19 X 9");
    ClickButton(m_world, *locked->GetUnlockButton());
    EXPECT_EQ(wing->m_state, SIM_BuildingZone::STATE_LOCKED);

    SIM_Researchable* expansion = Item("research_expansion");
    expansion->m_progress = expansion->m_cost;
    GUI_ExpansionDialog* offer = GUI_ExpansionDialog::Show(wing);
    Frame();
    EXPECT_EQ(GUI_ExpansionDialog::GetOpen(), offer);
    EXPECT_TRUE(offer->GetUnlockButton()->IsEnabled());
    EXPECT_EQ(offer->GetUnlockButton()->GetCaption(), "Rent this area");
    const SIM_Factory& factory = *SIM_Game::Instance().GetFactory();
    const float rentBefore = factory.ComputeHourlyRent();
    const std::string shown = offer->GetRentText();
    ClickButton(m_world, *offer->GetUnlockButton());
    EXPECT_EQ(wing->m_state, SIM_BuildingZone::STATE_UNLOCKED);
    EXPECT_EQ(GUI_ExpansionDialog::GetOpen(), nullptr);
    EXPECT_TRUE(GUI_WindowManager::Instance().GetWindows().empty());
    // The rent shown is the rent booked every hour from now on.
    char booked[32];
    std::snprintf(booked, sizeof(booked), "$%.2f", static_cast<double>(factory.ComputeHourlyRent() - rentBefore));
    EXPECT_EQ(shown, booked);

    // Data without the gate item leaves the offer open and says so.
    FreshState::Forget<SIM_ResearchManager>();
    GUI_ExpansionDialog* ungated = GUI_ExpansionDialog::Show(wing);
    EXPECT_TRUE(ungated->GetUnlockButton()->IsEnabled());
    bool logged = false;
    for (const std::string& line : ErrorMessages())
        logged = logged || line.find("research_expansion") != std::string::npos;
    EXPECT_TRUE(logged);
}

TEST_F(ResearchScreenTest, TheFactoryViewsFacilitiesAndLockedTilesOpenTheseDialogs)
{
    GUI_FactoryTools tools;
    InstallFacilityScreenHooks(tools);
    SIM_FacilitySlot* office = m_game->PlaceFacility("fac_research_office", 9, 14);
    SIM_FacilitySlot* plant = m_game->PlaceFacility("fac_power_plant", 4, 14);
    ASSERT_NE(office, nullptr);
    ASSERT_NE(plant, nullptr);
    // Each slot owns its view, as in the game.
    auto officeView = std::make_unique<GUI_Facility>(office);
    auto plantView = std::make_unique<GUI_Facility>(plant);
    tools.showResearchPopup(*officeView);
    tools.showFacilityDialog(*plantView);
    office->SetGuiFacility(officeView.release());
    plant->SetGuiFacility(plantView.release());
    ASSERT_NE(GUI_ResearchPopup::GetOpen(), nullptr);
    EXPECT_EQ(GUI_ResearchPopup::GetOpen()->GetFacility().GetSlot(), office);
    ASSERT_NE(GUI_FacilityDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_FacilityDialog::GetOpen()->GetTitle(), plant->GetTask()->GetGuiName());
    Frame();
    // Bulldozing the office takes its view with it; the popup closes before it could draw it.
    SIM_Placement::RemoveSlot(office, false, true);
    Frame();
    EXPECT_EQ(GUI_ResearchPopup::GetOpen(), nullptr);
    EXPECT_NE(GUI_FacilityDialog::GetOpen(), nullptr);
    GUI_WindowManager::Instance().CloseAll();
    tools.showExpansionDialog(*SIM_Game::Instance().GetMission()->GetZoneByName("Loading Yard"));
    ASSERT_NE(GUI_ExpansionDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_ExpansionDialog::GetOpen()->GetSizeText(), "9 X 9");
}
