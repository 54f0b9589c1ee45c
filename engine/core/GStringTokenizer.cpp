// Splits a value into fields.
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

GStringTokenizer::GStringTokenizer(const std::string& text, char separator)
    : m_text(text), m_length(static_cast<int>(text.size())), m_separator(separator)
{
    m_token.reserve(text.size() + 1);
}

std::string GStringTokenizer::NextToken()
{
    m_token.clear();
    if (m_position > m_length)
        return m_token;
    bool quoted = false;
    while (m_position < m_length)
    {
        char c = m_text[static_cast<size_t>(m_position)];
        if (c == '"')
        {
            quoted = !quoted;
            ++m_position;
            continue;
        }
        if (!quoted && c == m_separator)
            break;
        m_token += c;
        ++m_position;
    }
    // Skip the separator, or step past the end of the text.
    ++m_position;
    return m_token;
}

std::string GStringTokenizer::GetString()
{
    return StripTrailingWhitespace(NextToken());
}

int GStringTokenizer::GetInt()
{
    std::string token = GetString();
    errno = 0;
    long value = strtol(token.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

float GStringTokenizer::GetFloat()
{
    return strtof(GetString().c_str(), nullptr);
}
