// A line of the research-complete notice.
#include "gui/screens/research/GUI_ResearchUnlock.h"

#include "engine/GFontManager.h"
#include "sim/research/SIM_Researchable.h"

GUI_ResearchUnlock::GUI_ResearchUnlock(const SIM_Researchable& item, const std::string& unlockName)
    : m_text(item.GetUnlockText(unlockName))
{
}

void GUI_ResearchUnlock::Draw()
{
    GFontManager::Instance().Print(m_text, 0xFF000000u, static_cast<float>(m_left), static_cast<float>(m_top), 0.0f, 0);
}
