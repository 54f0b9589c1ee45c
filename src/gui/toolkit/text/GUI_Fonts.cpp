// Interface font selection.
#include "gui/toolkit/text/GUI_Fonts.h"

#include "engine/GFontManager.h"

void GUI_Fonts::SelectSemibold16()
{
    GFontManager::Instance().SelectFont(kSemibold16, 16.0f);
}

void GUI_Fonts::SelectExtraBold36()
{
    GFontManager::Instance().SelectFont(kExtraBold36, 36.0f);
}

void GUI_Fonts::SelectSemibold20OnBlack()
{
    GFontManager::Instance().SelectFont(kSemibold20OnBlack, 20.0f);
}
