// The please-wait panel.
#include "gui/screens/front/GUI_PleaseWait.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

namespace
{
const GUI_WindowRegistration kPleaseWaitRegistration{"pleasewait", [] { return std::make_unique<GUI_PleaseWait>(); },
                                                     true};
// Guards the panel's text against the update check's worker. Held by the program's owner, which
// the game empties only after that worker has been waited for.
struct PleaseWaitLock
{
    std::mutex lock;
};
} // namespace

std::mutex& GUI_PleaseWait::Lock()
{
    return GLifetime::Get<PleaseWaitLock>().lock;
}

GUI_PleaseWait* GUI_PleaseWait::Show()
{
    if (GetOpen())
    {
        GDebugLog::Instance().LogError("A please-wait panel was still open");
        CloseOpen();
    }
    return GUI_WindowManager::Create<GUI_PleaseWait>();
}

void GUI_PleaseWait::CloseOpen()
{
    GUI_PleaseWait* open = nullptr;
    {
        std::lock_guard<std::mutex> guard(Lock());
        open = s_single.Forget();
    }
    if (open)
        open->Close();
}

GUI_PleaseWait* GUI_PleaseWait::GetOpen()
{
    std::lock_guard<std::mutex> guard(Lock());
    return s_single.Get();
}

void GUI_PleaseWait::SetMessage(const std::string& text)
{
    std::lock_guard<std::mutex> guard(Lock());
    if (GUI_PleaseWait* open = s_single.Get())
        open->m_message = text;
}

std::string GUI_PleaseWait::GetMessage() const
{
    std::lock_guard<std::mutex> guard(Lock());
    return m_message;
}

GUI_PleaseWait::GUI_PleaseWait() : GUI_Dialog(false)
{
    const std::string text = GTextTable::GetText("GUI_PLEASEWAIT");
    // A panel still open goes first, outside the lock its destructor takes.
    CloseOpen();
    {
        std::lock_guard<std::mutex> guard(Lock());
        s_single.Claim(this);
        m_message = text;
    }
    m_stepTimer.Start();
    // The whole-pixel half of the screen, so the panel sits on whole pixels.
    const int left = GScreenSize::Width() / 2 - kWidth / 2;
    const int top = GScreenSize::Height() - 20 - kHeight;
    SetRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + kWidth),
            static_cast<float>(top + kHeight));
    ShowModal();
}

GUI_PleaseWait::~GUI_PleaseWait()
{
    std::lock_guard<std::mutex> guard(Lock());
    s_single.Release(this);
}

void GUI_PleaseWait::Layout()
{
    const PRect& client = GetClientRect();
    m_bar = PRect{client.left + 20, client.bottom - 57, client.right - 20, client.bottom - 25};
    const int w = (m_bar.right - m_bar.left) / kCellCount;
    for (int i = 0; i < kCellCount; ++i)
    {
        const int x = m_bar.left + i * w;
        m_cells[i] = PRect{x + 1, m_bar.top + 2, x + w - 1, m_bar.bottom - 2};
    }
}

void GUI_PleaseWait::Draw()
{
    GUI_Dialog::Draw();
    m_stepTimer.Update();
    if (m_stepTimer.GetTotal() > kStepMs)
    {
        m_activeCell = (m_activeCell + 1) % kCellCount;
        m_stepTimer.Start();
    }
    GD3DDevice& device = GD3DDevice::Instance();
    for (int i = 0; i < kCellCount; ++i)
        device.FillRect(m_cells[i], i == m_activeCell ? kActiveColour : kIdleColour);
    GFontManager& fonts = GFontManager::Instance();
    std::lock_guard<std::mutex> guard(Lock());
    GUI_Fonts::SelectExtraBold36();
    fonts.Print(m_message, 0xFF000000u, static_cast<float>(m_left), static_cast<float>(m_top + 30),
                static_cast<float>(m_width), 2);
    fonts.Flush();
}
