// The "options" screen: the options dialog over a white screen and the back button to the main
// menu. It is also the first screen after the game restarted itself for a new screen size.
#pragma once

#include "gui/screens/front/GUI_FrontEndMode.h"

class GUI_Options : public GUI_FrontEndMode
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // The program's options screen, built on first use.
    static GUI_Options& Instance();

    GUI_Options();
    void Enter() override;
    void Exit() override;
};
