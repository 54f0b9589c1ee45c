// The options screen.
#include "gui/screens/options/GUI_Options.h"

#include "gui/screens/options/GUI_OptionsDialog.h"

GUI_Options& GUI_Options::Instance()
{
    // Never destroyed: the screen is a window, and windows must not outlive the window manager.
    static GUI_Options* instance = new GUI_Options();
    return *instance;
}

GUI_Options::GUI_Options() : GUI_FrontEndMode("options")
{
}

void GUI_Options::Enter()
{
    GUI_OptionsDialog::Open(false);
}

void GUI_Options::Exit()
{
    GUI_OptionsDialog::CloseOpen();
}
