// The overhead conveyor pieces of the floor, by tile, with the direction each was laid in. The
// import bays' own pieces come first: a load has already laid them with their bays while it put
// the slots back, so the file's order is the order the pieces have after a load, and saving
// again gives the same file.
#pragma once

class SaveReader;
class SaveWriter;

class ConveyorsSection
{
public:
    static void Write(SaveWriter& out);
    // Lays every saved piece whose tile has none yet (a bay's piece is never laid twice), then
    // connects every piece to its neighbours.
    static void Read(SaveReader& in);
};
