// The car models the player has defined: sale price, name, colour, parts and features. Loading
// replaces every design there was; the sales and stock sections after it name designs by name.
#pragma once

class SaveReader;
class SaveWriter;

class DesignsSection
{
public:
    static void Write(SaveWriter& out);
    static void Read(SaveReader& in);
};
