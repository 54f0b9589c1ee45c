// Every registered window and dialog, opened as the game opens it at the smallest, a common and the
// largest screen the game supports: no child leaves its parent, siblings do not overlap (unless a
// child is marked as overlapping by design), every text key has a text, every named picture exists,
// and no glyph inks outside the window that draws it: filled with the game's shipped definitions
// where the suite has them (the stand-ins pick the longest), with every text field typed full and
// every pane behind a tab shown.
// A child its parent draws clipped (the boxes of a scrolled tree) is held to neither layout rule.
// Every kind that shows one window at a time, opened twice, keeps one and forgets it once closed.
// A suite that links more interface libraries (screens, editors) runs this same test over their
// windows too by adding this file and ToolkitTestSupport.cpp to its SUPPORT sources and linking
// its libraries whole.
#include "ToolkitTestSupport.h"

#include "engine/CLoadedTexture.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/windows/GUI_SingleWindowPlace.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <set>
#include <string>
#include <typeinfo>
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

// Types into every text field of the window as a player filling it up would: wide letters,
// descenders, digits and blanks until the field takes no more.
void FillTextFields(GUI_WindowBase& window)
{
    if (auto* field = dynamic_cast<GUI_TextEditWindow*>(&window))
    {
        static const std::string kLongText = "WWMWgyjpq Wide Gyp 0123456789 ";
        field->SetText("");
        for (size_t i = 0; i < 400; ++i)
            field->OnChar(static_cast<unsigned char>(kLongText[i % kLongText.size()]));
    }
    for (GUI_WindowBase* sub : window.GetSubWindows())
        FillTextFields(*sub);
}

// The visible tabs of the window and its sub-windows, in drawing order.
void CollectTabs(const GUI_WindowBase& window, std::vector<const GUI_ButtonTab*>& tabs)
{
    if (!window.IsVisible())
        return;
    for (const auto& button : window.GetButtons())
        if (const auto* tab = dynamic_cast<const GUI_ButtonTab*>(button.get()); tab && tab->IsVisible())
            tabs.push_back(tab);
    for (const GUI_WindowBase* sub : window.GetSubWindows())
        CollectTabs(*sub, tabs);
}

// The place the window holds, or null when its kind may show several at once.
const GUI_SingleWindowPlace* PlaceHolding(const GUI_WindowBase* window)
{
    for (const GUI_SingleWindowPlace* place : GUI_SingleWindowPlace::All())
        if (place->GetWindow() == window)
            return place;
    return nullptr;
}

// The top-level windows of the same kind as the window, closing ones left out.
int OpenOfKind(const GUI_WindowBase& window)
{
    int count = 0;
    for (const GUI_WindowBase* listed : GUI_WindowManager::Instance().GetWindows())
        if (typeid(*listed) == typeid(window) && !listed->IsClosing())
            ++count;
    return count;
}

// The places still naming a window.
std::vector<std::string> HeldPlaces()
{
    std::vector<std::string> held;
    for (const GUI_SingleWindowPlace* place : GUI_SingleWindowPlace::All())
        if (const GUI_WindowBase* window = place->GetWindow())
            held.push_back(typeid(*window).name());
    return held;
}
} // namespace

// Outside the anonymous namespace: the test classes gtest derives from it have external linkage.
class RegisteredWindows : public ToolkitTest
{
};

TEST_F(RegisteredWindows, OpenCleanlyWithTheirTextInsideAtEveryScreenSize)
{
    const std::vector<GUI_WindowRegistryEntry>& entries = GUI_WindowRegistry::Instance().Entries();
    ASSERT_NE(GUI_WindowRegistry::Instance().Find("confirm"), nullptr) << "the toolkit's own dialog registers";
    if (ShippedDefinitionsLoader())
        ShippedDefinitionsLoader()();
    const int sizes[3][2] = {{1280, 768}, {1280, 1024}, {3840, 2160}};
    for (const auto& size : sizes)
    {
        UseScreen(size[0], size[1]);
        m_rec->textCheck.enabled = true;
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
            m_rec->textCheck.findings.clear();
            // One frame as the game runs it, the mouse over the window.
            m_input.MoveTo(static_cast<float>(window->GetLeft() + 5), static_cast<float>(window->GetTop() + 5));
            Frame();
            GTextTable::SetMissingKeyObserver(nullptr);
            // Then every field typed full, the mouse away, and a frame as the player sees it.
            FillTextFields(*window);
            m_input.MoveTo(0.0f, 0.0f);
            Frame();
            // Every pane behind a tab, each tab clicked in turn (a pane may bring tabs of its own).
            for (size_t i = 0; i < 16; ++i)
            {
                std::vector<const GUI_ButtonTab*> tabs;
                CollectTabs(*window, tabs);
                if (i >= tabs.size())
                    break;
                ClickAt(static_cast<float>(tabs[i]->GetLeft()) + static_cast<float>(tabs[i]->GetWidth()) / 2.0f,
                        static_cast<float>(tabs[i]->GetTop()) + static_cast<float>(tabs[i]->GetHeight()) / 2.0f);
                Frame();
            }

            std::vector<std::string> problems;
            if (!GUI_Layout::Contains(PRect{0, 0, size[0], size[1]}, PRect{window->GetLeft(), window->GetTop(),
                                                                           window->GetRight(), window->GetBottom()}))
                problems.push_back(DescribeElement(*window) + " leaves the screen");
            CheckWindowLayout(*window, problems);
            const std::vector<std::string> findings = m_rec->textCheck.Describe();
            for (const std::string& finding : std::set<std::string>(findings.begin(), findings.end()))
                problems.push_back(finding);
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

TEST_F(RegisteredWindows, KeepOneWindowOfAKindAndForgetItOnceClosed)
{
    if (ShippedDefinitionsLoader())
        ShippedDefinitionsLoader()();
    UseScreen(1280, 1024);
    size_t singleKinds = 0;
    for (const GUI_WindowRegistryEntry& entry : GUI_WindowRegistry::Instance().Entries())
    {
        SCOPED_TRACE(entry.name);
        ASSERT_EQ(HeldPlaces(), std::vector<std::string>{});
        GUI_WindowBase* first = GUI_WindowManager::Open(entry.factory());
        const GUI_SingleWindowPlace* place = PlaceHolding(first);
        if (place)
        {
            ++singleKinds;
            GUI_WindowBase* second = GUI_WindowManager::Open(entry.factory());
            Frame();
            EXPECT_EQ(place->GetWindow(), second);
            EXPECT_EQ(OpenOfKind(*second), 1);
            // Closed, it leaves its place empty, and the places of the windows inside it too.
            second->Close();
            Frame();
            EXPECT_EQ(HeldPlaces(), std::vector<std::string>{});
        }
        GUI_WindowManager::Instance().CloseAll();
        Frame();
    }
    // The toolkit's own question is one of them.
    EXPECT_GE(singleKinds, 1u);
}
