#include "engine/core/GBufferedFileManager.h"
#include "tests/engine/core/EngineTestFiles.h"
#include "tests/support/FreshState.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

class GBufferedFileCache : public ::testing::Test
{
protected:
    void SetUp() override { FreshState::Forget<GBufferedFileManager>(); }
    void TearDown() override { FreshState::Forget<GBufferedFileManager>(); }
    static std::string Lines(GBufferedFile* f)
    {
        std::string all, line;
        while (f->ReadLine(line))
            all += line + "|";
        return all;
    }
    EngineTestFiles files;
};

TEST_F(GBufferedFileCache, ASecondReadComesFromMemory)
{
    std::string path = files.Write("a.txt", "one\ntwo\n");
    auto& cache = GBufferedFileManager::Instance();
    EXPECT_EQ(Lines(cache.GetFile(path)), "one|two|");
    files.Write("a.txt", "changed\n");
    EXPECT_EQ(Lines(cache.GetFile(path)), "one|two|");
    cache.Reload(path);
    EXPECT_EQ(Lines(cache.GetFile(path)), "changed|");
}

TEST_F(GBufferedFileCache, LineEnds)
{
    struct Case
    {
        const char* bytes;
        const char* lines;
    };
    const Case cases[] = {
        {"a\nb", "a|b|"}, {"a\r\nb\r\n", "a|b|"}, {"a\rb\n", "a\rb|"},
        {"\n\n", "||"},   {"a\r", "a\r|"},        {"a\r\r\n", "a\r|"},
    };
    int i = 0;
    for (const Case& c : cases)
    {
        std::string path = files.Write("le" + std::to_string(i++), c.bytes);
        GBufferedFile f;
        f.Load(path);
        EXPECT_EQ(Lines(&f), c.lines) << i;
        EXPECT_TRUE(f.AtEnd());
    }
}

TEST_F(GBufferedFileCache, EmptyAndMissingFilesReadAsEmpty)
{
    auto& cache = GBufferedFileManager::Instance();
    GBufferedFile* empty = cache.GetFile(files.Write("empty", ""));
    EXPECT_TRUE(empty->AtEnd());
    EXPECT_EQ(empty->GetSize(), 0);
    empty = cache.GetFile(files.Path("empty"));
    EXPECT_TRUE(empty->AtEnd());

    GBufferedFile* missing = cache.GetFile(files.Path("missing"));
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->AtEnd());
    EXPECT_EQ(missing->GetPath(), "");
    // A failed load is never a hit: the next request loads again into another slot.
    GBufferedFile* again = cache.GetFile(files.Path("missing"));
    EXPECT_NE(again, missing);
    EXPECT_NE(cache.GetSlot(2), nullptr);

    GBufferedFile folder;
    folder.Load(files.Folder());
    EXPECT_TRUE(folder.AtEnd());
    EXPECT_EQ(folder.GetSize(), 0);
}

TEST_F(GBufferedFileCache, SlashesMakeDifferentEntriesAndTheEleventhFileTakesSlotZero)
{
    auto& cache = GBufferedFileManager::Instance();
    std::string path = files.Write("dir/x.txt", "x");
    GBufferedFile* forward = cache.GetFile(path);
    std::string back = files.Folder() + "/dir\\x.txt";
    GBufferedFile* backward = cache.GetFile(back);
    EXPECT_NE(forward, backward);
    EXPECT_EQ(backward->GetSize(), 1);

    for (int i = 2; i < 10; ++i)
        cache.GetFile(files.Write(std::string("f") + std::to_string(i), std::to_string(i)));
    cache.GetFile(path); // the most recently used does not matter
    GBufferedFile* eleventh = cache.GetFile(files.Write("f10", "ten"));
    EXPECT_EQ(cache.GetSlot(0), eleventh);
    EXPECT_EQ(cache.GetSlot(1), backward);
}

TEST_F(GBufferedFileCache, ReloadOfAnUncachedPathLoadsNothing)
{
    auto& cache = GBufferedFileManager::Instance();
    cache.Reload(files.Write("r", "r"));
    for (int i = 0; i < GBufferedFileManager::SLOT_COUNT; ++i)
        EXPECT_EQ(cache.GetSlot(i), nullptr);
}

TEST_F(GBufferedFileCache, FilesOverOneGibibyteReadAsEmpty)
{
    std::string path = files.Path("huge");
    int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, GBufferedFile::MAX_SIZE + 1), 0); // sparse: costs no disk
    close(fd);
    GBufferedFile f;
    f.Load(path);
    EXPECT_TRUE(f.AtEnd());
    EXPECT_EQ(f.GetSize(), 0);
    EXPECT_EQ(f.GetData(), nullptr);
}

TEST_F(GBufferedFileCache, ReadCopiesBytesAndStopsAtTheEnd)
{
    GBufferedFile f;
    f.Load(files.Write("bytes", std::string("ab\0cd", 5)));
    char out[8] = {};
    EXPECT_EQ(f.Read(out, 3), 3u);
    EXPECT_EQ(std::string(out, 3), std::string("ab\0", 3));
    EXPECT_EQ(f.Read(out, 8), 2u);
    EXPECT_TRUE(f.AtEnd());
    EXPECT_EQ(f.Read(out, 8), 0u);
    f.Rewind();
    EXPECT_FALSE(f.AtEnd());
}
