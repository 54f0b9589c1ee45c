// Reader and writer of the game's INI files.
#include "engine/core/IniLoader.h"
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GFile.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringUtils.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace
{
bool IniIsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string IniTrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && IniIsSpace(text[end - 1]))
        --end;
    return text.substr(0, end);
}

size_t IniSkipLeft(const std::string& text, size_t from)
{
    while (from < text.size() && IniIsSpace(text[from]))
        ++from;
    return from;
}

void IniCopyBounded(const std::string& text, char* out, size_t size)
{
    if (!out || size == 0)
        return;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(out, text.data(), n);
    out[n] = 0;
}

const std::string& IniEmpty()
{
    static const std::string empty;
    return empty;
}
}

bool IniLoader::LoadSection(const char* section, const char* file)
{
    return Load(section ? section : "", file ? file : "");
}

bool IniLoader::Load(const std::string& section, const std::string& file)
{
    ClearPairs();
    m_sectionName = section;
    m_fileName = file;
    const std::string header = "[" + section + "]";

    GBufferedFileManager& cache = GBufferedFileManager::Instance();
    std::lock_guard<std::recursive_mutex> guard(cache.GetLock());
    GBufferedFile* data = cache.GetFile(file);
    bool inside = false;
    std::string line;
    while (!data->AtEnd() && data->ReadLine(line, MAX_LINE))
    {
        if (!line.empty() && line[0] == '[')
            line = IniTrimRight(line);
        if (inside)
        {
            if (!line.empty() && line[0] == '[')
                inside = false;
            else
                ParsePairLine(line);
        }
        else if (line == header)
            inside = true;
    }
    m_cursor = 0;
    return !m_pairs.empty();
}

void IniLoader::ParsePairLine(const std::string& line)
{
    size_t start = IniSkipLeft(line, 0);
    size_t eq = line.find('=', start);
    std::string key;
    std::string value;
    if (eq == std::string::npos)
        key = line.substr(start);
    else
    {
        key = IniTrimRight(line.substr(start, eq - start));
        size_t vstart = IniSkipLeft(line, eq + 1);
        value = IniTrimRight(line.substr(vstart));
    }
    if (key.empty())
        return;
    AddPair(key, value);
}

const std::string& IniLoader::GetValue(const std::string& key) const
{
    for (const IniPair& pair : m_pairs)
        if (pair.key == key)
            return pair.value;
    return IniEmpty();
}

int IniLoader::GetInt(const std::string& key) const
{
    return GNumberText::ReadInt(GetValue(key), m_fileName + " [" + m_sectionName + "] " + key);
}

int IniLoader::GetInt(const std::string& key, std::string& report) const
{
    return GNumberText::ReadInt(GetValue(key), m_fileName + " [" + m_sectionName + "] " + key, report);
}

float IniLoader::GetFloat(const std::string& key) const
{
    return GNumberText::ReadFloat(GetValue(key), m_fileName + " [" + m_sectionName + "] " + key);
}

bool IniLoader::HasKey(const std::string& key) const
{
    for (const IniPair& pair : m_pairs)
        if (pair.key == key)
            return true;
    return false;
}

bool IniLoader::NextPair(char* key, size_t keySize, char* value, size_t valueSize)
{
    if (m_cursor >= m_pairs.size())
    {
        IniCopyBounded("", key, keySize);
        IniCopyBounded("", value, valueSize);
        return false;
    }
    const IniPair& pair = m_pairs[m_cursor++];
    IniCopyBounded(pair.key, key, keySize);
    IniCopyBounded(pair.value, value, valueSize);
    return true;
}

bool IniLoader::NextPair(std::string& key, std::string& value)
{
    if (m_cursor >= m_pairs.size())
    {
        key.clear();
        value.clear();
        return false;
    }
    const IniPair& pair = m_pairs[m_cursor++];
    key = pair.key;
    value = pair.value;
    return true;
}

void IniLoader::ReadSectionAsList(std::vector<std::string>& out, const std::string& section, const std::string& file)
{
    Load(section, file);
    for (const IniPair& pair : m_pairs)
    {
        if (!pair.value.empty())
            out.push_back(pair.value);
        else if (!pair.key.empty())
            out.push_back(pair.key);
    }
}

void IniLoader::AddPair(const std::string& key, const std::string& value)
{
    if (!key.empty() && key[0] == '/')
        return;
    IniPair pair;
    pair.key = key;
    if (!value.empty() && value[0] == '"')
    {
        std::string rest = value.substr(1);
        size_t close = rest.find_last_of('"');
        pair.value = close == std::string::npos ? rest : rest.substr(0, close);
    }
    else
        pair.value = value;
    m_pairs.push_back(std::move(pair));
}

void IniLoader::ClearPairs()
{
    m_pairs.clear();
    m_cursor = 0;
}

