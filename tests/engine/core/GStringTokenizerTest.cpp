#include "engine/core/GStringTokenizer.h"
#include <cmath>

#include <gtest/gtest.h>
#include <vector>

TEST(GStringTokenizer, SplitsFieldsWithQuotesAndEmptyFields)
{
    struct Case
    {
        const char* text;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {"", {""}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"x\"y,z\"w,v", {"xy,zw", "v"}},
        {"\"open,quote", {"open,quote"}},
        {"a, b", {"a", " b"}},
        {"\"\"", {""}},
    };
    for (const Case& c : cases)
    {
        GStringTokenizer t(c.text, ',');
        std::vector<std::string> got;
        while (!t.AtEnd())
            got.push_back(t.NextToken());
        EXPECT_EQ(got, c.tokens) << c.text;
        // Every call after the last field gives the empty text.
        EXPECT_EQ(t.NextToken(), "");
        EXPECT_EQ(t.NextToken(), "");
    }
}

TEST(GStringTokenizer, TypedReadsTrimOnlyTheEnd)
{
    GStringTokenizer t(" 12 ,3.5\r\n, x , ,99999999999,-99999999999,1e999,7abc", ',');
    EXPECT_EQ(t.GetInt(), 12);
    EXPECT_FLOAT_EQ(t.GetFloat(), 3.5f);
    EXPECT_EQ(t.GetString(), " x");
    EXPECT_EQ(t.GetInt(), 0);
    EXPECT_EQ(t.GetInt(), 2147483647);
    EXPECT_EQ(t.GetInt(), -2147483647 - 1);
    EXPECT_TRUE(std::isinf(t.GetFloat()));
    EXPECT_EQ(t.GetInt(), 7);
    EXPECT_EQ(t.GetInt(), 0); // past the end
}

TEST(GStringTokenizer, OtherSeparators)
{
    GStringTokenizer t("a;b,c;\"d;e\"", ';');
    EXPECT_EQ(t.NextToken(), "a");
    EXPECT_EQ(t.NextToken(), "b,c");
    EXPECT_EQ(t.NextToken(), "d;e");
    EXPECT_TRUE(t.AtEnd());
}
