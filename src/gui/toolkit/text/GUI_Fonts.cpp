// Interface font selection.
#include "gui/toolkit/text/GUI_Fonts.h"

#include "engine/GFontManager.h"

#include <algorithm>
#include <cmath>

void GUI_Fonts::SelectSemibold16()
{
    GFontManager::Instance().SelectFont(kSemibold16, 16.0f);
}

void GUI_Fonts::SelectExtraBold36()
{
    GFontManager::Instance().SelectFont(kExtraBold36, 36.0f);
}

void GUI_Fonts::SelectSemibold20OnBlack()
{
    GFontManager::Instance().SelectFont(kSemibold20OnBlack, 20.0f);
}

float GUI_Fonts::FitToWidth(std::string& text, float room, float smallest)
{
    GFontManager& fonts = GFontManager::Instance();
    const float size = fonts.GetTextSize();
    const auto width = static_cast<float>(fonts.GetTextWidth(text));
    if (width <= room || width <= 0.0f)
        return size;
    const float fitted = std::max(size * smallest, std::floor(size * room / width));
    fonts.SetTextSize(fitted);
    if (static_cast<float>(fonts.GetTextWidth(text)) > room)
        text = fonts.TruncateToWidth(room, text);
    fonts.SetTextSize(size);
    return fitted;
}

void GUI_Fonts::PrintFitted(const std::string& text, uint32_t colour, float x, float y, float width, int align,
                            float room, float smallest)
{
    GFontManager& fonts = GFontManager::Instance();
    std::string shown = text;
    const float size = fonts.GetTextSize();
    const float fitted = FitToWidth(shown, room, smallest);
    if (fitted != size)
    {
        fonts.Flush();
        fonts.SetTextSize(fitted);
        y += std::floor((size - fitted) / 2.0f);
    }
    fonts.Print(shown, colour, x, y, width, align);
    if (fonts.GetTextSize() != size)
    {
        fonts.Flush();
        fonts.SetTextSize(size);
    }
}
