// The two-level bit set behind the pools' and the floor's indices.
#include "sim/SIM_IndexSet.h"

#include <algorithm>
#include <bit>

void SIM_IndexSet::Resize(int32_t size)
{
    m_size = size > 0 ? size : 0;
    const size_t words = (static_cast<size_t>(m_size) + 63) / 64;
    m_words.assign(words, 0);
    m_summary.assign((words + 63) / 64, 0);
}

void SIM_IndexSet::Insert(int32_t index)
{
    if (index < 0 || index >= m_size)
        return;
    const size_t word = static_cast<size_t>(index) / 64;
    m_words[word] |= uint64_t{1} << (index % 64);
    m_summary[word / 64] |= uint64_t{1} << (word % 64);
}

void SIM_IndexSet::Erase(int32_t index)
{
    if (index < 0 || index >= m_size)
        return;
    const size_t word = static_cast<size_t>(index) / 64;
    m_words[word] &= ~(uint64_t{1} << (index % 64));
    if (m_words[word] == 0)
        m_summary[word / 64] &= ~(uint64_t{1} << (word % 64));
}

void SIM_IndexSet::Clear()
{
    std::fill(m_words.begin(), m_words.end(), 0);
    std::fill(m_summary.begin(), m_summary.end(), 0);
}

void SIM_IndexSet::Fill()
{
    Clear();
    for (int32_t i = 0; i < m_size; i += 64)
    {
        const size_t word = static_cast<size_t>(i) / 64;
        const int32_t bits = m_size - i < 64 ? m_size - i : 64;
        m_words[word] = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
        m_summary[word / 64] |= uint64_t{1} << (word % 64);
    }
}

int32_t SIM_IndexSet::FindFrom(int32_t from) const
{
    if (from < 0)
        from = 0;
    if (from >= m_size)
        return kNone;
    size_t word = static_cast<size_t>(from) / 64;
    // The rest of the word that holds `from`.
    const uint64_t here = m_words[word] & (~uint64_t{0} << (from % 64));
    if (here)
        return static_cast<int32_t>(word * 64 + static_cast<size_t>(std::countr_zero(here)));
    // The next non-empty word, through the summary.
    ++word;
    size_t group = word / 64;
    if (group >= m_summary.size())
        return kNone;
    uint64_t mask = (word % 64) ? (m_summary[group] & (~uint64_t{0} << (word % 64))) : m_summary[group];
    for (;;)
    {
        if (mask)
        {
            const size_t found = group * 64 + static_cast<size_t>(std::countr_zero(mask));
            return static_cast<int32_t>(found * 64 + static_cast<size_t>(std::countr_zero(m_words[found])));
        }
        if (++group >= m_summary.size())
            return kNone;
        mask = m_summary[group];
    }
}
