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
    s_open = this;
    DebugAssert(item != nullptr, "GUI_ResearchComplete", 33);
    const bool described = item && !item->m_description.empty();
    const int unlocks = item ? static_cast<int>(item->m_unlocks.size()) : 0;
    const int height = kLineHeight * unlocks + static_cast<int>(m_topMargin + m_bottomMargin) + 20 + 40 + 20 + 20 +
                       (described ? kDescriptionHeight : 0);
    m_unlockedLabel = GTextTable::GetText("COMPLETE_UNLOCKED");
    SetSize(static_cast<float>(kWidth), static_cast<float>(height));
    CentreOnScreen();
    const PRect& client = GetClientRect();

    m_chooseButton = CreateChild<GUI_ButtonText>("CHOOSE_RESEARCH", [this] { OnChooseResearch(); });
    m_chooseButton->SetRect(static_cast<float>(client.left + 10), static_cast<float>(client.bottom - 30),
                            static_cast<float>(client.right - 10), static_cast<float>(client.bottom));
    m_icon.m_width = 64.0f;
    m_icon.m_height = 64.0f;
    m_icon.SetPosition(static_cast<float>(client.left + 32), static_cast<float>(client.top + 32));
    if (item)
        ResearchDrawing::SetIcon(m_icon, *item);

    const float x = ResearchDrawing::RightEdge(m_icon) + 10.0f;
    float y = static_cast<float>(client.top + 20);
    // The description takes the 60 pixels the notice grew by, under the name; the label and the
    // unlock lines follow below it.
    if (described)
    {
        m_description = CreateSubWindow<GUI_TextContainer>();
        m_description->SetTextColour(0xFF000000u);
        GUI_Fonts::SelectSemibold16();
        m_description->SetText(item->m_description, x, y, static_cast<float>(client.right),
                               y + static_cast<float>(kDescriptionHeight));
        y += static_cast<float>(kDescriptionHeight);
    }
    m_labelTop = static_cast<int>(y);
    y += static_cast<float>(kLineHeight);
    if (item)
        for (const std::string& name : item->m_unlocks)
        {
            GUI_ResearchUnlock* row = CreateSubWindow<GUI_ResearchUnlock>(*item, name);
            row->SetRect(x, y, static_cast<float>(client.right), y + static_cast<float>(kLineHeight));
            m_rows.push_back(row);
            y += static_cast<float>(kLineHeight);
        }
    ShowModal();
    SetTitleByKey("RESEARCH_COMPLETE");
}

GUI_ResearchComplete::~GUI_ResearchComplete()
{
    if (s_open == this)
        s_open = nullptr;
}

GUI_ResearchComplete* GUI_ResearchComplete::Show(SIM_Researchable* item)
{
    if (GUI_ResearchComplete* old = s_open)
    {
        s_open = nullptr;
        old->Close();
    }
    return GUI_WindowManager::Create<GUI_ResearchComplete>(item);
}

void GUI_ResearchComplete::OnChooseResearch()
{
    if (s_open == this)
        s_open = nullptr;
    Close();
    GUI_ResearchDialog::Show();
}

void GUI_ResearchComplete::Draw()
{
    GUI_Dialog::Draw();
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    const float x = ResearchDrawing::RightEdge(m_icon) + 10.0f;
    const PRect& client = GetClientRect();
    if (m_item)
        fonts.Print(m_item->m_guiName, 0xFF000000u, x, static_cast<float>(client.top), 0.0f, 0);
    fonts.Print(m_unlockedLabel, 0xFF000000u, x, static_cast<float>(m_labelTop), 0.0f, 0);
    DrawSubWindows();
    fonts.Flush();
}

namespace
{
const GUI_WindowRegistration kResearchCompleteRegistration{
    "researchcomplete", [] { return std::make_unique<GUI_ResearchComplete>(ResearchDrawing::StandInItem()); }, true};
} // namespace
