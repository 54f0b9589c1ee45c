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

int SaveCommaList::NextInt()
{
    return savetext::ParseInt(Next());
}

float SaveCommaList::NextFloat()
{
    return savetext::ParseFloat(Next());
}
