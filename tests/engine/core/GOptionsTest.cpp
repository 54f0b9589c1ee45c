#include "engine/core/GOptions.h"
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GDebugLog.h"
#include "tests/engine/core/EngineTestFiles.h"
#include "tests/support/FreshState.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

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
    // Loads text as config.txt (or as the file of that name); the error log's lines that came of it.
    std::string LoadFile(const std::string& text, const std::string& name = "config.txt")
    {
        files.Write(name, text);
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
        {"OPTIONS_SFX", "nan", 1.0f, true},
        {"OPTIONS_MUSIC", "inf", 1.0f, true},
        {"OPT_AUTOSAVE", "-inf", 1.0f, true}, // it switched the autosave off
        {"OPTIONS_MASTERVOLUME", "abc", 1.0f, true},
        {"OPTIONS_VOICE", "1e39", 1.0f, true},
        {"OPTIONS_SFX", "1.5", 1.0f, true},
        {"OPT_CONVEYOR_GUI", "0.5", 1.0f, true},
        {"OPTIONS_SFX", " 0.25 ", 0.25f, false},
        {"OPT_AUTOSAVE", "0", 0.0f, false},
        {"CUSTOM", "-12.5", -12.5f, false}, // a setting the game does not read: any finite number
        {"CUSTOM", "nan", kLeftOut, true},
        // The ends of each range are in it, a step past them is not.
        {"OPTIONS_MUSIC", "0", 0.0f, false},
        {"OPTIONS_MUSIC", "1", 1.0f, false},
        {"OPTIONS_SFX", "-0.01", 1.0f, true},
        {"OPTIONS_MASTERVOLUME", "1.01", 1.0f, true},
        {"OPT_AUTOSAVE", "1", 1.0f, false},
        {"OPT_CONVEYOR_GUI", "0", 0.0f, false},
        {"OPT_AUTOSAVE", "-1", 1.0f, true},
        {"OPT_CONVEYOR_GUI", "2", 1.0f, true},
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
        utf16,
        std::string("\x8f\x01\xee\0\x7f[flo", 9),
        "OPTIONS_SFX = 0.3\nOPT_AUTOSAVE = 0\n", // no header
        // The texts survived, the floats' header did not: the file is still no settings file.
        "[flo@ts]\nOPTIONS_SFX = 0.3\n[strings]\nname = kept\n",
    };
    const std::string defaults = "[floats]\nOPTIONS_SFX = 1.00\nOPTIONS_MUSIC = 1.00\nOPTIONS_MASTERVOLUME = 1.00\n"
                                 "OPTIONS_VOICE = 1.00\nOPTIONS_INTERFACE_VOLUME = 1.00\nOPT_AUTOSAVE = 1.00\n"
                                 "[strings]\n";
    // Each file kept goes under a name of its own: none kept before is written over.
    const std::string kept[] = {"config.txt.bad", "config.txt.bad.2", "config.txt.bad.3", "config.txt.bad.4"};
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE(i);
        const std::string lines = LoadFile(cases[i]);
        for (size_t earlier = 0; earlier <= i; ++earlier)
            EXPECT_EQ(EngineTestFiles::ReadAll(files.Path(kept[earlier])), cases[earlier]);
        EXPECT_EQ(EngineTestFiles::ReadAll(files.Path("config.txt")), defaults);
        EXPECT_NE(lines.find("cannot be read as settings; kept as " + files.Path(kept[i])), std::string::npos) << lines;
        EXPECT_EQ(GOptions::Instance().GetFloats().size(), 6u);
        EXPECT_TRUE(GOptions::Instance().GetStrings().empty());
    }
    // A name already taken by anything at all is passed over.
    std::filesystem::remove(files.Path("config.txt.bad.2"));
    std::filesystem::create_directories(files.Path("config.txt.bad.2/full"));
    EXPECT_NE(LoadFile(cases[2]).find("kept as " + files.Path("config.txt.bad.5")), std::string::npos);

    // Where it cannot be kept aside (the name would be too long for the folder) it is not written
    // over either.
    GOptions::Instance().SetPath(files.Path(std::string(252, 'c')));
    const std::string lines = LoadFile(cases[2], std::string(252, 'c'));
    EXPECT_EQ(EngineTestFiles::ReadAll(files.Path(std::string(252, 'c'))), cases[2]);
    EXPECT_NE(lines.find("cannot be kept as"), std::string::npos) << lines;
    EXPECT_FLOAT_EQ(GOptions::Instance().GetFloat("OPT_AUTOSAVE"), 1.0f);
}

TEST_F(GOptionsDamage, LinesTheRewriteWouldNotCarryAreNamedAndTheFileKeptAsItWas)
{
    const std::string text = "// my own volumes\n"
                             "[floats]\nOPTIONS_SFX = 0.5\n// quieter at night\n"
                             "[[[broken\nMY_KEY = 3\n\n"
                             "[strings]\nname = x\n= no key\n"
                             "[audio]\ndevice = hw:1\n";
    const std::string lines = LoadFile(text);
    const std::string path = files.Path("config.txt");
    for (const char* line :
         {"line 1 '// my own volumes'", "line 4 '// quieter at night'", "line 5 '[[[broken'", "line 6 'MY_KEY = 3'",
          "line 10 '= no key'", "line 11 '[audio]'", "line 12 'device = hw:1'"})
    {
        EXPECT_NE(lines.find(path + " " + line + " is no setting the game reads"), std::string::npos) << line << "\n"
                                                                                                      << lines;
    }
    EXPECT_NE(lines.find(path + " as it was is kept as " + path + ".bad"), std::string::npos) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 8) << lines;
    EXPECT_EQ(EngineTestFiles::ReadAll(path + ".bad"), text);
    // What the settings read is kept and written back.
    EXPECT_FLOAT_EQ(GOptions::Instance().GetFloat("OPTIONS_SFX"), 0.5f);
    ASSERT_EQ(GOptions::Instance().GetStrings().size(), 1u);
    EXPECT_EQ(GOptions::Instance().GetStrings()[0].value, "x");

    // The file as the game writes it carries everything: the next load says nothing and keeps
    // nothing aside.
    const std::string written = EngineTestFiles::ReadAll(path);
    EXPECT_EQ(LoadFile(written), "");
    EXPECT_EQ(EngineTestFiles::ReadAll(path), written);
    EXPECT_FALSE(std::filesystem::exists(path + ".bad.2"));

    // A long run of them is named by its first lines and counted.
    std::string notes = "[floats]\n";
    for (int i = 1; i <= 25; ++i)
        notes += "// note " + std::to_string(i) + "\n";
    const std::string counted = LoadFile(notes);
    EXPECT_NE(counted.find("line 21 '// note 20'"), std::string::npos) << counted;
    EXPECT_EQ(counted.find("line 22 "), std::string::npos) << counted;
    EXPECT_NE(counted.find(path + " has 5 more such lines"), std::string::npos) << counted;
    EXPECT_EQ(EngineTestFiles::ReadAll(path + ".bad.2"), notes);
}
