// The savegame markup as the reader and writer see it: values and lists, line ends, numbers in
// any locale, damaged text that must stay contained, and names that could break the file.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"

namespace
{
std::vector<std::string> Items(std::string_view text)
{
    std::vector<std::string> items;
    SaveCommaList list(text);
    while (list.HasNext())
        items.push_back(list.Next());
    return items;
}
} // namespace

TEST(SaveDialect, ValuesAndListsReadAsWritten)
{
    SaveReader in;
    in.SetShowErrorBox(false);
    in.Reset("<xml>\n<a>x > y</a>\n<names></names>\n<list>one,two,</list>\n"
             "<color>255,128,0,255</color>\n<real>0.50000000</real>\n<b>cut<here</b>\n</xml>\n");
    EXPECT_EQ(in.Text("a"), "x > y");
    EXPECT_TRUE(Items(in.Value("names")).empty());
    EXPECT_EQ(Items(in.Value("list")), (std::vector<std::string>{"one", "two"}));
    int rgba[4];
    in.Color(rgba);
    EXPECT_EQ(std::vector<int>(rgba, rgba + 4), (std::vector<int>{255, 128, 0, 255}));
    EXPECT_FLOAT_EQ(in.Float("real"), 0.5f);
    EXPECT_FALSE(in.HadError());
    // A "<" ends a value (the file has no escaping; the writer never puts one there).
    EXPECT_EQ(in.Text("b"), "cut");
    // The scan only goes forward: a tag behind the position is missing.
    EXPECT_EQ(in.Text("a"), "");
    EXPECT_TRUE(in.HadError());

    // A row is taken only when it is the next tag; one closed behind other tags still reads.
    in.Reset("<row>1,2</row><0>3</0><1>4<x></x></1><after>5</after>");
    std::string_view row;
    EXPECT_FALSE(in.OptionalValue("0", row));
    EXPECT_EQ(in.Text("row"), "1,2");
    ASSERT_TRUE(in.OptionalValue("0", row));
    EXPECT_EQ(row, "3");
    ASSERT_TRUE(in.OptionalValue("1", row));
    EXPECT_EQ(row, "4");
    EXPECT_EQ(in.Int("after"), 5);
    EXPECT_FALSE(in.HadError());

    // Numbers read as their items do: a quoted one whole, one longer than any item as 0, and
    // the rest of a short list as 0.
    const std::string numbers = "7, \"1,5\",-3 ," + std::string(300, '9') + ",2.5";
    SaveCommaList list(numbers);
    EXPECT_EQ(list.NextInt(), 7);
    EXPECT_EQ(list.NextInt(), 1);
    EXPECT_EQ(list.NextInt(), -3);
    EXPECT_EQ(list.NextInt(), 0);
    EXPECT_FLOAT_EQ(list.NextFloat(), 2.5f);
    EXPECT_FALSE(list.HasNext());
    EXPECT_EQ(list.NextInt(), 0);
    // Plain digits and everything else around them read as ParseInt reads the item.
    const std::string more = "+4,-2147483648,2147483648,-,12x,-0," + std::string(300, '0') + "5,6";
    SaveCommaList edges(more);
    for (const int expected : {4, INT_MIN, INT_MAX, 0, 12, 0, 0, 6})
        EXPECT_EQ(edges.NextInt(), expected);
    EXPECT_FALSE(edges.HasNext());
}

TEST(SaveDialect, WindowsAndUnixLineEndsReadTheSame)
{
    const std::string unix = "<xml>\n<slots>\n<slot>\n<x>3 </x>\n</slot>\n</slots>\n</xml>\n";
    std::string windows;
    for (const char c : unix)
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {unix, windows})
    {
        SaveReader in;
        in.Reset(text);
        ASSERT_TRUE(in.BeginList("slots"));
        ASSERT_TRUE(in.NextItem("slots", "slot"));
        EXPECT_EQ(in.Text("x"), "3");
        in.EndItem("slot");
        EXPECT_FALSE(in.NextItem("slots", "slot"));
        EXPECT_FALSE(in.HadError());
    }
}