std::vector<IniLoader> IniLoader::LoadAllSections(const std::string& file)
{
    std::vector<IniLoader> sections;
    std::unordered_map<std::string, size_t> index;
    GBufferedFileManager& cache = GBufferedFileManager::Instance();
    std::lock_guard<std::recursive_mutex> guard(cache.GetLock());
    GBufferedFile* data = cache.GetFile(file);
    // The section being read, as Load sees it: any line that starts with '[' ends it, and the
    // section's own header met again inside it only ends it.
    size_t current = SIZE_MAX;
    std::string line;
    while (!data->AtEnd() && data->ReadLine(line, MAX_LINE))
    {
        if (line.empty() || line[0] != '[')
        {
            if (current != SIZE_MAX)
                sections[current].ParsePairLine(line);
            continue;
        }
        line = IniTrimRight(line);
        const size_t was = current;
        current = SIZE_MAX;
        if (line.size() < 2 || line.back() != ']')
            continue;
        const std::string name = line.substr(1, line.size() - 2);
        auto it = index.find(name);
        if (it == index.end())
        {
            it = index.emplace(name, sections.size()).first;
            sections.emplace_back();
            sections.back().m_sectionName = name;
            sections.back().m_fileName = file;
        }
        if (it->second != was)
            current = it->second;
    }
    return sections;
}

size_t IniLoader::LinesOutside(const std::string& file, const std::vector<std::string>& sections, size_t most,
                               std::vector<IniLine>& lines)
{
    lines.clear();
    size_t outside = 0;
    GBufferedFileManager& cache = GBufferedFileManager::Instance();
    std::lock_guard<std::recursive_mutex> guard(cache.GetLock());
    GBufferedFile* data = cache.GetFile(file);
    // Where each section's Load stands, line by line: a header ends the section being read without
    // being compared, and only the section's own header, met outside it, starts it.
    std::vector<bool> inside(sections.size(), false);
    std::string line;
    for (int number = 1; !data->AtEnd() && data->ReadLine(line, MAX_LINE); ++number)
    {
        const bool header = !line.empty() && line[0] == '[';
        if (header)
            line = IniTrimRight(line);
        bool taken = false;
        for (size_t i = 0; i < sections.size(); ++i)
        {
            if (inside[i])
            {
                inside[i] = !header;
                taken |= !header;
            }
            else if (header && line.size() == sections[i].size() + 2 && line.back() == ']' &&
                     line.compare(1, sections[i].size(), sections[i]) == 0)
            {
                inside[i] = true;
                taken = true;
            }
        }
        if (taken && !header)
        {
            // The pair line as Load parses it: a comment or a line without a key adds nothing.
            IniLoader pair;
            pair.ParsePairLine(line);
            taken = pair.GetPairCount() == 1;
        }
        if (taken || IniSkipLeft(line, 0) == line.size())
            continue;
        if (++outside <= most)
            lines.push_back({number, line});
    }
    return outside;
}

void IniLoader::LoadSectionNames(const std::string& file)
{
    m_sectionNames.clear();
    FILE* f = GFile::Open(file, "rt");
    if (!f)
        return;
    std::string line;
    int c;
    bool more = true;
    while (more)
    {
        line.clear();
        // Lines longer than the buffer are cut; the rest of such a line is skipped, never
        // taken for a line of its own.
        while ((c = fgetc(f)) != EOF && c != '\n')
            if (line.size() < MAX_SECTION_NAME_LINE)
                line += static_cast<char>(c);
        more = c != EOF;
        if (!line.empty() && line[0] == '[')
        {
            std::string stripped = StripTrailingWhitespace(line);
            m_sectionNames.push_back(stripped.size() >= 2 ? stripped.substr(1, stripped.size() - 2) : std::string());
        }
    }
    fclose(f);
}

std::string IniLoader::GetSectionText() const
{
    std::string text = "[" + m_sectionName + "]\n";
    for (const IniPair& pair : m_pairs)
    {
        if (pair.value.empty())
            text += pair.key + "\n";
        else
            text += pair.key + " = " + pair.value + "\n";
    }
    text += "\n";
    return text;
}

void IniLoader::WriteSection(FILE* stream) const
{
    if (!stream)
        return;
    const std::string text = GetSectionText();
    fwrite(text.data(), 1, text.size(), stream);
}

bool IniLoader::WriteTo(const std::string& path, const char* mode) const
{
    FILE* f = GFile::Open(path, mode);
    if (!f)
        return false;
    WriteSection(f);
    bool ok = fclose(f) == 0;
    GBufferedFileManager::Instance().Reload(path);
    return ok;
}

bool IniLoader::AppendToFile(const std::string& path) const
{
    return WriteTo(path, "at");
}

bool IniLoader::SaveToFile(const std::string& path) const
{
    return GFile::Replace(path, GetSectionText());
}
