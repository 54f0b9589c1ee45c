#include "engine/core/GStringUtils.h"
#include "engine/core/GSystemUtils.h"
#include "platform/core/PDirectory.h"
#include "tests/engine/core/EngineTestFiles.h"

#include <climits>
#include <gtest/gtest.h>

TEST(GStringUtils, PaddedNumbers)
{
    struct Case
    {
        int value;
        const char* pad4;
        const char* pad2;
    };
    const Case cases[] = {
        {0, "0000", "00"},      {7, "0007", "07"},         {42, "0042", "42"},   {999, "0999", "999"},
        {1000, "1000", "1000"}, {12345, "12345", "12345"}, {-5, "000-5", "0-5"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(IntToStringPad4(c.value), c.pad4) << c.value;
        EXPECT_EQ(IntToStringPad2(c.value), c.pad2) << c.value;
    }
}

TEST(GStringUtils, CommaGroupingAndMoney)
{
    struct Case
    {
        long long value;
        const char* commas;
        const char* money;
    };
    const Case cases[] = {
        {0, "0", "$0"},
        {7, "7", "$7"},
        {999, "999", "$999"},
        {1000, "1,000", "$1,000"},
        {1234, "1,234", "$1,234"},
        {100000, "100,000", "$100,000"},
        {1000000, "1,000,000", "$1,000,000"},
        {INT_MAX, "2,147,483,647", "$2,147,483,647"},
        {-1, "-1", "$ -1"},
        {-1234, "-1,234", "$ -1,234"},
        {INT_MIN, "-2,147,483,648", "$ -2,147,483,648"},
        {LLONG_MIN, "-9,223,372,036,854,775,808", "$ -9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(IntToStringWithCommas(c.value), c.commas) << c.value;
        EXPECT_EQ(FormatMoney(c.value), c.money) << c.value;
    }
    char buffer[14];
    IntToStringWithCommas(INT_MIN, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "-2,147,483,64"); // cut to the buffer, never past it
    IntToStringWithCommas(1234, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "1,234");
}

TEST(GStringUtils, StripTrailingWhitespace)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abc\r\n", "abc"},         {"  ", ""},         {"", ""},
        {" a b \n\r \r\n", " a b"}, {"tab\t", "tab\t"}, {std::string(5000, 'x') + "  \r\n", std::string(5000, 'x')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripTrailingWhitespace(c.first), c.second);
}

TEST(GStringUtils, FormatStringHasNoLengthLimit)
{
    std::string big(3000, 'q');
    EXPECT_EQ(FormatString("<%s>%d", big.c_str(), 5), "<" + big + ">5");
    EXPECT_EQ(FormatString("%.2f", 1.0 / 3.0), "0.33");
}

TEST(GSystemUtils, EnsureDirectoryExistsCreatesOnlyWhatIsMissing)
{
    EngineTestFiles files;
    const std::string a = files.Path("a");
    ASSERT_TRUE(PDirectory::Create(a));
    EnsureDirectoryExists(a + "\\b/c");
    EXPECT_TRUE(PDirectory::Exists(a + "/b"));
    EXPECT_TRUE(PDirectory::Exists(a + "/b/c"));
    // Already there: nothing happens, nothing ends.
    EnsureDirectoryExists(a + "/b/c");
    EnsureDirectoryExists(a + "/b/c/");
    EXPECT_TRUE(PDirectory::Exists(a + "/b/c"));
}

TEST(GSystemUtilsDeathTest, EnsureDirectoryExistsEndsTheGameWhenTheFolderCannotBeMade)
{
    EngineTestFiles files;
    const std::string blocker = files.Write("file", "x");
    // The box names the folder it could not make, not only the system's reason.
    EXPECT_EXIT(
        EnsureDirectoryExists(blocker + "/sub"),
        [](int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }, "Cannot create the folder .*/sub");
}
