// The slot information dialog.
#include "gui/factory/dialogs/GUI_SlotTooltip.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_SlotEfficiency.h"
#include "gui/factory/dialogs/GUI_SlotEmployees.h"
#include "gui/factory/dialogs/GUI_SlotRequirements.h"
#include "gui/factory/dialogs/GUI_SlotStatus.h"
#include "gui/factory/dialogs/GUI_SlotUpgrades.h"
#include "gui/factory/dialogs/GUI_Stockpile.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/objects/GUI_ResourceGraph.h"
#include "gui/factory/slots/GUISlotList.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SubTask.h"

#include <cmath>

namespace
{
int TooltipGridHeight(int count, int extra)
{
    return static_cast<int>(std::ceil(static_cast<float>(count) * 0.25f)) * 32 + extra;
}

const SIM_ProductionTask* FirstSubTaskTask(const SIM_ProductionSlot* slot)
{
    if (!slot || slot->GetSubTasks().empty() || !slot->GetSubTasks().front())
        return nullptr;
    return slot->GetSubTasks().front()->task;
}

// For the check of every window: the dialog of a slot standing nowhere, with no task, in a view of
// its own; the slot and its view go with the dialog.
struct SlotTooltipStandIn
{
    std::unique_ptr<SIM_ProductionSlot> slot = std::make_unique<SIM_ProductionSlot>();
    std::unique_ptr<GUI_ProductionSlot> view = std::make_unique<GUI_ProductionSlot>(slot.get());
};

class StandInSlotTooltip : private SlotTooltipStandIn, public GUI_SlotTooltip
{
public:
    StandInSlotTooltip() : GUI_SlotTooltip(*view) {}
};

const GUI_WindowRegistration kSlotTooltipRegistration{"slot_tooltip",
                                                      [] { return std::make_unique<StandInSlotTooltip>(); }, false};
} // namespace

GUI_SlotTooltip::GUI_SlotTooltip(GUI_ProductionSlot& view) : GUI_Dialog(true), m_view(view)
{
    s_single.Claim(this);
    SIM_ProductionSlot* slot = GetSlot();
    if (slot && slot->GetInputStockpile())
        m_stockpile = CreateSubWindow<GUI_Stockpile>(slot->GetInputStockpile());
    m_status = CreateSubWindow<GUI_SlotStatus>(slot);
    m_requirements = CreateSubWindow<GUI_SlotRequirements>(slot);
    m_employees = CreateSubWindow<GUI_SlotEmployees>(&view);
    m_upgrades = CreateSubWindow<GUI_SlotUpgrades>(slot);
    m_efficiency = CreateSubWindow<GUI_SlotEfficiency>(slot);
    Refresh();
}

GUI_SlotTooltip::~GUI_SlotTooltip()
{
    // A dialog replaced by another one may go after the new one started watching its slot.
    if (s_single.Get() == this || !s_single.Get())
        GUI_ResourceGraph::Instance().Unwatch();
    s_single.Release(this);
}

GUI_SlotTooltip* GUI_SlotTooltip::Show(GUI_ProductionSlot& view)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_SlotTooltip>(view);
}

void GUI_SlotTooltip::CloseFor(const GUI_ProductionSlot& view)
{
    if (s_single.Get() && &s_single.Get()->m_view == &view)
    {
        // The slot is going: its stockpile may not be read again, even before the dialog is.
        GUI_ResourceGraph::Instance().Unwatch();
        GUI_SlotTooltip* open = s_single.Forget();
        open->Close();
    }
}

void GUI_SlotTooltip::RefreshOpen(const SIM_PlaceableSlot* slot)
{
    if (s_single.Get() && !s_single.Get()->IsClosing() && (!slot || slot == s_single.Get()->GetSlot()))
        s_single.Get()->Refresh();
}

SIM_ProductionSlot* GUI_SlotTooltip::GetSlot() const
{
    return m_view.GetProductionSlot();
}

int GUI_SlotTooltip::ContentHeight(int required, int stockKinds, int upgrades)
{
    const int req = TooltipGridHeight(required, 24);
    const int st = stockKinds >= 0 ? TooltipGridHeight(stockKinds, 20 + 4) : 0;
    const int up = upgrades >= 0 ? upgrades * 16 + 30 : 0;
    return 116 + req + up + 24 + st + 120;
}

float GUI_SlotTooltip::CentreXBeside(float slotX, float screenCentreX)
{
    return slotX < screenCentreX ? slotX + 200.0f + 275.0f : slotX - 200.0f - 275.0f;
}

