// Notices over problem slots and cars.
#include "gui/factory/notices/GUI_NoticeBase.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

namespace
{
// The full notices drawn since their texts were last sent, while runs are open.
struct NoticeTextRun
{
    bool open = false;
    std::vector<PRect> covered;
};

NoticeTextRun& TextRun()
{
    static NoticeTextRun run;
    return run;
}

bool RectsMeet(const PRect& a, const PRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

namespace
{
// Every notice, held by the program's owner; a notice deleted after it leaves a new, empty one.
// The end of a game deletes thousands, first made first: each leaves without a search.
struct NoticeRegistry
{
    GRoster<GUI_NoticeBase> notices; // not owned: each notice belongs to its slot's view
};

GRoster<GUI_NoticeBase>& Notices()
{
    return GLifetime::Get<NoticeRegistry>().notices;
}
} // namespace

const std::vector<GUI_NoticeBase*>& NoticeList()
{
    return Notices().Members();
}

uint32_t GUI_NoticeBase::Colour::Argb() const
{
    return static_cast<uint32_t>(a & 0xFF) << 24 | static_cast<uint32_t>(r & 0xFF) << 16 |
           static_cast<uint32_t>(g & 0xFF) << 8 | static_cast<uint32_t>(b & 0xFF);
}

GUI_NoticeBase::GUI_NoticeBase()
{
    m_circle.SetTexture("32pxcircle.dds");
    m_circle.m_width = m_circle.m_height = 8.0f;
    m_symbol.m_width = m_symbol.m_height = 32.0f;
    Notices().Join(this, m_listPlace);
}

GUI_NoticeBase::~GUI_NoticeBase()
{
    Notices().Leave(m_listPlace);
}

void GUI_NoticeBase::Measure()
{
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    m_textWidth = static_cast<float>(fonts.GetTextWidth(m_text));
    if (m_textWidth > kWrapWidth)
    {
        m_textWidth = kWrapWidth;
        m_textHeight = fonts.GetWrappedTextHeight(m_text, kWrapWidth);
    }
    else
    {
        m_textHeight = 16.0f;
    }
}

void GUI_NoticeBase::Render(float worldX, float worldY)
{
    m_lastDrawn = Drawn::NOTHING;
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float x = camera.WorldToScreenX(worldX), y = camera.WorldToScreenY(worldY);
    m_screenX = x;
    m_screenY = y;
    const auto w = static_cast<float>(GScreenSize::Width()), h = static_cast<float>(GScreenSize::Height());
    if (x < -100.0f || x > w + 100.0f || y < -100.0f || y > h + 100.0f)
        return;
    m_circle.SetPosition(x, y);
    if (camera.GetZoom() > 0.125f)
        DrawFull(x, y);
    else
        DrawReduced(x, y);
}

void GUI_NoticeBase::BeginTextRuns()
{
    NoticeTextRun& run = TextRun();
    run.open = true;
    run.covered.clear();
}

void GUI_NoticeBase::EndTextRuns()
{
    NoticeTextRun& run = TextRun();
    if (run.open && !run.covered.empty())
        GFontManager::Instance().Flush();
    run.open = false;
    run.covered.clear();
}

void GUI_NoticeBase::DrawReduced(float x, float y)
{
    m_lastDrawn = Drawn::REDUCED;
    m_rect = PRect{static_cast<int>(x - 16.0f), static_cast<int>(y - 56.0f), static_cast<int>(x + 16.0f),
                   static_cast<int>(y - 24.0f)};
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(
        PRect{static_cast<int>(x - 1.0f), static_cast<int>(y - 40.0f), static_cast<int>(x + 1.0f), static_cast<int>(y)},
        0xFFFFFFFFu);
    m_circle.Draw();
    m_symbol.SetPosition(static_cast<float>(m_rect.left + m_rect.right) * 0.5f,
                         static_cast<float>(m_rect.top + m_rect.bottom) * 0.5f);
    m_symbol.Draw();
}

void GUI_NoticeBase::DrawFull(float x, float y)
{
    m_lastDrawn = Drawn::FULL;
    const float w = m_textWidth, h = m_textHeight;
    m_rect = PRect{static_cast<int>(x - w / 2.0f - 20.0f), static_cast<int>(y - 70.0f - h / 2.0f),
                   static_cast<int>(x + w / 2.0f + 20.0f), static_cast<int>(y - 50.0f + h / 2.0f)};
    const PRect stem{static_cast<int>(x - 1.0f), static_cast<int>(y - 60.0f), static_cast<int>(x + 1.0f),
                     static_cast<int>(y)};
    NoticeTextRun& run = TextRun();
    if (run.open)
    {
        // Everything the notice may light: the box with its outline, the glyph cells of the last
        // line reaching past it, the stem and the circle.
        const PRect covers{std::min(m_rect.left, static_cast<int>(x) - 8), m_rect.top, m_rect.right + 40,
                           std::max(m_rect.bottom + 40, static_cast<int>(y) + 8)};
        if (std::any_of(run.covered.begin(), run.covered.end(),
                        [&](const PRect& other) { return RectsMeet(covers, other); }))
        {
            GFontManager::Instance().Flush();
            run.covered.clear();
        }
        run.covered.push_back(covers);
    }
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(stem, 0xFFFFFFFFu);
    m_circle.Draw();
    device.FillRect(m_rect, m_background.Argb());
    // The outline as four one-pixel bars over exactly the pixels a line strip round the box
    // lights (each side from its first corner up to the next), so it joins the boxes' run.
    const uint32_t outline = m_textColour.Argb();
    const PRect& r = m_rect;
    device.FillRect(PRect{r.left, r.top, r.right, r.top + 1}, outline);
    device.FillRect(PRect{r.right, r.top, r.right + 1, r.bottom}, outline);
    device.FillRect(PRect{r.left + 1, r.bottom, r.right + 1, r.bottom + 1}, outline);
    device.FillRect(PRect{r.left, r.top + 1, r.left + 1, r.bottom + 1}, outline);
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    // Wrapped where it was measured: wrapped at its own width, a one-line text could break
    // before its last word and hang that word below the box.
    fonts.PrintWrapped(m_textColour.Argb(), -1, m_text, static_cast<float>(m_rect.left) + 20.0f,
                       static_cast<float>(m_rect.top) + 10.0f, kWrapWidth);
    if (!run.open)
        fonts.Flush();
}
