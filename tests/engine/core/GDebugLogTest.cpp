#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GFileList.h"
#include "platform/core/PClock.h"
#include "tests/engine/core/EngineTestFiles.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

namespace
{
// True when text is "[h:m:s:ms]- " followed by message: numbers of one to three digits.
bool GDebugLogTestIsLine(const std::string& text, const std::string& message)
{
    size_t pos = 0;
    if (text.empty() || text[pos++] != '[')
        return false;
    for (int field = 0; field < 4; ++field)
    {
        size_t digits = 0;
        while (pos < text.size() && isdigit(static_cast<unsigned char>(text[pos])))
            ++pos, ++digits;
        if (digits < 1 || digits > 3 || pos >= text.size() || text[pos++] != (field < 3 ? ':' : ']'))
            return false;
    }
    return text.substr(pos) == "- " + message;
}

std::vector<std::string> GDebugLogTestLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos)
    {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}
}

class GDebugLogFiles : public ::testing::Test
{
protected:
    void TearDown() override { GDebugLog::Instance().Close(); }
    std::string Debug() const { return EngineTestFiles::ReadAll(files.Path("debug/debug.txt")); }
    std::string Errors() const { return EngineTestFiles::ReadAll(files.Path("debug/errors.txt")); }
    EngineTestFiles files;
};

TEST_F(GDebugLogFiles, DebugLogLinesAndRestart)
{
    GDebugLog& log = GDebugLog::Instance();
    log.Open(files.Folder());
    log.Log("first run");
    log.LogError("error one");
    log.Close();
    log.Log("dropped after close");
    log.Open(files.Folder());
    log.Log("second run");
    log.LogError("error two");
    log.Close();

    std::string debug = Debug();
    EXPECT_EQ(debug.find("first run"), std::string::npos); // every start empties it
    std::vector<std::string> lines = GDebugLogTestLines(debug);
    ASSERT_EQ(lines.size(), 3u) << debug;
    EXPECT_TRUE(GDebugLogTestIsLine(lines[0], "----DEBUG FILE----")) << lines[0];
    EXPECT_TRUE(GDebugLogTestIsLine(lines[1], "second run")) << lines[1];
    EXPECT_EQ(lines[2], "END DEBUG---");
    EXPECT_EQ(debug.back(), '\n');

    std::string errors = Errors();
    PSystemTime t = PClock::SystemTimeUtc();
    std::string date = std::to_string(t.day) + "/" + std::to_string(t.month) + "/" + std::to_string(t.year) + " - ";
    std::vector<std::string> errorLines = GDebugLogTestLines(errors);
    ASSERT_EQ(errorLines.size(), 2u) << errors;
    const char* texts[] = {"error one", "error two"};
    for (int i = 0; i < 2; ++i)
    {
        const std::string& line = errorLines[static_cast<size_t>(i)];
        EXPECT_EQ(line.compare(0, date.size(), date), 0) << line; // day/month/year, no padding
        size_t colons = line.find("::");
        ASSERT_NE(colons, std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - 12), std::string(" - ") + texts[i]);
    }
}

TEST_F(GDebugLogFiles, ReportTexts)
{
    GDebugLog::Instance().Open(files.Folder());
    DebugAssert(true, "Game", 1);
    DebugAssert(false, "Game", 42);
    DebugTrace("Failed to get mydocuments", "Game", 7);
    DebugErrorBox("Boom", "GGame", 9); // headless: logged, never shown
    FV_ASSERT(1 == 2);
    GDebugLog::Instance().Close();

    std::string errors = Errors();
    EXPECT_EQ(errors.find("linenum:1\n"), std::string::npos);
    EXPECT_NE(errors.find(" - Assertion failure:filename:Game,linenum:42\n"), std::string::npos);
    EXPECT_NE(errors.find(" - Boom:GGame 9\n"), std::string::npos);
    EXPECT_NE(errors.find("Assertion failure:filename:GDebugLogTest.cpp,linenum:"), std::string::npos);
    // A trace ends in its own newline, so an empty line follows it.
    EXPECT_NE(Debug().find("]- Failed to get mydocuments:Game 7\n\n"), std::string::npos);
}

TEST_F(GDebugLogFiles, ErrorsBeforeOpenNeverTouchTheFileSystemRoot)
{
    // As at start-up, before the user folder is known: an empty folder must not become "/debug".
    FreshState::Forget<GDebugLog>();
    const std::string root = "/debug/errors.txt";
    const std::string before = EngineTestFiles::ReadAll(root);
    GDebugLog::Instance().LogError("early error");
    EXPECT_EQ(EngineTestFiles::ReadAll(root), before);
    EXPECT_EQ(GDebugLog::Instance().GetBaseFolder(), "");
    // Opened later, the log keeps the error out of the new file too.
    GDebugLog::Instance().Open(files.Folder());
    GDebugLog::Instance().LogError("late error");
    EXPECT_EQ(Errors().find("early error"), std::string::npos);
    EXPECT_NE(Errors().find("late error"), std::string::npos);
}

TEST_F(GDebugLogFiles, DeletingLogsReadOnlyAndFailure)
{
    GDebugLog::Instance().Open(files.Folder());
    std::string present = files.Write("gone.txt", "x");
    EXPECT_TRUE(GFile::Delete(present));
    EXPECT_FALSE(GFile::Delete(files.Path("never.txt")));
    GDebugLog::Instance().Close();
    std::string debug = Debug();
    size_t readOnly = debug.find("]- GFile::Delete read only\n");
    size_t failed =
        debug.find("]- Error deleting file [" + files.Path("never.txt") + "] -> No such file or directory\n");
    ASSERT_NE(readOnly, std::string::npos) << debug;
    ASSERT_NE(failed, std::string::npos) << debug;
    EXPECT_LT(readOnly, failed);
    EXPECT_EQ(debug.find("read only", readOnly + 30), std::string::npos); // not for the file that existed
}

TEST(GFileList, FindsFilesInOrderAndDescendsWithStarDotStar)
{
    EngineTestFiles files;
    files.Write("data/b.TXT", "");
    files.Write("data/a.txt", "");
    files.Write("data/C.txt", "");
    files.Write("data/noext", "");
    files.Write("data/.hidden.txt", "");
    files.Write("data/sub/d.txt", "");
    files.Write("data/sub/deeper/e.fx", "");
    files.Write("data/.git/f.txt", "");
    const std::string root = files.Folder() + "/data/";

    GFileList txt;
    txt.Find(root + "*.txt");
    EXPECT_EQ(txt.GetFiles(), (std::vector<std::string>{root + "a.txt", root + "b.TXT", root + "C.txt"}));
    EXPECT_EQ(txt.m_folder, root);

    GFileList all;
    all.Find(files.Folder() + "\\data\\*.*");
    const std::string bs = files.Folder() + "\\data\\";
    EXPECT_EQ(all.GetFiles(), (std::vector<std::string>{bs + "a.txt", bs + "b.TXT", bs + "C.txt", bs + "noext",
                                                        bs + "sub/d.txt", bs + "sub/deeper/e.fx"}));

    GFileList none;
    none.Find(files.Folder() + "/missing/*.*");
    EXPECT_TRUE(none.GetFiles().empty());
}
