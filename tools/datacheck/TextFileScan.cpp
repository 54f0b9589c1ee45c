// A data file split into sections, pairs, header and rows, with line numbers.
#include "TextFileScan.h"

#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"
#include "platform/core/PFile.h"

#include <algorithm>

namespace
{
bool ScanBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string ScanTrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && ScanBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string ScanTrimLeft(const std::string& text)
{
    size_t begin = 0;
    while (begin < text.size() && ScanBlank(text[begin]))
        ++begin;
    return text.substr(begin);
}
} // namespace

TextFileScan::TextFileScan(const std::string& path) : m_path(path)
{
    m_exists = PFile::ReadAll(path, m_bytes);
    m_lineStarts.push_back(0);
    for (size_t i = 0; i < m_bytes.size(); ++i)
        if (m_bytes[i] == '\n' && i + 1 < m_bytes.size())
            m_lineStarts.push_back(i + 1);
    ScanIni();
    ScanTable();
}

int TextFileScan::LineOf(size_t offset) const
{
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<int>(after - m_lineStarts.begin());
}

std::vector<std::string> TextFileScan::Split(const std::string& text)
{
    std::vector<std::string> cells;
    GStringTokenizer tokens(text, ',');
    while (!tokens.AtEnd())
        cells.push_back(tokens.GetString());
    return cells;
}

void TextFileScan::ScanIni()
{
    // The reader's rules: a header is "[name]" from the first column (blanks after it trimmed);
    // any other line that starts with '[' ends the section; a pair splits at the first '=';
    // keys starting with '/' are comments; a value starting with '"' loses it and ends at the last '"'.
    std::string section;
    bool inside = false;
    for (size_t i = 0; i < m_lineStarts.size(); ++i)
    {
        const size_t start = m_lineStarts[i];
        size_t end = m_bytes.find('\n', start);
        if (end == std::string::npos)
            end = m_bytes.size();
        std::string line = m_bytes.substr(start, std::min(end - start, IniLoader::MAX_LINE));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const int number = static_cast<int>(i) + 1;
        if (!line.empty() && line[0] == '[')
        {
            const std::string header = ScanTrimRight(line);
            inside = header.size() >= 2 && header.back() == ']';
            section = inside ? header.substr(1, header.size() - 2) : std::string();
            continue;
        }
        if (!inside)
            continue;
        const std::string text = ScanTrimLeft(line);
        const size_t eq = text.find('=');
        Pair pair;
        pair.section = section;
        pair.line = number;
        if (eq == std::string::npos)
            pair.key = text;
        else
        {
            pair.key = ScanTrimRight(text.substr(0, eq));
            pair.value = ScanTrimRight(ScanTrimLeft(text.substr(eq + 1)));
        }
        if (pair.key.empty() || pair.key[0] == '/')
            continue;
        if (!pair.value.empty() && pair.value[0] == '"')
        {
            const std::string rest = pair.value.substr(1);
            const size_t close = rest.find_last_of('"');
            pair.value = close == std::string::npos ? rest : rest.substr(0, close);
        }
        m_pairs.push_back(std::move(pair));
    }
}

void TextFileScan::ScanTable()
{
    for (size_t i = 0; i < m_lineStarts.size(); ++i)
    {
        const size_t start = m_lineStarts[i];
        size_t end = m_bytes.find('\n', start);
        if (end == std::string::npos)
            end = m_bytes.size();
        std::string line = m_bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const int number = static_cast<int>(i) + 1;
        if (!line.empty() && line[0] == '#')
        {
            m_rows.push_back(Row{number, line, Split(line)});
            continue;
        }
        if (m_headerLine != 0)
            continue;
        std::vector<std::string> cells = Split(line);
        if (!cells.empty() && cells[0] == "Token")
        {
            m_headerLine = number;
            m_headerCells = std::move(cells);
        }
    }
}

const TextFileScan::Pair* TextFileScan::Find(const std::string& section, const std::string& key) const
{
    for (const Pair& pair : m_pairs)
        if (pair.section == section && pair.key == key)
            return &pair;
    return nullptr;
}
