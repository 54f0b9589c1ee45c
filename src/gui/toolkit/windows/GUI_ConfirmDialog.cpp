// The yes/no question box.
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

namespace
{
const GUI_WindowRegistration kConfirmRegistration{
    "confirm",
    [] { return std::make_unique<GUI_ConfirmDialog>(nullptr, "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT"); },
    true};
} // namespace

GUI_ConfirmDialog* GUI_ConfirmDialog::Open(GUI_Callback onYes, const std::string& titleKey, const std::string& textKey)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_ConfirmDialog>(std::move(onYes), titleKey, textKey);
}

GUI_ConfirmDialog::GUI_ConfirmDialog(GUI_Callback onYes, const std::string& titleKey, const std::string& textKey)
    : GUI_Dialog(true), m_question(GTextTable::GetText(textKey)), m_onYes(std::move(onYes))
{
    s_single.Claim(this);
    m_yes = CreateChild<GUI_ButtonText>("CONFIRM_YES", [this] { OnYes(); });
    m_yes->SetId(ID_YES);
    m_no = CreateChild<GUI_ButtonText>("CONFIRM_NO", [this] { OnNo(); });
    m_no->SetId(ID_NO);
    // The buttons come after the grey panel, so the dialog draws them itself.
    SetDrawChildren(false);
    m_bottomMargin = static_cast<float>(GUI_Metrics::kConfirmBottomMargin);
    const int width = GUI_Metrics::kConfirmWidth;
    const float textWidth = static_cast<float>(width) - 2.0f * m_sideMargin - 20.0f;
    float textHeight = 0.0f;
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        textHeight = fonts.GetWrappedTextHeight(m_question, textWidth);
    }
    SetSize(static_cast<float>(width), textHeight + 110.0f);
    CentreOnScreen();
    AddToWindowManager();
    SetTitleByKey(titleKey);
    ShowModal();
}

GUI_ConfirmDialog::~GUI_ConfirmDialog()
{
    s_single.Release(this);
}

void GUI_ConfirmDialog::Layout()
{
    const int mid = (m_left + m_right) / 2;
    const int buttonTop = m_bottom - 30;
    const int buttonBottom = m_bottom - 10;
    GUI_Layout::Place(m_yes, PRect{m_left + 20, buttonTop, mid - 10, buttonBottom});
    GUI_Layout::Place(m_no, PRect{mid + 10, buttonTop, m_right - 10, buttonBottom});
}

void GUI_ConfirmDialog::OnYes()
{
    // The question is gone before the answer runs, so the answer may ask another.
    GUI_Callback onYes = m_onYes;
    Close();
    s_single.Release(this);
    onYes(0);
}

void GUI_ConfirmDialog::OnNo()
{
    s_single.CloseOpen();
}

void GUI_ConfirmDialog::Draw()
{
    GUI_Dialog::Draw();
    GD3DDevice::Instance().FillRect(m_clientRect, 0xFF808080u);
    DrawChildren();
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    fonts.PrintWrapped(0xFFFFFFFFu, -1, m_question, static_cast<float>(m_clientRect.left + 10),
                       static_cast<float>(m_clientRect.top + 10),
                       static_cast<float>(m_clientRect.right - m_clientRect.left - 20));
    fonts.Flush();
}
