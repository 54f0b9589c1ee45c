#include "engine/core/IniLoader.h"
#include "engine/core/GBufferedFileManager.h"
#include "tests/engine/core/EngineTestFiles.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

namespace
{
struct IniPairCase
{
    const char* line;
    const char* key; // nullptr: the line adds no pair
    const char* value;
};

// One line in a section, and the pair it must give.
const IniPairCase kIniPairCases[] = {
    {"key = a = b", "key", "a = b"},
    {"   name   =   value   ", "name", "value"},
    {"name = \"  padded  \"", "name", "  padded  "},
    {"name = \"abc\" trailing", "name", "abc"},
    {"name = \"open quote", "name", "open quote"},
    {"name = in \"quotes\" stay", "name", "in \"quotes\" stay"},
    {"// comment = 1", nullptr, nullptr},
    {"/x=1", nullptr, nullptr},
    {"; note", "; note", ""},
    {"# hash = 2", "# hash", "2"},
    {"item", "item", ""},
    {"  item  ", "item  ", ""},
    {"", nullptr, nullptr},
    {"   ", nullptr, nullptr},
    {"= value", nullptr, nullptr},
    {"\tkey\t=\tvalue\t", "key", "value"},
    {"key=", "key", ""},
    {"\"key\" = v", "\"key\"", "v"},
};
}

class IniLoaderFiles : public ::testing::Test
{
protected:
    void TearDown() override { FreshState::Forget<GBufferedFileManager>(); }
    EngineTestFiles files;
};

TEST_F(IniLoaderFiles, PairLinesParseAsTheGrammarSays)
{
    for (bool crlf : {false, true})
    {
        for (const IniPairCase& c : kIniPairCases)
        {
            std::string text = std::string("[s]\n") + c.line + "\n";
            std::string name = std::string(crlf ? "crlf_" : "lf_") + std::to_string(&c - kIniPairCases) + ".ini";
            std::string path = files.Write(name, crlf ? EngineTestFiles::ToCrLf(text) : text);
            IniLoader ini;
            bool any = ini.Load("s", path);
            SCOPED_TRACE(std::string(c.line) + (crlf ? " (CR LF)" : " (LF)"));
            if (!c.key)
            {
                EXPECT_FALSE(any);
                EXPECT_EQ(ini.GetPairCount(), 0u);
                continue;
            }
            ASSERT_TRUE(any);
            ASSERT_EQ(ini.GetPairCount(), 1u);
            EXPECT_EQ(ini.GetPairs()[0].key, c.key);
            EXPECT_EQ(ini.GetPairs()[0].value, c.value);
        }
    }
}

TEST_F(IniLoaderFiles, SectionsAreFoundExactlyAndEndAtTheNextHeader)
{
    const std::string text = "before = 0\n"
                             "[Section]\n"
                             "a = 1\n"
                             "[section]   \n"
                             "b = 2\n"
                             "b = 3\n"
                             "[other] ; comment\n"
                             "c = 4\n"
                             "[section] ; comment\n"
                             "d = 5\n"
                             "[section]\n"
                             "[section]\n"
                             "e = 6\n"
                             "[section]\n"
                             " [indented]\n"
                             "f = 7\n";
    for (bool crlf : {false, true})
    {
        std::string path = files.Write(crlf ? "s_crlf.ini" : "s_lf.ini", crlf ? EngineTestFiles::ToCrLf(text) : text);
        IniLoader ini;
        ASSERT_TRUE(ini.Load("section", path));
        // A header right after the same header is skipped (it only ends the section); an
        // indented header is a pair line.
        std::vector<std::string> keys;
        for (const IniPair& p : ini.GetPairs())
            keys.push_back(p.key);
        EXPECT_EQ(keys, (std::vector<std::string>{"b", "b", "[indented]", "f"}));
        EXPECT_EQ(ini.GetValue("b"), "2");
        std::string k, v;
        ASSERT_TRUE(ini.NextPair(k, v));
        EXPECT_EQ(v, "2");
        ASSERT_TRUE(ini.NextPair(k, v));
        EXPECT_EQ(v, "3");
        EXPECT_EQ(ini.GetValue("e"), "");
        EXPECT_FALSE(ini.HasKey("a"));

        ASSERT_TRUE(ini.Load("Section", path));
        EXPECT_EQ(ini.GetValue("a"), "1");
        EXPECT_FALSE(ini.Load("SECTION", path));
        EXPECT_FALSE(ini.Load("missing", path));
    }
}

