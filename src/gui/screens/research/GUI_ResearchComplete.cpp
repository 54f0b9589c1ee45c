// The research-complete notice.
#include "gui/screens/research/GUI_ResearchComplete.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/research/GUI_ResearchUnlock.h"
#include "gui/screens/research/ResearchDrawing.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

GUI_ResearchComplete::GUI_ResearchComplete(SIM_Researchable* item) : GUI_Dialog(false), m_item(item)
{
    s_single.Claim(this);
    DebugAssert(item != nullptr, "GUI_ResearchComplete", 33);
    const bool described = item && !item->m_description.empty();
    m_unlockedLabel = GTextTable::GetText("COMPLETE_UNLOCKED");
    m_chooseButton = CreateChild<GUI_ButtonText>("CHOOSE_RESEARCH", [this] { OnChooseResearch(); });
    m_icon.m_width = static_cast<float>(kIconSide);
    m_icon.m_height = static_cast<float>(kIconSide);
    if (item)
        ResearchDrawing::SetIcon(m_icon, *item);
    if (described)
    {
        m_description = CreateSubWindow<GUI_TextContainer>();
        m_description->SetTextColour(0xFF000000u);
    }
    // Every unlock text wraps to the width beside the icon; the notice is 20 pixels taller for
    // each line the texts take, so a long list of users stays inside it.
    const float textWidth = static_cast<float>(kWidth) - 2.0f * m_sideMargin - static_cast<float>(kTextIndent);
    int lines = 0;
    if (item)
        for (std::string& text : ResearchDrawing::UnlockLines(*item))
        {
            lines += GUI_ResearchUnlock::LinesAt(text, textWidth);
            m_rows.push_back(CreateSubWindow<GUI_ResearchUnlock>(std::move(text)));
        }
    const int height = kLineHeight * lines + static_cast<int>(m_topMargin + m_bottomMargin) + 20 + 40 + 20 + 20 +
                       (described ? kDescriptionHeight : 0);
    SetSize(static_cast<float>(kWidth), static_cast<float>(height));
    CentreOnScreen();
    ShowModal();
    SetTitleByKey("RESEARCH_COMPLETE");
}

void GUI_ResearchComplete::Layout()
{
    if (!m_chooseButton)
        return;
    const PRect& client = GetClientRect();
    m_chooseButton->SetRect(static_cast<float>(client.left + 10), static_cast<float>(client.bottom - 30),
                            static_cast<float>(client.right - 10), static_cast<float>(client.bottom));
    const float half = static_cast<float>(kIconSide) / 2.0f;
    m_icon.SetPosition(static_cast<float>(client.left) + half, static_cast<float>(client.top) + half);
    const float x = static_cast<float>(client.left + kTextIndent);
    const float right = static_cast<float>(client.right);
    float y = static_cast<float>(client.top + 20);
    // The description takes the 60 pixels the notice grew by, under the name; the label and the
    // unlock lines follow below it.
    if (m_description)
    {
        GUI_Fonts::SelectSemibold16();
        m_description->SetText(m_item->m_description, x, y, right, y + static_cast<float>(kDescriptionHeight));
        y += static_cast<float>(kDescriptionHeight);
    }
    m_labelTop = static_cast<int>(y);
    y += static_cast<float>(kLineHeight);
    for (GUI_ResearchUnlock* row : m_rows)
    {
        const int lines = GUI_ResearchUnlock::LinesAt(row->GetText(), right - x);
        row->SetRect(x, y, right, y + static_cast<float>(kLineHeight * lines));
        y += static_cast<float>(kLineHeight * lines);
    }
}

GUI_ResearchComplete::~GUI_ResearchComplete()
{
    s_single.Release(this);
}

GUI_ResearchComplete* GUI_ResearchComplete::Show(SIM_Researchable* item)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_ResearchComplete>(item);
}

void GUI_ResearchComplete::OnChooseResearch()
{
    s_single.Release(this);
    Close();
    GUI_ResearchDialog::Show();
}

void GUI_ResearchComplete::Draw()
{
    GUI_Dialog::Draw();
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    const PRect& client = GetClientRect();
    const float x = static_cast<float>(client.left + kTextIndent);
    const float width = static_cast<float>(client.right) - x;
    if (m_item)
        fonts.Print(fonts.TruncateToWidth(width, m_item->m_guiName), 0xFF000000u, x, static_cast<float>(client.top),
                    0.0f, 0);
    fonts.Print(fonts.TruncateToWidth(width, m_unlockedLabel), 0xFF000000u, x, static_cast<float>(m_labelTop), 0.0f, 0);
    DrawSubWindows();
    fonts.Flush();
}

namespace
{
const GUI_WindowRegistration kResearchCompleteRegistration{
    "researchcomplete", [] { return std::make_unique<GUI_ResearchComplete>(ResearchDrawing::StandInItem()); }, true};
} // namespace
