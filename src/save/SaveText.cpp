// Locale-free number text for savegames.
#include "save/SaveText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>

namespace savetext
{
void AppendInt(std::string& out, long long value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendReal(std::string& out, double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    // Wide enough for any double in fixed notation with up to 8 decimals.
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
    {
        out += '0';
        return;
    }
    out.append(buffer, result.ptr);
}

namespace
{
// Characters are classed by table rather than compared one by one: a save's lists run to hundreds
// of thousands of numbers, and the fuzz builds hook every comparison.
using CharClass = std::array<bool, 256>;
constexpr CharClass ClassOf(std::string_view members)
{
    CharClass table{};
    for (const char c : members)
        table[static_cast<unsigned char>(c)] = true;
    return table;
}
// What the C library skips before a number.
constexpr CharClass kLeadingBlank = ClassOf(" \t\r\n\v\f");
// What a value may end in: the writer's line ends and padding.
constexpr CharClass kTrailingBlank = ClassOf(" \r\n");
constexpr CharClass kSign = ClassOf("+-");

bool Is(const CharClass& table, char c)
{
    return table[static_cast<unsigned char>(c)];
}

size_t SkipBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && Is(kLeadingBlank, text[i]))
        ++i;
    return i;
}

// The sign at text[i], if any, is passed over; true when it is a minus.
bool SkipSign(std::string_view text, size_t& i)
{
    if (i >= text.size() || !Is(kSign, text[i]))
        return false;
    return text[i++] == '-';
}

// Magnitudes up to this fit an int with their sign (INT_MIN's is one more than INT_MAX).
constexpr unsigned long long kMaxMagnitude = static_cast<unsigned long long>(INT_MAX) + 1;

// The signed value of a magnitude no larger than kMaxMagnitude, clamped to the int range.
int SignedInt(unsigned long long magnitude, bool negative)
{
    if (negative)
        return static_cast<int>(-static_cast<long long>(magnitude));
    return static_cast<int>(std::min<unsigned long long>(magnitude, INT_MAX));
}
} // namespace

int ParseInt(std::string_view text)
{
    size_t i = SkipBlanks(text);
    const bool negative = SkipSign(text, i);
    // The digits are read by the library; a magnitude past the int range only needs to stay past it.
    unsigned long long magnitude = 0;
    const char* first = text.data() + i;
    const auto result = std::from_chars(first, text.data() + text.size(), magnitude);
    if (result.ptr == first)
        return 0;
    if (result.ec == std::errc::result_out_of_range || magnitude > kMaxMagnitude)
        return negative ? INT_MIN : INT_MAX;
    return SignedInt(magnitude, negative);
}

bool ParsePlainIntItem(std::string_view text, size_t& position, size_t maxItem, int& value)
{
    if (position >= text.size())
        return false;
    const char* begin = text.data() + position;
    const char* end = text.data() + text.size();
    const bool negative = *begin == '-';
    const char* digits = begin + (negative ? 1 : 0);
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(digits, end, magnitude);
    if (result.ptr == digits || result.ec != std::errc() || magnitude > kMaxMagnitude ||
        static_cast<size_t>(result.ptr - begin) > maxItem || (result.ptr != end && *result.ptr != ','))
        return false;
    value = SignedInt(magnitude, negative);
    position = static_cast<size_t>(result.ptr - text.data()) + 1;
    return true;
}

bool ParseWholeInt(std::string_view text, int& value)
{
    const size_t end = TrimTrailing(text).size();
    size_t i = SkipBlanks(text);
    const bool negative = SkipSign(text, i);
    if (i >= end)
        return false;
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + end, magnitude);
    if (result.ptr != text.data() + end || result.ec != std::errc() || magnitude > kMaxMagnitude)
        return false;
    if (!negative && magnitude == kMaxMagnitude)
        return false;
    value = SignedInt(magnitude, negative);
    return true;
}

std::string Quote(std::string_view value)
{
    if (value.size() <= kQuoteLength)
        return std::string(value);
    return std::string(value.substr(0, kQuoteLength)) + "... (" + std::to_string(value.size()) + " characters)";
}

namespace
{
// Whether the number at text[i] starts as plain decimal notation does: "inf", "nan" and
// hexadecimal are not numbers here.
bool StartsDecimal(std::string_view text, size_t i)
{
    return i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.');
}
} // namespace

bool ParseWholeReal(std::string_view text, double& value)
{
    const size_t end = TrimTrailing(text).size();
    size_t i = SkipBlanks(text);
    const bool negative = SkipSign(text, i);
    if (i >= end || !StartsDecimal(text, i))
        return false;
    double magnitude = 0.0;
    const auto result = std::from_chars(text.data() + i, text.data() + end, magnitude, std::chars_format::general);
    if (result.ptr != text.data() + end || result.ec != std::errc() || !(magnitude <= kMaxReal))
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

double ParseReal(std::string_view text)
{
    size_t i = SkipBlanks(text);
    const bool negative = SkipSign(text, i);
    if (!StartsDecimal(text, i))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
    // Out of range either way (1e999, 1e-999) is not a value the game ever wrote.
    if (result.ec != std::errc())
        return 0.0;
    if (!std::isfinite(value))
        return 0.0;
    if (value > kMaxReal)
        value = kMaxReal;
    return negative ? -value : value;
}

std::string_view TrimTrailing(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && Is(kTrailingBlank, text[end - 1]))
        --end;
    return text.substr(0, end);
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}
} // namespace savetext
