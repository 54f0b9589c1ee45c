// The please-wait panel while a worker writes its text: the main thread draws it meanwhile, the
// text never tears, and the panel is closed on the main thread while the writer still runs.
#include "gui/toolkit/ToolkitTestSupport.h"

#include "gui/toolkit/windows/GUI_WindowManager.h"

#include "gui/screens/front/GUI_PleaseWait.h"

#include <atomic>
#include <thread>

TEST_F(ToolkitTest, PleaseWaitTextIsWrittenByAWorkerWhileTheMainThreadDraws)
{
    LoadFonts();
    GUI_PleaseWait* panel = GUI_PleaseWait::Show();
    ASSERT_EQ(GUI_PleaseWait::GetOpen(), panel);
    EXPECT_TRUE(panel->IsModal());
    EXPECT_EQ(panel->GetMessage(), "Please wait");
    // 660 x 148, centred, 20 pixels above the bottom of the 800 x 600 screen; 36 cells across.
    EXPECT_EQ(panel->GetLeft(), 400 - 330);
    EXPECT_EQ(panel->GetBottom(), 600 - 20);
    EXPECT_EQ(panel->GetWidth(), 660);
    const int cellWidth = (panel->GetBar().right - panel->GetBar().left) / GUI_PleaseWait::kCellCount;
    EXPECT_EQ(panel->GetCell(35).right, panel->GetBar().left + 36 * cellWidth - 1);

    const std::string a(200, 'a');
    const std::string b(300, 'b');
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop.load(); ++i)
            GUI_PleaseWait::SetMessage(i % 2 ? a : b);
    });
    for (int frame = 0; frame < 200; ++frame)
    {
        Frame();
        const std::string text = panel->GetMessage();
        EXPECT_TRUE(text == a || text == b || text == "Please wait");
    }
    // Closed on the main thread while the writer still writes: it then finds no panel.
    GUI_PleaseWait::CloseOpen();
    Frame();
    stop = true;
    writer.join();
    EXPECT_EQ(GUI_PleaseWait::GetOpen(), nullptr);
    for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
        EXPECT_EQ(dynamic_cast<GUI_PleaseWait*>(window), nullptr);
}
