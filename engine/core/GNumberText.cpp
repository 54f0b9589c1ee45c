// Whole-text number checks for data files.
#include "engine/core/GNumberText.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GStringUtils.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
bool NumberTextBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text without blanks at either end.
std::string NumberTextTrim(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && NumberTextBlank(text[begin]))
        ++begin;
    while (end > begin && NumberTextBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
} // namespace

bool GNumberText::IsWholeInt(const std::string& text, int* value)
{
    const std::string t = NumberTextTrim(text);
    size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (i == t.size())
        return false;
    for (size_t j = i; j < t.size(); ++j)
        if (t[j] < '0' || t[j] > '9')
            return false;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    if (value)
        *value = static_cast<int>(v);
    return true;
}

bool GNumberText::IsWholeFloat(const std::string& text, float* value)
{
    const std::string t = NumberTextTrim(text);
    if (t.empty())
        return false;
    // Only what a person writes as a decimal number: digits, one point, a sign and an exponent.
    bool digit = false;
    for (char c : t)
    {
        digit |= c >= '0' && c <= '9';
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return false;
    }
    if (!digit)
        return false;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v) || std::fabs(v) > FLT_MAX)
        return false;
    if (value)
        *value = static_cast<float>(v);
    return true;
}

namespace
{
constexpr const char* kNumberReportWhole = "' is not a whole number; read as ";
constexpr const char* kNumberReportDecimal = "' is not a number; read as ";
} // namespace

int GNumberText::ReadInt(const std::string& text, const std::string& where)
{
    std::string report;
    const int value = ReadInt(text, where, report);
    if (!report.empty())
        GDebugLog::Instance().LogError(report);
    return value;
}

int GNumberText::ReadInt(const std::string& text, const std::string& where, std::string& report)
{
    char buffer[64];
    std::strncpy(buffer, text.c_str(), sizeof(buffer) - 1);
    buffer[sizeof(buffer) - 1] = '\0';
    const long long v = std::strtoll(buffer, nullptr, 10);
    const int value = v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
    report.clear();
    if (!text.empty() && !IsWholeInt(text))
        report = where + " '" + text + kNumberReportWhole + std::to_string(value);
    return value;
}

float GNumberText::ReadFloat(const std::string& text, const std::string& where)
{
    char buffer[64];
    std::strncpy(buffer, text.c_str(), sizeof(buffer) - 1);
    buffer[sizeof(buffer) - 1] = '\0';
    float value = std::strtof(buffer, nullptr);
    // "nan" and "inf" would poison every sum they reach (costs, prices, multipliers).
    if (!std::isfinite(value))
        value = 0.0f;
    if (!text.empty() && !IsWholeFloat(text))
        GDebugLog::Instance().LogError(where + " '" + text + kNumberReportDecimal +
                                       FormatString("%g", static_cast<double>(value)));
    return value;
}

bool GNumberText::IsNumberReport(const std::string& line)
{
    return line.find(kNumberReportWhole) != std::string::npos || line.find(kNumberReportDecimal) != std::string::npos;
}
