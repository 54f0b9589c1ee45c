// The research office's popup.
#include "gui/screens/research/GUI_ResearchPopup.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/facilities/GUI_FacilityAnchor.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/research/GUI_ResearchDialog.h"
#include "gui/screens/research/ResearchDrawing.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_FacilitySlot.h"

#include <cstdio>

GUI_ResearchPopup::GUI_ResearchPopup(std::unique_ptr<GUI_FacilityAnchor> facility)
    : GUI_Dialog(true), m_facility(std::move(facility))
{
    s_single.Claim(this);
    float fx = 0.0f, fy = 0.0f;
    if (m_facility)
        m_facility->GetScreenPosition(fx, fy);
    const PRect r = GUI_FacilityDialog::PlaceBeside(fx, kHeight, static_cast<float>(GScreenSize::Height()) / 2.0f);
    SetRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
            static_cast<float>(r.bottom));
    ClampToScreen();
    const PRect& client = GetClientRect();

    m_percentText = "0%";
    m_item = SIM_ResearchManager::Instance().GetCurrentResearch();
    if (m_item)
    {
        m_description = CreateSubWindow<GUI_TextContainer>();
        m_description->SetTextColour(0xFF000000u);
        GUI_Fonts::SelectSemibold16();
        m_description->SetText(m_item->m_description, static_cast<float>(client.left),
                               static_cast<float>(client.top + 80), static_cast<float>(client.right),
                               static_cast<float>(client.bottom - 50));
        m_itemName = m_item->m_guiName;
    }
    m_progressLabel = GTextTable::GetText("CURRENT_RESEARCH_PROGRESS");
    m_titleLabel = GTextTable::GetText("RESEARCH_CURRENT_TITLE");
    m_bar = PRect{client.left, client.top + 50, client.right, client.top + 70};
    m_filled = PRect{m_bar.left, m_bar.top, m_bar.left, m_bar.bottom};
    if (m_item)
        UpdateProgress();

    const int midX = (m_left + m_right) / 2;
    m_detailsButton = CreateChild<GUI_ButtonText>("RESEARCH_SHOWDETAILS", [this] { OnShowDetails(); });
    m_detailsButton->SetRect(static_cast<float>(midX - 200), static_cast<float>(client.bottom - 40),
                             static_cast<float>(midX + 200), static_cast<float>(client.bottom - 10));
    const SIM_FacilitySlot* slot = m_facility ? m_facility->GetSlot() : nullptr;
    if (slot && slot->GetTask())
        SetTitle(slot->GetTask()->GetGuiName());
    SetTakesMouse(true);
    SetConsumesClicks(true);
    // The details button is drawn after the body.
    SetDrawChildren(false);
}

GUI_ResearchPopup::~GUI_ResearchPopup()
{
    s_single.Release(this);
}

GUI_ResearchPopup* GUI_ResearchPopup::Show(std::unique_ptr<GUI_FacilityAnchor> facility)
{
    return s_single.Replace(std::move(facility));
}

void GUI_ResearchPopup::CloseFor(const SIM_PlaceableSlot* slot)
{
    const GUI_ResearchPopup* open = s_single.Get();
    if (slot && open && open->m_facility && open->m_facility->GetSlot() == slot)
        s_single.CloseOpen();
}

void GUI_ResearchPopup::OnShowDetails()
{
    s_single.CloseOwn(this);
    GUI_ResearchDialog::Show();
}

void GUI_ResearchPopup::UpdateProgress()
{
    const float fraction = ResearchDrawing::Fraction(*m_item);
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f%%", static_cast<double>(fraction * 100.0f));
    m_percentText = text;
    m_filled =
        PRect{m_bar.left, m_bar.top,
              m_bar.left + static_cast<int>(static_cast<float>(m_bar.right - m_bar.left) * fraction), m_bar.bottom};
}

void GUI_ResearchPopup::Update()
{
    if (m_facility && m_facility->IsGone())
    {
        s_single.CloseOwn(this);
        return;
    }
    GUI_Dialog::Update();
}

void GUI_ResearchPopup::Draw()
{
    if (m_facility)
        GUI_FacilityDialog::DrawLink(*m_facility, PRect{m_left, m_top, m_right, m_bottom});
    GUI_Dialog::Draw();
    GD3DDevice& device = GD3DDevice::Instance();
    device.DrawFrame(PRect{m_left, m_top, m_right, m_bottom}, GUI_FacilityDialog::kLinkColour, 4.0f);
    if (m_item)
        UpdateProgress();
    device.FillRect(m_bar, 0xFF000000u);
    device.FillRect(m_filled, 0xFFFFFFFFu);
    device.DrawRectLines(m_bar, 0xFFFFFFFFu);

    const PRect& client = GetClientRect();
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    const float left = static_cast<float>(client.left);
    const float width = static_cast<float>(client.right - client.left);
    const float y = static_cast<float>(client.top);
    fonts.Print(m_titleLabel, 0xFF000000u, left, y, 0.0f, 0);
    fonts.Print(m_itemName, 0xFF000000u, left, y, width, 1);
    fonts.Print(m_progressLabel, 0xFF000000u, left, y + 16.0f, 0.0f, 0);
    fonts.Print(m_percentText, 0xFF000000u, left, y + 16.0f, width, 1);
    DrawSubWindows();
    fonts.Flush();
    DrawChildren();
}

namespace
{
const GUI_WindowRegistration kResearchPopupRegistration{
    "researchpopup", [] { return std::make_unique<GUI_ResearchPopup>(std::make_unique<GUI_FacilityAnchor>(nullptr)); },
    false};
} // namespace
