// A box of the tech tree.
#include "gui/screens/research/GUI_TechTreeEntry.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/core/GStringUtils.h"
#include "gui/screens/research/GUI_ResearchDetails.h"
#include "gui/screens/research/ResearchDrawing.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

#include <algorithm>

GUI_TechTreeEntry::GUI_TechTreeEntry(SIM_Researchable* item) : m_item(item)
{
    m_tooltip = std::make_unique<GUI_Tooltip>("", 0);
    bool anyLine = false;
    if (item && !item->m_description.empty())
    {
        m_tooltip->AddLine(item->m_description);
        anyLine = true;
    }
    if (item)
    {
        // Five unlock lines at most; a sixth that has a text shows as "..." and ends the list.
        int counted = 0;
        for (const std::string& name : item->m_unlocks)
        {
            if (counted > kTooltipUnlockLines)
                break;
            const std::string text = item->GetUnlockText(name);
            if (text.empty())
                continue;
            m_tooltip->AddLine(counted < kTooltipUnlockLines ? text : std::string("..."));
            anyLine = true;
            ++counted;
        }
    }
    if (!anyLine)
        m_tooltip.reset();
}

GUI_TechTreeEntry::~GUI_TechTreeEntry() = default;

uint32_t GUI_TechTreeEntry::ToArgb(const Colour& c)
{
    return static_cast<uint32_t>(c[3] & 0xFF) << 24 | static_cast<uint32_t>(c[0] & 0xFF) << 16 |
           static_cast<uint32_t>(c[1] & 0xFF) << 8 | static_cast<uint32_t>(c[2] & 0xFF);
}

int GUI_TechTreeEntry::PulseAlpha(float totalMs)
{
    const float t = std::clamp(totalMs / 1000.0f * 3.1415927f, 0.0f, 1.0f);
    return static_cast<int>(t * 255.0f);
}

void GUI_TechTreeEntry::Refresh()
{
    if (!m_item)
        return;
    m_costText = IntToStringWithCommas(static_cast<long long>(m_item->m_cost));

    const float side = static_cast<float>(m_height - 4);
    m_icon.m_width = side;
    m_icon.m_height = side;
    ResearchDrawing::SetIcon(m_icon, *m_item);

    if (m_item->m_kind == RESEARCH_PROCESS)
        m_fill = kProcessFill;
    else if (m_item->m_kind == RESEARCH_TECHNOLOGY)
        m_fill = kTechnologyFill;

    const SIM_Researchable* prerequisite = m_item->m_prerequisite;
    m_available = !prerequisite || prerequisite->IsComplete();
    m_rest = m_available ? kRestAvailable : kRestLocked;

    if (SIM_ResearchManager::Instance().GetCurrentResearch() == m_item)
        m_highlightTimer.Start();

    m_icon.SetPosition(static_cast<float>(m_left) + 10.0f + side / 2.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
}

std::vector<std::array<float, 4>> GUI_TechTreeEntry::ConnectorSegments(const PRect& e, const PRect& p)
{
    const float mx = (static_cast<float>(e.left + e.right) / 2.0f + static_cast<float>(p.left + p.right) / 2.0f) / 2.0f;
    const float yE = static_cast<float>(e.top + e.bottom) / 2.0f;
    const float yP = static_cast<float>(p.top + p.bottom) / 2.0f;
    std::vector<std::array<float, 4>> segments;
    segments.push_back({mx, yE, static_cast<float>(e.left), yE});
    if (yP != yE)
        segments.push_back({mx, yP, mx, yE});
    segments.push_back({static_cast<float>(p.right), yP, mx, yP});
    return segments;
}

void GUI_TechTreeEntry::DrawConnector()
{
    if (!m_item || !m_item->m_prerequisite || !m_prerequisiteEntry)
        return;
    const PRect self{m_left, m_top, m_right, m_bottom};
    const GUI_TechTreeEntry& p = *m_prerequisiteEntry;
    const PRect prerequisite{p.m_left, p.m_top, p.m_right, p.m_bottom};
    for (const std::array<float, 4>& s : ConnectorSegments(self, prerequisite))
        BatchLineSprite(0xFFFFFFFFu, s[0], s[1], s[2], s[3], 4.0f);
}

bool GUI_TechTreeEntry::IsMouseOver()
{
    if (!GUI_WindowBase::IsMouseOver())
        return false;
    if (!m_clip)
        return true;
    const CBaseInputManager* input = CBaseInputManager::Active();
    const float x = input ? input->GetMouseX() : 0.0f;
    const float y = input ? input->GetMouseY() : 0.0f;
    return x >= static_cast<float>(m_clip->left) && x < static_cast<float>(m_clip->right) &&
           y >= static_cast<float>(m_clip->top) && y < static_cast<float>(m_clip->bottom);
}

bool GUI_TechTreeEntry::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!m_item || !m_available || !IsMouseOver())
        return false;
    GGameServices::Get().PlaySound(GUI_SoundNames::kClick);
    GUI_ResearchDetails::Show(m_item);
    return true;
}

void GUI_TechTreeEntry::Update()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    m_hovered = IsVisible() && !(input && input->IsMouseTaken()) && IsMouseOver();
    if (m_hovered)
    {
        if (m_tooltip)
            m_tooltip->UpdateHover();
        if (m_available)
            GUI_Cursor::Instance().RequestHandCursor();
    }
    GUI_WindowBase::Update();
}

void GUI_TechTreeEntry::Draw()
{
    if (!m_item)
        return;
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect box{m_left, m_top, m_right, m_bottom};
    uint32_t outline = 0xFFFFFFFFu;
    uint32_t text = 0x80000000u;
    if (!m_available)
    {
        device.FillRect(box, ToArgb(m_rest));
        m_icon.SetColour(255, 255, 255, 0x40);
    }
    else
    {
        m_icon.SetColour(255, 255, 255, 255);
        const int alpha = m_hovered ? 255 : 200;
        Colour fill = m_fill;
        Colour rest = m_rest;
        fill[3] = alpha;
        rest[3] = alpha;
        const bool current = SIM_ResearchManager::Instance().GetCurrentResearch() == m_item;
        if (current)
        {
            m_highlightTimer.Update();
            if (m_highlightTimer.m_total > 1000.0)
                m_highlightTimer.m_total -= 1000.0;
            fill[3] = PulseAlpha(m_highlightTimer.GetTotal());
        }
        const int split = m_left + static_cast<int>(static_cast<float>(m_width) * ResearchDrawing::Fraction(*m_item));
        device.FillRect(PRect{m_left, m_top, split, m_bottom}, ToArgb(fill));
        device.FillRect(PRect{split, m_top, m_right, m_bottom}, ToArgb(rest));
        outline = current ? ToArgb(fill) : 0xFF000000u;
        text = 0xFF000000u;
    }
    device.DrawRectLines(box, outline);
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    const float x = ResearchDrawing::RightEdge(m_icon) + 10.0f;
    fonts.Print(m_item->m_guiName, text, x, static_cast<float>(m_top + 10), 0.0f, 0);
    fonts.Print(m_costText, text, x, static_cast<float>(m_top + 30), 0.0f, 0);
    fonts.Flush();
    if (m_tooltip)
        m_tooltip->Draw();
}
