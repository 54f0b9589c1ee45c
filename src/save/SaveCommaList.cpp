// Splitting of savegame comma lists.
#include "save/SaveCommaList.h"

#include "save/SaveText.h"

const std::string& SaveCommaList::Next()
{
    m_item.clear();
    bool quoted = false;
    while (m_position < m_text.size())
    {
        const char c = m_text[m_position];
        if (c == '"')
        {
            quoted = !quoted;
            ++m_position;
            continue;
        }
        if (!quoted && c == ',')
            break;
        if (m_item.size() <= kMaxItem)
            m_item += c;
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
