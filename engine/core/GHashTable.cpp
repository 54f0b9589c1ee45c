// The engine's key/value table.
#include "engine/core/GHashTable.h"
#include "platform/core/PProfile.h"

namespace
{
int GHashTableLetter(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        u = static_cast<unsigned char>(u - 'A' + 'a');
    return (u >= 'a' && u <= 'z') ? u - 'a' : 26;
}

bool GHashTableSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

const std::string& GHashTableEmpty()
{
    static const std::string empty;
    return empty;
}
}

int GHashTable::BucketOf(const std::string& key)
{
    if (key.empty())
        return BUCKET_COUNT - 1;
    return GHashTableLetter(key.front()) + GHashTableLetter(key.back());
}

void GHashTable::LoadSection(const std::string& section, const std::string& file, bool keepExisting)
{
    m_loaded = true;
    if (!keepExisting)
        Clear();
    m_sectionName = section;
    m_fileName = file;
    for (const std::string& entry : PProfile::ReadSection(file, section))
    {
        size_t eq = entry.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key;
        for (size_t i = 0; i < eq; ++i)
            if (!GHashTableSpace(entry[i]))
                key += entry[i];
        std::string value;
        bool escaped = false;
        for (size_t i = eq + 1; i < entry.size(); ++i)
        {
            char c = entry[i];
            if (c == '\\')
            {
                escaped = true;
                continue;
            }
            if (c == '=' || c == '"' || c == '\n')
            {
                if (escaped)
                {
                    value += c;
                    escaped = false;
                }
                continue;
            }
            value += c;
        }
        Insert(key, value);
    }
}

void GHashTable::Insert(const std::string& key, const std::string& value)
{
    const int bucket = BucketOf(key);
    m_index.emplace(key, std::make_pair(bucket, m_buckets[bucket].size())); // the first entry wins
    m_buckets[bucket].push_back({key, value});
}

const std::string& GHashTable::Lookup(const std::string& key) const
{
    auto found = m_index.find(key);
    if (found == m_index.end())
        return GHashTableEmpty();
    return m_buckets[found->second.first][found->second.second].value;
}

void GHashTable::Clear()
{
    for (auto& bucket : m_buckets)
        bucket.clear();
    m_index.clear();
}

size_t GHashTable::GetEntryCount() const
{
    size_t n = 0;
    for (const auto& bucket : m_buckets)
        n += bucket.size();
    return n;
}
