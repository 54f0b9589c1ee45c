// Textures by name: folder registration, lookups, lazy loading, failures and the bind record.
#include "RenderTestSupport.h"

#include "engine/CLoadedTextureRef.h"
#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "platform/video/PImageCodec.h"

#include <algorithm>

namespace
{
std::string TexturePngBytes(int w, int h)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0] = {w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4, 200)};
    std::vector<uint8_t> bytes;
    PImageCodec::Encode(image, PImageFileFormat::Png, bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::string TextureDdsBytes(int w, int h, bool mips)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0] = {w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4, 90)};
    if (mips)
        image.BuildMipChain();
    std::vector<uint8_t> bytes;
    PImageCodec::Encode(image, PImageFileFormat::Dds, bytes);
    return std::string(bytes.begin(), bytes.end());
}
} // namespace

class TextureManagerTest : public RecordingRenderTest
{
protected:
    void SetUp() override
    {
        RecordingRenderTest::SetUp();
        ASSERT_TRUE(InitDevice());
        m_files.Write("bitmaps/a/shared.png", TexturePngBytes(8, 4));
        m_files.Write("bitmaps/b/shared.png", TexturePngBytes(2, 2));
        m_files.Write("bitmaps/b/deep/only_deep.dds", TextureDdsBytes(16, 16, true));
        m_files.Write("bitmaps/.hidden/secret.png", TexturePngBytes(2, 2));
        m_files.Write("bitmaps/composites/comp.png", TexturePngBytes(8, 8));
        m_files.Write("bitmaps/a/photo.jpg", TexturePngBytes(8, 8));
        m_files.Write("bitmaps/a/corrupt.dds", std::string("DDS \x7c\0\0\0 not really", 20));
        m_root = m_files.Path("bitmaps");
    }
    std::string m_root;
};

TEST_F(TextureManagerTest, FoldersRegisteredOnceDepthFirstWithoutHiddenOnes)
{
    GTextureManager& m = GTextureManager::Instance();
    m.AddFolder(m_root);
    m.AddFolder(m_root);
    const std::vector<std::string> expected = {m_root, m_root + "\\a", m_root + "\\b", m_root + "\\b\\deep",
                                               m_root + "\\composites"};
    // Folders registered by earlier users stay in front.
    const auto& all = m.GetFolders();
    const auto at = std::find(all.begin(), all.end(), m_root);
    ASSERT_NE(at, all.end());
    EXPECT_EQ(std::vector<std::string>(at, all.end()), expected);
}

TEST_F(TextureManagerTest, LookupsLoadLazilyFromTheFirstFolderThatHoldsTheName)
{
    GTextureManager& m = GTextureManager::Instance();
    m.AddFolder(m_root);
    EXPECT_FALSE(m.IsLoaded("shared.png"));
    PTexture* shared = m.GetTexture("shared.png");
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(m.FindTexture("shared.png")->m_width, 8);
    EXPECT_EQ(m.GetTexture("shared.png"), shared);
    EXPECT_EQ(m.GetTexture("deep/only_deep.dds"), m.GetTexture("deep/only_deep.dds"));
    EXPECT_EQ(m.GetTexture("secret.png"), nullptr) << "hidden folders are not searched";
    EXPECT_NE(m.GetTexture(".hidden/secret.png"), nullptr) << "names may carry sub-folders";
}

TEST_F(TextureManagerTest, MipLevelsByNameAndPath)
{
    GTextureManager& m = GTextureManager::Instance();
    m.AddFolder(m_root);
    struct Case
    {
        const char* name;
        int levels;
    } cases[] = {{"photo.jpg", 4}, {"comp.png", 4}, {"shared.png", 1}, {"only_deep.dds", 5}};
    for (const Case& c : cases)
    {
        PTexture* t = m.GetTexture(c.name);
        ASSERT_NE(t, nullptr) << c.name;
        EXPECT_EQ(t->GetLevelCount(), c.levels) << c.name;
    }
}

TEST_F(TextureManagerTest, MissingCorruptAndBlankNames)
{
    GTextureManager& m = GTextureManager::Instance();
    m.AddFolder(m_root);
    const int before = m.GetTextureCount();
    EXPECT_EQ(m.GetTexture("missing.dds"), nullptr);
    EXPECT_EQ(m.GetTexture("missing.dds"), nullptr);
    EXPECT_EQ(m.GetTextureCount(), before);

    EXPECT_EQ(m.GetTexture("corrupt.dds"), nullptr);
    EXPECT_EQ(m.GetTexture("corrupt.dds"), nullptr);
    EXPECT_EQ(m.GetTextureCount(), before + 1);
    EXPECT_TRUE(m.IsLoaded("corrupt.dds"));
    const auto errors = ErrorMessages();
    EXPECT_NE(std::find(errors.begin(), errors.end(), "CreateTextureD3DX"), errors.end());
    EXPECT_NE(DrawDebugLog().find("Error creating texture:[corrupt.dds]"), std::string::npos);

    EXPECT_EQ(m.GetTexture(""), nullptr);
    EXPECT_NE(DrawDebugLog().find("Attempt to create blank texture"), std::string::npos);
}

TEST_F(TextureManagerTest, BindRecordSkipsRedundantBinds)
{
    GTextureManager& m = GTextureManager::Instance();
    m.AddFolder(m_root);
    PTexture* a = m.GetTexture("shared.png");
    PTexture* b = m.GetTexture("comp.png");
    m.SetForceRebind();
    m_rec->Clear();
    m.BindTexture(nullptr); // the first unbind reaches the device even with nothing bound
    m.BindTexture(nullptr);
    PTexture* field = a;
    m.BindTexture(&field);
    m.BindTexture(&field);
    field = b; // the same field with a new texture is bound again
    m.BindTexture(&field);
    m.SetForceRebind();
    m.BindTexture(&field);
    EXPECT_EQ(m_rec->Calls("SetTexture").size(), 4u);
}

TEST_F(TextureManagerTest, HandlesAreSharedByName)
{
    GTextureManager::Instance().AddFolder(m_root);
    CLoadedTextureRef one, two, none;
    one.SetByName("shared.png");
    two.SetByName("shared.png");
    EXPECT_EQ(one.Get(), two.Get());
    EXPECT_EQ(one.GetName(), "shared.png");
    EXPECT_EQ(none.GetTexture(), nullptr);
    EXPECT_EQ(none.GetName(), "");

    // A sprite keeps its handle for the same name unless that texture failed to load.
    CTexturedSprite sprite;
    sprite.SetTexture("shared.png");
    CLoadedTexture* first = sprite.m_texture.Get();
    sprite.SetTexture("shared.png");
    EXPECT_EQ(sprite.m_texture.Get(), first);
    sprite.SetTexture("missing.png");
    CLoadedTexture* missing = sprite.m_texture.Get();
    EXPECT_EQ(missing->m_texture, nullptr);
    m_files.Write("bitmaps/a/missing.png", TexturePngBytes(2, 2));
    sprite.SetTexture("missing.png");
    EXPECT_EQ(sprite.m_texture.Get(), missing) << "the shared handle of a name is found again";

    // Destroying the textures leaves no handle pointing at freed memory.
    GTextureManager::Instance().DestroyAll();
    EXPECT_EQ(one.GetTexture(), nullptr);
}
