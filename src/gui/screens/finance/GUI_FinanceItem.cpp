// A row of the expenses list.
#include "gui/screens/finance/GUI_FinanceItem.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/screens/finance/FinanceFigures.h"
#include "sim/money/SIM_FinanceManager.h"

GUI_FinanceItem::GUI_FinanceItem(int category, const std::string& iconTexture, const std::string& categoryKey,
                                 float lastHour, float last24Hours, float allTime)
    : m_category(category),
      m_name(GTextTable::GetText(categoryKey)), m_amounts{SIM_FinanceManager::FormatMoney(lastHour),
                                                          SIM_FinanceManager::FormatMoney(last24Hours),
                                                          SIM_FinanceManager::FormatMoney(allTime)}
{
    m_icon.SetTexture(iconTexture);
    const uint32_t argb = FinanceFigures::CategoryArgb(category);
    m_icon.SetColour(static_cast<int>(argb >> 16 & 0xFFu), static_cast<int>(argb >> 8 & 0xFFu),
                     static_cast<int>(argb & 0xFFu), static_cast<int>(argb >> 24));
}

void GUI_FinanceItem::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(left, top, right, bottom);
    const float size = static_cast<float>(m_height - 6);
    m_icon.m_width = size;
    m_icon.m_height = size;
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    m_icon.SetPosition(static_cast<float>(m_inner.left) + 5.0f + size / 2.0f,
                       static_cast<float>(m_top + m_bottom) / 2.0f);
}

void GUI_FinanceItem::Draw()
{
    GD3DDevice::Instance().DrawRectLines(m_inner, 0x40808080u);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        const float y = static_cast<float>(m_top + m_bottom) * 0.5f - 5.0f;
        const float iconRight = DialogPanelDrawing::IconRight(m_icon);
        fonts.Print(m_name, 0xFF000000u, iconRight + 10.0f, y, 0.0f, 0);
        const float right = static_cast<float>(m_inner.right);
        fonts.Print(m_amounts[2], 0xFF000000u, right - 300.0f, y, 290.0f, 1);
        fonts.Print(m_amounts[1], 0xFF000000u, right - 400.0f, y, 290.0f, 1);
        fonts.Print(m_amounts[0], 0xFF000000u, right - 500.0f, y, 290.0f, 1);
        // The marker's texture replaces the font's: the queued text goes first.
        fonts.Flush();
    }
    m_icon.Draw();
}
