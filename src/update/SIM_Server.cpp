// The update server's question and answer.
#include "update/SIM_Server.h"

#include "Game.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GStringTokenizer.h"
#include "platform/core/PThread.h"
#include "update/SIM_Internet.h"

#include <cstdio>
#include <cstring>

SIM_Server& SIM_Server::Instance()
{
    return GLifetime::Get<SIM_Server>();
}

std::string SIM_Server::RequestPath(float version)
{
    char path[2048];
    std::snprintf(path, sizeof path, "ferrovane/server/check_update.php?&current_version=%f&platform=windows",
                  static_cast<double>(version));
    return path;
}

std::string SIM_Server::CheckForUpdate(float version)
{
    m_succeeded = false;
    m_localPath = Game::Instance().GetFolder(Game::FOLDER_WEBDEBUG) + "/patchnotes.ini";
    if (!SIM_Internet::Instance().DownloadFile(RequestPath(version), m_localPath))
        return "error checking for update";
    m_succeeded = true;
    return ReadScriptResponse(m_localPath);
}

std::string SIM_Server::ReadScriptResponse(const std::string& path)
{
    FILE* f = GFile::Open(path, "rt");
    if (!f)
    {
        char text[2048];
        std::snprintf(text, sizeof text, "SIM_SERVER: Failed to open script response at: %s", path.c_str());
        // A box is modal and belongs to the main thread; a worker only logs.
        if (PThread::IsMainThread())
            DebugErrorBox(text, "SIM_Server", 94);
        else
            GDebugLog::Instance().LogError(text);
        return std::string();
    }
    std::string result;
    char line[2049];
    while (std::fgets(line, sizeof line, f))
    {
        GDebugLog::Instance().Log(line);
        if (!std::strstr(line, "message"))
            continue;
        GStringTokenizer tokens(line, ',');
        tokens.NextToken();
        result = tokens.NextToken();
    }
    std::fclose(f);
    // A line end after the message belongs to the file, not to the message.
    const char* blanks = " \t\r\n";
    const size_t first = result.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const size_t last = result.find_last_not_of(blanks);
    return result.substr(first, last - first + 1);
}
