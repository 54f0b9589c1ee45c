// The base of every dialog: a window with a title, a painted body, an optional close box, margins
// and the client rectangle inside them. A modal dialog veils the screen behind it.
//
// Building a dialog:
//     // GUI_MyDialog.h
//     class GUI_MyDialog : public GUI_Dialog
//     {
//     public:
//         enum WidgetId { ID_OK, ID_CANCEL };   // when the dialog refers to widgets by number
//         GUI_MyDialog();
//         void Layout() override;              // every child placed from GetClientRect()
//     private:
//         GUI_ButtonText* m_ok = nullptr;      // owned by the dialog's button list
//         GUI_ButtonText* m_cancel = nullptr;
//     };
//     // GUI_MyDialog.cpp
//     GUI_MyDialog::GUI_MyDialog() : GUI_Dialog(true)
//     {
//         m_ok = CreateChild<GUI_ButtonText>("MY_OK", [this] { Apply(); Close(); });
//         m_cancel = CreateChild<GUI_ButtonText>("MY_CANCEL", [this] { Close(); });
//         SetSize(400, 300);
//         CentreOnScreen();                    // runs Layout()
//         SetTitleByKey("MY_TITLE");
//     }
//     static const GUI_WindowRegistration kMyDialog{
//         "mydialog", [] { return std::make_unique<GUI_MyDialog>(); }, false};
// and it is opened with GUI_WindowManager::Create<GUI_MyDialog>() (the manager owns it).
// Close() (or the close box, or Escape in the game) closes it. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_DialogBackground.h"
#include "gui/toolkit/windows/GUI_TitleBar.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_CloseButton;

class GUI_Dialog : public GUI_WindowBase
{
public:
    // Lists itself in the window manager at once: every dialog is a top-level window.
    explicit GUI_Dialog(bool withCloseButton);

    // Veil (when modal), close box, background, title, then the controls. Derived dialogs call
    // this first and draw their content into the client rectangle afterwards.
    void Draw() override;
    void CentreOnScreen() override;
    void SetPosition(float x, float y) override;
    void SetRect(float left, float top, float right, float bottom) override;
    // Stays on screen and below the strip at the top of the screen.
    void ClampToScreen() override;
    bool IsDialog() override { return true; }
    // Only from the title bar.
    void BeginDrag() override;
    virtual void UpdateClientRect();

    void SetTitle(const std::string& text);
    void SetTitleByKey(const std::string& key);
    const std::string& GetTitle() const { return m_title; }
    // The area inside the margins, kept current whenever the dialog moves.
    const PRect& GetClientRect() const { return m_clientRect; }
    GUI_CloseButton* GetCloseButton() const { return m_closeButton; }
    void SetMargins(float side, float top, float bottom);
    void SetDrawChildren(bool draw) { m_drawChildren = draw; }

protected:
    GUI_CloseButton* m_closeButton = nullptr; // owned by the button list
    std::string m_title;
    PRect m_clientRect;
    float m_sideMargin;
    float m_topMargin;
    float m_bottomMargin;
    bool m_drawChildren = true;
    GUI_TitleBar m_titleBar;
    GUI_DialogBackground m_background;

private:
    // Title bar, body and close box follow the dialog's rectangle; the client rectangle too.
    void PlaceFrame();
};
