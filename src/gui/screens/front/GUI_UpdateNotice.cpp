// The update notice.
#include "gui/screens/front/GUI_UpdateNotice.h"

#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "gui/screens/front/GUI_ChangelistEntry.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

namespace
{
const GUI_WindowRegistration kUpdateNoticeRegistration{"updatenotice",
                                                       [] { return std::make_unique<GUI_UpdateNotice>(); }, true};
} // namespace

void GUI_UpdateNotice::SetSources(const std::string& patchNotesPath, const std::string& currentVersion)
{
    s_patchNotesPath = patchNotesPath;
    s_currentVersion = currentVersion;
}

GUI_UpdateNotice* GUI_UpdateNotice::Open()
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_UpdateNotice>();
}

std::vector<std::string> GUI_UpdateNotice::ReadChangeList(const std::string& path)
{
    std::vector<std::string> changes;
    IniLoader ini;
    if (!path.empty() && ini.Load("changelist", path))
        for (const IniPair& pair : ini.GetPairs())
            changes.push_back(pair.value);
    return changes;
}

GUI_UpdateNotice::GUI_UpdateNotice() : GUI_Dialog(true)
{
    s_single.Claim(this);
    IniLoader update;
    if (!s_patchNotesPath.empty())
        update.Load("update", s_patchNotesPath);
    m_newVersion = update.GetValue("version");
    m_descriptionText = update.GetValue("description");
    m_newVersionLabel = GTextTable::GetText("UPDATE_NEW_VERSION");
    m_currentVersionLabel = GTextTable::GetText("UPDATE_CURRENT");
    m_currentVersion = s_currentVersion;
    m_description = CreateSubWindow<GUI_TextContainer>();
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    SetTitleByKey("UPDATE_AVAILABLE_TITLE");
    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
    ShowModal();
    RebuildRows();
}

GUI_UpdateNotice::~GUI_UpdateNotice()
{
    s_single.Release(this);
}

void GUI_UpdateNotice::Layout()
{
    const PRect& client = GetClientRect();
    const int y0 = client.top + 20;
    m_description->SetText(m_descriptionText, static_cast<float>(client.left), static_cast<float>(y0 + 48),
                           static_cast<float>(client.right), static_cast<float>(y0 + 96));
    m_listRect = PRect{client.left, m_description->GetBottom() + 10, client.right, client.bottom};
    m_bar->SetRect(static_cast<float>(m_listRect.right - 20), static_cast<float>(m_listRect.top + 5),
                   static_cast<float>(m_listRect.right - 5), static_cast<float>(m_listRect.bottom - 5));
    LayoutRows();
}

void GUI_UpdateNotice::RebuildRows()
{
    m_rows.clear();
    for (std::string& change : ReadChangeList(s_patchNotesPath))
        m_rows.push_back(std::make_unique<GUI_ChangelistEntry>(std::move(change)));
    LayoutRows();
}

void GUI_UpdateNotice::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
}

void GUI_UpdateNotice::Draw()
{
    FollowScrollBar();
    GUI_Dialog::Draw();
    GFontManager& fonts = GFontManager::Instance();
    GUI_Fonts::SelectSemibold16();
    const PRect& client = GetClientRect();
    const float left = static_cast<float>(client.left);
    const float width = static_cast<float>(client.right - client.left);
    float y = static_cast<float>(client.top + 20);
    fonts.Print(m_currentVersionLabel, 0xFF000000u, left, y, 0.0f, 0);
    fonts.Print(m_currentVersion, 0xFF000000u, left, y, width, 1);
    y += 16.0f;
    fonts.Print(m_newVersionLabel, 0xFF000000u, left, y, 0.0f, 0);
    fonts.Print(m_newVersion, 0xFF000000u, left, y, width, 1);
    DrawSubWindows();
    fonts.Flush();
}
