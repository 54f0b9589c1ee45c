// A change-list row.
#include "gui/screens/front/GUI_ChangelistEntry.h"

#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"

GUI_ChangelistEntry::GUI_ChangelistEntry(std::string text) : m_text(std::move(text)), m_shown(m_text)
{
    SetTakesMouse(false);
}

void GUI_ChangelistEntry::Layout()
{
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    m_shown = fonts.TruncateToWidth(static_cast<float>(m_width - 10), m_text);
}

void GUI_ChangelistEntry::Draw()
{
    GFontManager::Instance().Print(m_shown, 0xFF000000u, static_cast<float>(m_left), static_cast<float>(m_top), 0.0f,
                                   0);
}
