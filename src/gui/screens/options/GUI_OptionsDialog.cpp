// The options dialog.
#include "gui/screens/options/GUI_OptionsDialog.h"

#include "engine/GFontManager.h"
#include "engine/core/GOptions.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/options/GUI_ResolutionPicker.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

namespace
{
const char* const kOptionsVolumeKeys[3] = {"OPTIONS_SFX", "OPTIONS_MUSIC", "OPTIONS_MASTERVOLUME"};
const char* const kOptionsSwitchKeys[2] = {"OPT_CONVEYOR_GUI", "OPT_AUTOSAVE"};

const GUI_WindowRegistration kOptionsRegistration{"options", [] { return std::make_unique<GUI_OptionsDialog>(true); },
                                                  false};
} // namespace

GUI_OptionsDialog* GUI_OptionsDialog::Open(bool closeButton)
{
    CloseOpen();
    return GUI_WindowManager::Create<GUI_OptionsDialog>(closeButton);
}

void GUI_OptionsDialog::CloseOpen()
{
    GUI_OptionsDialog* open = s_single.Forget();
    if (!open)
        return;
    open->ReleaseHold();
    open->Close();
}

GUI_OptionsDialog::GUI_OptionsDialog(bool closeButton) : GUI_Dialog(closeButton)
{
    s_single.Claim(this);
    m_picker = CreateSubWindow<GUI_ResolutionPicker>();
    GOptions& options = GOptions::Instance();
    for (int i = 0; i < 3; ++i)
        m_sliders[i] =
            CreateSubWindow<GUI_OptionsSlider>([](intptr_t slider) { OnVolumeChanged(static_cast<int>(slider)); }, i,
                                               kOptionsVolumeKeys[i], true, options.GetFloat(kOptionsVolumeKeys[i]));
    for (int i = 0; i < 2; ++i)
    {
        m_switches[i] = CreateChild<GUI_CheckButton>(
            GTextTable::GetText(kOptionsSwitchKeys[i]),
            [](intptr_t which) { OnSwitchToggled(static_cast<int>(which)); }, i);
        m_switches[i]->SetTicked(options.GetFloat(kOptionsSwitchKeys[i]) != 0.0f);
    }
    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
    SetTitleByKey("OPTIONS_TITLE");
    FrontEnd::HoldGame();
    m_holding = true;
}

GUI_OptionsDialog::~GUI_OptionsDialog()
{
    s_single.Release(this);
    GOptions::Instance().Save();
    ReleaseHold();
}

void GUI_OptionsDialog::ReleaseHold()
{
    if (m_holding)
        FrontEnd::ReleaseGame();
    m_holding = false;
}

void GUI_OptionsDialog::Layout()
{
    const PRect& client = GetClientRect();
    m_picker->SetRect(static_cast<float>(client.left), static_cast<float>(client.top),
                      static_cast<float>(client.left + 300), static_cast<float>(client.bottom));
    const float x1 = static_cast<float>(m_picker->GetRight());
    const float x2 = static_cast<float>(client.right - 20);
    float y = static_cast<float>(client.top);
    for (GUI_OptionsSlider* slider : m_sliders)
    {
        slider->SetRect(x1, y, x2, y + 50.0f);
        y += 70.0f;
    }
    for (GUI_CheckButton* button : m_switches)
    {
        button->SetRect(x1, y, x2, y + 30.0f);
        y += 50.0f;
    }
}

void GUI_OptionsDialog::Draw()
{
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}

void GUI_OptionsDialog::OnVolumeChanged(int slider)
{
    if (!s_single.Get() || slider < 0 || slider > 2)
        return;
    GOptions::Instance().SetFloat(kOptionsVolumeKeys[slider], s_single.Get()->m_sliders[slider]->GetValue());
    GUI_Sounds::Instance().ApplyVolumes();
}

void GUI_OptionsDialog::OnSwitchToggled(int which)
{
    if (which == SWITCH_CONVEYOR_LABELS || which == SWITCH_AUTOSAVE)
        ToggleOption(kOptionsSwitchKeys[which]);
}

void GUI_OptionsDialog::ToggleOption(const std::string& key)
{
    GOptions& options = GOptions::Instance();
    options.SetFloat(key, options.GetFloat(key) == 1.0f ? 0.0f : 1.0f);
    options.Save();
}
