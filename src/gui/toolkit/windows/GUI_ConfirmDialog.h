// The game's one yes/no question: a modal box with a title, the question and two buttons. "Yes"
// closes it and then runs the caller's callback (which may open another dialog); "No" and the
// close box only close it. At most one is open.
#pragma once

#include "gui/toolkit/windows/GUI_Callback.h"
#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>

class GUI_ButtonText;

class GUI_ConfirmDialog : public GUI_Dialog
{
public:
    enum WidgetId
    {
        ID_YES,
        ID_NO,
    };

    // Closes the open question, if any, and asks this one (title and question by text key).
    static GUI_ConfirmDialog* Open(GUI_Callback onYes, const std::string& titleKey, const std::string& textKey);
    // The open question, or null.
    static GUI_ConfirmDialog* GetOpen() { return s_single.Get(); }

    // Sized to the question, centred, listed and made modal. Use Open().
    GUI_ConfirmDialog(GUI_Callback onYes, const std::string& titleKey, const std::string& textKey);
    ~GUI_ConfirmDialog() override;

    void Draw() override;
    void Layout() override;

private:
    void OnYes();
    void OnNo();

    static inline GUI_SingleWindow<GUI_ConfirmDialog> s_single;

    GUI_ButtonText* m_yes = nullptr; // owned by the button list
    GUI_ButtonText* m_no = nullptr;  // owned by the button list
    std::string m_question;
    GUI_Callback m_onYes;
};
