// The data checker's rules on values as they are written: the simulation constants, numbers the
// readers would only half read, negative prices and costs, upgrade effects beyond reason,
// binary bytes in text files, prop table cells, footprints that do not fit the task editor's
// grid, crowded tiles, repeated import and export sites, table headers, and (with the art) the
// shaders and font width tables. Every finding names the file, the line and the value.
#pragma once

#include <functional>
#include <string>

class TextFileScan;

class DataRules
{
public:
    // Receives one finding: the rule's name, the file, its line (0 when the finding is about the
    // whole file or something missing from it) and what is wrong.
    using Sink = std::function<void(const char* rule, const std::string& file, int line, const std::string& what)>;

    DataRules(std::string dataRoot, Sink sink);

    void CheckSimConfig();
    void CheckBinaryContent();
    // Numbers, signs and upgrade effects in the missions, the tables and the definition files;
    // the prop table's cells; task and facility footprints; import and export sites.
    void CheckValues();
    void CheckTableHeaders();
    // Art: every shader file parses; every font's width table has one width per glyph cell.
    void CheckShaders();
    void CheckFontWidths();

private:
    enum NumberKind
    {
        WHOLE,   // an integer
        DECIMAL, // any decimal number
    };
    // Reports text that the game would not read as the number written; a negative one too when
    // the value may not be negative. True when the text is a number.
    bool Number(const TextFileScan& file, int line, const std::string& what, const std::string& text, NumberKind kind,
                bool mayBeNegative = true, float* value = nullptr, const char* rule = "number");
    void Report(const char* rule, const std::string& file, int line, const std::string& what);

    void CheckMission(const std::string& path);
    void CheckTaskOrFacility(const std::string& path, bool facility);
    void CheckLayout(const TextFileScan& file);
    void CheckUpgrade(const std::string& path);
    void CheckTables();

    std::string m_root;
    std::string m_sim;
    Sink m_sink;
};
