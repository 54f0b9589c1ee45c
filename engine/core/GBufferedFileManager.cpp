// The cache of up to ten whole files.
#include "engine/core/GBufferedFileManager.h"

#include "engine/core/GLifetime.h"

GBufferedFileManager& GBufferedFileManager::Instance()
{
    return GLifetime::Get<GBufferedFileManager>();
}

GBufferedFileManager::~GBufferedFileManager()
{
    Clear();
}

GBufferedFile* GBufferedFileManager::GetFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (GBufferedFile* file : m_slots)
    {
        if (file && file->GetPath() == path)
        {
            file->Rewind();
            return file;
        }
    }
    int slot = 0;
    for (int i = 0; i < SLOT_COUNT; ++i)
    {
        if (!m_slots[i])
        {
            slot = i;
            break;
        }
    }
    delete m_slots[slot];
    m_slots[slot] = new GBufferedFile;
    m_slots[slot]->Load(path);
    return m_slots[slot];
}

void GBufferedFileManager::Reload(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (GBufferedFile*& file : m_slots)
    {
        if (file && file->GetPath() == path)
        {
            delete file;
            file = new GBufferedFile;
            file->Load(path);
            return;
        }
    }
}

void GBufferedFileManager::Clear()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (GBufferedFile*& file : m_slots)
    {
        delete file;
        file = nullptr;
    }
}

const GBufferedFile* GBufferedFileManager::GetSlot(int index) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return index >= 0 && index < SLOT_COUNT ? m_slots[index] : nullptr;
}
