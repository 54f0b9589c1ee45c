// Owned controls and their click, update and draw loops.
#include "gui/toolkit/windows/GUIButtonList.h"

#include "engine/CBaseInputManager.h"
#include "engine/GDrawGroup.h"
#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"

GUIButtonList::GUIButtonList() = default;

GUIButtonList::~GUIButtonList() = default;

void GUIButtonList::AddOwnedChild(std::unique_ptr<GUI_ButtonBase> control)
{
    DebugAssert(control != nullptr, "GUIButtonsList", 31);
    if (control)
        m_buttons.push_back(std::move(control));
}

void GUIButtonList::DeleteChildren()
{
    m_buttons.clear();
}

bool GUIButtonList::ClickChildren()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    const float x = input ? input->GetMouseX() : 0.0f;
    const float y = input ? input->GetMouseY() : 0.0f;
    // By index: a callback may add controls to this very list.
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        GUI_ButtonBase* button = m_buttons[i].get();
        if (button->IsVisible() && button->OnClick(x, y))
            return true;
    }
    return false;
}

void GUIButtonList::Update()
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->Update();
}

void GUIButtonList::DrawChildren()
{
    if (m_buttons.empty())
        return;
    for (const std::unique_ptr<GUI_ButtonBase>& button : m_buttons)
        if (button->IsVisible())
        {
            const GDrawGroup group(*button);
            button->Draw();
        }
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        fonts.Flush();
}
