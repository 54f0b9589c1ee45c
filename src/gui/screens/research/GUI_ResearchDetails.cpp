// The research details dialog.
#include "gui/screens/research/GUI_ResearchDetails.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/research/GUI_CurrentResearch.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/screens/research/GUI_TechTreeEntry.h"
#include "gui/screens/research/ResearchDrawing.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

GUI_ResearchDetails::GUI_ResearchDetails(SIM_Researchable* item) : GUI_Dialog(true)
{
    s_single.Claim(this);
    m_pointsLabel = GTextTable::GetText("RESEARCH_CURRENT_POINTS");
    // The bottom margin makes room for the button under the panel.
    SetMargins(m_sideMargin, m_topMargin, m_bottomMargin + 30.0f);
    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
    ShowModal();

    const PRect& client = GetClientRect();
    m_content = PRect{client.left + 4, client.top + 4, client.right - 4, client.bottom - 4};
    m_researchButton = CreateChild<GUI_ButtonText>(
        "RESEARCH_DETAILS_RESEARCH", [this] { OnResearch(); }, reinterpret_cast<intptr_t>(this));
    m_researchButton->SetRect(static_cast<float>(m_content.left + 4), static_cast<float>(m_content.bottom + 10),
                              static_cast<float>(m_content.right - 4), static_cast<float>(m_content.bottom + 40));
    m_researchButton->SetCaptionColour(0xFF000000u);
    m_icon.m_width = 64.0f;
    m_icon.m_height = 64.0f;
    m_icon.SetPosition(static_cast<float>(m_content.left + 4 + 32), static_cast<float>(m_content.top + 10 + 32));
    m_descriptionBox = CreateSubWindow<GUI_TextContainer>();
    m_descriptionBox->SetTextColour(0xFF000000u);
    m_descriptionRect = PRect{m_content.left + 4, m_content.top + 10 + 64 + 4, m_content.right - 4, m_content.bottom};
    m_descriptionBox->SetText("", static_cast<float>(m_descriptionRect.left), static_cast<float>(m_descriptionRect.top),
                              static_cast<float>(m_descriptionRect.right),
                              static_cast<float>(m_descriptionRect.bottom));
    SetItem(item);
}

GUI_ResearchDetails::~GUI_ResearchDetails()
{
    s_single.Release(this);
}

GUI_ResearchDetails* GUI_ResearchDetails::Show(SIM_Researchable* item)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_ResearchDetails>(item);
}

void GUI_ResearchDetails::SetItem(SIM_Researchable* item)
{
    m_item = item;
    if (!item)
        return;
    SetTitle(item->m_guiName);
    m_description = item->m_description;
    ResearchDrawing::SetIcon(m_icon, *item);
    GUI_Fonts::SelectSemibold16();
    m_descriptionBox->SetText(m_description, static_cast<float>(m_descriptionRect.left),
                              static_cast<float>(m_descriptionRect.top), static_cast<float>(m_descriptionRect.right),
                              static_cast<float>(m_descriptionRect.bottom));
    if (item->m_kind == RESEARCH_PROCESS)
        m_kindColour = {196, 215, 155, 255};
    else if (item->m_kind == RESEARCH_TECHNOLOGY)
        m_kindColour = {250, 191, 143, 255};
    if (item->IsComplete())
    {
        m_researchButton->SetEnabled(false);
        m_researchButton->SetTextByKey("ALREADY_RESEARCHED");
    }
}

uint32_t GUI_ResearchDetails::GetKindColour() const
{
    return GUI_TechTreeEntry::ToArgb(m_kindColour);
}

void GUI_ResearchDetails::OnResearch()
{
    DebugAssert(s_single.Get() != nullptr, "GUI_ResearchDetails", 146);
    if (!m_item)
        return;
    // Each item keeps its own progress, so choosing another one later loses nothing.
    SIM_ResearchManager::Instance().SetCurrentResearch(m_item);
    if (GUI_CurrentResearch* panel = GUI_CurrentResearch::GetOpen())
        panel->SetResearch(m_item);
    if (GUI_ResearchDialog::GetOpen())
    {
        GUI_TechTree* tree = GUI_ResearchDialog::GetOpen()->GetTechTree();
        DebugAssert(tree != nullptr, "GUI_ResearchDetails", 156);
        if (tree)
            tree->RefreshEntries();
    }
    s_single.Release(this);
    Close();
}

void GUI_ResearchDetails::Draw()
{
    GUI_Dialog::Draw();
    GD3DDevice& device = GD3DDevice::Instance();
    if (!m_item)
    {
        device.DrawRectLines(m_content, 0xFFFFFFFFu);
        return;
    }
    device.FillRect(m_content, GetKindColour());
    device.DrawRectLines(m_content, 0xFFFFFFFFu);
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    fonts.Print(ResearchDrawing::PointsLine(m_pointsLabel, *m_item), 0xFF000000u,
                ResearchDrawing::RightEdge(m_icon) + 10.0f, ResearchDrawing::MiddleY(m_icon) - 5.0f, 0.0f, 0);
    DrawSubWindows();
    fonts.Flush();
}

namespace
{
const GUI_WindowRegistration kResearchDetailsRegistration{
    "researchdetails", [] { return std::make_unique<GUI_ResearchDetails>(ResearchDrawing::StandInItem()); }, true};
} // namespace
