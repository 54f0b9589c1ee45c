// The expansion dialog.
#include "gui/screens/expansion/GUI_ExpansionDialog.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/world/SIM_BuildingZone.h"

#include <cstdio>

GUI_ExpansionDialog::GUI_ExpansionDialog(SIM_BuildingZone* zone) : GUI_Dialog(true), m_zone(zone)
{
    s_single.Claim(this);
    SetSize(static_cast<float>(kWidth),
            m_topMargin + static_cast<float>(kBodyHeight) + m_bottomMargin + static_cast<float>(kButtonArea));
    CentreOnScreen();
    const PRect& client = GetClientRect();
    SetTitleByKey("EXPANSION_UNLOCK_TITLE");

    m_unlockButton = CreateChild<GUI_ButtonText>("EXPANSION_UNLOCK", [this] { OnUnlock(); });
    m_unlockButton->SetRect(static_cast<float>(client.left), static_cast<float>(client.bottom - 30),
                            static_cast<float>(client.right), static_cast<float>(client.bottom));

    // Without the gate item in the data the offer stays open rather than being lost for good.
    const SIM_Researchable* gate = SIM_ResearchManager::Instance().GetResearchable(kGateResearch);
    if (!gate)
        GDebugLog::Instance().LogError(std::string("Expansion dialog: research [") + kGateResearch +
                                       "] is missing; zones can be rented without it");
    else if (!gate->IsComplete())
    {
        m_unlockButton->SetEnabled(false);
        m_unlockButton->SetTextByKey("UNRESEARCHED");
    }

    m_nameLabel = GTextTable::GetText("EXPANSION_NAME");
    m_sizeLabel = GTextTable::GetText("EXPANSION_SIZE");
    m_rentLabel = GTextTable::GetText("EXPANSION_RENT");
    m_explanation = GTextTable::GetText("EXPANSION_EXPLANATION");
    if (zone)
    {
        char text[64];
        std::snprintf(text, sizeof(text), "%lld X %lld", zone->GetSpanX(), zone->GetSpanY());
        m_sizeText = text;
        // The rent the factory books every hour for the whole zone.
        std::snprintf(text, sizeof(text), "$%.2f", static_cast<double>(zone->m_rent));
        m_rentText = text;
        m_zoneName = zone->GetGUIName();
    }

    GUI_Fonts::SelectSemibold16();
    m_explanationBox = CreateSubWindow<GUI_TextContainer>();
    m_explanationBox->SetText(m_explanation, static_cast<float>(client.left), static_cast<float>(client.top),
                              static_cast<float>(client.right), static_cast<float>(client.top + 48));
    ShowModal();
}

GUI_ExpansionDialog::~GUI_ExpansionDialog()
{
    s_single.Release(this);
}

GUI_ExpansionDialog* GUI_ExpansionDialog::Show(SIM_BuildingZone* zone)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_ExpansionDialog>(zone);
}

void GUI_ExpansionDialog::OnUnlock()
{
    if (m_zone)
        m_zone->Unlock(SIM_Game::Instance().GetFactory(), false);
    s_single.Release(this);
    Close();
}

void GUI_ExpansionDialog::Draw()
{
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager& fonts = GFontManager::Instance();
    const PRect& client = GetClientRect();
    const float left = static_cast<float>(client.left + 10);
    const float width = static_cast<float>(client.right) - left;
    float y = static_cast<float>(m_explanationBox->GetBottom());
    const std::string* rows[3][2] = {
        {&m_nameLabel, &m_zoneName}, {&m_sizeLabel, &m_sizeText}, {&m_rentLabel, &m_rentText}};
    for (const auto& row : rows)
    {
        fonts.Print(*row[0], 0xFF000000u, left, y, 0.0f, 0);
        fonts.Print(*row[1], 0xFF000000u, left, y, width, 1);
        y += static_cast<float>(kLineHeight);
    }
    fonts.Flush();
}

namespace
{
// A zone of ten by twenty tiles renting for 150 an hour stands in for the mission's.
SIM_BuildingZone& StandInZone()
{
    static SIM_BuildingZone zone;
    zone.m_top = 0;
    zone.m_bottom = 10;
    zone.m_left = 0;
    zone.m_right = 20;
    zone.m_rent = 150.0f;
    zone.m_guiName = "North Hall";
    zone.m_state = SIM_BuildingZone::STATE_LOCKED;
    return zone;
}

const GUI_WindowRegistration kExpansionRegistration{
    "expansion", [] { return std::make_unique<GUI_ExpansionDialog>(&StandInZone()); }, true};
} // namespace
