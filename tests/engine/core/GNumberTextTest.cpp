// Numbers in data files: which texts are wholly the number the game reads, what it reads from the
// others, and that each of those is named in the error log.
#include "EngineTestFiles.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/IniLoader.h"

#include <gtest/gtest.h>

TEST(GNumberText, OnlyTextsThatAreWhollyTheNumberPass)
{
    struct Case
    {
        const char* text;
        bool wholeInt;
        bool wholeFloat;
        int readInt;
        float readFloat;
    };
    const Case cases[] = {
        {"42", true, true, 42, 42.0f},
        {" -7 ", true, true, -7, -7.0f},
        {"+3", true, true, 3, 3.0f},
        {"2.5", false, true, 2, 2.5f},
        {"1e39", false, false, 1, 0.0f}, // an integer reader stops at the e; a float overflows
        {"1.5e3", false, true, 1, 1500.0f},
        {"99999999999999999999", false, true, 2147483647, 1e20f}, // clamped as an integer
        {"-99999999999999999999", false, true, -2147483647 - 1, -1e20f},
        {"12 cars", false, false, 12, 12.0f},
        {"abc", false, false, 0, 0.0f},
        {"nan", false, false, 0, 0.0f},
        {"inf", false, false, 0, 0.0f},
        {"0x10", false, false, 0, 16.0f},
        {"-", false, false, 0, 0.0f},
        {".", false, false, 0, 0.0f},
        {"", false, false, 0, 0.0f},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(GNumberText::IsWholeInt(c.text), c.wholeInt) << c.text;
        EXPECT_EQ(GNumberText::IsWholeFloat(c.text), c.wholeFloat) << c.text;
        EXPECT_EQ(GNumberText::ReadInt(c.text, "test"), c.readInt) << c.text;
        EXPECT_FLOAT_EQ(GNumberText::ReadFloat(c.text, "test"), c.readFloat) << c.text;
    }
}

TEST(GNumberText, AHalfReadNumberIsNamedInTheErrorLogWithFileSectionAndKey)
{
    EngineTestFiles files;
    GDebugLog::Instance().Open(files.Folder());
    const std::string path = files.Write("task.ini", "[task]\nguilevel = 2x\nguiindex = 1.5\nlocked =\ncost = 1e39\n");
    IniLoader ini;
    ASSERT_TRUE(ini.Load("task", path));
    EXPECT_EQ(ini.GetInt("guilevel"), 2);
    EXPECT_FLOAT_EQ(ini.GetFloat("guiindex"), 1.5f);
    EXPECT_EQ(ini.GetInt("locked"), 0);
    EXPECT_EQ(ini.GetInt("missing"), 0);
    EXPECT_FLOAT_EQ(ini.GetFloat("cost"), 0.0f);
    GDebugLog::Instance().Close();
    const std::string errors = EngineTestFiles::ReadAll(files.Path("debug/errors.txt"));
    EXPECT_NE(errors.find(path + " [task] guilevel '2x' is not a whole number; read as 2"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find(path + " [task] cost '1e39' is not a number; read as 0"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("guiindex"), std::string::npos);
    EXPECT_EQ(errors.find("locked"), std::string::npos);
    EXPECT_EQ(errors.find("missing"), std::string::npos);
    EXPECT_TRUE(GNumberText::IsNumberReport("x [task] guilevel '2x' is not a whole number; read as 2"));
}
