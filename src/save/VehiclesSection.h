// The cars on the factory floor: where each is and where it is going, its movement state and the
// time into its current leg, the slot it belongs to, its colour, its features with the upgrades
// that came with them, the sub-tasks already done on it and its fitted parts.
#pragma once

class SaveReader;
class SaveWriter;

class VehiclesSection
{
public:
    static void Write(SaveWriter& out);
    // Deletes every car and rebuilds the saved ones, linked to their slots both ways.
    static void Read(SaveReader& in);
};
