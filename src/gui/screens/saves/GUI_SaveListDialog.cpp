// The savegame list shared by the load and save dialogs.
#include "gui/screens/saves/GUI_SaveListDialog.h"

#include "engine/GFontManager.h"
#include "engine/core/GFile.h"
#include "gui/screens/saves/GUI_SaveStripBase.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"

#include <filesystem>

GUI_SaveListDialog::GUI_SaveListDialog(int extraHeight) : GUI_Dialog(false), m_extraHeight(extraHeight)
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    SetSize(static_cast<float>(kWidth), static_cast<float>(GUI_Metrics::kDialogTopMargin + kListHeight +
                                                           GUI_Metrics::kDialogBottomMargin + extraHeight));
}

GUI_SaveListDialog::~GUI_SaveListDialog()
{
    GUI_ConfirmDialog* question = GetQuestion();
    m_question = nullptr;
    if (question)
        question->Close();
}

GUI_ConfirmDialog* GUI_SaveListDialog::GetQuestion() const
{
    // Answered or closed meanwhile, it is no longer the open question.
    return m_question && GUI_ConfirmDialog::GetOpen() == m_question ? m_question : nullptr;
}

void GUI_SaveListDialog::Layout()
{
    const PRect& client = GetClientRect();
    m_listRect = PRect{client.left, client.top, client.right, client.bottom - m_extraHeight};
    m_bar->SetRect(static_cast<float>(m_listRect.right - 20), static_cast<float>(m_listRect.top),
                   static_cast<float>(m_listRect.right), static_cast<float>(m_listRect.bottom));
    LayoutRows();
}

void GUI_SaveListDialog::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
}

void GUI_SaveListDialog::Draw()
{
    FollowScrollBar();
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    DrawBelowList();
    GFontManager::Instance().Flush();
}

void GUI_SaveListDialog::OnWheelUp()
{
    m_bar->StepUp();
}

void GUI_SaveListDialog::OnWheelDown()
{
    m_bar->StepDown();
}

void GUI_SaveListDialog::ConfirmDelete(const GUI_SaveStripBase& strip, std::function<void()> reopen)
{
    // The question keeps its own copy: the strip goes when the list is built again.
    m_question = GUI_ConfirmDialog::Open(
        [path = strip.GetPath(), reopen = std::move(reopen)] {
            DeleteSaveFiles(path);
            if (reopen)
                reopen();
        },
        "CONFIRM_DEL_SAVE_TITLE", "CONFIRM_DEL_SAVE_TXT");
}

void GUI_SaveListDialog::DeleteSaveFiles(const std::string& path)
{
    if (path.size() < 4)
        return;
    GFile::Delete(path);
    const std::string picture = path.substr(0, path.size() - 4) + ".jpg";
    std::error_code ec;
    if (std::filesystem::exists(picture, ec))
        GFile::Delete(picture);
}
