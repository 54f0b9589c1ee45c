// The interface's named sizes in pixels, in one place, so every window lays out from the same
// numbers: dialog margins and title bar, the close box, list rows and the scroll bar, and the
// spacing screens use between their own controls.
#pragma once

namespace GUI_Metrics
{
// Dialogs.
constexpr int kDialogSideMargin = 16;
constexpr int kDialogTopMargin = 46;
constexpr int kDialogBottomMargin = 16;
constexpr int kTitleBarHeight = 42;
// The title text starts this far in from the dialog's left edge; its line is centred in the strip
// above the client area.
constexpr int kTitleTextInset = 30;
// A dialog never covers the strip at the top of the screen (the top bar).
constexpr int kTopStrip = 32;
// The close box: a square this far in from the dialog's top-right corner.
constexpr int kCloseButtonInset = 8;
constexpr int kCloseButtonSize = 28;

// The yes/no box.
constexpr int kConfirmWidth = 400;
constexpr int kConfirmBottomMargin = 40;
constexpr int kConfirmButtonHeight = 20;

// Lists: the width kept free for the scroll bar at a list's right edge, and the drop-down's rows.
constexpr int kScrollBarReserve = 25;
constexpr int kDropDownRowHeight = 20;
constexpr int kDropDownRowStep = 16;
constexpr int kDropDownArrowReserve = 20;

// Text blocks: the scroll bar's width at the right edge.
constexpr int kTextScrollBarWidth = 10;

// Spacing for screens' own layouts.
constexpr int kGap = 10;
constexpr int kButtonHeight = 30;
constexpr int kRowHeight = 24;
constexpr int kCheckButtonHeight = 42;
constexpr int kSliderHeight = 44;
} // namespace GUI_Metrics
