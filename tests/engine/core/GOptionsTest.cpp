#include "engine/core/GOptions.h"
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GDebugLog.h"
#include "tests/engine/core/EngineTestFiles.h"
#include "tests/support/FreshState.h"

#include <filesystem>
#include <gtest/gtest.h>

class GOptionsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshState::Forget<GBufferedFileManager>();
        FreshState::Forget<GOptions>();
        GOptions::Instance().SetPath(files.Path("config.txt"));
    }
    void TearDown() override
    {
        FreshState::Forget<GOptions>();
        FreshState::Forget<GBufferedFileManager>();
    }
    EngineTestFiles files;
};

TEST_F(GOptionsFile, AMissingFileIsCreatedWithTheDefaults)
{
    GOptions& o = GOptions::Instance();
    o.Load();
    o.AddFloatIfMissing("OPT_CONVEYOR_GUI", 1.0f);
    EXPECT_EQ(EngineTestFiles::ReadAll(o.GetPath()), "[floats]\n"
                                                     "OPTIONS_SFX = 1.00\n"
                                                     "OPTIONS_MUSIC = 1.00\n"
                                                     "OPTIONS_MASTERVOLUME = 1.00\n"
                                                     "OPTIONS_VOICE = 1.00\n"
                                                     "OPTIONS_INTERFACE_VOLUME = 1.00\n"
                                                     "OPT_AUTOSAVE = 1.00\n"
                                                     "[strings]\n");
    EXPECT_EQ(o.GetFloats().size(), 7u);
    EXPECT_FLOAT_EQ(o.GetFloat("OPT_CONVEYOR_GUI"), 1.0f);
}

TEST_F(GOptionsFile, LoadKeepsUnknownSettingsOrderAndTexts)
{
    for (bool crlf : {false, true})
    {
        std::string text = "[floats]\nCUSTOM = 0.333333\nOPTIONS_MUSIC = 0.5\nCUSTOM = 9\n"
                           "[strings]\nname = a text longer than thirty characters in all\n";
        files.Write("config.txt", crlf ? EngineTestFiles::ToCrLf(text) : text);
        FreshState::Forget<GBufferedFileManager>();
        GOptions& o = GOptions::Instance();
        o.Load();
        EXPECT_FLOAT_EQ(o.GetFloat("OPTIONS_MUSIC"), 0.5f);
        EXPECT_NEAR(o.GetFloat("CUSTOM"), 0.333333f, 1e-6); // the first of two wins
        EXPECT_EQ(EngineTestFiles::ReadAll(o.GetPath()), "[floats]\n"
                                                         "CUSTOM = 0.33\n"
                                                         "OPTIONS_MUSIC = 0.50\n"
                                                         "CUSTOM = 9.00\n"
                                                         "OPTIONS_SFX = 1.00\n"
                                                         "OPTIONS_MASTERVOLUME = 1.00\n"
                                                         "OPTIONS_VOICE = 1.00\n"
                                                         "OPTIONS_INTERFACE_VOLUME = 1.00\n"
                                                         "OPT_AUTOSAVE = 1.00\n"
                                                         "[strings]\n"
                                                         "name = a text longer than thirty characters in all\n");
    }
}

TEST_F(GOptionsFile, ASavedChangeSurvivesTheNextLoad)
{
    GOptions& o = GOptions::Instance();
    o.Load();
    o.SetFloat("OPTIONS_SFX", 0.25f);
    ASSERT_TRUE(o.Save());
    o.Load(); // must not bring back the copy cached by the first load
    EXPECT_FLOAT_EQ(o.GetFloat("OPTIONS_SFX"), 0.25f);
}

TEST_F(GOptionsFile, MissingNamesReadZeroAndSetLoadsFirst)
{
    GOptions& o = GOptions::Instance();
    EXPECT_FLOAT_EQ(o.GetFloat("OPTIONS_MUSIC"), 0.0f); // before any load
    EXPECT_TRUE(o.GetFloats().empty());
    o.SetFloat("NEW_ONE", 2.0f); // loads (creating the file), then appends
    EXPECT_EQ(o.GetFloats().size(), 7u);
    EXPECT_EQ(o.GetFloats().back().name, "NEW_ONE");
    EXPECT_EQ(o.FindFloat("nope"), nullptr);
    o.SetPath(files.Path("no/folder/config.txt"));
    EXPECT_FALSE(o.Save());
}

