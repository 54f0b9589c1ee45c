// Reads one section of a profile file (an INI file) as the list of its "key=value" entries in
// file order; the text table is filled from it.
#pragma once
#include <string>
#include <vector>

class PProfile
{
public:
    // Entries of the first "[section]" of file (exact name; blanks after ']' allowed). Blank
    // lines, lines starting with ';' and lines without '=' are skipped; blanks around the key
    // and after '=' are removed, as is a CR before the line end. A missing file or section
    // gives an empty list. There is no size limit.
    static std::vector<std::string> ReadSection(const std::string& file, const std::string& section);
};
