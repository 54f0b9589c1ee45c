// The efficiency screen.
#include "gui/screens/efficiency/GUI_EfficiencyDialog.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/screens/efficiency/GUI_GlobalSlotEfficiency.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

GUI_EfficiencyDialog::GUI_EfficiencyDialog() : GUI_Dialog(true)
{
    s_single.Claim(this);
    m_page = CreateSubWindow<GUI_GlobalSlotEfficiency>();
    m_tab =
        CreateChild<GUI_ButtonTab>("EFF_SLOTS", GUI_Callback([](intptr_t tab) { OnTab(static_cast<int>(tab)); }), 0);
    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
    ShowModal();
    SetTitleByKey("EFFICIENCY_TITLE");
    m_tab->SetSelected(true);
}

GUI_EfficiencyDialog::~GUI_EfficiencyDialog()
{
    s_single.Release(this);
}

GUI_EfficiencyDialog* GUI_EfficiencyDialog::Open()
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_EfficiencyDialog>();
}

void GUI_EfficiencyDialog::Toggle()
{
    if (GUI_EfficiencyDialog* open = s_single.Forget())
    {
        open->Close();
        return;
    }
    Open();
}

void GUI_EfficiencyDialog::RefreshOpen()
{
    if (s_single.Get() && !s_single.Get()->IsClosing())
        s_single.Get()->m_page->Refresh();
}

void GUI_EfficiencyDialog::OnTab(int tab)
{
    FV_ASSERT(s_single.Get() != nullptr);
    if (!s_single.Get())
        return;
    s_single.Get()->m_page->SetVisible(false);
    s_single.Get()->m_tab->SetSelected(tab == 0);
    if (tab == 0)
        s_single.Get()->m_page->SetVisible(true);
}

void GUI_EfficiencyDialog::Layout()
{
    const PRect c = GetClientRect();
    m_tab->SetRect(static_cast<float>(c.left), static_cast<float>(c.top), static_cast<float>(c.right),
                   static_cast<float>(c.top + kTabHeight));
    m_page->SetRect(static_cast<float>(c.left), static_cast<float>(c.top + kTabHeight), static_cast<float>(c.right),
                    static_cast<float>(c.bottom));
}

void GUI_EfficiencyDialog::Draw()
{
    if (!IsVisible())
        return;
    GUI_Dialog::Draw();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}

namespace
{
const GUI_WindowRegistration kEfficiencyRegistration{"efficiency",
                                                     [] { return std::make_unique<GUI_EfficiencyDialog>(); }, true};
} // namespace
