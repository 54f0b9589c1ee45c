// The daily version check.
#include "update/SIM_UpdateCheck.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTextKeys.h"

#include "Game.h"
#include "engine/GGameServices.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GOptions.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "platform/core/PClock.h"
#include "platform/net/PHttpClient.h"
#include "sim/SIM_ThreadManager.h"
#include "update/SIM_Internet.h"
#include "update/SIM_Server.h"

#include <cstdio>
#include <cstdlib>

namespace
{
int UpdateCheckReadInt(const IniLoader& ini, const char* key)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", ini.GetValue(key).c_str());
    return std::atoi(buffer);
}

std::string UpdateCheckServerSetting()
{
    for (const GOptionString& s : GOptions::Instance().GetStrings())
        if (s.name == SIM_UpdateCheck::SERVER_SETTING)
            return s.value;
    return std::string();
}
} // namespace

SIM_UpdateCheck& SIM_UpdateCheck::Instance()
{
    return GLifetime::Get<SIM_UpdateCheck>();
}

std::string SIM_UpdateCheck::LastCheckPath() const
{
    return Game::Instance().GetFolder(Game::FOLDER_USER) + "/lst_chk.ini";
}

bool SIM_UpdateCheck::ReplyMeansUpdate(bool replySucceeded, const std::string& message)
{
    // Only an answer from the server counts: no network, an error page or a reply without a
    // message says nothing about newer versions.
    return replySucceeded && !message.empty() && message != "up-to-date";
}

bool SIM_UpdateCheck::WasCheckedToday()
{
    IniLoader ini;
    ini.Load("config", LastCheckPath());
    m_day = UpdateCheckReadInt(ini, "day");
    m_month = UpdateCheckReadInt(ini, "month");
    m_year = UpdateCheckReadInt(ini, "year");
    const PSystemTime now = PClock::SystemTimeUtc();
    return m_day == now.day && m_month == now.month && m_year == now.year;
}

void SIM_UpdateCheck::WriteLastCheck()
{
    const PSystemTime now = PClock::SystemTimeUtc();
    IniLoader ini;
    ini.SetSectionName("config");
    ini.AddPair("day", std::to_string(now.day));
    ini.AddPair("month", std::to_string(now.month));
    ini.AddPair("year", std::to_string(now.year));
    // A failure is in the error log already, with the reason.
    ini.SaveToFile(LastCheckPath());
}

void SIM_UpdateCheck::Run()
{
    const std::string host = UpdateCheckServerSetting();
    if (host.empty())
    {
        GDebugLog::Instance().Log("Update check: no update server set");
        return;
    }
    if (WasCheckedToday())
        return;
    // Recorded before the question goes out: a failed check is not repeated the same day.
    WriteLastCheck();
    PHttpClient::GlobalInit();
    SIM_Internet::Instance().SetHost(host);
    SIM_Internet::Instance().ClearAbort();
    GGameServices::Get().ShowPleaseWait(GTextTable::GetText(GTextKeys::kCheckingUpdates));
    m_finished = false;
    m_pending = true;
    SIM_ThreadManager& threads = SIM_ThreadManager::Instance();
    threads.SetJobHandler(CHECKUPDATES, [](void*) { RunUpdateCheckJob(); });
    threads.PostJob(CHECKUPDATES, nullptr);
}

void SIM_UpdateCheck::RunUpdateCheckJob()
{
    SIM_Internet& internet = SIM_Internet::Instance();
    internet.OpenLink();
    SIM_Server& server = SIM_Server::Instance();
    const std::string reply = server.CheckForUpdate(Game::Instance().GetVersionNumber());
    internet.CloseLink();
    const bool update = ReplyMeansUpdate(server.LastCheckSucceeded(), reply);
    GDebugLog::Instance().Log(std::string("Update check: ") + (update ? "newer version available" : "no update") +
                              " [" + reply + "]");
    if (update)
        s_updateAvailable = true;
    Instance().m_finished = true;
}

void SIM_UpdateCheck::PollFinished()
{
    if (!m_pending || !m_finished.load())
        return;
    m_pending = false;
    GGameServices::Get().ClosePleaseWait();
}

void SIM_UpdateCheck::Cancel()
{
    // Only a check that was started has a session to stop.
    if (SIM_Internet* internet = GLifetime::Find<SIM_Internet>())
        internet->Abort();
}
