// Bookkeeping shared by the section readers of one load.
#include "save/SaveLoadContext.h"

#include <string>

#include "save/SaveReader.h"
#include "sim/flow/SIM_ResourceObjManager.h"

SaveLoadContext::SaveLoadContext(SaveReader& r)
    : reader(r), m_restored(SIM_ResourceObjManager::kPoolSize, 0), m_held(SIM_ResourceObjManager::kPoolSize, 0),
      m_requested(SIM_ResourceObjManager::kPoolSize, 0)
{
}

void SaveLoadContext::MarkRestored(int guid)
{
    if (guid >= 0 && guid < SIM_ResourceObjManager::kPoolSize)
    {
        m_restored[static_cast<size_t>(guid)] = 1;
        if (guid > highestGuid)
            highestGuid = guid;
    }
}

SIM_ResourceObject* SaveLoadContext::RestoredObject(int guid, const char* where)
{
    if (guid < 0 || guid >= SIM_ResourceObjManager::kPoolSize || !m_restored[static_cast<size_t>(guid)])
    {
        reader.LogDropped(std::string("Save game: ") + where + " names resource object " + std::to_string(guid) +
                          ", which the file does not hold; left out");
        return nullptr;
    }
    return &SIM_ResourceObjManager::Instance().Record(guid);
}

bool SaveLoadContext::ClaimHeld(SIM_ResourceObject* object, const char* where)
{
    const int guid = SIM_ResourceObjManager::Instance().IndexOf(object);
    if (guid < 0 || m_held[static_cast<size_t>(guid)])
    {
        reader.LogDropped(std::string("Save game: ") + where + " names resource object " + std::to_string(guid) +
                          " that is already held elsewhere; left out");
        return false;
    }
    m_held[static_cast<size_t>(guid)] = 1;
    return true;
}

bool SaveLoadContext::ClaimRequested(SIM_ResourceObject* object, const char* where)
{
    const int guid = SIM_ResourceObjManager::Instance().IndexOf(object);
    if (guid < 0 || m_requested[static_cast<size_t>(guid)])
    {
        reader.LogDropped(std::string("Save game: ") + where + " requests resource object " + std::to_string(guid) +
                          " twice; left out");
        return false;
    }
    m_requested[static_cast<size_t>(guid)] = 1;
    return true;
}

bool SaveLoadContext::IsHeld(int guid) const
{
    return guid >= 0 && guid < SIM_ResourceObjManager::kPoolSize && m_held[static_cast<size_t>(guid)];
}

bool SaveLoadContext::IsRequested(int guid) const
{
    return guid >= 0 && guid < SIM_ResourceObjManager::kPoolSize && m_requested[static_cast<size_t>(guid)];
}
