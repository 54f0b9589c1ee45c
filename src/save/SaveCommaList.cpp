// Splitting of savegame comma lists.
#include "save/SaveCommaList.h"

#include "save/SaveText.h"

#include <algorithm>

const std::string& SaveCommaList::Next()
{
    m_item.clear();
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
    // Past the separator, or past the end.
    ++m_position;
    if (m_item.size() > kMaxItem)
        m_item.clear();
    m_item.resize(savetext::TrimTrailing(m_item).size());
    return m_item;
}

std::string_view SaveCommaList::NextView()
{
    // The lists of a save run to thousands of numbers: a list used up, and an item without
    // quotes, are taken where they stand. The item's end is searched for once, by the library,
    // rather than every character tried against the separators.
    if (m_position >= m_text.size())
        return {};
    const size_t comma = m_text.find(',', m_position);
    const std::string_view item =
        m_text.substr(m_position, comma == std::string_view::npos ? std::string_view::npos : comma - m_position);
    if (item.find('"') != std::string_view::npos)
        return Next();
    m_position += item.size() + 1;
    return item.size() > kMaxItem ? std::string_view() : savetext::TrimTrailing(item);
}

int SaveCommaList::NextInt()
{
    // Nearly every item of a save's number lists is plain digits up to its comma, read where it
    // stands; blanks, quotes, a plus and numbers out of range go the long way.
    int value = 0;
    if (savetext::ParsePlainIntItem(m_text, m_position, kMaxItem, value))
        return value;
    return savetext::ParseInt(NextView());
}

float SaveCommaList::NextFloat()
{
    return savetext::ParseFloat(NextView());
}
