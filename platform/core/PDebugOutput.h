// Debugger output: what the game reports for a developer watching it run ("Pausing timers",
// every log line) goes to standard error.
#pragma once
#include <string>

class PDebugOutput
{
public:
    // Writes text as it is (the caller adds any newline), in one piece.
    static void Write(const char* text);
    static void Write(const std::string& text) { Write(text.c_str()); }
};
