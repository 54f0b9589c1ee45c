// Locale-free number text for savegames.
#include "save/SaveText.h"

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
size_t SkipBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    return i;
}
} // namespace

int ParseInt(std::string_view text)
{
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        any = true;
        // Past the int range the value only needs to stay past it.
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (text[i] - '0');
    }
    if (!any)
        return 0;
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool ParseWholeInt(std::string_view text, int& value)
{
    const size_t end = TrimTrailing(text).size();
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
    {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= end)
        return false;
    long long magnitude = 0;
    for (; i < end; ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

std::string Quote(std::string_view value)
{
    if (value.size() <= kQuoteLength)
        return std::string(value);
    return std::string(value.substr(0, kQuoteLength)) + "... (" + std::to_string(value.size()) + " characters)";
}

double ParseReal(std::string_view text)
{
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    {
        negative = text[i] == '-';
        ++i;
    }
    // Only plain decimal notation is taken: "inf", "nan" and hexadecimal are not numbers here.
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.'))
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
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\n'))
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
