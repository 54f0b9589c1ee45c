// Sprite atlases: reading the atlas files and pointing sprites at packed images or plain textures.
#include "engine/CTexturedSprite.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

class SpriteAtlasTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetEffectsState();
        m_files.Write("atlases/a_gui.atl", "[atlasdata]\n"
                                           "k1 = btn,0.5,0,1,0.25,gui_atlas.dds,512,0,1024,256\n"
                                           "/k2 = hidden,0,0,1,1,gui_atlas.dds,0,0,1,1\n"
                                           "k3 = short,0.1\n");
        m_files.Write("atlases/b_more.atl", "[other]\nx = ignored,0,0,1,1,x.dds,0,0,1,1\n"
                                            "[atlasdata]\nk1 = btn,0,0,0.5,0.5,second.dds,0,0,1,1\n"
                                            "k2 = tall,0,0,0.25,1,second.dds,0,0,50,200\n");
        m_files.Write("atlases/notes.txt", "[atlasdata]\nk = stray,0,0,1,1,x.dds,0,0,1,1\n");
        SpriteAtlasTable::Instance().LoadFolder(m_files.Path("atlases"));
    }
    void TearDown() override { ResetEffectsState(); }

    EngineTestFiles m_files;
};

TEST_F(SpriteAtlasTest, EntriesAreReadInFileOrderAndTheFirstOfANameWins)
{
    const auto& entries = SpriteAtlasTable::Instance().Entries();
    ASSERT_EQ(entries.size(), 4u) << "the comment key and the other section and file add nothing";
    const SpriteAtlasEntry& btn = entries[0];
    EXPECT_EQ(btn.spriteName, "btn");
    EXPECT_EQ(btn.atlasTexture, "gui_atlas.dds");
    EXPECT_FLOAT_EQ(btn.uMin, 0.5f);
    EXPECT_FLOAT_EQ(btn.vMin, 0.0f);
    EXPECT_FLOAT_EQ(btn.uMax, 1.0f);
    EXPECT_FLOAT_EQ(btn.vMax, 0.25f);
    EXPECT_FLOAT_EQ(btn.xMin, 512.0f);
    EXPECT_FLOAT_EQ(btn.xMax, 1024.0f);
    EXPECT_FLOAT_EQ(btn.yMax, 256.0f);

    const SpriteAtlasEntry& shortEntry = entries[1];
    EXPECT_EQ(shortEntry.spriteName, "short");
    EXPECT_FLOAT_EQ(shortEntry.uMin, 0.1f);
    EXPECT_EQ(shortEntry.atlasTexture, "") << "missing names read empty";
    EXPECT_FLOAT_EQ(shortEntry.yMax, 0.0f) << "missing numbers read 0";

    EXPECT_EQ(FindAtlasEntry("btn"), &entries[0]);
    EXPECT_EQ(FindAtlasEntry("tall")->atlasTexture, "second.dds");
    EXPECT_EQ(FindAtlasEntry("Btn"), nullptr) << "names match exactly";
    EXPECT_EQ(FindAtlasEntry("hidden"), nullptr);
}

TEST_F(SpriteAtlasTest, ApplyingANameGivesTheAtlasImageOrElseThePlainTexture)
{
    CTexturedSprite sprite;
    sprite.m_width = 40.0f;
    sprite.m_height = 20.0f;
    sprite.SetPosition(100.0f, 50.0f);
    EXPECT_TRUE(ApplyAtlasToSprite(sprite, "btn"));
    EXPECT_EQ(sprite.m_texture.GetName(), "gui_atlas.dds");
    const float expected[4][2] = {{0.5f, 0.0f}, {1.0f, 0.0f}, {0.5f, 0.25f}, {1.0f, 0.25f}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FLOAT_EQ(sprite.m_vertices[i].u, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(sprite.m_vertices[i].v, expected[i][1]) << i;
    }
    EXPECT_FLOAT_EQ(sprite.m_width, 40.0f);
    EXPECT_FLOAT_EQ(sprite.m_vertices[0].x, 80.0f) << "size and place stay";

    EXPECT_FALSE(ApplyAtlasToSprite(sprite, "plain_picture.dds"));
    EXPECT_EQ(sprite.m_texture.GetName(), "plain_picture.dds");
    EXPECT_FLOAT_EQ(sprite.m_vertices[3].u, 1.0f) << "texture coordinates are left as they were";
}

TEST_F(SpriteAtlasTest, RemappingKeepsOneSideAndTheCentreAndShowsTheImageUndistorted)
{
    struct Case
    {
        const char* name;
        float width, height;
        float expectWidth, expectHeight;
    };
    // btn is 512 x 256 pixels, tall 50 x 200, short has no area.
    const Case cases[] = {
        {"btn", 100.0f, 100.0f, 100.0f, 50.0f},
        {"btn", 300.0f, 100.0f, 300.0f, 150.0f},
        {"tall", 100.0f, 100.0f, 25.0f, 100.0f},
        {"short", 60.0f, 30.0f, 60.0f, 30.0f},
        {"no_such_sprite.dds", 60.0f, 30.0f, 60.0f, 30.0f},
    };
    for (const Case& c : cases)
    {
        CTexturedSprite sprite;
        sprite.SetTexture(c.name);
        sprite.m_width = c.width;
        sprite.m_height = c.height;
        sprite.SetPosition(200.0f, 120.0f);
        RemapSpriteToAtlas(sprite);
        EXPECT_FLOAT_EQ(sprite.m_width, c.expectWidth) << c.name;
        EXPECT_FLOAT_EQ(sprite.m_height, c.expectHeight) << c.name;
        EXPECT_FLOAT_EQ((sprite.m_vertices[0].x + sprite.m_vertices[3].x) * 0.5f, 200.0f) << c.name;
        EXPECT_FLOAT_EQ((sprite.m_vertices[0].y + sprite.m_vertices[3].y) * 0.5f, 120.0f) << c.name;
    }
}
