// Splits a value that holds several fields (r,g,b colours, tile rows, lists of names) at one
// separator character; a double quote groups text that contains the separator.
#pragma once
#include <string>

class GStringTokenizer
{
public:
    GStringTokenizer(const std::string& text, char separator = ',');

    // The next field, quotes removed. Empty fields give empty tokens ("a,,b" gives a, "", b;
    // "a," gives a, ""); every call after the last field gives the empty text.
    std::string NextToken();
    // The next field without trailing blanks, CR and LF (leading blanks stay).
    std::string GetString();
    // The next field as a number (leading blanks skipped, conversion stops at the first
    // character that does not fit; empty or non-numeric gives 0).
    int GetInt();
    float GetFloat();
    // True once every field has been read.
    bool AtEnd() const { return m_position > m_length; }

private:
    int m_position = 0;
    std::string m_text;
    std::string m_token;
    int m_length = 0;
    char m_separator = ',';
};
