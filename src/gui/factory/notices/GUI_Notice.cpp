// Slot notices by kind.
#include "gui/factory/notices/GUI_Notice.h"

#include "engine/core/GTextTable.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/world/SIM_Tile.h"

namespace
{
struct NoticeLook
{
    const char* key;
    const char* symbol;
    GUI_NoticeBase::Colour background;
    GUI_NoticeBase::Colour text;
};

// Warnings are yellow with dark text, errors red with light text.
const NoticeLook kLooks[5] = {
    {"NOTICE_NORESOURCES", "notice_warning.dds", {231, 214, 29, 255}, {11, 11, 11, 255}},
    {"NOTICE_NORESOURCEROUTE", "notice_error.dds", {220, 57, 32, 255}, {240, 240, 240, 255}},
    {"NOTICE_MISSINGINPUT", "notice_error.dds", {220, 57, 32, 255}, {240, 240, 240, 255}},
    {"NOTICE_MISSINGOUTPUT", "notice_error.dds", {220, 57, 32, 255}, {240, 240, 240, 255}},
    {"NOTICE_NOEXPORTROOM", "notice_warning.dds", {231, 214, 29, 255}, {11, 11, 11, 255}},
};
} // namespace

GUI_Notice::GUI_Notice(SIM_PlaceableSlot* owner) : m_owner(owner)
{
    m_background = Colour{255, 255, 255, 255};
    m_textColour = Colour{27, 27, 27, 255};
}

void GUI_Notice::SetKind(int kind)
{
    m_kind = kind;
    if (kind >= 1 && kind <= 5)
    {
        const NoticeLook& look = kLooks[kind - 1];
        m_text = GTextTable::GetText(look.key);
        m_background = look.background;
        m_textColour = look.text;
        m_symbol.SetTexture(look.symbol);
    }
    Measure();
}

void GUI_Notice::Draw()
{
    m_lastDrawn = Drawn::NOTHING;
    const SIM_Tile* anchor = m_owner ? m_owner->GetTile() : nullptr;
    if (m_kind == 0 || !anchor)
        return;
    Render(anchor->m_worldX, anchor->m_worldY);
}
