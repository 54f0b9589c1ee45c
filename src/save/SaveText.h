// Numbers and names as savegames hold them: always with a decimal point whatever the player's
// locale, read leniently the way the C library reads a number prefix, and never trusted: a
// number that does not fit its type is clamped and anything not finite reads as 0.
#pragma once
#include <string>
#include <string_view>

namespace savetext
{
// Largest magnitude a real read from a savegame may have. Every money amount, time and share
// the game keeps is far below it, and values this size still convert to 64-bit integers.
constexpr double kMaxReal = 1.0e12;

// Appends the value in decimal ("%d").
void AppendInt(std::string& out, long long value);
// Appends the value with a fixed number of decimals ("%.8f", "%.2f", "%f" is 6); a value that is
// not finite is written as 0 so it can never poison a later load.
void AppendReal(std::string& out, double value, int decimals);

// The integer at the start of the text: leading blanks skipped, an optional sign, digits up to
// the first character that is not one; 0 when there are none. Clamped to the int range.
int ParseInt(std::string_view text);
// The real at the start of the text, in the same lenient way; 0 for no number, infinity or NaN;
// clamped to +-kMaxReal.
double ParseReal(std::string_view text);
inline float ParseFloat(std::string_view text)
{
    return static_cast<float>(ParseReal(text));
}

// An item of a comma list that is a plain integer, read where it stands: from `position`, an
// optional minus and digits running to the next comma or the end of the text, at most `maxItem`
// characters, in the int range. True with the value (as ParseInt gives it) and `position` past
// the comma; false, with nothing changed, for any other item.
bool ParsePlainIntItem(std::string_view text, size_t& position, size_t maxItem, int& value);

// The integer the whole text spells (blanks around it allowed): an optional sign and digits, in
// the int range. False for anything else ("", "nan", "0x10", "12abc", "99999999999"): values
// that say where something stands must be read, not guessed.
bool ParseWholeInt(std::string_view text, int& value);
// The real the whole text spells in plain decimal notation (blanks around it allowed), within
// +-kMaxReal. False for anything else ("", "abc", "nan", "-inf", "12abc", "1e308"), the value
// untouched: a value the player plays for that had to be guessed or cut was damaged.
bool ParseWholeReal(std::string_view text, double& value);

// Most characters of a value that a log line or a box quotes.
constexpr size_t kQuoteLength = 64;
// The value as a log line or a box shows it: whole when short, otherwise its first
// kQuoteLength characters and its length ("abc... (20971520 characters)").
std::string Quote(std::string_view value);

// The text without its trailing blanks, CR and LF.
std::string_view TrimTrailing(std::string_view text);

// A float truncated toward zero to an int, clamped to the int range (NaN gives 0).
int TruncateToInt(double value);
} // namespace savetext
