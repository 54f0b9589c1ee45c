#include "engine/core/GTextTable.h"
#include "tests/engine/core/EngineTestFiles.h"

#include <gtest/gtest.h>

class GTextTableFile : public ::testing::Test
{
protected:
    void SetUp() override { GTextTable::Instance().Unload(); }
    void TearDown() override
    {
        GTextTable::Instance().Unload();
        GTextTable::Instance().SetFileName("data/strings.ini");
    }
    EngineTestFiles files;
};

TEST_F(GTextTableFile, TextsByKeyWithEscapesAndFallbacks)
{
    const std::string text = "[other]\nMAINMENU_NEWGAME=Wrong\n"
                             "[strings]\n"
                             "MAINMENU_NEWGAME=New game\n"
                             "mainmenu_newgame=lower\n"
                             "EMPTY=\n"
                             "QUOTED=Say \\\"hi\\\" now\n"
                             "UNESCAPED=a\"b=c\n"
                             "PENDING=\\abc\"d\n"
                             "  SPACED KEY  =  value with blanks\n"
                             "; comment=1\n"
                             "no equals sign here\n"
                             "DUP=first\n"
                             "DUP=second\n"
                             "[after]\nLATE=late\n";
    for (bool crlf : {false, true})
    {
        GTextTable::Instance().Unload();
        GTextTable::Instance().SetFileName(files.Write("strings.ini", crlf ? EngineTestFiles::ToCrLf(text) : text));
        const std::pair<const char*, const char*> cases[] = {
            {"MAINMENU_NEWGAME", "New game"},
            {"mainmenu_newgame", "lower"},
            {"EMPTY", "EMPTY"},
            {"QUOTED", "Say \"hi\" now"},
            {"UNESCAPED", "abc"},
            {"PENDING", "abc\"d"},
            {"SPACEDKEY", "value with blanks"},
            {"DUP", "first"},
            {"LATE", "LATE"},
            {"MISSING_KEY", "MISSING_KEY"},
            {"", ""},
        };
        for (const auto& c : cases)
            EXPECT_EQ(GTextTable::GetText(c.first), c.second) << c.first << (crlf ? " CR LF" : " LF");
    }
}

TEST_F(GTextTableFile, AnEmptyKeyDoesNotLoadAndAMissingFileShowsKeys)
{
    GTextTable::Instance().SetFileName(files.Path("missing.ini"));
    EXPECT_EQ(GTextTable::GetText(""), "");
    EXPECT_FALSE(GTextTable::Instance().m_table.IsLoaded());
    EXPECT_EQ(GTextTable::GetText("SLOT_STATUS"), "SLOT_STATUS");
    EXPECT_TRUE(GTextTable::Instance().m_table.IsLoaded());
}

TEST_F(GTextTableFile, LargeSectionsAreNotCut)
{
    std::string text = "[strings]\n";
    for (int i = 0; i < 4000; ++i)
        text += "KEY_" + std::to_string(i) + "=" + std::string(60, 'v') + "\n";
    GTextTable::Instance().SetFileName(files.Write("big.ini", text));
    EXPECT_EQ(GTextTable::GetText("KEY_3999"), std::string(60, 'v'));
    EXPECT_EQ(GTextTable::Instance().m_table.GetEntryCount(), 4000u);
}

TEST(GHashTable, BucketsCountFirstAndLastLetters)
{
    const std::pair<const char*, int> cases[] = {
        {"a", 0}, {"AZ", 25}, {"za", 25}, {"zz", 50}, {"_x_", 52}, {"1abc2", 52}, {"Key_", 10 + 26}, {"9a", 26},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GHashTable::BucketOf(c.first), c.second) << c.first;
    EXPECT_EQ(GHashTable::BucketOf("MAINMENU_NEWGAME"), GHashTable::BucketOf("mainmenu_newgame"));
    GHashTable t;
    t.Insert("k", "1");
    t.Insert("k", "2");
    t.Insert("\xE9t\xE9", "high bytes");
    EXPECT_EQ(t.Lookup("k"), "1");
    EXPECT_EQ(t.Lookup("\xE9t\xE9"), "high bytes");
    EXPECT_EQ(t.Lookup("K"), "");
}