// Damage in config.txt: each value a setting cannot take falls back to its default with a line in
// the error log, and a file that cannot be read at all is kept aside before the defaults are
// written.
class GOptionsDamage : public GOptionsFile
{
protected:
    void SetUp() override
    {
        GOptionsFile::SetUp();
        GDebugLog::Instance().Open(files.Folder());
    }
    void TearDown() override
    {
        GDebugLog::Instance().Close();
        GOptionsFile::TearDown();
    }
    std::string Errors() const { return EngineTestFiles::ReadAll(files.Path("debug/errors.txt")); }
    // Loads text as config.txt; the error log's lines that came of it.
    std::string LoadFile(const std::string& text)
    {
        files.Write("config.txt", text);
        FreshState::Forget<GBufferedFileManager>();
        const size_t before = Errors().size();
        GOptions::Instance().Load();
        return Errors().substr(before);
    }
};

TEST_F(GOptionsDamage, AValueTheSettingCannotTakeFallsBackToItsDefaultWithALine)
{
    constexpr float kLeftOut = -99.0f;
    struct Case
    {
        const char* name;
        const char* text;
        float read; // kLeftOut: not in the list
        bool reported;
    };
    const Case cases[] = {
        {"OPTIONS_SFX", "nan", 1.0f, true},          {"OPTIONS_MUSIC", "inf", 1.0f, true},
        {"OPT_AUTOSAVE", "-inf", 1.0f, true}, // it switched the autosave off
        {"OPTIONS_MASTERVOLUME", "abc", 1.0f, true}, {"OPTIONS_VOICE", "1e39", 1.0f, true},
        {"OPTIONS_SFX", "1.5", 1.0f, true},          {"OPT_CONVEYOR_GUI", "0.5", 1.0f, true},
        {"OPTIONS_SFX", " 0.25 ", 0.25f, false},     {"OPT_AUTOSAVE", "0", 0.0f, false},
        {"CUSTOM", "-12.5", -12.5f, false}, // a setting the game does not read: any finite number
        {"CUSTOM", "nan", kLeftOut, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.name) + " = '" + c.text + "'");
        const std::string lines = LoadFile(std::string("[floats]\n") + c.name + " = " + c.text + "\n");
        const GOptionFloat* setting = GOptions::Instance().FindFloat(c.name);
        EXPECT_FLOAT_EQ(setting ? setting->value : kLeftOut, c.read);
        EXPECT_EQ(lines.find(std::string(c.name) + " '" + c.text + "'") != std::string::npos, c.reported) << lines;
        const std::string written = EngineTestFiles::ReadAll(files.Path("config.txt"));
        EXPECT_TRUE(written.find("nan") == std::string::npos && written.find("inf") == std::string::npos) << written;
        EXPECT_FALSE(std::filesystem::exists(files.Path("config.txt.bad")));
    }
}

TEST_F(GOptionsDamage, AFileThatCannotBeReadIsKeptAsideBeforeTheDefaultsAreWritten)
{
    const std::string utf16("\xff\xfe[\0f\0l\0o\0a\0t\0s\0]\0\n\0", 20);
    const std::string cases[] = {
        utf16, std::string("\x8f\x01\xee\0\x7f[flo", 9),
        "OPTIONS_SFX = 0.3\nOPT_AUTOSAVE = 0\n", // no header
    };
    const std::string defaults = "[floats]\nOPTIONS_SFX = 1.00\nOPTIONS_MUSIC = 1.00\nOPTIONS_MASTERVOLUME = 1.00\n"
                                 "OPTIONS_VOICE = 1.00\nOPTIONS_INTERFACE_VOLUME = 1.00\nOPT_AUTOSAVE = 1.00\n"
                                 "[strings]\n";
    for (const std::string& text : cases)
    {
        const std::string lines = LoadFile(text);
        EXPECT_EQ(EngineTestFiles::ReadAll(files.Path("config.txt.bad")), text);
        EXPECT_EQ(EngineTestFiles::ReadAll(files.Path("config.txt")), defaults);
        EXPECT_NE(lines.find("cannot be read as settings; kept as " + files.Path("config.txt.bad")), std::string::npos)
            << lines;
        EXPECT_EQ(GOptions::Instance().GetFloats().size(), 6u);
    }
    // Where it cannot be kept aside it is not written over either.
    std::filesystem::remove(files.Path("config.txt.bad"));
    std::filesystem::create_directories(files.Path("config.txt.bad/full"));
    const std::string lines = LoadFile(cases[2]);
    EXPECT_EQ(EngineTestFiles::ReadAll(files.Path("config.txt")), cases[2]);
    EXPECT_NE(lines.find("cannot be kept as"), std::string::npos) << lines;
    EXPECT_FLOAT_EQ(GOptions::Instance().GetFloat("OPT_AUTOSAVE"), 1.0f);
}
