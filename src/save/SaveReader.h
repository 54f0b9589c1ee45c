// Reads the savegame markup from a file held whole in memory, only ever forward. Nothing read is
// trusted: the scan stops at the end of the data, tag texts are bounded, numbers are clamped, and
// every helper that turns a number into a count, an index or a tile checks it against its limit
// before anyone uses it. A missing tag is reported in a box once per load; everything after it
// goes to the log only, so a damaged file costs the player one box, not hundreds.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SIM_Tile;

class SaveReader
{
public:
    // Longest tag text the dialect has; longer ones never match a name.
    static constexpr size_t kMaxTagText = 127;
    // Lines one read writes to the logs at most.
    static constexpr int kMaxLoggedLines = 100;

    // Takes the whole file and starts at its beginning; the error state is cleared.
    void Reset(std::string data);
    // Whether the first error of this read is shown in a box (a load) or only logged (a peek).
    void SetShowErrorBox(bool show) { m_showErrorBox = show; }

    // Scans forward to the next tag whose text is the name; the position ends behind its ">".
    // At the end of the data: "missing tag: <name>" is reported and false returned.
    bool FindTag(std::string_view name);
    // The text of the next tag, the position unchanged; "" when no tag is left.
    std::string PeekTag();
    bool NextTagIs(std::string_view name) { return PeekTag() == name; }

    // Leaf values. A missing leaf reads as empty text or 0.
    std::string_view Value(std::string_view name);
    // The value without trailing blanks, CR and LF.
    std::string Text(std::string_view name);
    int Int(std::string_view name);
    float Float(std::string_view name);
    double Double(std::string_view name);
    // A world position on or near the floor. Cars and objects never stray far beyond the largest
    // floor; anything further is a damaged value, and would overflow the tile look-ups.
    float Coordinate(std::string_view name);
    // "r,g,b,a" of the "color" leaf, each clamped to 0..255.
    void Color(int rgba[4]);
    // An integer that must lie in lo..hi; out of range it is logged and `fallback` returned.
    int IntInRange(std::string_view name, int lo, int hi, int fallback);

    // Lists: BeginList, then while NextItem: the item's leaves and EndItem, always.
    bool BeginList(std::string_view list) { return FindTag(list); }
    // Peeks one tag ahead: the item's opening tag is consumed and true returned; anything else
    // ends the list (its closing tag is consumed) and gives false. Inside an item no search runs
    // past the item's closing tag, so a damaged item cannot swallow the items after it.
    bool NextItem(std::string_view list, std::string_view item);
    void EndItem(std::string_view item);
    // When the next tag is the element, consumes it and returns true; otherwise reads nothing.
    bool OptionalElement(std::string_view name);
    bool FindClosing(std::string_view name);

    // The floor tile at (x, y) of the running game, or null (logged) outside the floor.
    static SIM_Tile* TileAt(int x, int y);

    // A problem with the file's structure (a tag missing): the first problem of a load in a
    // box, the rest in the log; the load is then reported as failed.
    void ReportError(const std::string& message);
    // A value the game has no object for, reported as the game always did (in a box, the first
    // problem of a load only) and left out; the load itself goes on and counts as read.
    void ReportBadValue(const std::string& message);
    // Something of the file was left out (a lookup failed, a value out of range): a log line.
    void LogDropped(const std::string& message);

    bool HadError() const { return m_hadError; }
    bool AtEnd() const { return m_position >= m_data.size(); }

private:
    // Scans forward to the tag "name" or "/name".
    bool Find(std::string_view name, bool closing);
    // Moves to the next tag; its text in `text` (cut at kMaxTagText) and where its "<" stands;
    // false at the end.
    bool NextTag(std::string_view& text, bool& tooLong, size_t& start);

    std::string m_data;
    size_t m_position = 0;
    bool m_showErrorBox = true;
    bool m_hadError = false;
    bool m_boxShown = false;
    bool m_longTagLogged = false;
    int m_logged = 0;
    // Names of the items being read, innermost last.
    std::vector<std::string> m_scopes;
};
