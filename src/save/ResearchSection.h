// The research target and how far every research item has come. An item saved as done is
// completed again silently: what it unlocks is unlocked, but no completion window opens.
#pragma once

class SaveReader;
class SaveWriter;

class ResearchSection
{
public:
    static void Write(SaveWriter& out);
    static void Read(SaveReader& in);
};
