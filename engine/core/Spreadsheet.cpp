// Reader of the definition tables kept as spreadsheets.
#include "engine/core/Spreadsheet.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"

#include <cstdio>

Spreadsheet::Spreadsheet(const std::string& path)
{
    if (path.size() < 2)
        return;
    // Text mode: CR LF line ends read as LF.
    FILE* f = GFile::Open(path, "rt");
    if (!f)
    {
        // Every table is a set of definitions the game cannot play without: an error, with its path.
        const std::string text = FormatString("Failed to find spreadsheet: %s", path.c_str());
        GDebugLog::Instance().Log(text);
        GDebugLog::Instance().LogError(text);
        return;
    }
    bool headerFound = false;
    std::string line;
    int c = 0;
    while (c != EOF)
    {
        line.clear();
        while ((c = fgetc(f)) != EOF && c != '\n')
            line += static_cast<char>(c);
        if (c == EOF && line.empty())
            break;
        if (!line.empty() && line[0] == '#')
        {
            m_rows.push_back(line);
            continue;
        }
        if (headerFound)
            continue;
        GStringTokenizer tokens(line, ',');
        std::string first = tokens.GetString();
        if (first != "Token")
            continue;
        headerFound = true;
        m_columnNames.push_back(first);
        while (!tokens.AtEnd())
            m_columnNames.push_back(tokens.GetString());
    }
    fclose(f);
}
