// The load dialog.
#include "gui/screens/saves/GUI_LoadDialog.h"

#include "engine/GGameServices.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/front/GUI_LoadingScreen.h"
#include "gui/screens/saves/GUI_LoadStrip.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "save/SIM_LoadGame.h"
#include "sim/SIM_Game.h"

namespace
{
const GUI_WindowRegistration kLoadDialogRegistration{"loaddialog", [] { return std::make_unique<GUI_LoadDialog>(); },
                                                     false};
} // namespace

GUI_LoadDialog* GUI_LoadDialog::Open()
{
    CloseOpen();
    return GUI_WindowManager::Create<GUI_LoadDialog>();
}

void GUI_LoadDialog::CloseOpen()
{
    GUI_LoadDialog* open = s_single.Forget();
    if (open)
        open->Close();
}

GUI_LoadDialog::GUI_LoadDialog() : GUI_SaveListDialog(0)
{
    s_single.Claim(this);
    CentreOnScreen();
    RebuildRows();
    SetTitleByKey("LOAD_GAME_TITLE");
}

GUI_LoadDialog::~GUI_LoadDialog()
{
    s_single.Release(this);
}

void GUI_LoadDialog::RebuildRows()
{
    GUI_SaveStripBase::FillRows<GUI_LoadStrip>(m_rows, GetThumbnails());
    LayoutRows();
}

void GUI_LoadDialog::LoadSelected(const GUI_LoadStrip& strip)
{
    // The strip goes with the dialog when the screen changes; only the name is kept.
    LoadSave(strip.GetSaveName());
}

bool GUI_LoadDialog::LoadSave(const std::string& name)
{
    GUI_LoadingScreen& loading = GUI_LoadingScreen::Instance();
    loading.Layout();
    loading.ShowStage("LS_PREPARE_TO_LOAD", 0.05f);
    loading.ShowStage("LS_INIT_GAME", 0.1f);
    GGameServices::Get().BuildGameMode();
    FrontEnd::SwitchTo("game");
    if (SIM_LoadGame::Instance().LoadGame(name))
        return true;
    // A game screen without the saved factory behind it would be a broken game: back to the
    // menu first (closing the game's windows), then the half-built game goes.
    FrontEnd::SwitchTo("mainmenu");
    SIM_Game::Instance().Reset();
    return false;
}

void GUI_LoadDialog::ConfirmDeleteOf(const GUI_LoadStrip& strip)
{
    if (s_single.Get())
        s_single.Get()->ConfirmDelete(strip, [] { Open(); });
}
