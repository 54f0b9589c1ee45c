// Splitting of savegame comma lists.
#include "save/SaveCommaList.h"

#include "save/SaveText.h"

#include <algorithm>

const std::string& SaveCommaList::Next()
{
    m_item.clear();
    m_cut = {};
    const size_t start = m_position;
    bool quoted = false;
    while (m_position < m_text.size())
    {
        // The stretch up to the next separator or quote is taken at once.
        const size_t stop = m_text.find_first_of(quoted ? "\"" : ",\"", m_position);
        const size_t end = stop == std::string_view::npos ? m_text.size() : stop;
        if (m_item.size() <= kMaxItem)
            m_item.append(m_text.substr(m_position, std::min(end - m_position, kMaxItem + 1 - m_item.size())));
        m_position = end;
        if (end == m_text.size() || m_text[end] == ',')
            break;
        quoted = !quoted;
        ++m_position;
    }
    if (m_item.size() > kMaxItem)
    {
        m_cut = m_text.substr(start, m_position - start);
        m_item.clear();
    }
    // Past the separator, or past the end.
    ++m_position;
    m_item.resize(savetext::TrimTrailing(m_item).size());
    return m_item;
}

std::string_view SaveCommaList::NextView()
{
    // The lists of a save run to thousands of numbers: a list used up, and an item without
    // quotes, are taken where they stand. The item's end is searched for once, by the library,
    // rather than every character tried against the separators.
    m_cut = {};
    if (m_position >= m_text.size())
        return {};
    const size_t comma = m_text.find(',', m_position);
    const std::string_view item =
        m_text.substr(m_position, comma == std::string_view::npos ? std::string_view::npos : comma - m_position);
    if (item.find('"') != std::string_view::npos)
        return Next();
    m_position += item.size() + 1;
    if (item.size() <= kMaxItem)
        return savetext::TrimTrailing(item);
    m_cut = item;
    return {};
}

int SaveCommaList::NextInt()
{
    // Nearly every item of a save's number lists is plain digits up to its comma, read where it
    // stands; blanks, quotes, a plus and numbers out of range go the long way.
    int value = 0;
    NextWholeInt(value);
    return value;
}

bool SaveCommaList::NextWholeInt(int& value)
{
    m_cut = {};
    if (savetext::ParsePlainIntItem(m_text, m_position, kMaxItem, value))
        return true;
    const std::string_view item = NextView();
    if (savetext::ParseWholeInt(item, value))
        return true;
    value = savetext::ParseInt(item);
    return false;
}

float SaveCommaList::NextFloat()
{
    return savetext::ParseFloat(NextView());
}
