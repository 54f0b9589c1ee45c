// The resolution picker.
#include "gui/screens/options/GUI_ResolutionPicker.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGame.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GOptions.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/options/GUI_ResolutionStrip.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "sim/SIM_Game.h"

#include <algorithm>

GUI_ResolutionPicker::GUI_ResolutionPicker()
{
    s_single.Claim(this);
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    m_windowed = GD3DDevice::Instance().IsWindowed();
    m_windowedAtStart = m_windowed;
    m_apply = CreateChild<GUI_ButtonText>("OPTIONS_APPLY_CHANGES", [] {
        if (s_single.Get())
            s_single.Get()->Apply();
    });
    m_apply->SetTooltipByKey("OPTIONS_APPLY_CHANGES_TT");
    m_apply->SetEnabled(false);
    FillModes();
}

GUI_ResolutionPicker::~GUI_ResolutionPicker()
{
    s_single.Release(this);
}

std::vector<PDisplayMode> GUI_ResolutionPicker::UsableModes(const std::vector<PDisplayMode>& modes)
{
    std::vector<PDisplayMode> usable;
    for (const PDisplayMode& mode : modes)
    {
        if (mode.height < static_cast<uint32_t>(kMinHeight) || mode.width < static_cast<uint32_t>(kMinWidth))
            continue;
        if (!HasMode(usable, static_cast<int>(mode.width), static_cast<int>(mode.height)))
            usable.push_back(mode);
    }
    return usable;
}

bool GUI_ResolutionPicker::HasMode(const std::vector<PDisplayMode>& modes, int width, int height)
{
    return std::any_of(modes.begin(), modes.end(), [&](const PDisplayMode& m) {
        return static_cast<int>(m.width) == width && static_cast<int>(m.height) == height;
    });
}

void GUI_ResolutionPicker::FillModes()
{
    m_strips.clear();
    GD3DDevice& device = GD3DDevice::Instance();
    device.EnumerateDisplayModes();
    m_modes = UsableModes(device.GetDisplayModes());
    ReadCurrentSize();
}

void GUI_ResolutionPicker::ReadCurrentSize()
{
    // The back buffer is the window's inside in a window, and the whole screen otherwise.
    m_currentWidth = GScreenSize::Width();
    m_currentHeight = GScreenSize::Height();
    m_chosenWidth = m_currentWidth;
    m_chosenHeight = m_currentHeight;
}

void GUI_ResolutionPicker::Layout()
{
    m_background.SetBody(PRect{m_left, m_top, m_right, m_bottom});
    m_listRect = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 80};
    m_bar->SetRect(static_cast<float>(m_right - 30), static_cast<float>(m_listRect.top + 10),
                   static_cast<float>(m_right - 10), static_cast<float>(m_listRect.bottom - 10));
    m_apply->SetRect(static_cast<float>(m_left + 10), static_cast<float>(m_bottom - 40),
                     static_cast<float>(m_right - 10), static_cast<float>(m_bottom - 10));
    LayoutStrips();
}

void GUI_ResolutionPicker::LayoutStrips()
{
    for (const auto& strip : m_strips)
        (void)RemoveSubWindow(strip.get());
    m_strips.clear();
    int y = m_listRect.top + 6;
    const int first = m_bar->GetFirstRow();
    for (int i = 0; i < static_cast<int>(m_modes.size()); ++i)
    {
        if (i < first || m_listRect.bottom - 22 <= y)
            continue;
        auto strip = std::make_unique<GUI_ResolutionStrip>(static_cast<int>(m_modes[static_cast<size_t>(i)].width),
                                                           static_cast<int>(m_modes[static_cast<size_t>(i)].height));
        strip->SetRect(static_cast<float>(m_listRect.left + 10), static_cast<float>(y),
                       static_cast<float>(m_bar->GetLeft() - 5), static_cast<float>(y + kRowHeight));
        AttachSubWindow(strip.get());
        m_strips.push_back(std::move(strip));
        y += kRowHeight;
    }
    const int total = static_cast<int>(m_modes.size());
    const int visible = static_cast<int>(m_strips.size());
    m_bar->SetRows(static_cast<float>(total), static_cast<float>(visible), std::max(0, total - visible));
}

void GUI_ResolutionPicker::Choose(int width, int height)
{
    GUI_ResolutionPicker* picker = s_single.Get();
    if (!picker)
        return;
    picker->m_chosenWidth = width;
    picker->m_chosenHeight = height;
    const bool changed = width != picker->m_currentWidth || height != picker->m_currentHeight ||
                         picker->m_windowed != picker->m_windowedAtStart;
    picker->m_apply->SetEnabled(changed);
}

void GUI_ResolutionPicker::Apply()
{
    // The restart leaves through the program's end; settings not yet written would be lost.
    GOptions::Instance().Save();
    if (SIM_Game::Instance().GetFactory())
    {
        GUI_ConfirmDialog::Open(
            [] {
                if (s_single.Get())
                    s_single.Get()->Restart();
            },
            "CONFIRM_RESTART_TITLE", "CONFIRM_RESTART_TEXT");
        return;
    }
    Restart();
}

void GUI_ResolutionPicker::Restart()
{
    // A window of the desktop's own size becomes a borderless window at the next start.
    if (!GGameServices::Get().WritePrefs(m_chosenWidth, m_chosenHeight, m_windowed ? 1 : 0, 1))
    {
        GDebugLog::Instance().LogError("The screen settings could not be written; the game does not restart");
        return;
    }
    GGame::SetRestartRequested(true);
    FrontEnd::Quit();
}

void GUI_ResolutionPicker::Draw()
{
    if (m_bar->IsChanged())
    {
        m_bar->ClearChanged();
        LayoutStrips();
    }
    m_background.Draw();
    DrawChildren();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}

void GUI_ResolutionPicker::OnWheelUp()
{
    m_bar->StepUp();
}

void GUI_ResolutionPicker::OnWheelDown()
{
    m_bar->StepDown();
}
