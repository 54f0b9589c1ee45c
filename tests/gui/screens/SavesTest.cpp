// The load and save dialogs: how a save's date is read and the list ordered, which pictures the
// strips show, deleting with its question, the name the player may type, and a game saved through
// the save dialog and loaded back through the load screen.
#include "ScreensTestSupport.h"

#include "save/SaveTestSupport.h"
#include "save/SimStateDump.h"

#include "engine/GTextureManager.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/front/GUI_MainMenu.h"
#include "gui/screens/saves/GUI_CellIconButton.h"
#include "gui/screens/saves/GUI_LoadDialog.h"
#include "gui/screens/saves/GUI_LoadStrip.h"
#include "gui/screens/saves/GUI_SaveDialog.h"
#include "gui/screens/saves/GUI_SaveStrip.h"
#include "gui/screens/saves/SaveThumbnails.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "platform/video/PImageCodec.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"
#include "sim/money/SIM_FinanceManager.h"
#include "tests/support/FreshState.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class SaveScreens : public ScreensTest
{
protected:
    // A savegame holding only what the dialogs read of it.
    void WriteSave(const std::string& name, const std::string& date, const std::string& mission = "m01_first_factory")
    {
        std::ofstream out(fs::path(m_world.Folder()) / (name + ".xml"));
        out << "<header>\n<version>alpha 1.07</version>\n</header>\n<load_data>\n<date>" << date
            << "</date>\n</load_data>\n<game>\n<mission>" << mission << "</mission>\n</game>\n";
    }
    void WritePicture(const std::string& name, int width, int height)
    {
        PImage picture;
        picture.levels.resize(1);
        picture.levels[0].width = width;
        picture.levels[0].height = height;
        picture.levels[0].rgba.assign(static_cast<size_t>(width * height * 4), 200);
        ASSERT_TRUE(PImageCodec::SaveToFile((fs::path(m_world.Folder()) / (name + ".jpg")).string(), picture,
                                            PImageFileFormat::Jpg));
    }
    static std::vector<std::string> Names(const GUI_ScrollContainer& list)
    {
        std::vector<std::string> names;
        for (const auto& row : list.GetRows())
            names.push_back(static_cast<const GUI_SaveStripBase&>(*row).GetSaveName());
        return names;
    }
    void ClickCentre(const GUI_BaseElement& e)
    {
        ClickAt(static_cast<float>(e.GetLeft() + e.GetRight()) / 2.0f,
                static_cast<float>(e.GetTop() + e.GetBottom()) / 2.0f);
    }

    savetest::SaveWorld m_world;
};

