// The facility dialog and the link it shares with the research popup.
#include "gui/screens/facilities/GUI_FacilityDialog.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "gui/screens/facilities/GUI_FacilityAnchor.h"
#include "gui/screens/research/GUI_ResearchPopup.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/slots/SIM_FacilitySlot.h"

GUI_FacilityDialog::GUI_FacilityDialog(std::unique_ptr<GUI_FacilityAnchor> facility)
    : GUI_Dialog(true), m_facility(std::move(facility))
{
    s_single.Claim(this);
    if (m_facility)
        if (std::unique_ptr<GUI_WindowBase> panel = m_facility->CreateUpgradesPanel())
            m_upgrades = AddSubWindow(std::move(panel));
    float fx = 0.0f, fy = 0.0f;
    if (m_facility)
        m_facility->GetScreenPosition(fx, fy);
    const PRect beside = PlaceBeside(fx, 0, 0.0f);
    Place(static_cast<float>(beside.left), static_cast<float>(GScreenSize::Height()) / 2.0f);
    const SIM_FacilitySlot* slot = m_facility ? m_facility->GetSlot() : nullptr;
    if (slot && slot->GetTask())
        SetTitle(slot->GetTask()->GetGuiName());
    SetTakesMouse(true);
    SetConsumesClicks(true);
    // The close box is drawn after the panel, with the other controls.
    SetDrawChildren(false);
}

void GUI_FacilityDialog::Place(float left, float centreY)
{
    const SIM_FacilitySlot* slot = m_facility ? m_facility->GetSlot() : nullptr;
    const int upgrades = slot ? static_cast<int>(slot->GetUpgrades().size()) : 0;
    const int panelHeight = upgrades * kUpgradeRowHeight + kPanelBase;
    const int height = static_cast<int>(m_topMargin + m_bottomMargin) + panelHeight;
    const float top = static_cast<float>(static_cast<int>(centreY - static_cast<float>(height) / 2.0f));
    SetRect(left, top, left + static_cast<float>(kWidth), top + static_cast<float>(height));
    ClampToScreen();
    if (m_top < GUI_Metrics::kTopStrip)
        SetPosition(static_cast<float>(m_left), static_cast<float>(GUI_Metrics::kTopStrip));

    // Laying the panel out again lists the slot's upgrades anew.
    const PRect& client = GetClientRect();
    if (m_upgrades)
        m_upgrades->SetRect(static_cast<float>(client.left), static_cast<float>(client.top),
                            static_cast<float>(client.right), static_cast<float>(client.top + panelHeight));
}

GUI_FacilityDialog::~GUI_FacilityDialog()
{
    s_single.Release(this);
}

GUI_FacilityDialog* GUI_FacilityDialog::Show(std::unique_ptr<GUI_FacilityAnchor> facility)
{
    return s_single.Replace(std::move(facility));
}

void GUI_FacilityDialog::CloseWindowsOf(const SIM_PlaceableSlot* slot)
{
    if (!slot)
        return;
    const GUI_FacilityDialog* open = s_single.Get();
    if (open && open->m_facility && open->m_facility->GetSlot() == slot)
        s_single.CloseOpen();
    GUI_ResearchPopup::CloseFor(slot);
}

void GUI_FacilityDialog::RefreshOpen(const SIM_PlaceableSlot* slot)
{
    GUI_FacilityDialog* open = s_single.Get();
    if (!open || open->IsClosing() || !open->m_facility || open->m_facility->GetSlot() != slot)
        return;
    open->Place(static_cast<float>(open->m_left), static_cast<float>(open->m_top + open->m_bottom) / 2.0f);
}

PRect GUI_FacilityDialog::PlaceBeside(float facilityX, int height, float centreY)
{
    const float cx = static_cast<float>(GScreenSize::Width()) / 2.0f;
    const float centreX = cx > facilityX ? facilityX + kSideOffset : facilityX - kSideOffset;
    const int left = static_cast<int>(centreX - static_cast<float>(kWidth) / 2.0f);
    const int top = static_cast<int>(centreY - static_cast<float>(height) / 2.0f);
    return PRect{left, top, left + kWidth, top + height};
}

void GUI_FacilityDialog::DrawLink(GUI_FacilityAnchor& facility, const PRect& rect)
{
    facility.Highlight();
    float tx = 0.0f, ty = 0.0f;
    if (!facility.GetScreenPosition(tx, ty))
        return;
    const float dx = static_cast<float>(rect.left + rect.right) / 2.0f;
    const float dy = static_cast<float>(rect.top + rect.bottom) / 2.0f;
    DrawLineSprite(kLinkColour, dx, dy, tx, dy, 4.0f);
    DrawLineSprite(kLinkColour, tx, dy, tx, ty, 4.0f);
}

void GUI_FacilityDialog::Update()
{
    if (m_facility && m_facility->IsGone())
    {
        s_single.CloseOwn(this);
        return;
    }
    GUI_Dialog::Update();
}

void GUI_FacilityDialog::Draw()
{
    if (m_facility)
        DrawLink(*m_facility, PRect{m_left, m_top, m_right, m_bottom});
    GUI_Dialog::Draw();
    GD3DDevice::Instance().DrawFrame(PRect{m_left, m_top, m_right, m_bottom}, kLinkColour, 4.0f);
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    DrawChildren();
    GFontManager::Instance().Flush();
}

namespace
{
const GUI_WindowRegistration kFacilityDialogRegistration{
    "facility", [] { return std::make_unique<GUI_FacilityDialog>(std::make_unique<GUI_FacilityAnchor>(nullptr)); },
    false};
} // namespace
