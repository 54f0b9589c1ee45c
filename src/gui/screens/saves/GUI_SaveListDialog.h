// What the load and save dialogs share: the list of savegames as strips of 80 pixels, newest
// first, with its scroll bar and the wheel, and deleting a save after a yes/no question. The
// question belongs to the dialog: it goes when the dialog goes, and it remembers the save it asks
// about by its path, so a list rebuilt meanwhile cannot make it delete another. The pictures of
// the saves are kept by the dialog and go with it.
// Main thread only.
#pragma once

#include "gui/screens/saves/SaveThumbnails.h"
#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_Dialog.h"

#include <functional>
#include <string>

class GUI_ConfirmDialog;
class GUI_SaveStripBase;

class GUI_SaveListDialog : public GUI_Dialog, public GUI_ScrollContainer
{
public:
    static constexpr int kWidth = 700;
    static constexpr int kListHeight = 400;
    static constexpr int kRowHeight = 80;

    // extraHeight: room under the list (the save dialog's name field).
    explicit GUI_SaveListDialog(int extraHeight);
    // Closes the question about a save, if this dialog asked one.
    ~GUI_SaveListDialog() override;

    void Layout() override;
    void LayoutRows() override;
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

    // Asks whether to delete the strip's save; yes deletes its files and then runs reopen (which
    // builds the dialog again from the folder).
    void ConfirmDelete(const GUI_SaveStripBase& strip, std::function<void()> reopen);
    // Deletes a save and its picture (a save without one is deleted all the same).
    static void DeleteSaveFiles(const std::string& path);

    const PRect& GetListRect() const { return m_listRect; }
    GUI_ConfirmDialog* GetQuestion() const;
    // The pictures of the listed saves, shared by the strips.
    SaveThumbnails& GetThumbnails() { return m_thumbnails; }

protected:
    // Draws what a dialog shows under the list (after the strips, before the text is flushed).
    virtual void DrawBelowList() {}

    PRect m_listRect{};

private:
    int m_extraHeight;
    GUI_ConfirmDialog* m_question = nullptr; // not owned: the window manager's, while it is open
    SaveThumbnails m_thumbnails;
};
