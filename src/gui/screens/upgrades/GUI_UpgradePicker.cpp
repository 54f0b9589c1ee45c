// The upgrade picker.
#include "gui/screens/upgrades/GUI_UpgradePicker.h"

#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/dialogs/GUI_SlotUpgrades.h"
#include "gui/screens/facilities/GUI_FacilityDialog.h"
#include "gui/screens/upgrades/GUI_UpgradePickerSlot.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"

#include <algorithm>

namespace
{
// For the check of every window: the picker of a slot standing nowhere with no task, so an empty
// list; the slot goes with the picker.
struct UpgradePickerStandIn
{
    std::unique_ptr<SIM_ProductionSlot> slot = std::make_unique<SIM_ProductionSlot>();
};

class StandInUpgradePicker : private UpgradePickerStandIn, public GUI_UpgradePicker
{
public:
    StandInUpgradePicker() : GUI_UpgradePicker(slot.get()) {}
};

const GUI_WindowRegistration kUpgradePickerRegistration{"upgrade_picker",
                                                        [] { return std::make_unique<StandInUpgradePicker>(); }, false};
} // namespace

GUI_UpgradePicker::GUI_UpgradePicker(SIM_PlaceableSlot* slot) : GUI_PickerDialog(kRowHeight), m_slot(slot)
{
    s_single.Claim(this);
    const float screenWidth = static_cast<float>(GScreenSize::Width());
    float x = (screenWidth - kWidth) * 0.5f;
    float y = (static_cast<float>(GScreenSize::Height()) - kHeight) * 0.5f;
    // Beside the slot's information dialog, on the side with more room, level with its middle.
    if (const GUI_SlotTooltip* info = GUI_SlotTooltip::GetOpen(); info && !info->IsClosing())
    {
        const float centre = static_cast<float>(info->GetLeft() + info->GetRight()) * 0.5f;
        x = centre >= screenWidth * 0.5f ? static_cast<float>(info->GetLeft() - kWidth - kGap)
                                         : static_cast<float>(info->GetRight() + kGap);
        y = static_cast<float>(info->GetTop() + info->GetBottom()) * 0.5f - kHeight * 0.5f;
    }
    SetRect(x, y, x + kWidth, y + kHeight);
    ClampToScreen();
    if (GetTop() < kMinTop)
        SetPosition(static_cast<float>(GetLeft()), static_cast<float>(kMinTop));
    RebuildRows();
    SetTitleByKey("UPGRADE_PICKER_TITLE");
}

GUI_UpgradePicker::~GUI_UpgradePicker()
{
    s_single.Release(this);
}

GUI_UpgradePicker* GUI_UpgradePicker::Open(SIM_PlaceableSlot* slot)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_UpgradePicker>(slot);
}

void GUI_UpgradePicker::CloseFor(const SIM_PlaceableSlot* slot)
{
    if (s_single.Get() && s_single.Get()->m_slot == slot)
    {
        GUI_UpgradePicker* open = s_single.Forget();
        open->Close();
    }
}

void GUI_UpgradePicker::ConnectSlotDialog()
{
    GUI_SlotUpgrades::UpgradePickerOpener() = [](SIM_PlaceableSlot* slot) { Open(slot); };
    GUI_SlotUpgrades::UpgradePickerCloser() = [](SIM_PlaceableSlot* slot) { CloseFor(slot); };
}

void GUI_UpgradePicker::RebuildRows()
{
    DropRows();
    const SIM_BaseTask* task = m_slot ? m_slot->GetTask() : nullptr;
    if (task)
    {
        const std::vector<SIM_SlotUpgrade*>& installed = m_slot->GetUpgrades();
        for (SIM_SlotUpgrade* upgrade : task->m_upgrades)
        {
            if (!upgrade)
                continue;
            const bool canBuy = std::find(installed.begin(), installed.end(), upgrade) == installed.end();
            m_rows.push_back(std::make_unique<GUI_UpgradePickerSlot>(upgrade, canBuy));
        }
    }
    LayoutRows();
}

void GUI_UpgradePicker::Buy(GUI_UpgradePickerSlot* row)
{
    GUI_UpgradePicker* picker = s_single.Get();
    FV_ASSERT(picker != nullptr && picker->m_slot != nullptr);
    // A second click in the frame the picker closes finds no picker and buys nothing.
    if (!picker || !picker->m_slot || !row || !row->GetUpgrade() || picker->IsClosing())
        return;
    GUI_Sounds::Instance().PlayEffect(GUI_SoundNames::kHeavyClick);
    // Read before anything closes: the row goes with the picker.
    SIM_SlotUpgrade* upgrade = row->GetUpgrade();
    SIM_PlaceableSlot* slot = picker->m_slot;
    SIM_Placement::PurchaseForSlot(*upgrade, slot);
    s_single.CloseOwn(picker);
    GUI_SlotTooltip::RefreshOpen(nullptr);
    GUI_FacilityDialog::RefreshOpen(slot);
}