TEST_F(SaveScreens, DatesReadAsWrittenAndMissingPartsReadZero)
{
    const struct
    {
        const char* text;
        int day, month, year, hour, minute;
    } cases[] = {
        {"6/12/2026 (DD-MM-YYYY) - 9:05", 6, 12, 2026, 9, 5},
        {"31/1/1999 (DD-MM-YYYY) - 23:59", 31, 1, 1999, 23, 59},
        {"", 0, 0, 0, 0, 0},
        {"7/3", 7, 3, 0, 0, 0},
        {"7/3/2020 (DD-MM-YYYY) - 14", 7, 3, 2020, 14, 0},
        {"7/3/2020 (DD-MM-YYYY) -", 7, 3, 2020, 0, 0},
        {"not a date at all", 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        const SaveDate s = GUI_SaveStripBase::ParseDate(c.text);
        EXPECT_EQ(std::vector<int>({s.day, s.month, s.year, s.hour, s.minute}),
                  std::vector<int>({c.day, c.month, c.year, c.hour, c.minute}))
            << c.text;
    }
}

TEST_F(SaveScreens, TheListIsNewestFirstWithTheFolderOnlyAndPicturesCroppedToASquare)
{
    WriteSave("beta", "6/12/2026 (DD-MM-YYYY) - 9:05");
    WriteSave("alpha", "6/12/2026 (DD-MM-YYYY) - 9:05");
    WriteSave("older", "5/12/2026 (DD-MM-YYYY) - 23:59");
    WriteSave("newest", "1/1/2027 (DD-MM-YYYY) - 0:00");
    {
        std::ofstream broken(fs::path(m_world.Folder()) / "broken.xml");
        broken << "not a savegame";
    }
    fs::create_directories(fs::path(m_world.Folder()) / "old");
    std::ofstream(fs::path(m_world.Folder()) / "old" / "inner.xml") << "x";
    WritePicture("alpha", 200, 100);
    WritePicture("beta", 100, 200);
    // A save may carry the name of the game's default picture; its own picture is still its own.
    WriteSave("default_save", "1/1/2000 (DD-MM-YYYY) - 0:00");
    WritePicture("default_save", 64, 64);

    GUI_LoadDialog* dialog = GUI_LoadDialog::Open();
    // Same minute: by name. An unreadable save is listed with no date. Sub-folders are not listed.
    EXPECT_EQ(Names(*dialog), std::vector<std::string>({"newest", "alpha", "beta", "older", "default_save", "broken"}));
    EXPECT_EQ(dialog->GetHeight(), 46 + 400 + 16);
    Frame();
    const auto& rows = dialog->GetRows();
    const auto& alpha = static_cast<const GUI_LoadStrip&>(*rows[1]);
    const auto& beta = static_cast<const GUI_LoadStrip&>(*rows[2]);
    const auto& older = static_cast<const GUI_LoadStrip&>(*rows[3]);
    EXPECT_EQ(alpha.GetMissionText(), "First Factory");
    EXPECT_EQ(alpha.GetDateText(), "6/12/2026 (DD-MM-YYYY) - 9:05");
    EXPECT_TRUE(static_cast<const GUI_LoadStrip&>(*rows[5]).GetDateText().empty());
    // Landscape loses its sides, portrait its top and bottom; no picture: the default one.
    ASSERT_TRUE(alpha.HasOwnPicture());
    EXPECT_FLOAT_EQ(alpha.GetThumbnailSprite().m_vertices[0].u, 0.25f);
    EXPECT_FLOAT_EQ(alpha.GetThumbnailSprite().m_vertices[1].u, 0.75f);
    EXPECT_FLOAT_EQ(alpha.GetThumbnailSprite().m_vertices[0].v, 0.0f);
    ASSERT_TRUE(beta.HasOwnPicture());
    EXPECT_FLOAT_EQ(beta.GetThumbnailSprite().m_vertices[0].v, 0.25f);
    EXPECT_FLOAT_EQ(beta.GetThumbnailSprite().m_vertices[2].v, 0.75f);
    EXPECT_FLOAT_EQ(beta.GetThumbnailSprite().m_vertices[1].u, 1.0f);
    EXPECT_FALSE(older.HasOwnPicture());
    // Rows of 80: a 70-pixel picture and the two buttons stacked at the right.
    EXPECT_EQ(alpha.GetHeight(), 80);
    EXPECT_FLOAT_EQ(alpha.GetThumbnailSprite().m_width, 70.0f);
    EXPECT_LE(alpha.GetLoadButton()->GetBottom(), alpha.GetDeleteButton()->GetTop());
    EXPECT_EQ(alpha.GetLoadButton()->GetWidth(), 36);
    EXPECT_EQ(dialog->GetScrollBar()->GetMaxFirstRow(), 1);

    // A picture saved over shows the new one; the pictures go with the last strip showing them.
    WritePicture("alpha", 100, 300);
    fs::last_write_time(fs::path(m_world.Folder()) / "alpha.jpg",
                        fs::last_write_time(fs::path(m_world.Folder()) / "alpha.jpg") + std::chrono::seconds(5));
    dialog = GUI_LoadDialog::Open();
    Frame();
    Frame();
    const auto& alphaAgain = static_cast<const GUI_LoadStrip&>(*dialog->GetRows()[1]);
    EXPECT_NEAR(alphaAgain.GetThumbnailSprite().m_vertices[0].v, 1.0f / 3.0f, 1e-5f);
    EXPECT_EQ(dialog->GetThumbnails().LiveCount(), 3);
    // The strips of a list built again show nothing until drawn: the old strips took theirs along.
    dialog->RebuildRows();
    EXPECT_EQ(dialog->GetThumbnails().LiveCount(), 0);
    GUI_LoadDialog::CloseOpen();
    Frame();
}

TEST_F(SaveScreens, DeletingAsksFirstAndTheQuestionGoesWithItsDialog)
{
    WriteSave("keep", "6/12/2026 (DD-MM-YYYY) - 9:05");
    WriteSave("drop", "6/12/2026 (DD-MM-YYYY) - 9:06");
    WritePicture("drop", 32, 32);
    const fs::path folder = m_world.Folder();

    GUI_LoadDialog* dialog = GUI_LoadDialog::Open();
    Frame();
    const auto& drop = static_cast<const GUI_LoadStrip&>(*dialog->GetRows()[0]);
    ASSERT_EQ(drop.GetSaveName(), "drop");
    ClickCentre(*drop.GetDeleteButton());
    Frame();
    ASSERT_NE(GUI_ConfirmDialog::GetOpen(), nullptr);
    EXPECT_TRUE(GUI_ConfirmDialog::GetOpen()->IsModal());
    // Leaving the screen takes the question along; nothing is deleted.
    GUI_LoadDialog::CloseOpen();
    Frame();
    EXPECT_EQ(GUI_ConfirmDialog::GetOpen(), nullptr);
    EXPECT_EQ(CountWindows<GUI_ConfirmDialog>(), 0);
    EXPECT_TRUE(fs::exists(folder / "drop.xml"));

    dialog = GUI_LoadDialog::Open();
    Frame();
    ClickCentre(*static_cast<const GUI_LoadStrip&>(*dialog->GetRows()[0]).GetDeleteButton());
    Frame();
    GUI_ConfirmDialog* question = GUI_ConfirmDialog::GetOpen();
    ASSERT_NE(question, nullptr);
    for (const auto& button : question->GetButtons())
        if (button->GetId() == GUI_ConfirmDialog::ID_YES)
            ClickCentre(*button);
    Frame();
    EXPECT_FALSE(fs::exists(folder / "drop.xml"));
    EXPECT_FALSE(fs::exists(folder / "drop.jpg"));
    EXPECT_TRUE(fs::exists(folder / "keep.xml"));
    ASSERT_NE(GUI_LoadDialog::GetOpen(), nullptr);
    EXPECT_EQ(Names(*GUI_LoadDialog::GetOpen()), std::vector<std::string>({"keep"}));
    EXPECT_EQ(CountWindows<GUI_LoadDialog>(), 1);
}

TEST_F(SaveScreens, AGameSavedThroughTheSaveDialogLoadsBackThroughTheLoadScreen)
{
    GUI_MainMenu menu;
    menu.CreateButtons();
    m_game->SetGameMode("mainmenu");
    ASSERT_TRUE(m_world.StartGame());
    ASSERT_TRUE(m_world.BuildAssemblyLine());
    ASSERT_NE(m_world.PlaceFacility("fac_supply_stockpile", 12, 16), nullptr);
    m_world.PlayHours(1);
    SIM_FinanceManager::Instance().RestoreCash(123456.0f);
    SIM_Game::Instance().SetSpeed(2.0f);
    const std::string before = savetest::DumpSimulation();

    GUI_SaveDialog* dialog = GUI_SaveDialog::Open();
    Frame();
    EXPECT_EQ(dialog->GetHeight(), 536);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);
    GUI_TextEditWindow* field = dialog->GetNameField();
    // Only what a savegame's file name may hold, at most 128 characters; blanks save nothing.
    for (char c : std::string("A/b:c*d?e<f>g|h\\i\"j"))
        field->OnChar(static_cast<uint8_t>(c));
    EXPECT_EQ(field->GetText(), "Abcdefghij");
    field->SetText(std::string(127, 'x'));
    field->OnChar('y');
    field->OnChar('z');
    EXPECT_EQ(field->GetText().size(), 128u);
    field->SetText("   ");
    EXPECT_FALSE(dialog->IsBlankNameShown());
    EXPECT_FALSE(GUI_SaveDialog::SaveNow());
    EXPECT_TRUE(GUI_SaveStripBase::FindSaves(SaveFolder::Get()).empty());
    EXPECT_EQ(GUI_SaveDialog::GetOpen(), dialog);
    // The refusal is explained under the field until a name is typed.
    EXPECT_TRUE(dialog->IsBlankNameShown());
    Frame();

    field->SetText("");
    for (char c : std::string("First run (1)"))
        field->OnChar(static_cast<uint8_t>(c));
    EXPECT_FALSE(dialog->IsBlankNameShown());
    ClickCentre(*dialog->GetSaveButton());
    Frame();
    EXPECT_EQ(GUI_SaveDialog::GetOpen(), nullptr);
    EXPECT_EQ(CountWindows<GUI_SaveDialog>(), 0);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 2.0f);
    EXPECT_TRUE(fs::exists(fs::path(SaveFolder::Get()) / "First run (1).xml"));

    // Back to the menu, the game ends; the load screen finds the save and loads it.
    FrontEnd::SwitchTo("mainmenu");
    FreshState::EndGame();
    GUI_MainMenu::OnButton(GUI_MainMenu::BUTTON_LOADGAME);
    Frame();
    EXPECT_EQ(CurrentMode(), "loadgame");
    GUI_LoadDialog* load = GUI_LoadDialog::GetOpen();
    ASSERT_NE(load, nullptr);
    ASSERT_EQ(load->GetRows().size(), 1u);
    const auto& strip = static_cast<const GUI_LoadStrip&>(*load->GetRows()[0]);
    EXPECT_EQ(strip.GetSaveName(), "First run (1)");
    EXPECT_EQ(strip.GetMissionText(), "First Factory");
    EXPECT_EQ(strip.GetDateText(), "6/12/2026 (DD-MM-YYYY) - 9:05");
    ClickCentre(*strip.GetLoadButton());
    Frame();
    EXPECT_EQ(CurrentMode(), "game");
    EXPECT_EQ(GUI_LoadDialog::GetOpen(), nullptr);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), 123456.0f);
    const std::string after = savetest::DumpSimulation();
    EXPECT_TRUE(before == after) << savetest::FirstDifference(before, after);

    // Loaded again from the menu: no picture is decoded again and the scene's pages are kept.
    const int decoded = GTextureManager::Instance().GetDecodeCount();
    const int built = IsometricDrawQueue::Instance().Pages().GetBuildCount();
    FrontEnd::SwitchTo("mainmenu");
    FreshState::EndGame();
    ASSERT_TRUE(GUI_LoadDialog::LoadSave("First run (1)"));
    EXPECT_EQ(GTextureManager::Instance().GetDecodeCount(), decoded);
    EXPECT_EQ(IsometricDrawQueue::Instance().Pages().GetBuildCount(), built);

    // A save that cannot be loaded leads back to the main menu with no game behind it.
    FrontEnd::SwitchTo("mainmenu");
    FreshState::EndGame();
    WriteSave("broken", "1/1/2027 (DD-MM-YYYY) - 0:00", "no_such_mission");
    EXPECT_FALSE(GUI_LoadDialog::LoadSave("broken"));
    EXPECT_EQ(CurrentMode(), "mainmenu");
    EXPECT_EQ(SIM_Game::Instance().GetFactory(), nullptr);
}
