// Reader and writer of the game's INI files: sections headed by "[name]", then one key, an
// equals sign and a value per line. Every data loader reads its sections through this, one
// section at a time; the editors and the update check write sections back.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

struct IniPair
{
    std::string key;
    std::string value;
};

// One line of a file, numbered from 1, as the reader saw it (cut at IniLoader::MAX_LINE).
struct IniLine
{
    int number = 0;
    std::string text;
};

class IniLoader
{
public:
    static constexpr size_t MAX_LINE = 2047;
    static constexpr size_t MAX_SECTION_NAME_LINE = 31999;

    IniLoader() = default;
    virtual ~IniLoader() = default;

    // Replaces the pairs with those of section in file (read through the file cache). True
    // when at least one pair was read; a missing file or section gives false.
    bool LoadSection(const char* section, const char* file);
    bool Load(const std::string& section, const std::string& file);

    // The value of the first pair with exactly this key, or the empty text.
    virtual const std::string& GetValue(const std::string& key) const;
    bool HasKey(const std::string& key) const;
    // The value of key as a number, read the way the game reads numbers (see GNumberText); a
    // value that is not wholly a number is written to the error log with the file, the section
    // and the key. A missing key reads 0.
    int GetInt(const std::string& key) const;
    // The same, with that line handed to the caller in `report` (empty when there is none).
    int GetInt(const std::string& key, std::string& report) const;
    float GetFloat(const std::string& key) const;

    // Copies the pair at the cursor into the caller's buffers (cut to fit) and advances;
    // past the last pair writes empty texts and returns false.
    bool NextPair(char* key, size_t keySize, char* value, size_t valueSize);
    bool NextPair(std::string& key, std::string& value);

    // Loads section and appends, pair by pair, the value when not empty, else the key.
    void ReadSectionAsList(std::vector<std::string>& out, const std::string& section, const std::string& file);

    // Appends a pair: keys starting with '/' are comments and dropped; a value starting with
    // '"' loses it and is cut at its last '"'.
    void AddPair(const std::string& key, const std::string& value);
    void ClearPairs();

    // Fills the list of the file's section names.
    void LoadSectionNames(const std::string& file);
    // Every section of a file in one reading, each holding the pairs Load would give for its
    // name, in the order the names first appear; for files of hundreds of sections, which one
    // Load per section would read hundreds of times.
    static std::vector<IniLoader> LoadAllSections(const std::string& file);
    // How many lines of a file no Load of any of `sections` takes a pair from: lines before the
    // first header, the headers and lines of other sections (a damaged header's too), comments and
    // lines without a key; blank lines do not count. The first `most` of them go to `lines`. For
    // a writer that rewrites a whole file from those sections alone, and must not drop the rest
    // without a word.
    static size_t LinesOutside(const std::string& file, const std::vector<std::string>& sections, size_t most,
                               std::vector<IniLine>& lines);

    // Writers of the current section: "[name]", "key = value" lines (or "key" alone), a blank
    // line. AppendToFile adds to the file, SaveToFile replaces it all at once (a failure keeps
    // the old file and is written to the error log); both refresh the file cache.
    std::string GetSectionText() const;
    void WriteSection(FILE* stream) const;
    bool AppendToFile(const std::string& path) const;
    bool SaveToFile(const std::string& path) const;

    void SetSectionName(const std::string& name) { m_sectionName = name; }
    const std::string& GetSectionName() const { return m_sectionName; }
    const std::vector<IniPair>& GetPairs() const { return m_pairs; }
    const std::vector<std::string>& GetSectionNames() const { return m_sectionNames; }
    size_t GetPairCount() const { return m_pairs.size(); }

private:
    void ParsePairLine(const std::string& line);
    bool WriteTo(const std::string& path, const char* mode) const;

    std::vector<std::string> m_sectionNames;
    unsigned int m_cursor = 0;
    std::vector<IniPair> m_pairs;
    std::string m_sectionName;
    std::string m_fileName;
};
