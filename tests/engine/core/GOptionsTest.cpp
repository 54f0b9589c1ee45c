#include "engine/core/GOptions.h"
#include "engine/core/GBufferedFileManager.h"
#include "tests/engine/core/EngineTestFiles.h"
#include "tests/support/FreshState.h"

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
