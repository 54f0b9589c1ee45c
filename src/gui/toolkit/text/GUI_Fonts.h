// The three faces the interface draws with, selected at their native sizes before a widget
// prints: body text, dialog titles and the dark menu entries.
#pragma once

namespace GUI_Fonts
{
constexpr const char* kSemibold16 = "Open Sans Semibold_16.dds";
constexpr const char* kExtraBold36 = "Open Sans ExtraBold_36.dds";
constexpr const char* kSemibold20OnBlack = "Open Sans Semibold_20_onblack.dds";

void SelectSemibold16();
void SelectExtraBold36();
void SelectSemibold20OnBlack();
} // namespace GUI_Fonts
