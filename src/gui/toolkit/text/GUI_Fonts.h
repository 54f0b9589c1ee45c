// The three faces the interface draws with, selected at their native sizes before a widget
// prints: body text, dialog titles and the dark menu entries.
#pragma once

#include <cstdint>
#include <string>

namespace GUI_Fonts
{
constexpr const char* kSemibold16 = "Open Sans Semibold_16.dds";
constexpr const char* kExtraBold36 = "Open Sans ExtraBold_36.dds";
constexpr const char* kSemibold20OnBlack = "Open Sans Semibold_20_onblack.dds";

void SelectSemibold16();
void SelectExtraBold36();
void SelectSemibold20OnBlack();
// Fits a text to a width in the current font: kept at the current size when it fits, else the
// size shrinks (down to `smallest` times the current size), and only a text still too wide is
// cut with dots. Returns the size to print it at; the current size is left as it was.
float FitToWidth(std::string& text, float room, float smallest);
// Prints a text fitted to room as FitToWidth does, at (x, y) with Print's width and alignment; a
// smaller text is moved down by half the size it gave up, so it stays centred on the same line.
// The current size is left as it was.
void PrintFitted(const std::string& text, uint32_t colour, float x, float y, float width, int align, float room,
                 float smallest);
} // namespace GUI_Fonts
