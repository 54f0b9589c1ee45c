// The debug and error logs and the report operations built on them.
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GSystemUtils.h"
#include "platform/core/PClock.h"
#include "platform/core/PDebugOutput.h"
#include "platform/core/PMessageBox.h"

GDebugLog& GDebugLog::Instance()
{
    return GLifetime::Get<GDebugLog>();
}

std::string GDebugLog::GetDebugPath() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_baseFolder + "/debug/debug.txt";
}

std::string GDebugLog::GetErrorPath() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_baseFolder + "/debug/errors.txt";
}

bool GDebugLog::IsOpen() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_debugFile != nullptr;
}

void GDebugLog::Open(const std::string& givenFolder)
{
    // An empty folder would put the logs in /debug at the root of the file system.
    const std::string folder = givenFolder.empty() ? std::string(".") : givenFolder;
    EnsureDirectoryExists(folder + "/debug");
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_debugFile)
            fclose(m_debugFile);
        m_baseFolder = folder;
        m_debugFile = GFile::Open(folder + "/debug/debug.txt", "wt");
    }
    Log("----DEBUG FILE----");
}

void GDebugLog::WriteLineLocked(const std::string& message)
{
    PSystemTime t = PClock::SystemTimeUtc();
    // One formatted write per line, so a reader never sees half a line.
    std::string line = FormatString("[%d:%d:%d:%d]- ", t.hour, t.minute, t.second, t.milliseconds) + message + "\n";
    fwrite(line.data(), 1, line.size(), m_debugFile);
    fflush(m_debugFile);
}

void GDebugLog::Log(const std::string& message)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_debugFile)
            return;
        WriteLineLocked(message);
    }
    PDebugOutput::Write(message + "\n");
}

void GDebugLog::LogError(const std::string& message)
{
    std::string folder;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        folder = m_baseFolder;
    }
    if (!folder.empty())
    {
        EnsureDirectoryExists(folder + "/debug");
        PSystemTime t = PClock::SystemTimeUtc();
        std::string line =
            FormatString("%d/%d/%d - %d::%d - ", t.day, t.month, t.year, t.hour, t.minute) + message + "\n";
        std::lock_guard<std::mutex> guard(m_lock);
        m_errorFile = GFile::Open(folder + "/debug/errors.txt", "at");
        if (m_errorFile)
        {
            fwrite(line.data(), 1, line.size(), m_errorFile);
            fflush(m_errorFile);
            fclose(m_errorFile);
            m_errorFile = nullptr;
        }
    }
    PDebugOutput::Write(message + "\n");
}

void GDebugLog::Close()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_debugFile)
        return;
    fputs("END DEBUG---\n", m_debugFile);
    fclose(m_debugFile);
    m_debugFile = nullptr;
}

void GDebugLog::Reset()
{
    Close();
    std::lock_guard<std::mutex> guard(m_lock);
    m_baseFolder.clear();
}

void DebugAssert(bool condition, const char* sourceFile, int line)
{
    if (condition)
        return;
    GDebugLog::Instance().LogError(
        FormatString("Assertion failure:filename:%s,linenum:%d", sourceFile ? sourceFile : "", line));
}

void DebugTrace(const std::string& message, const char* sourceFile, int line)
{
    std::string text = FormatString("%s:%s %d\n", message.c_str(), sourceFile ? sourceFile : "", line);
    PDebugOutput::Write(text);
    GDebugLog::Instance().Log(text);
}

void DebugErrorBox(const std::string& message, const char* sourceFile, int line)
{
    std::string text = FormatString("%s:%s %d", message.c_str(), sourceFile ? sourceFile : "", line);
    GDebugLog::Instance().LogError(text);
    PMessageBox::Show("ERROR", text, PMessageBox::ICON_ERROR);
}
