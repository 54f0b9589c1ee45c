// The options screen.
#include "gui/screens/options/GUI_Options.h"

#include "engine/core/GLifetime.h"
#include "gui/screens/options/GUI_OptionsDialog.h"

GUI_Options& GUI_Options::Instance()
{
    return GLifetime::Get<GUI_Options>();
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
