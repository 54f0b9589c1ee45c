// The "loadgame" screen: the load dialog over a white screen, and the back button to the main menu.
#pragma once

#include "gui/screens/front/GUI_FrontEndMode.h"

class GUI_LoadGame : public GUI_FrontEndMode
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // The program's load screen, built on first use.
    static GUI_LoadGame& Instance();

    GUI_LoadGame();
    void Enter() override;
    void Exit() override;
};
