// Control callbacks run inside a dispatch scope, so a window they close is deleted later.
#include "gui/toolkit/windows/GUI_Callback.h"

#include "gui/toolkit/windows/GUI_WindowManager.h"

void GUI_Callback::operator()(intptr_t argument) const
{
    if (!m_function)
        return;
    // The function is copied first: it may delete the control that holds this callback.
    const std::function<void(intptr_t)> function = m_function;
    GUI_WindowManager::DispatchScope scope;
    function(argument);
}