TEST(SaveDialect, AnItemMissingALeafDoesNotSwallowTheItemsAfterIt)
{
    SaveReader in;
    in.SetShowErrorBox(false);
    in.Reset("<list>\n<item>\n<a>1</a>\n</item>\n<item>\n<a>2</a>\n<b>20</b>\n</item>\n</list>\n<after>ok</after>\n");
    std::vector<int> read;
    in.BeginList("list");
    while (in.NextItem("list", "item"))
    {
        read.push_back(in.Int("a"));
        read.push_back(in.Int("b"));
        in.EndItem("item");
    }
    EXPECT_EQ(read, (std::vector<int>{1, 0, 2, 20}));
    EXPECT_EQ(in.Text("after"), "ok");
    EXPECT_TRUE(in.HadError()) << "the missing leaf is reported";
}

TEST(SaveDialect, DamagedMarkupEndsCleanly)
{
    // No closing ">" and no "<" after a value: the reader stops at the end of the data.
    for (const char* text : {"<xml><a>1</a><b", "<xml><a>12345", "<", "", "<a>1</a", "<<<>>>", "<a></a><"})
    {
        SCOPED_TRACE(text);
        SaveReader in;
        in.SetShowErrorBox(false);
        in.Reset(text);
        in.Int("a");
        in.Value("b");
        EXPECT_EQ(in.PeekTag(), "");
        EXPECT_TRUE(in.AtEnd() || in.HadError());
    }
    SaveReader in;
    in.SetShowErrorBox(false);
    in.Reset("<" + std::string(5000, 'x') + "><a>7</a>");
    EXPECT_EQ(in.Int("a"), 7) << "an overlong tag is passed over";
    // A name longer than any the game has is not copied, nor a list item longer than any item;
    // a log line quotes a long value by its start and length.
    const std::string longName(SaveReader::kMaxName + 1, 'n');
    in.Reset("<a>" + longName + "</a><list>one," + longName + ",two,</list>");
    EXPECT_EQ(in.Name("a"), "");
    EXPECT_EQ(Items(in.Value("list")), (std::vector<std::string>{"one", "", "two"}));
    EXPECT_EQ(savetext::Quote(longName), std::string(savetext::kQuoteLength, 'n') + "... (257 characters)");
}

TEST(SaveDialect, NamesTextsTagsAndListItemsAreKeptUpToTheirLimitAndNotOnePast)
{
    // The limits are written out: each is a promise about the files the game reads.
    SaveReader in;
    in.SetShowErrorBox(false);
    for (const size_t extra : {0u, 1u})
    {
        SCOPED_TRACE(extra ? "one past the limit" : "at the limit");
        const std::string name(256 + extra, 'n');
        const std::string text(16000 + extra, 't');
        in.Reset("<a>" + name + "</a><b>" + text + "</b><c>" + text + "</c>");
        EXPECT_EQ(in.Name("a"), extra ? "" : name);
        EXPECT_EQ(in.Text("b"), extra ? "" : text);
        EXPECT_EQ(in.DroppedCount(), 0) << "a name or text passed over is no item of the game";
        EXPECT_EQ(in.NameList("c"), extra ? "" : text);
        EXPECT_EQ(in.DroppedCount(), static_cast<int>(extra)) << "a list passed over is";

        // A tag as long as any the dialect has is found; a longer one is passed over.
        const std::string tag(127 + extra, 'g');
        in.Reset("<" + tag + "><a>7</a>");
        EXPECT_EQ(in.FindTag(tag), !extra);
        EXPECT_EQ(in.HadError(), extra != 0);

        // Every way an item is read keeps it up to kMaxItem characters and cuts it one past.
        const std::string item(256 + extra, 'i');
        const std::string digits = std::string(255 + extra, '0') + "5";
        const std::string real = std::string(253 + extra, '0') + "0.5";
        const std::string list =
            item + ",\"" + item + "\"," + digits + ",-" + digits.substr(1) + "," + real + "," + item + ",";
        SaveCommaList items(list);
        EXPECT_EQ(items.Next(), extra ? "" : item);
        EXPECT_EQ(items.CutItem().size(), extra ? item.size() : 0u);
        EXPECT_EQ(items.Next(), extra ? "" : item) << "quoted";
        EXPECT_EQ(items.NextInt(), extra ? 0 : 5);
        EXPECT_EQ(items.NextInt(), extra ? 0 : -5);
        EXPECT_FLOAT_EQ(items.NextFloat(), extra ? 0.0f : 0.5f);
        in.Reset("");
        EXPECT_EQ(in.NextName(items, "thing"), extra ? "" : item);
        EXPECT_EQ(in.DroppedCount(), static_cast<int>(extra)) << "a name cut from a list is a left-out item";
        EXPECT_FALSE(items.HasNext());
    }
}

