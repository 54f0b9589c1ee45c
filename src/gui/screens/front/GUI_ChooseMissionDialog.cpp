// The mission list.
#include "gui/screens/front/GUI_ChooseMissionDialog.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "gui/screens/front/GUI_Mission.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/world/SIM_MissionManager.h"

namespace
{
const GUI_WindowRegistration kChooseMissionRegistration{
    "choosemission", [] { return std::make_unique<GUI_ChooseMissionDialog>(); }, false};
} // namespace

GUI_ChooseMissionDialog* GUI_ChooseMissionDialog::Open()
{
    CloseOpen();
    return GUI_WindowManager::Create<GUI_ChooseMissionDialog>();
}

void GUI_ChooseMissionDialog::CloseOpen()
{
    // Forgotten at once: the window may only be deleted after the click that closed it.
    s_single.CloseOpen();
}

int GUI_ChooseMissionDialog::HeightFor(int missionCount, int screenHeight)
{
    int h = missionCount * kRowHeight + GUI_Metrics::kDialogTopMargin + GUI_Metrics::kDialogBottomMargin;
    while (h > screenHeight - 100 && h > kRowHeight)
        h -= kRowHeight;
    return h;
}

GUI_ChooseMissionDialog::GUI_ChooseMissionDialog() : GUI_Dialog(false)
{
    s_single.Claim(this);
    SIM_MissionManager::Instance().Load();
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    const int count = static_cast<int>(SIM_MissionManager::Instance().GetMissions().size());
    SetSize(static_cast<float>(kWidth), static_cast<float>(HeightFor(count, GScreenSize::Height())));
    CentreOnScreen();
    SetTitleByKey("CHOOSE_MISSION_TITLE");
    RebuildRows();
}

GUI_ChooseMissionDialog::~GUI_ChooseMissionDialog()
{
    s_single.Release(this);
}

void GUI_ChooseMissionDialog::Layout()
{
    const PRect& client = GetClientRect();
    m_bar->SetRect(static_cast<float>(client.right - 20), static_cast<float>(client.top + 5),
                   static_cast<float>(client.right - 5), static_cast<float>(client.bottom - 5));
    LayoutRows();
}

void GUI_ChooseMissionDialog::RebuildRows()
{
    m_rows.clear();
    for (SIM_Mission* mission : SIM_MissionManager::Instance().GetMissions())
        m_rows.push_back(std::make_unique<GUI_Mission>(mission));
    LayoutRows();
}

void GUI_ChooseMissionDialog::LayoutRows()
{
    ArrangeRows(*this, *this, GetClientRect(), kRowHeight);
}

void GUI_ChooseMissionDialog::Draw()
{
    FollowScrollBar();
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}

void GUI_ChooseMissionDialog::OnWheelUp()
{
    m_bar->StepUp();
}

void GUI_ChooseMissionDialog::OnWheelDown()
{
    m_bar->StepDown();
}