bool GUI_SlotTooltip::HasUpgradesToShow() const
{
    const SIM_ProductionSlot* slot = GetSlot();
    if (!slot)
        return false;
    if (!slot->GetUpgrades().empty())
        return true;
    const SIM_BaseTask* task = slot->GetTask();
    FV_ASSERT(task != nullptr);
    if (!task)
        return false;
    for (const SIM_SlotUpgrade* upgrade : task->m_upgrades)
    {
        if (!upgrade)
            continue;
        const SIM_Researchable* research = upgrade->m_research;
        if (!research || research->m_cost <= 0.0f || research->IsComplete())
            return true;
    }
    return false;
}

void GUI_SlotTooltip::Refresh()
{
    SIM_ProductionSlot* slot = GetSlot();
    const SIM_ProductionTask* task = FirstSubTaskTask(slot);
    const int required = task ? static_cast<int>(task->m_resources.size()) : 0;
    if (m_stockpile)
        m_stockpile->Rebuild();
    const int stockKinds = m_stockpile ? static_cast<int>(m_stockpile->GetCounts().size()) : -1;
    const bool upgrades = HasUpgradesToShow();
    m_upgrades->SetVisible(upgrades);
    const int upgradeCount = upgrades ? static_cast<int>(slot->GetUpgrades().size()) : -1;
    const int height =
        static_cast<int>(m_topMargin + m_bottomMargin) + ContentHeight(required, stockKinds, upgradeCount);

    const GUI_Tile* tile = m_view.GetMainTileView();
    const float screenCx = static_cast<float>(GScreenSize::Width()) * 0.5f;
    const float screenCy = static_cast<float>(GScreenSize::Height()) * 0.5f;
    const float tileX = tile ? tile->GetScreenX() : screenCx;
    const float cx = CentreXBeside(tileX, screenCx);
    const float half = static_cast<float>(height) * 0.5f;
    SetRect(cx - kWidth * 0.5f, screenCy - half, cx + kWidth * 0.5f, screenCy + half);
    ClampToScreen();
    UpdateClientRect();

    const PRect client = GetClientRect();
    const float left = static_cast<float>(client.left);
    const float right = static_cast<float>(client.right);
    float y = static_cast<float>(client.top);
    auto stack = [&](GUI_WindowBase* panel, int panelHeight) {
        panel->SetRect(left, y, right, y + static_cast<float>(panelHeight));
        y += static_cast<float>(panelHeight);
        return GUI_Layout::Inset(PRect{panel->GetLeft(), panel->GetTop(), panel->GetRight(), panel->GetBottom()}, 2);
    };
    (void)stack(m_status, kStatusHeight);
    m_status->Refresh();
    m_requirements->SetInnerRect(stack(m_requirements, TooltipGridHeight(required, 24)));
    m_requirements->Rebuild();
    if (m_stockpile)
    {
        // Counted above, so the height and the cells agree.
        m_stockpile->SetInnerRect(stack(m_stockpile, TooltipGridHeight(stockKinds, 24)));
        m_stockpile->LayoutEntries();
        m_stockpile->SetRequirements(m_requirements);
    }
    m_employees->SetInnerRect(stack(m_employees, kEmployeesHeight));
    if (upgrades)
    {
        (void)stack(m_upgrades, upgradeCount * 16 + 30);
        m_upgrades->Layout();
    }
    (void)stack(m_efficiency, kEfficiencyHeight);
    m_efficiency->Refresh();

    // What travels to the slot is marked on the floor while the dialog shows it; a slot that keeps
    // no resources is waited for by nothing.
    if (slot && slot->GetInputStockpile())
        GUI_ResourceGraph::Instance().Watch(slot->GetInputStockpile(), slot->GetTile());
    else
        GUI_ResourceGraph::Instance().Unwatch();

    SetTitle(task ? task->GetGuiName() : std::string());
    SetTakesMouse(true);
    SetConsumesClicks(true);
}

void GUI_SlotTooltip::DrawConnector()
{
    GUISlotList::Instance().selected = m_view.GetLabel();
    m_view.RequestOutlines();
    m_view.ShowNameLabel();
    if (const GUI_Tile* tile = m_view.GetMainTileView())
        DialogPanelDrawing::DrawConnector(PRect{m_left, m_top, m_right, m_bottom}, tile->GetScreenX(),
                                          tile->GetScreenY());
}

void GUI_SlotTooltip::Draw()
{
    if (!IsVisible())
        return;
    DrawConnector();
    const bool drawChildren = m_drawChildren;
    // The close box goes on top of the panels, after them.
    m_drawChildren = false;
    GUI_Dialog::Draw();
    m_drawChildren = drawChildren;
    GD3DDevice::Instance().DrawFrame(PRect{m_left, m_top, m_right, m_bottom}, DialogPanelDrawing::kMarkerRed, 4.0f);
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
    DrawChildren();
}
