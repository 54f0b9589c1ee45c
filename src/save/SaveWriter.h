// Writes the savegame markup into memory, one element or tag per line, in the "C" number format.
// Names go into the file as they stand, except the few characters that would break it: a "<"
// would end a value early, and a comma or double quote would split or join the items of a list.
// Those are replaced (and logged once per save) wherever a name is written, in leaves and lists
// alike, so a name always reads back the same in every section that refers to it, and no name
// can damage the sections after it.
#pragma once
#include <string>
#include <string_view>

class SIM_Tile;

class SaveWriter
{
public:
    // Character that stands in for one the file cannot hold.
    static constexpr char kReplacement = '_';

    SaveWriter();

    // "<name>" or "</name>" alone on a line.
    void Open(std::string_view name);
    void Close(std::string_view name);
    // A leaf "<name>value</name>".
    void Text(std::string_view name, std::string_view value);
    void Int(std::string_view name, long long value);
    // A real with eight decimals, or the given number.
    void Real(std::string_view name, double value, int decimals = 8);
    // Two leaves with the grid x and y of a tile, both -1 for none.
    void TileXY(std::string_view xName, std::string_view yName, const SIM_Tile* tile);
    // "<color>r,g,b,a</color>".
    void Color(int r, int g, int b, int a);
    // A leaf whose value is a list built with the Append functions below.
    void List(std::string_view name, const std::string& items) { Leaf(name, items); }

    // List items, each followed by its comma.
    void AppendName(std::string& list, std::string_view name);
    static void AppendInt(std::string& list, long long value);
    static void AppendReal(std::string& list, double value, int decimals);

    const std::string& Output() const { return m_out; }
    std::string TakeOutput();

private:
    void Leaf(std::string_view name, std::string_view raw);
    // Appends text with every character the file cannot hold replaced.
    void AppendSafe(std::string& out, std::string_view text);

    std::string m_out;
    bool m_replacementLogged = false;
};
