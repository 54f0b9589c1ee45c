// Whether a number written in a data file is the number the game will read. The readers take
// the leading number of a value and drop the rest ("1e39" read as an integer is 1, "12 cars" is
// 12, a 20-digit integer is clamped), which hides a modder's typo; these say whether the whole
// text is one decimal number that the game's type holds exactly as written.
#pragma once
#include <string>

namespace GNumberText
{
// The whole text, blanks around it allowed, is an integer ("-12", "+7") that fits 32 bits.
bool IsWholeInt(const std::string& text, int* value = nullptr);
// The whole text, blanks around it allowed, is a decimal number ("2", "-0.5", "1.5e3") whose
// value is finite in single precision. "inf", "nan" and hexadecimal are not.
bool IsWholeFloat(const std::string& text, float* value = nullptr);

// The number the game reads from a value of a data file, as it always read it: the leading
// number of at most the first 63 characters (integers clamped to 32 bits; nothing, or nothing
// finite, reads 0). A value that is not wholly that number changes the game without a word, so it
// is written to the error log as "<where> '<text>' is not a (whole) number; read as <n>". An empty
// value (a missing key or cell) reads 0 quietly.
int ReadInt(const std::string& text, const std::string& where);
// The same, with the error-log line handed to the caller in `report` (empty when there is none)
// instead of written: for a reader that reads one file more than once and says each thing once.
int ReadInt(const std::string& text, const std::string& where, std::string& report);
float ReadFloat(const std::string& text, const std::string& where);
// The error-log text of such a value, for tools that recognise it.
bool IsNumberReport(const std::string& line);
} // namespace GNumberText
