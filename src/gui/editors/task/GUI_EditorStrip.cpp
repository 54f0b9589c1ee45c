// A row of the task editor's side lists.
#include "gui/editors/task/GUI_EditorStrip.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/editors/task/GUI_TaskEditorTile.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/windows/GUI_Cursor.h"

#include <utility>

GUI_EditorStrip::GUI_EditorStrip(std::string label, std::string iconName)
    : m_label(std::move(label)), m_iconName(std::move(iconName))
{
    GUI_TaskEditorTile::SetSpritePicture(m_icon, m_iconName);
}

bool GUI_EditorStrip::StripLabelLess(const GUI_EditorStrip& a, const GUI_EditorStrip& b)
{
    // std::string compares its characters as unsigned bytes.
    return a.m_label < b.m_label;
}

void GUI_EditorStrip::Layout()
{
    m_fill = GUI_Layout::Inset(PRect{m_left, m_top, m_right, m_bottom}, 2);
    const float side = static_cast<float>(m_bottom - m_top - 4);
    m_icon.m_width = side;
    m_icon.m_height = side;
    m_icon.SetPosition(static_cast<float>(m_left + 2) + side / 2.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
}

void GUI_EditorStrip::Update()
{
    GUI_WindowBase::Update();
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_EditorStrip::Draw()
{
    GD3DDevice::Instance().FillRect(m_fill, IsMouseOver() ? kStripHoverColour : kStripColour);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        const float iconRight = static_cast<float>(m_left + 2) + m_icon.m_width;
        // A name longer than the row ends in dots inside it.
        const float room = static_cast<float>(m_fill.right) - iconRight - 14.0f;
        const std::string shown =
            static_cast<float>(fonts.GetTextWidth(m_label)) > room ? fonts.TruncateToWidth(room, m_label) : m_label;
        fonts.Print(shown, 0xFF000000u, iconRight + 10.0f, static_cast<float>(m_top + m_bottom) / 2.0f - 10.0f, 0.0f,
                    0);
    }
    m_icon.Draw();
}
