// The update check's web client.
#include "update/SIM_Internet.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"

#include <cstdio>

SIM_Internet& SIM_Internet::Instance()
{
    return GLifetime::Get<SIM_Internet>();
}

SIM_Internet::~SIM_Internet()
{
    CloseLink();
}

void SIM_Internet::LogError(const std::string& text)
{
    char line[256];
    std::snprintf(line, sizeof line, "IERROR:  %s [%d]", text.c_str(), m_lastError);
    GDebugLog::Instance().Log(line);
}

bool SIM_Internet::OpenLink()
{
    if (m_client.IsOpen() && m_connected)
        return true;
    GDebugLog::Instance().Log("Start of SIM_Internet::OpenLink");
    if (!m_client.Open("WinInetGet/0.1"))
    {
        m_lastError = 0;
        LogError("Internet: InternetOpen() Failed");
        return false;
    }
    if (m_connected)
        GDebugLog::Instance().Log("WARNING: Internet Connect handle already open but HANDLE_Open was NULL ");
    // Connecting is lazy, as the server is only contacted by the request itself; a missing
    // server name is the one thing that can fail here.
    if (m_host.empty())
    {
        m_lastError = 0;
        LogError("Internet: InternetConnect() Failed");
        return false;
    }
    m_client.SetTimeouts(CONNECT_TIMEOUT_MS, TOTAL_TIMEOUT_MS);
    m_client.SetMaxBody(MAX_REPLY_BYTES);
    m_client.SetAbortFlag(&m_abort);
    m_connected = true;
    GDebugLog::Instance().Log("End of SIM_Internet::OpenLink");
    return true;
}

void SIM_Internet::CloseLink()
{
    if (!m_client.IsOpen() && !m_connected)
        return;
    GDebugLog::Instance().Log("Start of SIM_Internet::CloseLink");
    m_client.Close();
    m_connected = false;
    GDebugLog::Instance().Log("End of SIM_Internet::CloseLink");
}

bool SIM_Internet::DownloadFile(const std::string& remotePath, const std::string& localPath)
{
    GDebugLog::Instance().Log(remotePath);
    if (!OpenLink())
        return false;
    char line[256];
    std::snprintf(line, sizeof line, "SIM_Internet::DownloadFile(%s)", localPath.c_str());
    GDebugLog::Instance().Log(line);

    const std::string path = (remotePath.empty() || remotePath[0] != '/') ? "/" + remotePath : remotePath;
    const PHttpResult result = m_client.Download(m_host, path, localPath);
    m_lastError = result.errorCode;
    if (!result.transferred)
    {
        if (result.status == 0 && result.bytes == 0)
        {
            if (result.errorText.rfind("cannot write", 0) == 0)
                LogError("Failed writing local web copy " + localPath);
            else
                LogError("Internet: HttpSendRequest() Failed");
        }
        else
        {
            // The reply was cut off, too large or could not be stored: what arrived is not an answer.
            LogError("Internet: InternetReadFile() Failed");
        }
        GDebugLog::Instance().Log("  " + result.errorText);
        return false;
    }
    if (result.status < 200 || result.status > 299)
    {
        // An error page is not the server's answer to the question.
        m_lastError = static_cast<int>(result.status);
        LogError("Internet: HTTP reply status");
        return false;
    }
    GDebugLog::Instance().Log("SIM_Internet::DownloadFile ends");
    return true;
}
