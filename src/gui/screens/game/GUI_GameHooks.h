// The game screen's doors to the windows that other screens build: the dialogs the in-game menu
// and the cash widget open or toggle. Each screen fills in its own door when the game starts up;
// a door left empty writes one line to the debug log instead, so the button still answers.
// Main thread.
#pragma once

#include <functional>
#include <string>

struct GUI_GameHooks
{
    std::function<void()> toggleFinanceDialog;
    std::function<void()> openOptions; // the in-game form of the options dialog
    std::function<void()> openSaveDialog;
    std::function<void()> toggleTaskPicker;
    std::function<void()> closeTaskPicker; // leaving the game

    static GUI_GameHooks& Instance();
    // Runs the door, or logs that the screen behind it is not there yet.
    static void Run(const std::function<void()>& hook, const std::string& what);
};
