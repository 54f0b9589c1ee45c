// Every resource object of the pool, by its guid (its index in the pool): where it is, what it
// is, where it goes, the place it takes in a stockpile and the import bay it waits in; then the
// price table of every resource. The stockpile sections that follow name these objects by guid.
#pragma once

class SaveLoadContext;
class SaveWriter;

class ResourceObjectsSection
{
public:
    // Writes "resourceobjects", then "resources".
    static void Write(SaveWriter& out);
    // Empties the pool, restores every saved object into its own record, then the prices.
    static void Read(SaveLoadContext& context);
};
