// The program's entry and its window procedure: start-up, the message loop that runs a frame
// whenever no message waits, and the routing of each window message.
#pragma once
#include "platform/video/PWindowMessage.h"

// Runs the game; returns the exit code.
int AppMain();
// Handles one window message.
long WndProc(const PWindowMessage& message);
