// The notice that a newer version exists: the version in use and the new one, the description and
// a scrolling list of changes, all from the update server's answer kept in patchnotes.ini. Opened
// once by the main menu after the daily check; only its close box closes it. Main thread only.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>
#include <vector>

class GUI_TextContainer;

class GUI_UpdateNotice : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 400;
    static constexpr int kRowHeight = 16;

    // Where the answer is kept and which version runs; the program sets them at start-up.
    static void SetSources(const std::string& patchNotesPath, const std::string& currentVersion);
    // Closes an open notice and opens a new one (the window manager owns it).
    static GUI_UpdateNotice* Open();
    static GUI_UpdateNotice* GetOpen() { return s_single.Get(); }
    // The change list of a patch-notes file: every value of its "changelist" section, in file
    // order, whole (the rows cut what they show).
    static std::vector<std::string> ReadChangeList(const std::string& path);

    GUI_UpdateNotice();
    ~GUI_UpdateNotice() override;

    void RebuildRows() override;
    void LayoutRows() override;
    void Layout() override;
    void Draw() override;

    const std::string& GetNewVersion() const { return m_newVersion; }
    const std::string& GetCurrentVersion() const { return m_currentVersion; }

private:
    static inline GUI_SingleWindow<GUI_UpdateNotice> s_single;
    static inline std::string s_patchNotesPath;
    static inline std::string s_currentVersion;

    GUI_TextContainer* m_description = nullptr; // owned as a sub-window
    std::string m_descriptionText;
    std::string m_newVersionLabel;
    std::string m_newVersion;
    std::string m_currentVersionLabel;
    std::string m_currentVersion;
    PRect m_listRect;
};
