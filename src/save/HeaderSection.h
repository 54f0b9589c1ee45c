// The first sections of a savegame: the program version and the date the save was made. A load
// passes over both; the load and save dialogs read the date (and the mission) to list a save.
#pragma once
#include <string>

class SaveReader;
class SaveWriter;
struct SaveDate;

class HeaderSection
{
public:
    static void Write(SaveWriter& out, const std::string& version, const SaveDate& date);
    // Passes over both sections; false when they are not there.
    static bool Skip(SaveReader& in);
    // "6/12/2026 (DD-MM-YYYY) - 9:05".
    static std::string FormatDate(const SaveDate& date);
    // The save's date and mission name, for the dialogs; false when the file has neither.
    static bool Peek(SaveReader& in, std::string& date, std::string& mission);
};
