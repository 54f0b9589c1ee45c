// The small modal panel shown while the program waits for work on a worker thread (the daily
// update check): one line of large text over an endlessly running bar of 36 cells. A worker may
// change the text while the main thread draws it, so the text is kept under a lock of its own.
#pragma once

#include "engine/core/GTimer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "platform/video/PGraphicsTypes.h"

#include <mutex>
#include <string>

class GUI_PleaseWait : public GUI_Dialog
{
public:
    static constexpr int kWidth = 660;
    static constexpr int kHeight = 148;
    static constexpr int kCellCount = 36;
    // The light moves on one cell after this many milliseconds.
    static constexpr float kStepMs = 30.0f;
    static constexpr uint32_t kActiveColour = 0xFF2C9EFFu;
    static constexpr uint32_t kIdleColour = 0xFF20202Au;

    // Main thread: opens the panel (closing one left open) as the modal window.
    static GUI_PleaseWait* Show();
    // Main thread: closes the open panel, if any.
    static void CloseOpen();
    // Any thread: replaces the open panel's text (nothing when none is open).
    static void SetMessage(const std::string& text);
    // Main thread: the open panel, or null.
    static GUI_PleaseWait* GetOpen();

    GUI_PleaseWait();
    ~GUI_PleaseWait() override;

    void Layout() override;
    void Draw() override;

    // Any thread: a copy of the text.
    std::string GetMessage() const;
    const PRect& GetCell(int i) const { return m_cells[i]; }
    const PRect& GetBar() const { return m_bar; }

private:
    // Created on first use and never destroyed, so a worker can never find it gone.
    static std::mutex& Lock();

    std::string m_message; // guarded by Lock()
    GTimer m_stepTimer;
    int m_activeCell = 0;
    PRect m_cells[kCellCount];
    PRect m_bar;
    static inline GUI_SingleWindow<GUI_PleaseWait> s_single; // guarded by Lock()
};
