// The painted body of a dialog: a light grey panel with a thin blue outline.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

class GUI_DialogBackground : public GUI_WindowBase
{
public:
    void Draw() override;
    void SetBody(const PRect& body) { m_body = body; }

private:
    PRect m_body;
};
