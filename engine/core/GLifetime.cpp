// The owner of the program's long-lived objects: holding them in order of creation and
// destroying them newest first.
#include "engine/core/GLifetime.h"

GLifetime& GLifetime::Program()
{
    static GLifetime program;
    return program;
}

GLifetime::~GLifetime()
{
    DestroyAll();
}

void GLifetime::Hold(const Held& held)
{
    m_held.push_back(held);
}

bool GLifetime::Release(const void* kind, Held& released)
{
    for (auto it = m_held.begin(); it != m_held.end(); ++it)
    {
        if (it->kind != kind)
            continue;
        released = *it;
        m_held.erase(it);
        return true;
    }
    return false;
}

void GLifetime::DestroyAll()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // A destructor may still ask for an object that is gone; that one is made again and goes
    // in a later round, so the list is emptied until it stays empty.
    while (!m_held.empty())
    {
        const Held newest = m_held.back();
        m_held.pop_back();
        newest.destroy(newest.object);
    }
}

std::size_t GLifetime::HeldCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_held.size();
}

void GLifetime::BeginEnd()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_ending = true;
}

void GLifetime::NoteCreated(const char* kindName)
{
    if (m_ending)
        m_createdWhileEnding.emplace_back(kindName);
}

std::vector<std::string> GLifetime::CreatedSinceEnd() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_createdWhileEnding;
}
