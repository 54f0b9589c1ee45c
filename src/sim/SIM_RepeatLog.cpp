// Reports that may repeat every frame: traced once in full, then counted and summed up per minute.
#include "sim/SIM_RepeatLog.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"

SIM_RepeatLog& SIM_RepeatLog::Instance()
{
    return GLifetime::Get<SIM_RepeatLog>();
}

void SIM_RepeatLog::Report(const char* message, const std::string& subject, const std::string& detail,
                           const char* sourceFile, int line)
{
    const std::string text = message ? message : "";
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const std::string key = subject.empty() ? text : text + " " + subject;
        const bool fresh = m_traced.size() < kMaxTraced && m_traced.insert(key).second;
        if (!fresh)
        {
            ++m_pending[text];
            return;
        }
    }
    std::string full = text;
    if (!subject.empty())
        full += " " + subject;
    if (!detail.empty())
        full += " " + detail;
    DebugTrace(full, sourceFile, line);
}

void SIM_RepeatLog::Update(float gameTimeMs, float minuteMs)
{
    std::string summary;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (gameTimeMs - m_lastSummary < minuteMs)
            return;
        m_lastSummary = gameTimeMs;
        if (m_pending.empty())
            return;
        summary = "Repeated in the last game minute:";
        const char* separator = " ";
        for (const auto& [message, count] : m_pending)
        {
            summary += separator + std::to_string(count) + " x " + message;
            separator = "; ";
        }
        m_pending.clear();
    }
    GDebugLog::Instance().Log(summary);
}

void SIM_RepeatLog::ResetForNewGame(float gameTimeMs)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_traced.clear();
    m_pending.clear();
    m_lastSummary = gameTimeMs;
}
