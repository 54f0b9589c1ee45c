// Every registered window and dialog, opened as the game opens it at the smallest and the largest
// screen the game supports: no child leaves its parent, siblings do not overlap (unless a child is
// marked as overlapping by design), every text key has a text and every named picture exists.
// A child its parent draws clipped (the boxes of a scrolled tree) is held to neither layout rule.
// A suite that links more interface libraries (screens, editors) runs this same test over their
// windows too by adding this file and ToolkitTestSupport.cpp to its SUPPORT sources and linking
// its libraries whole.
#include "ToolkitTestSupport.h"

#include "engine/CLoadedTexture.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::set<std::string>& MissingTextKeys()
{
    static std::set<std::string> keys;
    return keys;
}

void NoteMissingTextKey(const std::string& key)
{
    MissingTextKeys().insert(key);
}

PRect RectOf(const GUI_BaseElement& e)
{
    return PRect{e.GetLeft(), e.GetTop(), e.GetRight(), e.GetBottom()};
}

std::string Describe(const GUI_BaseElement& e)
{
    std::ostringstream out;
    out << (e.GetName().empty() ? typeid(e).name() : e.GetName()) << " (" << e.GetLeft() << "," << e.GetTop() << ")-("
        << e.GetRight() << "," << e.GetBottom() << ")";
    return out.str();
}

// The children the player sees: visible controls and visible sub-windows.
struct Shown
{
    const GUI_BaseElement* element;
    bool mayOverlap;
};

void CheckLayout(const GUI_WindowBase& window, std::vector<std::string>& problems)
{
    std::vector<Shown> shown;
    for (const auto& button : window.GetButtons())
        if (button->IsVisible())
            shown.push_back({button.get(), false});
    for (const GUI_WindowBase* sub : window.GetSubWindows())
        if (sub->IsVisible() && !sub->IsClippedByParent())
            shown.push_back({sub, sub->MayOverlapSiblings()});
    const PRect outer = RectOf(window);
    for (size_t i = 0; i < shown.size(); ++i)
    {
        const PRect r = RectOf(*shown[i].element);
        if (!GUI_Layout::Contains(outer, r))
            problems.push_back(Describe(*shown[i].element) + " leaves " + Describe(window));
        if (GUI_Layout::Width(r) <= 0 || GUI_Layout::Height(r) <= 0)
            problems.push_back(Describe(*shown[i].element) + " has no area");
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (!shown[i].mayOverlap && !shown[j].mayOverlap && GUI_Layout::Overlap(r, RectOf(*shown[j].element)))
                problems.push_back(Describe(*shown[i].element) + " overlaps " + Describe(*shown[j].element));
    }
    for (const GUI_WindowBase* sub : window.GetSubWindows())
        if (sub->IsVisible())
            CheckLayout(*sub, problems);
}
} // namespace

// Outside the anonymous namespace: the test classes gtest derives from it have external linkage.
class RegisteredWindows : public ToolkitTest
{
};

TEST_F(RegisteredWindows, OpenCleanlyAtTheSmallestAndLargestScreens)
{
    const std::vector<GUI_WindowRegistryEntry>& entries = GUI_WindowRegistry::Instance().Entries();
    ASSERT_NE(GUI_WindowRegistry::Instance().Find("confirm"), nullptr) << "the toolkit's own dialog registers";
    const int sizes[2][2] = {{1280, 768}, {3840, 2160}};
    for (const auto& size : sizes)
    {
        UseScreen(size[0], size[1]);
        for (const GUI_WindowRegistryEntry& entry : entries)
        {
            SCOPED_TRACE(entry.name + " at " + std::to_string(size[0]) + "x" + std::to_string(size[1]));
            MissingTextKeys().clear();
            GTextTable::SetMissingKeyObserver(NoteMissingTextKey);
            // Pictures are shared by name: a window answers for the ones it named first.
            const size_t knownPictures = CLoadedTextureList().size();
            GUI_WindowBase* window = GUI_WindowManager::Open(entry.factory());
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(GUI_WindowManager::Instance().GetModal() == window, entry.modal);
            // One frame as the game runs it, the mouse over the window.
            m_input.MoveTo(static_cast<float>(window->GetLeft() + 5), static_cast<float>(window->GetTop() + 5));
            Frame();
            GTextTable::SetMissingKeyObserver(nullptr);

            std::vector<std::string> problems;
            if (!GUI_Layout::Contains(PRect{0, 0, size[0], size[1]}, RectOf(*window)))
                problems.push_back(Describe(*window) + " leaves the screen");
            CheckLayout(*window, problems);
            for (const std::string& key : MissingTextKeys())
                problems.push_back("text key without a text: " + key);
            const std::vector<CLoadedTexture*>& pictures = CLoadedTextureList();
            for (size_t i = knownPictures; i < pictures.size(); ++i)
                if (!pictures[i]->m_name.empty() && !pictures[i]->m_texture)
                    problems.push_back("picture not found: " + pictures[i]->m_name);
            for (const std::string& problem : problems)
                ADD_FAILURE() << problem;
            GUI_WindowManager::Instance().CloseAll();
        }
    }
}
