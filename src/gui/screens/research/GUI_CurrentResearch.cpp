// The current research band of the research screen.
#include "gui/screens/research/GUI_CurrentResearch.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/research/ResearchDrawing.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SlotQueries.h"

#include <algorithm>
#include <cstdio>

GUI_CurrentResearch::GUI_CurrentResearch()
    : m_title(GTextTable::GetText("RESEARCH_CURRENT_TITLE")),
      m_pointsLabel(GTextTable::GetText("RESEARCH_CURRENT_POINTS")),
      m_labCountLabel(GTextTable::GetText("RESEARCH_LAB_COUNT")),
      m_pointsPerSecondLabel(GTextTable::GetText("RESEARCH_POINTS_PER_SECOND")),
      m_moreLabel(GTextTable::GetText("RESEARCH_MORE_UNLOCKS"))
{
    s_single.Claim(this);
}

GUI_CurrentResearch::~GUI_CurrentResearch()
{
    s_single.Release(this);
}

void GUI_CurrentResearch::Layout()
{
    m_frame = PRect{m_left + 4, m_top + 4, m_right - 4, m_bottom - 4};
    m_info = PRect{m_frame.left + 4, m_frame.top + 4, m_frame.right - 404, m_frame.bottom - 4};
    m_stats = PRect{m_frame.right - 400, m_frame.top + 4, m_frame.right - 4, m_frame.bottom - 4};
    m_icon.m_width = 64.0f;
    m_icon.m_height = 64.0f;
    m_icon.SetPosition(static_cast<float>(m_frame.left + 4 + 32), static_cast<float>(m_frame.bottom - 10 - 32));

    m_labCount = std::to_string(SlotQueries::Instance().CountResearchOffices());
    char points[32];
    std::snprintf(points, sizeof(points), "%.2f",
                  static_cast<double>(SlotQueries::Instance().GetResearchPointsEarned()));
    m_pointsPerSecond = points;

    // The description and the unlock list share one block that starts level with the title, right
    // of it: under the title the band has room for a line or two at most, and longer unlock texts
    // would run out of the band into the tree.
    GFontManager& fonts = GFontManager::Instance();
    int titleRight = m_info.left + 10;
    if (fonts.IsInitialised())
    {
        GUI_Fonts::SelectExtraBold36();
        titleRight += fonts.GetTextWidth(m_title);
        GUI_Fonts::SelectSemibold16();
    }
    const int x = std::max(static_cast<int>(ResearchDrawing::RightEdge(m_icon)) + 210, titleRight + 20);
    const int y = m_info.top + 4;
    m_descriptionRect = PRect{x, y, std::min(x + kUnlockColumnWidth, m_info.right - 10), y + 48};
    if (!m_description)
    {
        m_description = CreateSubWindow<GUI_TextContainer>();
        m_description->SetTextColour(0xFF000000u);
    }
    m_description->SetText("", static_cast<float>(m_descriptionRect.left), static_cast<float>(m_descriptionRect.top),
                           static_cast<float>(m_descriptionRect.right), static_cast<float>(m_descriptionRect.bottom));
    if (SIM_Researchable* current = SIM_ResearchManager::Instance().GetCurrentResearch())
        SetResearch(current);
}

void GUI_CurrentResearch::SetResearch(SIM_Researchable* item)
{
    if (!item)
        return;
    m_item = item;
    ResearchDrawing::SetIcon(m_icon, *item);
    if (m_description)
    {
        GUI_Fonts::SelectSemibold16();
        m_description->SetText(item->m_description, static_cast<float>(m_descriptionRect.left),
                               static_cast<float>(m_descriptionRect.top), static_cast<float>(m_descriptionRect.right),
                               static_cast<float>(m_descriptionRect.bottom));
    }
}

