// One data file split the way the game's readers split it (INI pairs by section, spreadsheet
// header and rows), with the number of the line every piece stands on, so that a finding can
// say exactly where a value is written.
#pragma once

#include <string>
#include <vector>

class TextFileScan
{
public:
    struct Pair
    {
        std::string section;
        std::string key;
        std::string value; // as the reader gives it: trimmed, one leading quote and the last quote dropped
        int line = 0;
    };
    struct Row
    {
        int line = 0;
        std::string text;               // the whole line, '#' included
        std::vector<std::string> cells; // split at commas, quotes grouping, as the loaders split it
    };

    explicit TextFileScan(const std::string& path);

    bool Exists() const { return m_exists; }
    const std::string& Path() const { return m_path; }
    const std::string& Bytes() const { return m_bytes; }
    // The line a byte offset stands on, from 1.
    int LineOf(size_t offset) const;

    // Every pair of every section, in file order.
    const std::vector<Pair>& Pairs() const { return m_pairs; }
    // The first pair with this key in the section named exactly so, or null.
    const Pair* Find(const std::string& section, const std::string& key) const;

    // The spreadsheet view: the "Token" header (line 0 when there is none) and the data rows.
    int HeaderLine() const { return m_headerLine; }
    const std::vector<std::string>& HeaderCells() const { return m_headerCells; }
    const std::vector<Row>& Rows() const { return m_rows; }

    // Cells of a comma list as the game's tokenizer gives them.
    static std::vector<std::string> Split(const std::string& text);

private:
    void ScanIni();
    void ScanTable();

    std::string m_path;
    std::string m_bytes;
    bool m_exists = false;
    std::vector<size_t> m_lineStarts;
    std::vector<Pair> m_pairs;
    int m_headerLine = 0;
    std::vector<std::string> m_headerCells;
    std::vector<Row> m_rows;
};
