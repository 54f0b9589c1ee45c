// Reads one section of a profile file.
#include "platform/core/PProfile.h"
#include "platform/core/PFile.h"

namespace
{
bool PProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
}

std::vector<std::string> PProfile::ReadSection(const std::string& file, const std::string& section)
{
    std::vector<std::string> entries;
    std::string text;
    if (!PFile::ReadAll(file, text))
        return entries;
    const std::string header = "[" + section + "]";
    bool inside = false;
    size_t pos = 0;
    while (pos < text.size())
    {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t start = 0;
        while (start < line.size() && PProfileBlank(line[start]))
            ++start;
        if (start < line.size() && line[start] == '[')
        {
            if (inside)
                break;
            size_t last = line.size();
            while (last > start && PProfileBlank(line[last - 1]))
                --last;
            inside = line.compare(start, last - start, header) == 0;
            continue;
        }
        if (!inside || start >= line.size() || line[start] == ';')
            continue;
        size_t eq = line.find('=', start);
        if (eq == std::string::npos)
            continue;
        size_t keyEnd = eq;
        while (keyEnd > start && PProfileBlank(line[keyEnd - 1]))
            --keyEnd;
        size_t valueStart = eq + 1;
        while (valueStart < line.size() && PProfileBlank(line[valueStart]))
            ++valueStart;
        entries.push_back(line.substr(start, keyEnd - start) + "=" + line.substr(valueStart));
    }
    return entries;
}