TEST_F(IniLoaderFiles, ReadingAllSectionsAtOnceGivesWhatEachSectionAloneGives)
{
    const std::string text = "before = 0\n[Section]\na = 1\n[section]   \nb = 2\nb = 3\n[other] ; comment\nc = 4\n"
                             "[section] ; comment\nd = 5\n[section]\n[section]\ne = 6\n[section]\n [indented]\n"
                             "f = 7\n[frame0]\n0 = 12\n// note = x\n[]\nempty = 1\n[frame1]\n[other]\ng = 8\n";
    const std::string path = files.Write("all.ini", text);
    const std::vector<IniLoader> all = IniLoader::LoadAllSections(path);
    std::vector<std::string> names;
    for (const IniLoader& section : all)
        names.push_back(section.GetSectionName());
    EXPECT_EQ(names, (std::vector<std::string>{"Section", "section", "frame0", "", "frame1", "other"}));
    for (const IniLoader& section : all)
    {
        IniLoader alone;
        alone.Load(section.GetSectionName(), path);
        ASSERT_EQ(section.GetPairCount(), alone.GetPairCount()) << section.GetSectionName();
        for (size_t i = 0; i < alone.GetPairCount(); ++i)
        {
            EXPECT_EQ(section.GetPairs()[i].key, alone.GetPairs()[i].key) << section.GetSectionName();
            EXPECT_EQ(section.GetPairs()[i].value, alone.GetPairs()[i].value) << section.GetSectionName();
        }
    }
    EXPECT_TRUE(IniLoader::LoadAllSections(files.Path("missing.ini")).empty());
}

TEST_F(IniLoaderFiles, MissingFileAndEmptyFileGiveNothing)
{
    IniLoader ini;
    EXPECT_FALSE(ini.Load("s", files.Path("nope.ini")));
    EXPECT_EQ(ini.GetValue("x"), "");
    char key[8] = "junk", value[8] = "junk";
    EXPECT_FALSE(ini.NextPair(key, sizeof key, value, sizeof value));
    EXPECT_STREQ(key, "");
    EXPECT_STREQ(value, "");
    EXPECT_FALSE(ini.Load("s", files.Write("empty.ini", "")));
    EXPECT_FALSE(ini.Load("s", files.Write("header.ini", "[s]")));
}

TEST_F(IniLoaderFiles, NextPairCutsToTheCallersBuffers)
{
    IniLoader ini;
    ASSERT_TRUE(ini.Load("s", files.Write("long.ini", "[s]\nabcdefghij = 0123456789\n")));
    char key[5], value[3];
    ASSERT_TRUE(ini.NextPair(key, sizeof key, value, sizeof value));
    EXPECT_STREQ(key, "abcd");
    EXPECT_STREQ(value, "01");
    EXPECT_FALSE(ini.NextPair(key, sizeof key, value, sizeof value));
}

TEST_F(IniLoaderFiles, OverlongLinesAreCutAndTheirRestSkipped)
{
    std::string longValue(5000, 'v');
    std::string text = "[s]\nkey = " + longValue + "=\n[t]\nafter = 1\n";
    std::string path = files.Write("over.ini", text);
    IniLoader ini;
    ASSERT_TRUE(ini.Load("s", path));
    ASSERT_EQ(ini.GetPairCount(), 1u);
    EXPECT_EQ(ini.GetValue("key").size(), IniLoader::MAX_LINE - 6);
    // The rest of the long line never becomes a line of its own.
    ASSERT_TRUE(ini.Load("t", path));
    EXPECT_EQ(ini.GetValue("after"), "1");
}

TEST_F(IniLoaderFiles, ReadSectionAsListTakesValueElseKey)
{
    std::string path = files.Write("list.ini", "[list]\nitem\nname = value\n  \n// skipped\nlast\n");
    IniLoader ini;
    std::vector<std::string> out{"kept"};
    ini.ReadSectionAsList(out, "list", path);
    EXPECT_EQ(out, (std::vector<std::string>{"kept", "item", "value", "last"}));
}

TEST_F(IniLoaderFiles, SectionNamesAreListedIncludingOddHeaders)
{
    std::string text = "[one]\na=1\n[two]  \r\n[\n[]\n  [indented]\n[" + std::string(40000, 'x') + "]\n[last]";
    std::string path = files.Write("names.ini", text);
    IniLoader ini;
    ini.LoadSectionNames(path);
    const auto& names = ini.GetSectionNames();
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], "one");
    EXPECT_EQ(names[1], "two");
    EXPECT_EQ(names[2], "");
    EXPECT_EQ(names[3], "");
    EXPECT_EQ(names[4].size(), IniLoader::MAX_SECTION_NAME_LINE - 2);
    EXPECT_EQ(names[5], "last");
    ini.LoadSectionNames(files.Path("missing.ini"));
    EXPECT_TRUE(ini.GetSectionNames().empty());
}

TEST_F(IniLoaderFiles, WritersRoundTripAndRefreshTheCache)
{
    std::string path = files.Path("out.ini");
    IniLoader writer;
    writer.SetSectionName("first");
    writer.AddPair("alpha", "1");
    writer.AddPair("bare", "");
    ASSERT_TRUE(writer.SaveToFile(path));
    EXPECT_EQ(EngineTestFiles::ReadAll(path), "[first]\nalpha = 1\nbare\n\n");

    IniLoader reader;
    ASSERT_TRUE(reader.Load("first", path)); // now cached
    writer.SetSectionName("second");
    writer.ClearPairs();
    writer.AddPair("beta", "2");
    ASSERT_TRUE(writer.AppendToFile(path));
    ASSERT_TRUE(reader.Load("second", path));
    EXPECT_EQ(reader.GetValue("beta"), "2");
    ASSERT_TRUE(reader.Load("first", path));
    EXPECT_EQ(reader.GetValue("alpha"), "1");
    EXPECT_TRUE(reader.HasKey("bare"));

    EXPECT_FALSE(writer.SaveToFile(files.Path("no/such/folder/x.ini")));
}
