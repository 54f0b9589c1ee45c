// The game clock and mission of a save, and the building zones the player has bought. Reading
// the game section is what starts the simulation of a load, so it is read in two steps: first
// the values (nothing changes yet), then, once the load is sure to go ahead, the clock is set
// on the new simulation.
#pragma once
#include <string>

class SaveReader;
class SaveWriter;

class GameSection
{
public:
    // Latest game hour a save may hold: more than ten thousand years of play, and far enough
    // below the int range that no sum or difference of hours the game forms can overflow.
    static constexpr int kMaxHour = 100000000;

    struct Values
    {
        int hour = 0;
        int gameTime = 0;
        std::string mission;
    };

    static void Write(SaveWriter& out);
    // Reads the game section when it is the next element; false (nothing read) otherwise.
    static bool Read(SaveReader& in, Values& values);
    // Sets the clock of the simulation that was started for the load.
    static void Apply(const Values& values);

    static void WriteZones(SaveWriter& out);
    // Unlocks the named zones of the running mission silently; unknown names are logged.
    static void ReadZones(SaveReader& in);
};
