// The floor texture picker: one strip per floor file, sub-folders included by bare name, as many
// rows as fit (a last one partly), scrolling, and a pick that closes the window holding it while
// the click is still being handled.
#include "EditorTestSupport.h"

#include "gui/editors/floors/GUI_Edit_FloorStrip.h"
#include "gui/editors/floors/GUI_Edit_FloorTexture.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/core/PDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

class FloorTexturePicker : public MissionEditorTest
{
};

TEST_F(FloorTexturePicker, ListsEveryFloorFileShowsWhatFitsAndPicksOnClick)
{
    // 40 floors: 38 beside each other, one with an upper-case extension, one in a sub-folder;
    // files of other kinds are not floors.
    const std::string folder = m_scratch.Folder() + "/floors";
    ASSERT_TRUE(PDirectory::CreatePath(folder + "/worn"));
    char name[64];
    for (int i = 0; i < 38; ++i)
    {
        std::snprintf(name, sizeof(name), "floors/floor_%02d.dds", i);
        m_scratch.Write(name, "x");
    }
    m_scratch.Write("floors/PLATE.DDS", "x");
    m_scratch.Write("floors/worn/floor_worn.dds", "x");
    m_scratch.Write("floors/readme.txt", "x");

    // The picker inside a host window, as the tile properties dialog holds it.
    ToolkitTestPanel* host = GUI_WindowManager::Create<ToolkitTestPanel>();
    std::vector<std::string> picked;
    auto* picker = host->CreateSubWindow<GUI_Edit_FloorTexture>(
        [&picked, host](const std::string& texture) {
            picked.push_back(texture);
            host->Close();
        },
        folder);
    host->SetRect(100, 50, 520, 690);
    // Client area 600 high: 16 whole strips, a 17th cut by the bottom edge.
    picker->SetRect(100, 50, 520, 670);
    ASSERT_EQ(picker->GetRows().size(), 40u);
    std::vector<std::string> names;
    for (const auto& row : picker->GetRows())
        names.push_back(static_cast<const GUI_Edit_FloorStrip&>(*row).GetTextureName());
    EXPECT_EQ(names[0], "floor_00.dds");
    EXPECT_NE(std::find(names.begin(), names.end(), "PLATE.DDS"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "floor_worn.dds"), names.end()) << "by its bare name";

    const std::vector<GUI_WindowBase*>& shown = picker->GetSubWindows();
    EXPECT_EQ(shown.size(), 18u) << "the scroll bar and 17 strips";
    EXPECT_EQ(picker->GetScrollBar()->GetVisibleRows(), 16.0f);
    EXPECT_EQ(picker->GetScrollBar()->GetMaxFirstRow(), 24);
    const GUI_WindowBase* first = picker->GetRows()[0].get();
    EXPECT_EQ(first->GetLeft(), 110);
    EXPECT_EQ(first->GetTop(), 60);
    EXPECT_EQ(first->GetRight(), 480);
    EXPECT_EQ(first->GetBottom(), 96);
    const auto& strip = static_cast<const GUI_Edit_FloorStrip&>(*first);
    EXPECT_EQ(strip.GetPreview().m_height, 28.0f);
    EXPECT_EQ(strip.GetPreview().m_width, 56.0f);
    EXPECT_EQ(picker->GetRows()[16]->GetTop(), 60 + 16 * 36);

    // Scrolled to the end, the last strips show; a click picks one and closes the host.
    picker->GetScrollBar()->SetFirstRow(24);
    Frame();
    EXPECT_EQ(picker->GetRows()[23]->GetParent(), nullptr);
    const GUI_WindowBase* last = picker->GetRows()[39].get();
    ASSERT_EQ(last->GetParent(), picker);
    EXPECT_TRUE(ClickAt(static_cast<float>(last->GetLeft() + 100), static_cast<float>(last->GetTop() + 10)));
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0], names[39]);
    EXPECT_TRUE(host->IsClosing());
    Frame();
    EXPECT_TRUE(GUI_WindowManager::Instance().GetWindows().empty());
}
