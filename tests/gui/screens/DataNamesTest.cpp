// Every name the game shows from its data (tasks and facilities, resources, research, upgrades,
// missions) reaches the player as its display name, never as the key the data files use: each
// label, list, notice and tooltip that shows such a name is drawn on a game of a shipped mission,
// and every text printed on the way is checked against the keys that have a display name.
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/dialogs/GUI_SlotUpgrade.h"
#include "gui/factory/dialogs/GUI_StockpileEntry.h"
#include "gui/factory/dialogs/GUI_StockpileResourceStrip.h"
#include "gui/factory/dialogs/GUI_TaskResource.h"
#include "gui/factory/slots/GUI_Facility.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/factory/slots/SlotTextLabel.h"
#include "gui/screens/build/GUI_Task.h"
#include "gui/screens/build/GUI_TaskDetails.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/facilities/GUI_FacilityViewAnchor.h"
#include "gui/screens/finance/GUI_Fin_Resource.h"
#include "gui/screens/front/GUI_Mission.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/research/GUI_CurrentResearch.h"
#include "gui/screens/research/GUI_ResearchComplete.h"
#include "gui/screens/research/GUI_ResearchDetails.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/research/GUI_ResearchPopup.h"
#include "gui/screens/research/GUI_ResearchUnlock.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/screens/research/GUI_TechTreeEntry.h"
#include "gui/screens/upgrades/GUI_UpgradePickerSlot.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
// The keys of the data that have a display name of their own, with that name.
std::map<std::string, std::string> KeysWithDisplayNames()
{
    std::map<std::string, std::string> names;
    const auto add = [&names](const std::string& key, const std::string& shown) {
        if (!shown.empty() && shown != key)
            names.emplace(key, shown);
    };
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        add(task->m_name, task->m_guiName);
    for (const SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        add(facility->m_name, facility->m_guiName);
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
        add(resource->GetName(), resource->GetGuiName());
    for (const SIM_Researchable* item : SIM_ResearchManager::Instance().GetItems())
        add(item->m_name, item->m_guiName);
    for (const SIM_SlotUpgrade* upgrade : SIM_SlotUpgradeManager::Instance().GetUpgrades())
        add(upgrade->GetName(), upgrade->GetGuiName());
    for (const SIM_Mission* mission : SIM_MissionManager::Instance().GetMissions())
        add(mission->m_name, mission->m_guiName);
    return names;
}

class DataNames : public FactoryViewTest
{
protected:
    void SetUp() override
    {
        FactoryViewTest::SetUp();
        GScreenSize::Set(1280, 768);
        GUI_Sounds::Instance().SetMuted(true);
        SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
        ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
        GUI_Game::Instance().Enter();
        m_keys = KeysWithDisplayNames();
        ASSERT_GT(m_keys.size(), 50u);
        GFontManager::Instance().SetPrintLog(&m_printed);
    }
    void TearDown() override
    {
        GFontManager::Instance().SetPrintLog(nullptr);
        SIM_ResearchManager::Instance().SetCurrentResearch(nullptr);
        GUI_Game::Instance().Exit();
        GUI_WindowManager::Instance().CloseAll();
        GUI_Sounds::Instance().SetMuted(false);
        FactoryViewTest::TearDown();
    }

    // A text the player reads shows a key where the data gives a display name: the whole text is
    // such a key, or a word of it is one of the keys made of several words.
    void ExpectNoKeyIn(const std::string& text, const std::string& where) const
    {
        if (m_keys.count(text) != 0)
        {
            ADD_FAILURE() << where << " shows the key \"" << text << "\" for \"" << m_keys.at(text) << "\"";
            return;
        }
        std::string word;
        for (size_t i = 0; i <= text.size(); ++i)
        {
            const char c = i < text.size() ? text[i] : ' ';
            if (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_')
            {
                word += c;
                continue;
            }
            if (word.find('_') != std::string::npos && m_keys.count(word) != 0)
                ADD_FAILURE() << where << " shows the key \"" << word << "\" for \"" << m_keys.at(word) << "\" in \""
                              << text << "\"";
            word.clear();
        }
    }
    // Checks every text printed since the last check.
    void ExpectPrintedNoKey(const std::string& where)
    {
        for (const std::string& text : m_printed)
            ExpectNoKeyIn(text, where);
        m_printed.clear();
    }
    // Checks that the name is printed, and nothing printed holds a key.
    void ExpectPrinted(const std::string& name, const std::string& where)
    {
        bool found = false;
        for (const std::string& text : m_printed)
            found = found || text.find(name) != std::string::npos;
        EXPECT_TRUE(found) << where << " does not show \"" << name << "\"";
        ExpectPrintedNoKey(where);
    }
    void DrawWindows()
    {
        GUI_WindowManager::Instance().Update();
        GUI_WindowManager::Instance().Draw();
    }
    // Draws a list entry made from one definition, as its list does.
    void DrawEntry(GUI_WindowBase& entry)
    {
        entry.SetRect(100.0f, 100.0f, 600.0f, 148.0f);
        entry.SetVisible(true);
        GUI_Fonts::SelectSemibold16();
        entry.Draw();
        GFontManager::Instance().Flush();
    }

    std::map<std::string, std::string> m_keys;
    std::vector<std::string> m_printed;
};
} // namespace

TEST_F(DataNames, EveryNameFromTheDataIsShownByItsDisplayNameNeverByItsKey)
{
    SIM_FacilitySlot* office = m_world.PlaceFacility("fac_research_office", 9, 14);
    SIM_FacilitySlot* plant = m_world.PlaceFacility("fac_power_plant", 4, 14);
    SIM_ProductionSlot* station = m_world.Place("task_make_engine", 10, 5);
    ASSERT_NE(office, nullptr);
    ASSERT_NE(plant, nullptr);
    ASSERT_NE(station, nullptr);
    auto* officeView = dynamic_cast<GUI_Facility*>(office->GetGuiSlot());
    auto* plantView = dynamic_cast<GUI_Facility*>(plant->GetGuiSlot());
    auto* stationView = dynamic_cast<GUI_ProductionSlot*>(station->GetGuiSlot());
    ASSERT_NE(officeView, nullptr);
    ASSERT_NE(plantView, nullptr);
    ASSERT_NE(stationView, nullptr);

    // Research: the office's label on the floor, its popup, the research screen with its tree,
    // the details and the notice of completion, for every item.
    for (SIM_Researchable* item : SIM_ResearchManager::Instance().GetItems())
    {
        SCOPED_TRACE(item->m_name);
        SIM_ResearchManager::Instance().SetCurrentResearch(item);
        // The label shows while the mouse rests on the office.
        FactoryWorld::LookAt(office->GetTile(), 1.0f);
        m_world.input.MoveTo(640.0f, 384.0f);
        m_world.Frame();
        m_world.Frame();
        ExpectPrinted(item->m_guiName, "the research office's label");
        EXPECT_EQ(officeView->GetLabel()->GetText(), item->m_guiName);

        GUI_ResearchPopup::Show(std::make_unique<GUI_FacilityViewAnchor>(*officeView));
        DrawWindows();
        ExpectPrinted(item->m_guiName, "the research popup");
        GUI_WindowManager::Instance().CloseAll();

        GUI_ResearchDialog::Show();
        DrawWindows();
        ExpectPrinted(item->m_guiName, "the current research band");
        for (const auto& entry : GUI_ResearchDialog::GetOpen()->GetTechTree()->GetEntries())
            for (const std::string& line : entry->GetTooltip()->GetLines())
                ExpectNoKeyIn(line, "a tech tree entry's tooltip");
        GUI_ResearchDetails::Show(item);
        DrawWindows();
        ExpectPrinted(item->m_guiName, "the research details");
        GUI_WindowManager::Instance().CloseAll();

        GUI_ResearchComplete::Show(item);
        DrawWindows();
        ExpectPrinted(item->m_guiName, "the research complete notice");
        for (const GUI_ResearchUnlock* row : GUI_ResearchComplete::GetOpen()->GetUnlockRows())
            ExpectNoKeyIn(row->GetText(), "an unlock line");
        GUI_WindowManager::Instance().CloseAll();
    }

    // Tasks and facilities: the build menu's rows and cards, the name labels on the floor, the
    // slot dialog and the facility dialog.
    std::vector<const SIM_BaseTask*> tasks;
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        tasks.push_back(task);
    for (const SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        tasks.push_back(facility);
    GUI_WindowManager::Open(std::make_unique<GUI_TaskPicker>(tasks));
    DrawWindows();
    ExpectPrintedNoKey("the build menu");
    for (const SIM_BaseTask* task : tasks)
    {
        SCOPED_TRACE(task->m_name);
        GUI_Task row(task);
        DrawEntry(row);
        EXPECT_EQ(row.GetDisplayText(), task->m_guiName);
        ExpectPrinted(task->m_guiName, "a row of the build menu");
        GUI_TaskDetails card(task);
        DrawEntry(card);
        ExpectPrinted(task->m_guiName, "a task's card");
    }
    GUI_WindowManager::Instance().CloseAll();
    for (const GUI_SlotBase* view : {static_cast<GUI_SlotBase*>(officeView), static_cast<GUI_SlotBase*>(plantView),
                                     static_cast<GUI_SlotBase*>(stationView)})
        ExpectNoKeyIn(view->GetLabel()->GetText(), "a name label on the floor");
    GUI_SlotTooltip* dialog = GUI_SlotTooltip::Show(*stationView);
    DrawWindows();
    ExpectPrinted(station->GetTask()->m_guiName, "the slot dialog");
    ASSERT_NE(dialog, nullptr);
    GUI_FacilityDialog* facilityDialog = GUI_FacilityDialog::Show(std::make_unique<GUI_FacilityViewAnchor>(*plantView));
    DrawWindows();
    ExpectPrintedNoKey("the facility dialog");
    ExpectNoKeyIn(facilityDialog->GetTitle(), "the facility dialog's title");
    GUI_WindowManager::Instance().CloseAll();

    // Upgrades: the rows of the upgrades panel and of the picker, for every upgrade.
    for (SIM_SlotUpgrade* upgrade : SIM_SlotUpgradeManager::Instance().GetUpgrades())
    {
        SCOPED_TRACE(upgrade->GetName());
        GUI_SlotUpgrade installed(upgrade);
        DrawEntry(installed);
        ExpectPrinted(upgrade->GetGuiName(), "an installed upgrade's row");
        GUI_UpgradePickerSlot offered(upgrade, true);
        DrawEntry(offered);
        ExpectPrinted(upgrade->GetGuiName(), "the upgrade picker's row");
    }

    // Resources: a slot's needs, the supply stockpile's list and picker, the finance screen's
    // price list.
    for (SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
    {
        SCOPED_TRACE(resource->GetName());
        GUI_TaskResource need(resource, 2, true);
        EXPECT_EQ(need.GetTooltip()->GetLines(), std::vector<std::string>{resource->GetGuiName()});
        GUI_StockpileEntry held(resource, 1, 1);
        for (const std::string& line : held.GetTooltip()->GetLines())
            ExpectNoKeyIn(line, "a stockpile entry's tooltip");
        GUI_StockpileResourceStrip choice(resource);
        DrawEntry(choice);
        ExpectPrinted(resource->GetGuiName(), "the resource picker");
        GUI_Fin_Resource price(resource);
        DrawEntry(price);
        ExpectPrinted(resource->GetGuiName(), "the finance screen's resource list");
    }

    // Missions: the list to choose from.
    for (SIM_Mission* mission : SIM_MissionManager::Instance().GetMissions())
    {
        SCOPED_TRACE(mission->m_name);
        GUI_Mission entry(mission);
        DrawEntry(entry);
        ExpectPrinted(mission->m_guiName, "the mission list");
    }
}
