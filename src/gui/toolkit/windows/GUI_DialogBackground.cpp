// Dialog body.
#include "gui/toolkit/windows/GUI_DialogBackground.h"

#include "engine/GD3DDevice.h"

void GUI_DialogBackground::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(m_body, 0xFFDEDEDEu);
    device.DrawRectLines(m_body, 0xFF43AEE5u);
}