void GUI_CurrentResearch::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    GFontManager& fonts = GFontManager::Instance();
    device.DrawRectLines(m_frame, 0xFFFFFFFFu);
    device.DrawRectLines(m_info, 0xFFFFFFFFu);
    device.DrawRectLines(m_stats, 0xFFFFFFFFu);

    GUI_Fonts::SelectExtraBold36();
    fonts.Print(m_title, 0xFF000000u, static_cast<float>(m_info.left + 10), static_cast<float>(m_info.top + 5), 0.0f,
                0);
    fonts.Flush();
    GUI_Fonts::SelectSemibold16();
    m_unlockPlaces.clear();
    m_unlockBottom = 0.0f;
    m_moreText.clear();
    if (m_item)
    {
        m_icon.Draw();
        const float nx = ResearchDrawing::RightEdge(m_icon) + 10.0f;
        const float ny = ResearchDrawing::MiddleY(m_icon) - 10.0f;
        fonts.Print(m_item->m_guiName, 0xFF000000u, nx, ny, 0.0f, 0);
        fonts.Print(ResearchDrawing::PointsLine(m_pointsLabel, *m_item), 0xFF000000u, nx, ny + 16.0f, 0.0f, 0);
        DrawSubWindows();

        DrawUnlocks();
    }
    const float y = static_cast<float>(m_stats.top);
    const float left = static_cast<float>(m_stats.left + 10);
    const float width = static_cast<float>(m_stats.right - 10 - (m_stats.left + 10));
    fonts.Print(m_labCountLabel, 0xFF000000u, left, y, 0.0f, 0);
    fonts.Print(m_labCount, 0xFF000000u, left, y, width, 1);
    fonts.Print(m_pointsPerSecondLabel, 0xFF000000u, left, y + 16.0f, 0.0f, 0);
    fonts.Print(m_pointsPerSecond, 0xFF000000u, left, y + 16.0f, width, 1);
    fonts.Flush();
}

void GUI_CurrentResearch::DrawUnlocks()
{
    // What the item unlocks: under the description, aligned with its text, in columns that start
    // again at the block's top once a text would run past the band. Where the band has no room
    // left, a last line counts the texts not shown, so the player knows there are more: a text is
    // never drawn over the tree, nor left out unsaid.
    GFontManager& fonts = GFontManager::Instance();
    const float columnTop = static_cast<float>(m_descriptionRect.top + 10);
    const float bottom = static_cast<float>(m_info.bottom - 4);
    struct Place
    {
        float x, y, width;
    };
    Place cursor{static_cast<float>(m_descriptionRect.left + 5), columnTop,
                 static_cast<float>(m_descriptionRect.right - m_descriptionRect.left - 10)};
    const Place first = cursor;
    if (!m_item->m_description.empty())
        cursor.y += fonts.GetWrappedTextHeight(m_item->m_description, cursor.width) + 4.0f;
    m_unlockBottom = cursor.y;
    const auto fits = [&](const std::string& text, const Place& at) {
        return at.y + fonts.GetWrappedTextHeight(text, at.width) <= bottom;
    };
    // Moves the cursor to the next column; false when that column is too narrow to use.
    const auto nextColumn = [&] {
        cursor.x += static_cast<float>(kUnlockColumnPitch);
        cursor.y = columnTop;
        cursor.width =
            std::min(static_cast<float>(kUnlockColumnWidth), static_cast<float>(m_info.right - 10) - cursor.x);
        return cursor.width >= static_cast<float>(kUnlockColumnWidth) / 2.0f;
    };

    std::vector<std::string> texts;
    for (const std::string& name : m_item->m_unlocks)
        if (std::string text = m_item->GetUnlockText(name); !text.empty())
            texts.push_back(std::move(text));
    std::vector<Place> places;
    bool room = true;
    for (const std::string& text : texts)
    {
        if (!fits(text, cursor) && cursor.y > columnTop)
            room = nextColumn();
        if (!room || !fits(text, cursor))
            break;
        places.push_back(cursor);
        cursor.y += fonts.GetWrappedTextHeight(text, cursor.width);
    }

    if (places.size() < texts.size())
    {
        // Appended piece by piece: gcc 12 at -O3 takes a literal put before a number's text for an
        // overlapping copy and warns (-Wrestrict).
        const auto moreText = [&] {
            std::string text = "+";
            text += std::to_string(texts.size() - places.size());
            text += ' ';
            text += m_moreLabel;
            return text;
        };
        // The count goes where the next text would have gone, else into a further column, else
        // in place of the last texts shown; with no room at all it stands on the band's last line.
        Place more = cursor;
        bool placed = room && fits(moreText(), more);
        if (!placed && room && cursor.y > columnTop && nextColumn())
        {
            more = cursor;
            placed = fits(moreText(), more);
        }
        while (!placed && !places.empty())
        {
            more = places.back();
            places.pop_back();
            placed = fits(moreText(), more);
        }
        if (!placed)
            more = Place{first.x, bottom - fonts.GetWrappedTextHeight(moreText(), first.width), first.width};
        m_moreText = moreText();
        m_morePlace = {more.x, more.y};
        m_unlockBottom =
            std::max(m_unlockBottom, fonts.PrintWrapped(0xFF000000u, -1, m_moreText, more.x, more.y, more.width));
    }
    for (size_t i = 0; i < places.size(); ++i)
    {
        m_unlockPlaces.emplace_back(places[i].x, places[i].y);
        m_unlockBottom = std::max(
            m_unlockBottom, fonts.PrintWrapped(0xFF000000u, -1, texts[i], places[i].x, places[i].y, places[i].width));
    }
}
