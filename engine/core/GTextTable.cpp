// Every text the player reads, by key.
#include "engine/core/GTextTable.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "platform/core/PFile.h"

GTextTable& GTextTable::Instance()
{
    return GLifetime::Get<GTextTable>();
}

void GTextTable::SetFileName(const std::string& file)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_fileName = file;
}

void GTextTable::Load()
{
    std::string problem;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_table.LoadSection("strings", m_fileName, false);
        // Without its texts every label shows a bare key: the player must be able to find out why.
        if (!PFile::Exists(m_fileName))
            problem = "Text table not found: " + m_fileName + " (every text shows its key)";
        else if (m_table.GetEntryCount() == 0)
            problem = "Text table " + m_fileName + " has no texts in section [strings] (every text shows its key)";
    }
    if (!problem.empty())
        GDebugLog::Instance().LogError(problem);
}

void GTextTable::Unload()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_table = GHashTable();
}

bool GTextTable::HasText(const std::string& key)
{
    if (key.empty())
        return false;
    GTextTable& self = Instance();
    std::lock_guard<std::mutex> guard(self.m_lock);
    if (!self.m_table.IsLoaded())
        self.m_table.LoadSection("strings", self.m_fileName, false);
    return !self.m_table.Lookup(key).empty();
}

std::string GTextTable::GetText(const std::string& key)
{
    if (key.empty())
        return std::string();
    GTextTable& self = Instance();
    std::string value;
    {
        std::lock_guard<std::mutex> guard(self.m_lock);
        if (!self.m_table.IsLoaded())
            self.m_table.LoadSection("strings", self.m_fileName, false);
        value = self.m_table.Lookup(key);
    }
    if (!value.empty())
        return value;
    if (s_missingKeyObserver)
        s_missingKeyObserver(key);
    return key;
}
