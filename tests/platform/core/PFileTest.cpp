#include "platform/core/PFile.h"
#include "platform/core/PAtomicFile.h"
#include "platform/core/PDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

class PFileFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/fv_platform_test_XXXXXX";
        folder = mkdtemp(tmpl);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = folder + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string ReadStream(FILE* f)
    {
        std::string out;
        int c;
        while ((c = fgetc(f)) != EOF)
            out += static_cast<char>(c);
        return out;
    }
    std::string folder;
};

TEST_F(PFileFolder, TextReadsTurnCrLfIntoLfAndBinaryReadsDoNot)
{
    const std::string bytes = "a\r\nb\rc\r\n\r\nd\r";
    std::string path = Write("t.txt", bytes);
    struct Case
    {
        const char* mode;
        std::string expected;
    };
    const Case cases[] = {{"rt", "a\nb\rc\n\nd\r"}, {"r", "a\nb\rc\n\nd\r"}, {"rb", bytes}};
    for (const Case& c : cases)
    {
        FILE* f = PFile::Open(path, c.mode);
        ASSERT_NE(f, nullptr) << c.mode;
        EXPECT_EQ(ReadStream(f), c.expected) << c.mode;
        rewind(f);
        char line[16];
        ASSERT_NE(fgets(line, sizeof line, f), nullptr);
        EXPECT_EQ(line[0], 'a');
        fclose(f);
    }
}

