// Reader of the definition tables kept as spreadsheets (tasks, props, research, resources,
// features): the column names from the "Token" header line and every data line (a line
// starting with '#') as a whole text, which the loaders split into cells.
#pragma once
#include <string>
#include <vector>

class Spreadsheet
{
public:
    // Reads the file at path; usable whether or not it was found (a missing file is logged
    // and gives empty lists).
    explicit Spreadsheet(const std::string& path);

    const std::vector<std::string>& GetRows() const { return m_rows; }
    const std::vector<std::string>& GetColumnNames() const { return m_columnNames; }

    std::vector<std::string> m_rows;        // each data line as read, '#' included
    std::vector<std::string> m_columnNames; // cells of the header line, the first "Token"
};
