// Text helpers the whole game shares: padded clock and date numbers, comma-grouped amounts
// and money texts for the interface, and trimming of text read from files.
#pragma once
#include <cstddef>
#include <string>

// At least four digits: 7 -> "0007", 42 -> "0042", 12345 -> "12345".
std::string IntToStringPad4(int value);
// At least two digits: 5 -> "05"; for clock, date and time texts.
std::string IntToStringPad2(int value);
// The value in decimal with ',' between groups of three digits: 1234 -> "1,234", 0 -> "0".
// Negative values keep their sign ("-1,234"); the most negative value formats correctly too.
std::string IntToStringWithCommas(long long value);
// Same, into the caller's buffer of bufferSize characters (at least 14 for any int; 28 for
// any long long). The text is cut to fit.
void IntToStringWithCommas(long long value, char* buffer, size_t bufferSize);
// A money amount for the interface: "$1,234", or "$ -1,234" for a debt.
std::string FormatMoney(long long amount);
// Empty or nothing but spaces: a name the player left blank.
bool IsBlank(const std::string& text);
// The text without its trailing blanks, CR and LF (tabs stay).
std::string StripTrailingWhitespace(const std::string& text);
// printf-style formatting into a std::string, in the "C" locale, of any length.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
