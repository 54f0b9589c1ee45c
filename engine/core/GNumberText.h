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
} // namespace GNumberText
