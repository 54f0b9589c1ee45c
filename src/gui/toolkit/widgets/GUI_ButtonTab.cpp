// Tab look.
#include "gui/toolkit/widgets/GUI_ButtonTab.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"

GUI_ButtonTab::GUI_ButtonTab(const std::string& textKey, GUI_Callback callback, intptr_t argument)
    : GUI_ButtonText(textKey, std::move(callback), argument)
{
}

void GUI_ButtonTab::Draw()
{
    uint32_t fill = 0xFFBEBEBEu;
    if (m_enabled && m_selected)
        fill = 0xFFFFFFFFu;
    else if (m_enabled && m_hovered)
        fill = 0xFFC8C8C8u;
    GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, fill);
    GUI_Fonts::SelectSemibold16();
    const int captionY = (m_top + m_bottom) / 2 - 9;
    DrawCaption(0xFF000000u, 0x40FFFFFFu, static_cast<float>(captionY));
    if (GFontManager::Instance().IsInitialised())
        GFontManager::Instance().Flush();
    DrawTooltipAndResetHover();
}
