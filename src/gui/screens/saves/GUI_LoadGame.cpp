// The load screen.
#include "gui/screens/saves/GUI_LoadGame.h"

#include "gui/screens/saves/GUI_LoadDialog.h"

GUI_LoadGame& GUI_LoadGame::Instance()
{
    // Never destroyed: the screen is a window, and windows must not outlive the window manager.
    static GUI_LoadGame* instance = new GUI_LoadGame();
    return *instance;
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
