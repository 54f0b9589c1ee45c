// The mission-choice screen ("choosemission"): the list of missions in its dialog over a white
// screen, and the back button to the main menu. Main thread only.
#pragma once

#include "gui/screens/front/GUI_FrontEndMode.h"

class GUI_ChooseMission : public GUI_FrontEndMode
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // The program's mission-choice screen, built on first use.
    static GUI_ChooseMission& Instance();

    GUI_ChooseMission();
    // Opens a fresh mission list.
    void Enter() override;
    // Closes the mission list.
    void Exit() override;
};