TEST_F(PFileFolder, BackslashPathsOpenTheSameFiles)
{
    Write("sub/x.txt", "hello");
    std::string windowsPath = folder + "\\sub\\x.txt";
    EXPECT_EQ(PFile::NormalisePath("data\\a\\b.txt"), "data/a/b.txt");
    EXPECT_TRUE(PFile::Exists(windowsPath));
    FILE* f = PFile::Open(windowsPath, "rt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ReadStream(f), "hello");
    fclose(f);
    FILE* w = PFile::Open(folder + "\\sub\\y.txt", "wt");
    ASSERT_NE(w, nullptr);
    fputs("line\n", w);
    fclose(w);
    EXPECT_TRUE(PFile::Exists(folder + "/sub/y.txt"));
    EXPECT_TRUE(PFile::Delete(folder + "\\sub\\y.txt"));
    EXPECT_FALSE(PFile::Exists(folder + "/sub/y.txt"));
}

TEST_F(PFileFolder, AttributesAndFailures)
{
    std::string file = Write("f", "x");
    EXPECT_EQ(PFile::GetAttributes(folder + "/none"), PFile::ATTR_INVALID);
    EXPECT_TRUE(PFile::GetAttributes(folder) & PFile::ATTR_DIRECTORY);
    EXPECT_FALSE(PFile::GetAttributes(file) & PFile::ATTR_DIRECTORY);
    EXPECT_EQ(PFile::Open(folder + "/none", "rt"), nullptr);
    EXPECT_EQ(PFile::Open(folder + "/none", "rb"), nullptr);
    EXPECT_EQ(PFile::Open(folder, "rb"), nullptr); // a folder is not a file
    EXPECT_EQ(PFile::Open(folder, "rt"), nullptr);
    EXPECT_EQ(PFile::Open(file, ""), nullptr);
    EXPECT_FALSE(PFile::Delete(folder + "/none"));
    EXPECT_EQ(PFile::ErrorText(PFile::LastError()), "No such file or directory");
    EXPECT_FALSE(PFile::Delete(folder));
    EXPECT_FALSE(PFile::Exists(folder));
}

TEST(PDirectoryMatch, WindowsWildcards)
{
    struct Case
    {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"*.*", "a.txt", true},      {"*.*", "noext", true},        {"*.*", ".", true},       {"*.txt", "a.txt", true},
        {"*.txt", "A.TXT", true},    {"*.txt", "a.txt.bak", false}, {"*.txt", "atxt", false}, {"*.fx", "x.fx", true},
        {"a?c", "abc", true},        {"a?c", "ac", false},          {"*", "", true},          {"x.*", "x", true},
        {"*a*b*", "zzazzbzz", true}, {"*a*b", "zzazzbzz", false},   {"file", "FILE", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PDirectory::WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST_F(PFileFolder, FindListsSortedWithoutRegardToCase)
{
    for (const char* n : {"b.txt", "A.txt", "c.TXT", "_u.txt", "a.dat"})
        Write(n, "");
    std::filesystem::create_directories(folder + "/Dir.txt");
    std::vector<std::string> names;
    for (const PDirectoryEntry& e : PDirectory::Find(folder + "\\*.txt"))
        names.push_back(e.name + (e.isDirectory ? "/" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{"_u.txt", "A.txt", "b.txt", "c.TXT", "Dir.txt/"}));
    EXPECT_TRUE(PDirectory::Find(folder + "/missing/*.*").empty());
}

TEST_F(PFileFolder, FoldersAreCreatedAndFound)
{
    EXPECT_TRUE(PDirectory::CreatePath(folder + "/x\\y/z"));
    EXPECT_TRUE(PDirectory::Exists(folder + "/x/y/z"));
    EXPECT_FALSE(PDirectory::Create(folder + "/x"));   // already there
    EXPECT_FALSE(PDirectory::Create(folder + "/q/r")); // parent missing
    std::string file = Write("plain", "");
    EXPECT_FALSE(PDirectory::CreatePath(file + "/under"));
    EXPECT_FALSE(PDirectory::Exists(file));
}

TEST_F(PFileFolder, DocumentsFolderFollowsTheDesktopSettings)
{
    const char* oldHome = getenv("HOME");
    std::string savedHome = oldHome ? oldHome : "";
    const char* oldDocs = getenv("XDG_DOCUMENTS_DIR");
    std::string savedDocs = oldDocs ? oldDocs : "";
    const char* oldCfg = getenv("XDG_CONFIG_HOME");
    std::string savedCfg = oldCfg ? oldCfg : "";

    setenv("HOME", folder.c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PDirectory::DocumentsFolder(), folder + "/Documents");
    Write(".config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(PDirectory::DocumentsFolder(), folder + "/Dokumente");
    setenv("XDG_DOCUMENTS_DIR", "/elsewhere/docs/", 1);
    EXPECT_EQ(PDirectory::DocumentsFolder(), "/elsewhere/docs");

    if (oldHome)
        setenv("HOME", savedHome.c_str(), 1);
    else
        unsetenv("HOME");
    if (oldDocs)
        setenv("XDG_DOCUMENTS_DIR", savedDocs.c_str(), 1);
    else
        unsetenv("XDG_DOCUMENTS_DIR");
    if (oldCfg)
        setenv("XDG_CONFIG_HOME", savedCfg.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(PDirectoryExecutable, TheExecutablesFolderHoldsTheTestBinary)
{
    std::string dir = PDirectory::ExecutableFolder();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(PDirectory::Exists(dir));
    std::string cwd = std::filesystem::current_path();
    ASSERT_TRUE(PDirectory::ChangeToExecutableFolder());
    EXPECT_EQ(std::filesystem::current_path().string(), dir);
    std::filesystem::current_path(cwd);
}

TEST_F(PFileFolder, AtomicReplaceIsAllOrNothingAndNamesThePathWhenItFails)
{
    const std::string path = Write("cfg/settings.ini", "old");
    std::string error;
    // Written the Windows way, replaced in place, nothing left beside it.
    const std::string windowsPath = folder + "\\cfg\\settings.ini";
    ASSERT_TRUE(PAtomicFile::Default().Replace(windowsPath, "new and longer", error)) << error;
    std::string bytes;
    ASSERT_TRUE(PFile::ReadAll(path, bytes));
    EXPECT_EQ(bytes, "new and longer");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    struct Case
    {
        const char* what;
        std::string target;
    };
    std::filesystem::create_directories(folder + "/a_folder/inside");
    const Case failures[] = {
        {"a folder where the file should be", folder + "/a_folder"},
        {"a folder that does not exist", folder + "/missing/settings.ini"},
        {"no file name", ""},
        {"a folder's name only", folder + "/a_folder/"},
    };
    for (const Case& c : failures)
    {
        error.clear();
        EXPECT_FALSE(PAtomicFile::Default().Replace(c.target, "data", error)) << c.what;
        EXPECT_NE(error.find(c.target), std::string::npos) << c.what << ": " << error;
        EXPECT_FALSE(std::filesystem::exists(c.target + ".tmp")) << c.what;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/a_folder/inside"));
}
