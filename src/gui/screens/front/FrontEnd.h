// What every full-window screen of the front end does the same way: clear the picture, draw the
// windows, the tooltip and the pointer over it, read the mouse once per frame, and switch to
// another screen by name. Main thread only.
#pragma once

#include <cstdint>
#include <string>

namespace FrontEnd
{
// Front-end screens are white; the game's own screen is near-black.
constexpr uint32_t kClearColour = 0xFFFFFFFFu;

// Clears the back buffer; a failure is written to the error log and the frame goes on.
void ClearScreen(uint32_t colour);
// The per-frame mouse update of the input manager.
void UpdateInput();
// The open windows, then the tooltip queued this frame, then the pointer and a dragged window.
void DrawWindowsAndCursor();
// Leaves the current screen for the named one.
void SwitchTo(const std::string& modeName);
// Ends the program as the quit button does.
void Quit();
// The pointer in window pixels.
float MouseX();
float MouseY();
bool IsDoubleClick();
// The dialogs that hold the game (save, options, research, a new design): the clock stops while
// any of them is open and the speed before the first comes back when the last releases it
// (SIM_Game::Hold). The speed buttons follow both. Each dialog releases only a hold it took.
void HoldGame();
void ReleaseGame();
} // namespace FrontEnd
