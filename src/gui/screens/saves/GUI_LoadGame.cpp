// The load screen.
#include "gui/screens/saves/GUI_LoadGame.h"

#include "engine/core/GLifetime.h"
#include "gui/screens/saves/GUI_LoadDialog.h"

GUI_LoadGame& GUI_LoadGame::Instance()
{
    return GLifetime::Get<GUI_LoadGame>();
}

GUI_LoadGame::GUI_LoadGame() : GUI_FrontEndMode("loadgame")
{
}

void GUI_LoadGame::Enter()
{
    GUI_LoadDialog::Open();
}

void GUI_LoadGame::Exit()
{
    GUI_LoadDialog::CloseOpen();
}
