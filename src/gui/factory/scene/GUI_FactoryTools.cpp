// The tool flags and screen hooks of the factory view.
#include "gui/factory/scene/GUI_FactoryTools.h"

GUI_FactoryTools& GUI_FactoryTools::Instance()
{
    static GUI_FactoryTools tools;
    return tools;
}
