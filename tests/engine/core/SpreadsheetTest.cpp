#include "engine/core/Spreadsheet.h"
#include "engine/core/GDebugLog.h"
#include "tests/engine/core/EngineTestFiles.h"

#include <gtest/gtest.h>

TEST(Spreadsheet, HeaderAndDataLinesInAnyOrder)
{
    struct Case
    {
        const char* name;
        std::string text;
        std::vector<std::string> rows;
        std::vector<std::string> columns;
    };
    const Case cases[] = {
        {"data before header", "#a,1\nToken,Cost\n#b,2\n", {"#a,1", "#b,2"}, {"Token", "Cost"}},
        {"blank before hash ignored", " #x,1\nToken,A\n#y\n", {"#y"}, {"Token", "A"}},
        {"trailing blanks on Token", "Token   ,A, B \n", {}, {"Token", "A", " B"}},
        {"blank before Token", " Token,A\nToken,B\n", {}, {"Token", "B"}},
        {"second header ignored", "Token,A\nToken,B,C\n#r\n", {"#r"}, {"Token", "A"}},
        {"header ending in comma", "Token,A,\n", {}, {"Token", "A", ""}},
        {"quoted header cells", "Token,\"x,y\",z\n", {}, {"Token", "x,y", "z"}},
        {"notes and blank lines", "note\n\nToken\n#1\n\n#2", {"#1", "#2"}, {"Token"}},
        {"no header", "#only\n", {"#only"}, {}},
        {"empty file", "", {}, {}},
    };
    EngineTestFiles files;
    int i = 0;
    for (const Case& c : cases)
    {
        for (bool crlf : {false, true})
        {
            std::string name = "t";
            name += std::to_string(i++);
            name += ".csv";
            std::string path = files.Write(name, crlf ? EngineTestFiles::ToCrLf(c.text) : c.text);
            Spreadsheet sheet(path);
            EXPECT_EQ(sheet.GetRows(), c.rows) << c.name << (crlf ? " CR LF" : " LF");
            EXPECT_EQ(sheet.GetColumnNames(), c.columns) << c.name << (crlf ? " CR LF" : " LF");
        }
    }
}

TEST(Spreadsheet, MissingFilesAndShortPathsGiveEmptyLists)
{
    EngineTestFiles files;
    GDebugLog::Instance().Open(files.Folder());
    Spreadsheet missing(files.Path("none.csv"));
    Spreadsheet shortPath("a");
    GDebugLog::Instance().Close();
    EXPECT_TRUE(missing.GetRows().empty());
    EXPECT_TRUE(shortPath.GetColumnNames().empty());
    std::string log = EngineTestFiles::ReadAll(files.Path("debug/debug.txt"));
    EXPECT_NE(log.find("Failed to find spreadsheet: " + files.Path("none.csv")), std::string::npos);
    EXPECT_EQ(log.find("Failed to find spreadsheet: a\n"), std::string::npos);
    // A missing table changes the game: it is an error too.
    const std::string errors = EngineTestFiles::ReadAll(files.Path("debug/errors.txt"));
    EXPECT_NE(errors.find("Failed to find spreadsheet: " + files.Path("none.csv")), std::string::npos);
}

TEST(Spreadsheet, LongLinesAreKeptWhole)
{
    EngineTestFiles files;
    std::string row = "#" + std::string(100000, 'r');
    Spreadsheet sheet(files.Write("long.csv", "Token\n" + row + "\n"));
    ASSERT_EQ(sheet.GetRows().size(), 1u);
    EXPECT_EQ(sheet.GetRows()[0], row);
}
