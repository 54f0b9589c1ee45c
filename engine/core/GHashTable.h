// The engine's key/value table read from one section of a file, its entries spread over
// buckets by the first and last letters of the key, so a lookup scans one short list.
#pragma once
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

class GHashTable
{
public:
    static constexpr int BUCKET_COUNT = 54;

    GHashTable() = default;
    virtual ~GHashTable() = default;

    // Reads section of file into the table (emptied first unless keepExisting). Keys lose
    // every white-space character; in values '=', '"' and line feeds are dropped unless a
    // backslash came before them. Entries without '=' are skipped.
    void LoadSection(const std::string& section, const std::string& file, bool keepExisting);
    // Appends a copy of the pair (duplicates too).
    void Insert(const std::string& key, const std::string& value);
    // The value of the first entry with exactly this key, or the empty text.
    const std::string& Lookup(const std::string& key) const;
    void Clear();

    bool IsLoaded() const { return m_loaded; }
    static int BucketOf(const std::string& key);
    size_t GetEntryCount() const;

private:
    struct Entry
    {
        std::string key;
        std::string value;
    };
    std::array<std::vector<Entry>, BUCKET_COUNT> m_buckets;
    // Key -> (bucket, index) of its first entry. Interface keys are mostly upper case with a
    // digit or letter at the end, so a few buckets hold nearly all of them; the index keeps
    // lookups, which run for every text drawn, from scanning those long buckets.
    std::unordered_map<std::string, std::pair<int, size_t>> m_index;
    std::string m_sectionName;
    std::string m_fileName;
    bool m_loaded = false;
};
