// System helpers the game shares: making sure a folder path exists, the fatal report of an
// operating-system error, and opening a link or file with the player's default program.
#pragma once
#include <string>

// Creates every missing folder of path ('\' and '/' both separate). When the folder still
// does not exist afterwards the game cannot keep its files and ends through WindowsError.
void EnsureDirectoryExists(const std::string& path);
// Shows "<context>: <last system error>" in a box captioned "WindowsError" (context names the
// file or folder concerned), writes it to the debug log and ends the process with the error code (1 when there is no
// code, so the end never looks like success).
[[noreturn]] void WindowsError(const std::string& context);
// Opens a web link or a file with the default program. False when no program could be started
// for it; the reason is written to the debug log.
bool ShellOpen(const std::string& target);
