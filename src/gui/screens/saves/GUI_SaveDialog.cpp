// The save dialog.
#include "gui/screens/saves/GUI_SaveDialog.h"

#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/front/GUI_LoadingScreen.h"
#include "gui/screens/saves/GUI_SaveStrip.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"

namespace
{
const GUI_WindowRegistration kSaveDialogRegistration{"savedialog", [] { return std::make_unique<GUI_SaveDialog>(); },
                                                     false};
} // namespace

GUI_SaveDialog* GUI_SaveDialog::Open()
{
    CloseOpen();
    return GUI_WindowManager::Create<GUI_SaveDialog>();
}

void GUI_SaveDialog::CloseOpen()
{
    GUI_SaveDialog* open = s_single.Forget();
    if (!open)
        return;
    // The game runs on at once, even while the window itself waits for the click to end.
    open->ReleaseHold();
    open->Close();
}

void GUI_SaveDialog::ReleaseHold()
{
    if (m_holding)
        FrontEnd::ReleaseGame();
    m_holding = false;
}

GUI_SaveDialog::GUI_SaveDialog() : GUI_SaveListDialog(kFieldRow)
{
    s_single.Claim(this);
    m_nameField = CreateSubWindow<GUI_TextEditWindow>(kNameLength);
    m_nameField->SetFileNameCharacters(true);
    m_saveButton = CreateChild<GUI_ButtonText>("SAVE_CHOOSE_NAME", [] { SaveNow(); });
    CentreOnScreen();
    RebuildRows();
    SetTitleByKey("SAVE_GAME_TITLE");
    m_fieldLabel = GTextTable::GetText("SAVE_FILENAME");
    m_blankNameText = GTextTable::GetText("SAVE_NAME_BLANK");
    FrontEnd::HoldGame();
    m_holding = true;
}

GUI_SaveDialog::~GUI_SaveDialog()
{
    s_single.Release(this);
    ReleaseHold();
}

void GUI_SaveDialog::Layout()
{
    GUI_SaveListDialog::Layout();
    const PRect& list = GetListRect();
    m_nameField->SetRect(static_cast<float>(list.left + 120), static_cast<float>(list.bottom + 10),
                         static_cast<float>(list.right - 200), static_cast<float>(list.bottom + 40));
    m_saveButton->SetRect(static_cast<float>(m_nameField->GetRight() + 10), static_cast<float>(m_nameField->GetTop()),
                          static_cast<float>(list.right), static_cast<float>(m_nameField->GetBottom()));
}

void GUI_SaveDialog::RebuildRows()
{
    GUI_SaveStripBase::FillRows<GUI_SaveStrip>(m_rows, GetThumbnails());
    LayoutRows();
}

void GUI_SaveDialog::DrawBelowList()
{
    const PRect& list = GetListRect();
    GFontManager& fonts = GFontManager::Instance();
    fonts.Print(m_fieldLabel, 0xFF000000u, static_cast<float>(list.left), static_cast<float>(m_nameField->GetTop()),
                0.0f, 0);
    if (IsBlankNameShown())
        fonts.Print(m_blankNameText, 0xFFC03020u, static_cast<float>(m_nameField->GetLeft()),
                    static_cast<float>(m_nameField->GetBottom() + 4), 0.0f, 0);
}

bool GUI_SaveDialog::IsBlankNameShown() const
{
    // Said once the save button refused a blank name, and only while the name is still blank.
    return m_blankRefused && IsBlank(m_nameField->GetText());
}

void GUI_SaveDialog::ChooseName(const std::string& name)
{
    if (s_single.Get())
        s_single.Get()->m_nameField->SetText(name);
}

bool GUI_SaveDialog::SaveNow()
{
    if (!s_single.Get())
        return false;
    const std::string name = s_single.Get()->m_nameField->GetText();
    // A name of nothing but blanks would write a hidden, nameless save that no list can show well.
    if (IsBlank(name))
    {
        s_single.Get()->m_blankRefused = true;
        return false;
    }
    CloseOpen();
    GUI_LoadingScreen& loading = GUI_LoadingScreen::Instance();
    loading.Layout();
    loading.ShowStage("LS_PREPARING_TO_SAVE", 0.05f);
    if (!SIM_SaveGame::Instance().SaveGame(name))
        return false;
    GGameServices::Get().RequestSaveThumbnail(SaveFolder::Get() + "/" + name + ".jpg");
    return true;
}

void GUI_SaveDialog::ConfirmDeleteOf(const GUI_SaveStrip& strip)
{
    if (s_single.Get())
        s_single.Get()->ConfirmDelete(strip, [] { Open(); });
}
