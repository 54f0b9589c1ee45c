// Text helpers the whole game shares.
#include "engine/core/GStringUtils.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

std::string IntToStringPad4(int value)
{
    if (value < 10)
        return FormatString("000%d", value);
    if (value < 100)
        return FormatString("00%d", value);
    if (value < 1000)
        return FormatString("0%d", value);
    return FormatString("%d", value);
}

std::string IntToStringPad2(int value)
{
    if (value < 10)
        return FormatString("0%d", value);
    return FormatString("%d", value);
}

std::string IntToStringWithCommas(long long value)
{
    // The magnitude is taken as unsigned 64-bit, so even the most negative value has one.
    unsigned long long magnitude =
        value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (value < 0)
        out += '-';
    for (size_t i = 0; i < digits.size(); ++i)
    {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

void IntToStringWithCommas(long long value, char* buffer, size_t bufferSize)
{
    if (!buffer || bufferSize == 0)
        return;
    std::string text = IntToStringWithCommas(value);
    size_t n = text.size() < bufferSize - 1 ? text.size() : bufferSize - 1;
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
}

std::string FormatMoney(long long amount)
{
    std::string digits = IntToStringWithCommas(amount);
    std::string out(amount < 0 ? "$ -" : "$");
    out.append(digits, amount < 0 ? 1 : 0, std::string::npos);
    return out;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

std::string StripTrailingWhitespace(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\n'))
        --end;
    return text.substr(0, end);
}

std::string FormatString(const char* format, ...)
{
    char small[512];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0)
    {
        va_end(copy);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof small)
        out.assign(small, static_cast<size_t>(n));
    else
    {
        out.resize(static_cast<size_t>(n) + 1);
        vsnprintf(&out[0], out.size(), format, copy);
        out.resize(static_cast<size_t>(n));
    }
    va_end(copy);
    return out;
}
