// Reads the savegame markup from a file held whole in memory, only ever forward. Nothing read is
// trusted: the scan stops at the end of the data, tag texts are bounded, numbers are clamped, and
// every helper that turns a number into a count, an index or a tile checks it against its limit
// before anyone uses it. A missing tag is reported in a box once per load; everything after it
// goes to the log only, so a damaged file costs the player one box, not hundreds. For the same
// reason the sections look names up with the managers' quiet lookups, never the ones that show
// a box of their own: what a load misses is listed here and the player told once.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SaveCommaList;
class SIM_Tile;

class SaveReader
{
public:
    // Longest tag text the dialect has; longer ones never match a name.
    static constexpr size_t kMaxTagText = 127;
    // Longest text value the game ever writes as one value (the dialect's value buffer).
    static constexpr size_t kMaxText = 16000;
    // Longest name of anything the game shows (tasks, zones, resources, designs, missions): the
    // design dialog takes 64 characters, the data files' names are shorter still.
    static constexpr size_t kMaxName = 256;
    // Lines one read writes to the logs at most; a flood of problems is summed up in one more.
    static constexpr int kMaxLoggedLines = 1000;
    // Longest line the reader writes to a log (values in it are quoted short, see savetext::Quote).
    static constexpr size_t kMaxLogLine = 512;

    // Takes the whole file and starts at its beginning; the error state is cleared.
    void Reset(std::string data);
    // Whether this read is the player's (a load: the first error shown in a box, left-out items
    // in the error log too) or only a look (a peek: the debug log only).
    void SetShowErrorBox(bool show) { m_showErrorBox = show; }

    // Scans forward to the next tag whose text is the name; the position ends behind its ">".
    // At the end of the data: "missing tag: <name>" is reported and false returned.
    bool FindTag(std::string_view name);
    // The text of the next tag, the position unchanged; "" when no tag is left.
    std::string PeekTag();
    bool NextTagIs(std::string_view name) { return PeekTag() == name; }

    // Leaf values. A missing leaf reads as empty text or 0.
    std::string_view Value(std::string_view name);
    // The value without trailing blanks, CR and LF; "" (logged) when it is longer than kMaxText,
    // which only a damaged file holds.
    std::string Text(std::string_view name);
    // A name to look up, as Text; "" (logged) when it is longer than kMaxName, so that no
    // lookup, copy or log line ever carries a name the game could not show.
    std::string Name(std::string_view name);
    int Int(std::string_view name);
    // An integer written whole (savetext::ParseWholeInt); false for a missing or unreadable value.
    bool WholeInt(std::string_view name, int& value);
    // The tile coordinates of two leaves, both written whole; false when either is not.
    bool TileXY(std::string_view xName, std::string_view yName, int& x, int& y);
    float Float(std::string_view name);
    double Double(std::string_view name);
    // A world position on or near the floor. Cars and objects never stray far beyond the largest
    // floor; anything further is a damaged value, and would overflow the tile look-ups.
    float Coordinate(std::string_view name);
    // "r,g,b,a" of the "color" leaf, each clamped to 0..255.
    void Color(int rgba[4]);
    // An integer that must lie in lo..hi; out of range it is logged and `fallback` returned.
    int IntInRange(std::string_view name, int lo, int hi, int fallback);

    // A value the player plays for (cash, a price, the clock, a count of cars or goods), read
    // whole (savetext::ParseWholeReal) and within lo..hi. One that is not is a damaged item: a
    // line names it (`what`, and the text as the file holds it) and the load counts it; `value`
    // is then the lenient reading held to lo..hi, and false is returned.
    bool CheckedReal(std::string_view what, std::string_view text, double lo, double hi, double& value);
    // The same with `replacement` in place of a value that is not read whole within lo..hi: for
    // a value whose nearest bound is no value the game could have set either.
    bool CheckedReal(std::string_view what, std::string_view text, double lo, double hi, double replacement,
                     double& value);
    // The same for the leaf `name`, whose value is returned; PlayedInt for an integer leaf
    // (savetext::ParseWholeInt).
    double PlayedReal(std::string_view name, double lo, double hi);
    int PlayedInt(std::string_view name, int lo, int hi);

    // The next name of a comma list (SaveCommaList::Next). An item cut for its length is a
    // damaged item, left out with a line that names `what`; it reads as "", which every list
    // reader passes over.
    const std::string& NextName(SaveCommaList& list, std::string_view what);
    // A comma list kept past its leaf (a slot's options and upgrades), as Text; a list longer
    // than kMaxText is a damaged item, left out with a line.
    std::string NameList(std::string_view name);

    // Lists: BeginList, then while NextItem: the item's leaves and EndItem, always.
    bool BeginList(std::string_view list) { return FindTag(list); }
    // Peeks one tag ahead: the item's opening tag is consumed and true returned; anything else
    // ends the list (its closing tag is consumed) and gives false. Inside an item no search runs
    // past the item's closing tag, so a damaged item cannot swallow the items after it.
    bool NextItem(std::string_view list, std::string_view item);
    void EndItem(std::string_view item);
    // When the next tag is the element, consumes it and returns true; otherwise reads nothing.
    bool OptionalElement(std::string_view name);
    // When the next tag is the leaf, reads it as Value and returns true; otherwise reads nothing.
    // One scan for the rows of a list, where NextTagIs and Value would look at the tag twice.
    bool OptionalValue(std::string_view name, std::string_view& value);
    bool FindClosing(std::string_view name);

    // The floor tile at (x, y) of the running game, or null (logged) outside the floor.
    static SIM_Tile* TileAt(int x, int y);

    // A problem with the file's structure (a tag missing): the first problem of a load in a
    // box, the rest in the error log; the load is then reported as failed.
    void ReportError(const std::string& message);
    // A value the game has no object for: left out like LogDropped, with the game's own wording.
    void ReportBadValue(const std::string& message);
    // Something of the file was left out (a lookup failed, a value out of range): a line in the
    // debug log and the error log, and one more item in DroppedCount. Values quoted in the
    // message must be short (savetext::Quote); a longer line is cut all the same.
    void LogDropped(const std::string& message);
    // After the last item: a line that says how many more were left out than were listed.
    void LogUnlisted();

    bool HadError() const { return m_hadError; }
    int DroppedCount() const { return m_dropped; }
    bool AtEnd() const { return m_position >= m_data.size(); }

private:
    // Scans forward to the tag "name" or "/name".
    bool Find(std::string_view name, bool closing);
    // Moves to the next tag; its text in `text` (cut at kMaxTagText) and where its "<" stands;
    // false at the end.
    bool NextTag(std::string_view& text, bool& tooLong, size_t& start);
    // Whether "</name>" stands at the position (name being a tag name, without ">").
    bool ClosesAt(size_t at, std::string_view name) const;
    // The value of the leaf whose opening tag was just read, up to its closing tag.
    std::string_view LeafValue(std::string_view name);
    // The trimmed value, or "" with a debug-log line when it is longer than `limit` (a left-out
    // item when `damaged`).
    std::string BoundedText(std::string_view name, size_t limit, const char* what, bool damaged = false);
    // The line of a played-for value that had to be replaced.
    void LogReplaced(std::string_view what, std::string_view text, const std::string& replacement);
    // A debug-log line that counts as no left-out item.
    void Note(const std::string& message);

    std::string m_data;
    size_t m_position = 0;
    bool m_showErrorBox = true;
    bool m_hadError = false;
    bool m_boxShown = false;
    bool m_longTagLogged = false;
    int m_dropped = 0;
    int m_logged = 0;
    // Names of the items being read, innermost last.
    std::vector<std::string> m_scopes;
};