TEST(SaveDialect, NumbersAreReadLenientlyButNeverOutOfRange)
{
    // `whole`: the text is an integer written out in full, as a tile or an index must be;
    // `wholeReal`: a real in plain notation that the game could hold, as money must be.
    struct Case
    {
        const char* text;
        int integer;
        double real;
        bool whole;
        bool wholeReal;
    };
    const Case cases[] = {
        {"42", 42, 42.0, true, true},
        {" -2147483648 ", INT_MIN, -2147483648.0, true, true},
        {"  -7xyz", -7, -7.0, false, false},
        {"", 0, 0.0, false, false},
        {"-", 0, 0.0, false, false},
        {"abc", 0, 0.0, false, false},
        {"99999999999", INT_MAX, 99999999999.0, false, true},
        {"-99999999999", INT_MIN, -99999999999.0, false, true},
        {"1e999", 1, 0.0, false, false},
        {"nan", 0, 0.0, false, false},
        {"inf", 0, 0.0, false, false},
        {"-infinity", 0, 0.0, false, false},
        {"0x1p3", 0, 0.0, false, false},
        {"0x7fffffff", 0, 0.0, false, false},
        {"1e300", 1, savetext::kMaxReal, false, false},
        {".5", 0, 0.5, false, true},
        {"12.34567891", 12, 12.34567891, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(savetext::ParseInt(c.text), c.integer);
        EXPECT_DOUBLE_EQ(savetext::ParseReal(c.text), c.real);
        int whole = 12345;
        EXPECT_EQ(savetext::ParseWholeInt(c.text, whole), c.whole);
        EXPECT_EQ(whole, c.whole ? c.integer : 12345) << "a number that cannot be read leaves the value alone";
        double real = 0.25;
        EXPECT_EQ(savetext::ParseWholeReal(c.text, real), c.wholeReal);
        EXPECT_DOUBLE_EQ(real, c.wholeReal ? c.real : 0.25);
    }
    EXPECT_EQ(savetext::TruncateToInt(1e20), INT_MAX);
    EXPECT_EQ(savetext::TruncateToInt(905.75), 905);
}

TEST(SaveDialect, NumbersAreWrittenWithADecimalPointAndReadBackExactly)
{
    std::string text;
    savetext::AppendReal(text, 0.1f, 8);
    EXPECT_EQ(text, "0.10000000");
    text.clear();
    savetext::AppendReal(text, -1234.5, 2);
    EXPECT_EQ(text, "-1234.50");
    for (const float value : {0.0f, 1.0f / 3.0f, -2048.125f, 123456.789f, 1.0e-6f, 3.0e9f})
    {
        text.clear();
        savetext::AppendReal(text, value, 8);
        EXPECT_EQ(savetext::ParseFloat(text), value) << text;
    }
}

TEST(SaveDialect, NamesThatCouldBreakTheFileAreMadeSafe)
{
    SaveWriter out;
    std::string list;
    const std::string name = "Roadster <GT>, \"limited\"";
    out.AppendName(list, name);
    out.AppendName(list, "Van");
    out.Open("designs");
    out.Text("guiname", name);
    out.List("names", list);
    out.Close("designs");
    SaveReader in;
    in.Reset(out.Output());
    const std::string read = in.Text("guiname");
    EXPECT_EQ(read, "Roadster _GT>_ _limited_");
    // The same name in a list reads back the same, so every section finds the same design.
    EXPECT_EQ(Items(in.Value("names")), (std::vector<std::string>{read, "Van"}));
    EXPECT_FALSE(in.HadError());
}
